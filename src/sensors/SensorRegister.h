// The sensor subsystem's registrations with the shell: the five sensor lists, the sensor
// dialogs as the detail dialogs of their records, the database maintenance commands with their
// menu entries, and the command-line verbs.
#pragma once

namespace tablon {

class ShellRegistry;

void RegisterSensors(ShellRegistry& registry);

}  // namespace tablon
