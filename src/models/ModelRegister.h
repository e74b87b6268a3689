// The 3D model data's registrations with the shell: the views of "Hdr Data" and its four
// tables, the parent dialog, and the command-line verbs.
#pragma once

namespace tablon {

class ShellRegistry;

void RegisterModels(ShellRegistry& registry);
// The verbs alone ("model ...", "lod ...", "texture ...").
void RegisterModelVerbs(ShellRegistry& registry);

}  // namespace tablon
