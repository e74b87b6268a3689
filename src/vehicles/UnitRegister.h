// The registrations of the units, the sim weapon data and the squadron stores with the shell.
#pragma once

namespace tablon {

class ShellRegistry;

// The five unit views, the sim weapon data and squadron stores views, their dialogs as the
// detail dialogs of their records, and the verbs "unit ..." and "ssd ...".
void RegisterUnits(ShellRegistry& registry);

}  // namespace tablon
