// What the weapon and weapon-list subsystem registers with the shell: the two list views and
// the detail dialogs of weapon and weapon-list records.
#pragma once

namespace tablon {

class ShellRegistry;

void RegisterWeapons(ShellRegistry& registry);

}  // namespace tablon
