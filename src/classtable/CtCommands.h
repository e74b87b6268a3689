// The class table's commands ("Edit CT Record", "CT Check", "Search CT Entry Reference") and
// its registrations with the shell.
#pragma once

namespace tablon {

class ShellRegistry;
struct ShellContext;

// "Edit CT Record": asks for a record number and edits that record.
void EditCtRecord(ShellContext& ctx);
// "CT Check" and "Search CT Entry Reference": asks for a record number and lists its users.
void CtCheck(ShellContext& ctx);

void RegisterClassTable(ShellRegistry& registry);

}  // namespace tablon
