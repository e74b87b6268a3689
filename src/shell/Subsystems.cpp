// The one place that knows every subsystem: each registers its views, commands and dialogs.
#include "classtable/CtCommands.h"
#include "shell/Registry.h"
#include "vehicles/VclRegister.h"
#include "vehicles/WeaponCommands.h"

namespace tablon {

void RegisterSubsystems(ShellRegistry& registry) {
    RegisterClassTable(registry);
    RegisterVehicles(registry);
    RegisterWeapons(registry);
}

}  // namespace tablon
