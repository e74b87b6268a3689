// The objective family's registrations: the list views of objectives, features, point headers
// and feature entries, the detail dialogs of their records, the append rules of the objective
// and point-header files and the command-line verbs ("fed ...", "pd ...", "feature flags").
#pragma once

namespace tablon {

class ShellRegistry;

void RegisterObjectives(ShellRegistry& registry);
// The verbs alone (ObjectiveVerbs.cpp).
void RegisterObjectiveVerbs(ShellRegistry& registry);

}  // namespace tablon
