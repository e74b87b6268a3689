// The composition root: the one place that knows every subsystem. Each registers its views,
// commands, detail dialogs and command-line verbs with the shell.
#include "classtable/CtCommands.h"
#include "classtable/CtSearchDialogs.h"
#include "models/ModelRegister.h"
#include "objectives/ObjectiveDraw.h"
#include "shell/Registry.h"
#include "vehicles/VclRegister.h"
#include "vehicles/WeaponCommands.h"

namespace tablon {

void RegisterSubsystems(ShellRegistry& registry) {
    RegisterClassTable(registry);
    RegisterSearches(registry);
    RegisterObjectiveDrawing(registry);
    RegisterVehicles(registry);
    RegisterWeapons(registry);
    RegisterModels(registry);
}

}  // namespace tablon
