// The store's command-line verbs: the journal's steps and the rollback of an unfinished one.
#pragma once

namespace tablon {

class ShellRegistry;

void RegisterStore(ShellRegistry& registry);

}  // namespace tablon
