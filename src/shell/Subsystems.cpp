// The one place that knows every subsystem: each registers its views, commands and dialogs.
#include "classtable/CtCommands.h"
#include "shell/Registry.h"

namespace tablon {

void RegisterSubsystems(ShellRegistry& registry) {
    RegisterClassTable(registry);
}

}  // namespace tablon
