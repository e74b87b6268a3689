// The composition root: the one place that knows every subsystem. Each registers its views,
// commands, detail dialogs and command-line verbs with the shell.
#include "classtable/CtCommands.h"
#include "classtable/CtSearchDialogs.h"
#include "misc/MiscRegister.h"
#include "models/ModelRegister.h"
#include "objectives/ObjectiveDraw.h"
#include "objectives/ObjectiveRegister.h"
#include "sensors/SensorRegister.h"
#include "shell/Navigation.h"
#include "shell/Registry.h"
#include "store/Diff.h"
#include "store/StoreVerbs.h"
#include "vehicles/UnitRegister.h"
#include "vehicles/VclRegister.h"
#include "vehicles/WeaponCommands.h"

namespace tablon {

void RegisterSubsystems(ShellRegistry& registry) {
    RegisterStore(registry);
    RegisterClassTable(registry);
    RegisterSearches(registry);
    RegisterObjectiveDrawing(registry);
    RegisterVehicles(registry);
    RegisterWeapons(registry);
    RegisterDiffVerbs(registry.Verbs());
    RegisterUnits(registry);
    RegisterMisc(registry);
    RegisterNavigationVerbs(registry);
    RegisterSensors(registry);
    RegisterModels(registry);
    RegisterObjectives(registry);
}

}  // namespace tablon
