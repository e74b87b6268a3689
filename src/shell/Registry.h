// What the subsystems register with the shell at start: the views of the categories, the
// document's and the application's commands, and the detail dialogs of each kind of record.
// A category without a registered view gets the generic read-only list; a record without a
// registered dialog gets the generic read-only record view.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/CliVerbs.h"
#include "shell/Commands.h"
#include "shell/RecordSource.h"
#include "shell/Ui.h"
#include "store/Bytes.h"

namespace tablon {

class CTablonDoc;
class Database;
class PaneView;
class ShellRegistry;
struct CategoryNode;

// Everything a view, dialog or command works with.
struct ShellContext {
    Database& db;
    Ui& ui;
    CTablonDoc& doc;
    ShellRegistry& registry;
};

using ViewFactory = std::function<std::unique_ptr<PaneView>(ShellContext&, const CategoryNode&)>;
using ContextCommand = std::function<void(ShellContext&)>;
using ContextUpdate = std::function<void(ShellContext&, CommandState&)>;
// A detail dialog on a copy of a record: Ok when the copy is to be written back.
using RecordDialog = std::function<Answer(ShellContext&, int index, Bytes& record)>;
// The same with the name the caller gives the dialog ("Radar Data %d", ...); an empty name lets
// the dialog name itself.
using TitledRecordDialog =
    std::function<Answer(ShellContext&, int index, Bytes& record, const std::string& title)>;
// How a file appends a record when its views add records by rules of their own ("Add Item",
// "Add Copy" of copyOf): true with the new index, or false with the message to show.
using AppendRule =
    std::function<bool(Database&, std::optional<int> copyOf, int& index, std::string& message)>;

class ShellRegistry {
  public:
    struct CommandEntry {
        int id;
        ContextCommand run;
        ContextUpdate update;
    };

    void RegisterView(const std::string& viewClass, ViewFactory factory);
    // A view class made from the shell's context alone, registered under its class name.
    template <typename View>
    void RegisterView() {
        RegisterView(View::kClassName, [](ShellContext& ctx, const CategoryNode&) {
            return std::unique_ptr<PaneView>(std::make_unique<View>(ctx));
        });
    }
    const ViewFactory* FindView(const std::string& viewClass) const;

    void RegisterDocumentCommand(int id, ContextCommand run, ContextUpdate update = {});
    void RegisterApplicationCommand(int id, ContextCommand run, ContextUpdate update = {});
    const std::vector<CommandEntry>& DocumentCommands() const { return docCommands_; }
    const std::vector<CommandEntry>& ApplicationCommands() const { return appCommands_; }

    void RegisterRecordDialog(SourceRef kind, RecordDialog dialog);
    void RegisterRecordDialog(SourceRef kind, TitledRecordDialog dialog);
    const TitledRecordDialog* FindRecordDialog(SourceRef kind) const;

    // The command line's append of a file whose records are added by rules of their own.
    void RegisterAppendRule(FileId file, AppendRule rule);
    const AppendRule* FindAppendRule(FileId file) const;

    // The column each list view class sorted by last: it outlives the views of the class and
    // lasts for the run. Unset until a view of the class stores one.
    std::optional<int> SortColumn(const std::string& viewClass) const;
    void SetSortColumn(const std::string& viewClass, int column);

    // The command-line verbs of the subsystems.
    CliVerbTable& Verbs() { return verbs_; }
    const CliVerbTable& Verbs() const { return verbs_; }

  private:
    std::vector<std::pair<std::string, ViewFactory>> views_;
    std::vector<CommandEntry> docCommands_;
    std::vector<CommandEntry> appCommands_;
    std::vector<std::pair<SourceRef, TitledRecordDialog>> dialogs_;
    std::vector<std::pair<std::string, int>> sortColumns_;
    std::vector<std::pair<FileId, AppendRule>> appendRules_;
    CliVerbTable verbs_;
};

// Every subsystem's registrations. The shell only declares it: the composition root (app/)
// defines it, so that the shell names no subsystem.
void RegisterSubsystems(ShellRegistry& registry);

// Runs the detail dialog of a record on a copy: the registered one, or the generic read-only
// record view (which never asks for a write: Cancel). The title is the name the dialog shows;
// empty: its own.
Answer RunRecordDialog(ShellContext& ctx, SourceRef kind, int index, Bytes& record,
                       const std::string& title = {});

// The pattern every caller of a detail dialog follows: read the record (nothing happens when it
// cannot be read), run its dialog, and on OK write it back, showing failMessage when that fails.
// Returns true when a record was written.
bool EditRecord(ShellContext& ctx, SourceRef kind, int index, const char* failMessage,
                const std::string& title = {});

}  // namespace tablon
