// The vehicle subsystem's registrations with the shell.
#pragma once

namespace tablon {

class ShellRegistry;

// The five vehicle views and the vehicle dialog as the detail dialog of vehicle records (the
// class-table editor and the usage list open it through the registry).
void RegisterVehicles(ShellRegistry& registry);

}  // namespace tablon
