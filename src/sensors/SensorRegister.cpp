#include "sensors/SensorRegister.h"

#include <ostream>

#include "sensors/SensorDialogs.h"
#include "sensors/SensorMaintenance.h"
#include "sensors/SensorViews.h"
#include "shell/MainFrame.h"
#include "shell/ScriptedUi.h"
#include "shell/ViewText.h"
#include "store/Database.h"
#include "vehicles/Maintenance.h"

namespace tablon {

namespace {

void RegisterCommands(ShellRegistry& registry) {
    registry.RegisterDocumentCommand(cmd::kSetLowAir, [](ShellContext& c) { SetLowAir(c); });
    registry.RegisterDocumentCommand(cmd::kSortHardpointTables,
                                     [](ShellContext& c) { SortHardpointTables(c); });
    registry.RegisterDocumentCommand(cmd::kSetCombatType8,
                                     [](ShellContext& c) { SetCombatType8(c.db, c.ui); });
    registry.RegisterDocumentCommand(cmd::kCreateCockpitList,
                                     [](ShellContext& c) { CreateCockpitList(c); });
    registry.RegisterDocumentCommand(cmd::kSetPulseDoppler,
                                     [](ShellContext& c) { SetPulseDopplerFlags(c.db, c.ui); });
}

// ---- command-line verbs ----

// The usage list of a sensor record, by its file.
struct UsageFile {
    FileId file;
    std::vector<ListRow> (*rows)(const Database& db, int index);
};

std::vector<ListRow> IrstRows(const Database& db, int index) {
    return SensorUsageRows(db, kSensorIrst, index);
}
std::vector<ListRow> RwrRows(const Database& db, int index) {
    return SensorUsageRows(db, kSensorRwr, index);
}
std::vector<ListRow> VisualRows(const Database& db, int index) {
    return SensorUsageRows(db, kSensorVisual, index);
}

constexpr UsageFile kUsageFiles[] = {
    {FileId::Acd, AircraftDataUsageRows},
    {FileId::Rcd, RadarUsageRows},
    {FileId::Icd, IrstRows},
    {FileId::Rwd, RwrRows},
    {FileId::Vsd, VisualRows},
};

// Reads the index argument and checks that its record can be read.
bool RecordArgument(CliSession& s, FileId file, const std::string& text, int& index, int& status) {
    long long v = 0;
    if (!ParseCliInt(text, 0, 65535, v)) {
        status = s.Usage("bad record index " + text);
        return false;
    }
    Database* db = s.Open();
    if (!db) {
        status = 1;
        return false;
    }
    Bytes record;
    index = int(v);
    if (!db->Table(file)->GetRecord(index, record)) {
        status = s.Fail(Format("can't read record %d of %s", index, DescOf(file).name));
        return false;
    }
    return true;
}

int SensorUsageVerb(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 2) return s.Usage("expected FILE INDEX");
    TableFormat format;
    if (!s.Format(a, format)) return 2;
    const auto id = FileIdByName(a.positional[0]);
    const UsageFile* usage = nullptr;
    for (const auto& u : kUsageFiles)
        if (id && *id == u.file) usage = &u;
    if (!usage)
        return s.Usage("FILE is vantor.acd, vantor.rcd, vantor.icd, vantor.rwd or vantor.vsd");
    int index = 0, status = 0;
    if (!RecordArgument(s, usage->file, a.positional[1], index, status)) return status;
    WriteListTable({{"Vehicle", 150}, {"CT No", 50}}, usage->rows(*s.Open(), index), format,
                   s.Out());
    return 0;
}

int AcdUsageVerb(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 1) return s.Usage("expected RADAR_INDEX");
    TableFormat format;
    if (!s.Format(a, format)) return 2;
    int index = 0, status = 0;
    if (!RecordArgument(s, FileId::Rcd, a.positional[0], index, status)) return status;
    WriteListTable({{"Acd Def", 150}}, AcdRadarUsageRows(*s.Open(), index), format, s.Out());
    return 0;
}

// The questions of a run: --yes or --no answers them; without either they are answered No.
void AnswerFrom(CliSession& s, const CliArgs& a) {
    if (a.Has("--yes")) s.UiOf().SetDefaultAnswer(Answer::Yes);
    if (a.Has("--no")) s.UiOf().SetDefaultAnswer(Answer::No);
}

int SortHardpointTablesVerb(CliSession& s, const CliArgs& a) {
    if (!a.positional.empty()) return s.Usage("run sort-hardpoint-tables takes no arguments");
    TableFormat format;
    if (!s.Format(a, format)) return 2;
    CTablonApp* app = s.App();
    if (!app) return 1;
    const bool fix = a.Has("--yes") && !a.Has("--no");
    // The review list is what the run prints; "Fix Records" is --yes, anything else Cancel.
    s.UiOf().QueueDialog([&s, format, fix](Form& review) {
        const Control* list = review.Find(maintdlg::kChangedVehicles);
        if (list) WriteListTable(list->columns, list->rows, format, s.Out());
        review.Press(fix ? kIdOk : kIdCancel);
    });
    return SortHardpointTables(app->Context()) ? 0 : 1;
}

int SetCombatType8Verb(CliSession& s, const CliArgs& a) {
    if (!a.positional.empty()) return s.Usage("run set-combat-type-8 takes no arguments");
    Database* db = s.Open();
    if (!db) return 1;
    AnswerFrom(s, a);
    return SetCombatType8(*db, s.UiOf()) ? 0 : 1;
}

int CreateCockpitListVerb(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 1) return s.Usage("expected OUT.txt");
    Database* db = s.Open();
    if (!db) return 1;
    return WriteCockpitList(*db, s.UiOf(), a.positional[0]) ? 0 : 1;
}

int SetPulseDopplerVerb(CliSession& s, const CliArgs& a) {
    if (!a.positional.empty()) return s.Usage("run set-pulse-doppler-flag takes no arguments");
    Database* db = s.Open();
    if (!db) return 1;
    return SetPulseDopplerFlags(*db, s.UiOf()) ? 0 : 1;
}

void RegisterVerbs(ShellRegistry& registry) {
    CliVerbTable& verbs = registry.Verbs();
    verbs.Register({"sensor usage",
                    "sensor usage FILE INDEX [--format tsv|csv|json]",
                    {"--format"},
                    SensorUsageVerb});
    verbs.Register({"sensor acd-usage",
                    "sensor acd-usage RADAR_INDEX [--format tsv|csv|json]",
                    {"--format"},
                    AcdUsageVerb});
    verbs.Register({"run sort-hardpoint-tables",
                    "run sort-hardpoint-tables [--yes|--no] [--format tsv|csv|json]",
                    {"--format"},
                    SortHardpointTablesVerb});
    verbs.Register(
        {"run set-combat-type-8", "run set-combat-type-8 [--yes|--no]", {}, SetCombatType8Verb});
    verbs.Register(
        {"run create-cockpit-list", "run create-cockpit-list OUT.txt", {}, CreateCockpitListVerb});
    verbs.Register(
        {"run set-pulse-doppler-flag", "run set-pulse-doppler-flag", {}, SetPulseDopplerVerb});
}

}  // namespace

void RegisterSensors(ShellRegistry& registry) {
    registry.RegisterView<CRadarView>();
    registry.RegisterView<CAcdView>();
    registry.RegisterView<CIcdView>();
    registry.RegisterView<CRwdView>();
    registry.RegisterView<CVsdView>();
    RegisterSensorDialogs(registry);
    RegisterCommands(registry);
    RegisterVerbs(registry);
}

}  // namespace tablon
