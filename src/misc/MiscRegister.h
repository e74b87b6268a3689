// The registrations of the sound, rocket and message-priority tables with the shell.
#pragma once

namespace tablon {

class ShellRegistry;

// The three views and their dialogs as the detail dialogs of their records.
void RegisterMisc(ShellRegistry& registry);

}  // namespace tablon
