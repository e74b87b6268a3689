// tablon-cli: the command-line companion, on the same code as the window.
#pragma once

#include <iosfwd>

namespace tablon {

// Runs one command line; returns the process exit status.
int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace tablon
