#include "store/StoreVerbs.h"

#include <ostream>

#include "shell/CliVerbs.h"
#include "shell/Form.h"
#include "shell/Registry.h"
#include "shell/ViewText.h"
#include "store/Database.h"
#include "store/Journal.h"
#include "store/Undo.h"

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

// "undo [--steps N]" and "redo [--steps N]": the latest steps taken back or put again, one
// journal step each, stopping at the first that cannot be.
int UndoRedoVerb(CliSession& s, const CliArgs& args, bool redo) {
    if (!args.positional.empty())
        return s.Usage(redo ? "redo takes no arguments" : "undo takes no arguments");
    long long steps = 1;
    if (args.Has("--steps") && !ParseCliInt(args.Opt("--steps"), 1, 1000000, steps))
        return s.Usage("--steps is a number from 1 on");
    Database* db = s.Open();
    if (!db) return 1;
    for (long long k = 0; k < steps; ++k) {
        std::string message;
        const UndoResult r = redo ? RedoLast(*db, message) : UndoLast(*db, message);
        if (r != UndoResult::Done) {
            s.Err() << message << "\n";
            // Running out of history after at least one step is no failure.
            return r == UndoResult::Nothing && k > 0 ? 0 : 1;
        }
        s.Err() << (redo ? "Redone: " : "Undone: ") << message << "\n";
    }
    return 0;
}

// "history": the steps in effect, oldest first, then those that can be redone.
int HistoryVerb(CliSession& s, const CliArgs& args) {
    if (!args.positional.empty()) return s.Usage("history takes no arguments");
    TableFormat format;
    if (!s.Format(args, format, false)) return 2;
    std::vector<ListColumn> columns;
    for (const char* title : {"Time", "Command", "Records", "State"}) columns.push_back({title});
    std::vector<ListRow> rows;
    for (const HistoryRow& h : HistoryRows(ReadHistory(Journal::FolderOf(""))))
        rows.push_back(
            {{h.time, h.command, h.records, h.undone ? "undone" : "done"}, int64_t(h.id)});
    WriteListTable(columns, rows, format, s.Out());
    return 0;
}

}  // namespace

void RegisterStore(ShellRegistry& registry) {
    registry.Verbs().Register(
        CliVerb{"journal", "journal [--format tsv|json]", {"--format"}, JournalVerb});
    registry.Verbs().Register(CliVerb{"recover", "recover", {}, RecoverVerb});
    registry.Verbs().Register(
        CliVerb{"undo",
                "undo [--steps N]",
                {"--steps"},
                [](CliSession& s, const CliArgs& a) { return UndoRedoVerb(s, a, false); },
                true});
    registry.Verbs().Register(
        CliVerb{"redo",
                "redo [--steps N]",
                {"--steps"},
                [](CliSession& s, const CliArgs& a) { return UndoRedoVerb(s, a, true); },
                true});
    registry.Verbs().Register(
        CliVerb{"history", "history [--format tsv|json]", {"--format"}, HistoryVerb});
}

}  // namespace tablon
