#include "store/StoreVerbs.h"

#include <ostream>

#include "shell/CliVerbs.h"
#include "shell/Form.h"
#include "shell/Registry.h"
#include "shell/ViewText.h"
#include "store/Journal.h"

namespace tablon {

namespace {

// "journal": every step in the journal, oldest first. Reading the journal changes nothing, so
// an unfinished step shows as "uncommitted" until the set is opened or recovered.
int JournalVerb(CliSession& s, const CliArgs& args) {
    if (!args.positional.empty()) return s.Usage("journal takes no arguments");
    TableFormat format;
    if (!s.Format(args, format, false)) return 2;
    const JournalContents c = Journal::Read(Journal::FolderOf(""));
    std::vector<ListColumn> columns;
    for (const char* title : {"Step", "Time", "Command", "State", "Files", "Records"})
        columns.push_back({title});
    std::vector<ListRow> rows;
    for (const auto& step : c.steps)
        rows.push_back({{std::to_string(step.id), step.TimeText(), step.command,
                         StepStateName(step.state), step.FilesText(), step.RecordsText()},
                        int64_t(step.id)});
    WriteListTable(columns, rows, format, s.Out());
    return 0;
}

// "recover": rolls back an unfinished step, as opening the set does.
int RecoverVerb(CliSession& s, const CliArgs& args) {
    if (!args.positional.empty()) return s.Usage("recover takes no arguments");
    std::string message;
    const RecoverResult r = Journal::Recover(Journal::FolderOf(""), message);
    if (!message.empty()) s.Err() << message << "\n";
    if (r == RecoverResult::Busy || r == RecoverResult::Failed) return 1;
    if (r == RecoverResult::Nothing) s.Out() << "Nothing to recover\n";
    return 0;
}

}  // namespace

void RegisterStore(ShellRegistry& registry) {
    registry.Verbs().Register(
        CliVerb{"journal", "journal [--format tsv|json]", {"--format"}, JournalVerb});
    registry.Verbs().Register(CliVerb{"recover", "recover", {}, RecoverVerb});
}

}  // namespace tablon
