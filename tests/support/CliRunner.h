// Runs the command-line companion in-process on a list of words, keeping what it printed. A
// fixture that mixes it in says `using CliRunner::Run;` (the test base has a Run of its own).
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace tablon::test {

class CliRunner {
  protected:
    // The words after the program name; returns the exit status.
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), "tablon-cli");
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        out_.str("");
        err_.str("");
        return RunCli(int(argv.size()), argv.data(), out_, err_);
    }
    std::ostringstream out_, err_;
};

}  // namespace tablon::test
