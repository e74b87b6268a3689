#include "shell/Registry.h"

#include "shell/GenericView.h"
#include "store/Database.h"

namespace tablon {

void ShellRegistry::RegisterView(const std::string& viewClass, ViewFactory factory) {
    for (auto& [name, f] : views_)
        if (name == viewClass) {
            f = std::move(factory);
            return;
        }
    views_.emplace_back(viewClass, std::move(factory));
}

const ViewFactory* ShellRegistry::FindView(const std::string& viewClass) const {
    for (const auto& [name, f] : views_)
        if (name == viewClass) return &f;
    return nullptr;
}

namespace {

void Put(std::vector<ShellRegistry::CommandEntry>& list, int id, ContextCommand run,
         ContextUpdate update) {
    for (auto& e : list)
        if (e.id == id) {
            e.run = std::move(run);
            e.update = std::move(update);
            return;
        }
    list.push_back({id, std::move(run), std::move(update)});
}

}  // namespace

void ShellRegistry::RegisterDocumentCommand(int id, ContextCommand run, ContextUpdate update) {
    Put(docCommands_, id, std::move(run), std::move(update));
}

void ShellRegistry::RegisterApplicationCommand(int id, ContextCommand run, ContextUpdate update) {
    Put(appCommands_, id, std::move(run), std::move(update));
}

void ShellRegistry::RegisterRecordDialog(SourceRef kind, RecordDialog dialog) {
    for (auto& [k, d] : dialogs_)
        if (k == kind) {
            d = std::move(dialog);
            return;
        }
    dialogs_.emplace_back(kind, std::move(dialog));
}

void ShellRegistry::RegisterAppendRule(FileId file, AppendRule rule) {
    for (auto& r : appendRules_)
        if (r.first == file) {
            r.second = std::move(rule);
            return;
        }
    appendRules_.emplace_back(file, std::move(rule));
}

const AppendRule* ShellRegistry::FindAppendRule(FileId file) const {
    for (const auto& r : appendRules_)
        if (r.first == file) return &r.second;
    return nullptr;
}

const RecordDialog* ShellRegistry::FindRecordDialog(SourceRef kind) const {
    for (const auto& [k, d] : dialogs_)
        if (k == kind) return &d;
    return nullptr;
}

std::optional<int> ShellRegistry::SortColumn(const std::string& viewClass) const {
    for (const auto& [name, c] : sortColumns_)
        if (name == viewClass) return c;
    return std::nullopt;
}

void ShellRegistry::SetSortColumn(const std::string& viewClass, int column) {
    for (auto& [name, c] : sortColumns_)
        if (name == viewClass) {
            c = column;
            return;
        }
    sortColumns_.emplace_back(viewClass, column);
}

Answer RunRecordDialog(ShellContext& ctx, SourceRef kind, int index, Bytes& record) {
    if (const RecordDialog* d = ctx.registry.FindRecordDialog(kind))
        return (*d)(ctx, index, record);
    auto source = MakeSource(ctx.db, kind);
    if (!source) return Answer::Cancel;
    CRecordForm form(source->TypeName(), source->Fields(), index, record);
    ctx.ui.RunDialog(form);
    return Answer::Cancel;
}

bool EditRecord(ShellContext& ctx, SourceRef kind, int index, const char* failMessage) {
    auto source = MakeSource(ctx.db, kind);
    if (!source) return false;
    Bytes record(source->RecordSize());
    if (!source->Get(index, record.data())) return false;
    if (RunRecordDialog(ctx, kind, index, record) != Answer::Ok) return false;
    if (!source->Set(index, record.data())) {
        ctx.ui.Show(failMessage);
        return false;
    }
    return true;
}

}  // namespace tablon
