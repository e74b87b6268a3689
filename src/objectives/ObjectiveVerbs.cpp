// The objective family's command-line verbs: the run lists of the "FED  List" and "Point Header
// Data Details" dialogs with their inserts and deletes, the feature entry list files, and the
// feature flags.
#include <ostream>

#include "objectives/FedDialogs.h"
#include "objectives/FedListFile.h"
#include "objectives/ObjectiveDialogs.h"
#include "objectives/ObjectiveRegister.h"
#include "objectives/ObjectiveViews.h"
#include "objectives/PointDialogs.h"
#include "objectives/Runs.h"
#include "shell/MainFrame.h"
#include "shell/Registry.h"
#include "shell/ScriptedUi.h"
#include "shell/ViewText.h"
#include "store/Database.h"

namespace tablon {

namespace {

// The owner named by the first positional argument, read from the file.
bool ReadOwner(CliSession& s, const CliArgs& a, const RunLayout& layout, int& index, Bytes& owner) {
    Database* db = s.Open();
    if (!db) return false;
    TableFile& owners = *db->Table(layout.owner);
    long long v = 0;
    if (a.positional.empty() || !ParseCliInt(a.positional[0], 0, 65534, v)) {
        s.Usage("expected a record index of " + std::string(owners.Desc().name));
        return false;
    }
    index = int(v);
    if (!owners.GetRecord(index, owner)) {
        s.Fail(Format("Can't read record %d of %s", index, owners.Desc().name));
        return false;
    }
    return true;
}

// Shows a run of an owner as its dialog's list.
int ListRun(CliSession& s, const CliArgs& a, const RunLayout& layout,
            const std::vector<ColumnDesc>& columns) {
    TableFormat format;
    if (!s.Format(a, format, false)) return 2;
    int index = 0;
    Bytes owner;
    if (!ReadOwner(s, a, layout, index, owner)) return 1;
    CTablonApp* app = s.App();
    if (!app) return 1;
    CRunView view(app->Context(), layout.member, columns, RunOf(layout, owner.data()));
    view.OnInitialUpdate();
    WriteViewTable(view, format, s.Out());
    return 0;
}

// NAME=VALUE assignments from the positional argument `from` on, into a record.
bool ApplyFields(CliSession& s, const CliArgs& a, size_t from, const FieldTable& table,
                 uint8_t* record) {
    for (size_t k = from; k < a.positional.size(); ++k) {
        const std::string& assign = a.positional[k];
        const size_t eq = assign.find('=');
        if (eq == std::string::npos) {
            s.Usage("expected NAME=VALUE, got " + assign);
            return false;
        }
        const Field* field = table.Find(assign.substr(0, eq));
        std::string error;
        if (!field) {
            s.Fail(std::string(table.record) + " has no field " + assign.substr(0, eq));
            return false;
        }
        if (!ParseField(*field, record, assign.substr(eq + 1), error)) {
            s.Fail(error);
            return false;
        }
    }
    return true;
}

// The message of a refused or failed operation, shown as the window shows it: exit 1.
int Refused(CliSession& s, const std::string& message) {
    s.UiOf().Show(message);
    return 1;
}

int InsertIntoRun(CliSession& s, const CliArgs& a, const RunLayout& layout,
                  const FieldTable& memberFields) {
    int index = 0;
    Bytes owner;
    if (!ReadOwner(s, a, layout, index, owner)) return 1;
    if (a.positional.size() < 2) return s.Usage("expected a position");
    Database& db = *s.Open();
    uint32_t pos = 0;
    long long v = 0;
    if (a.positional[1] == "auto" && &layout == &PointRuns()) {
        // "Add After" with no row chosen: only a header without points has no row to choose.
        if (RunOf(layout, owner.data()).count != 0)
            return s.Usage("auto is for a header with no points");
        pos = PositionBehindEarlierRun(db, layout, index);
    } else if (ParseCliInt(a.positional[1], 0, 65535, v)) {
        pos = uint32_t(v);
    } else {
        return s.Usage("bad position " + a.positional[1]);
    }
    Bytes member(memberFields.size, 0);
    if (!ApplyFields(s, a, 2, memberFields, member.data())) return 1;
    std::string message;
    if (!InsertMember(db, layout, index, owner.data(), pos, member.data(), message))
        return Refused(s, message);
    s.Out() << pos << "\n";
    return 0;
}

int DeleteFromRun(CliSession& s, const CliArgs& a, const RunLayout& layout) {
    int index = 0;
    Bytes owner;
    if (!ReadOwner(s, a, layout, index, owner)) return 1;
    long long v = 0;
    if (a.positional.size() != 2 || !ParseCliInt(a.positional[1], 0, 65535, v))
        return s.Usage("expected a position");
    std::string message;
    if (!DeleteMember(*s.Open(), layout, index, owner.data(), uint32_t(v), message))
        return Refused(s, message);
    return 0;
}

int FedList(CliSession& s, const CliArgs& a) {
    if (!a.Has("--all")) return ListRun(s, a, EntryRuns(), FedListColumns());
    TableFormat format;
    if (!s.Format(a, format, false)) return 2;
    CTablonApp* app = s.App();
    if (!app) return 1;
    CFedView view(app->Context());
    view.OnInitialUpdate();
    WriteViewTable(view, format, s.Out());
    return 0;
}

int FedSave(CliSession& s, const CliArgs& a) {
    int index = 0;
    Bytes owner;
    if (!ReadOwner(s, a, EntryRuns(), index, owner)) return 1;
    ObjectiveRecord o;
    std::memcpy(o.data(), owner.data(), ObjectiveRecord::kSize);
    const std::string path = a.positional.size() > 1 ? a.positional[1] : FedListDefaultName(o);
    std::string message;
    if (!SaveFedList(*s.Open(), o, path, message)) return Refused(s, message);
    return 0;
}

int FedLoad(CliSession& s, const CliArgs& a) {
    int index = 0;
    Bytes owner;
    if (!ReadOwner(s, a, EntryRuns(), index, owner)) return 1;
    if (a.positional.size() != 2) return s.Usage("expected the csv file");
    ObjectiveRecord o;
    std::memcpy(o.data(), owner.data(), ObjectiveRecord::kSize);
    std::string message;
    if (!LoadFedList(*s.Open(), index, o, a.positional[1], message)) return Refused(s, message);
    return 0;
}

int FeatureFlags(CliSession& s, const CliArgs& a) {
    Database* db = s.Open();
    if (!db) return 1;
    TableFile& fcd = *db->Table(FileId::Fcd);
    long long v = 0;
    if (a.positional.empty() || !ParseCliInt(a.positional[0], 0, 65534, v))
        return s.Usage("expected a feature index");
    FeatureRecord f;
    if (!fcd.GetRecord(int(v), f.data()))
        return s.Fail(Format("Can't read record %d of %s", int(v), fcd.Desc().name));
    if (a.positional.size() == 1) {
        for (const auto& flag : FeatureFlagNames())
            s.Out() << flag.name << "=" << ((f.Flags() & flag.bit) ? 1 : 0) << "\n";
        return 0;
    }
    // The word is rebuilt from the flags, as the "Feature Flags" dialog's OK does.
    uint16_t flags = RebuildFeatureFlags(f.Flags());
    for (size_t k = 1; k < a.positional.size(); ++k) {
        const std::string& assign = a.positional[k];
        const size_t eq = assign.find('=');
        const std::string name = assign.substr(0, eq),
                          value = eq == std::string::npos ? std::string() : assign.substr(eq + 1);
        const FeatureFlagName* found = nullptr;
        for (const auto& flag : FeatureFlagNames())
            if (name == flag.name) found = &flag;
        if (!found || (value != "0" && value != "1"))
            return s.Usage("expected FLAG=0 or FLAG=1, got " + assign);
        flags = value == "1" ? uint16_t(flags | found->bit) : uint16_t(flags & ~found->bit);
    }
    f.Set<uint16_t>(FeatureRecord::kFlags, flags);
    if (!fcd.SetRecord(int(v), f.data())) return Refused(s, "Update failed");
    return 0;
}

}  // namespace

void RegisterObjectiveVerbs(ShellRegistry& registry) {
    CliVerbTable& verbs = registry.Verbs();
    verbs.Register(
        {"fed list", "fed list OBJECTIVE|--all [--format tsv|json]", {"--format"}, FedList});
    verbs.Register({"fed insert",
                    "fed insert OBJECTIVE POS [NAME=VALUE ...]",
                    {},
                    [](CliSession& s, const CliArgs& a) {
                        return InsertIntoRun(s, a, EntryRuns(), FeatureEntryFields());
                    }});
    verbs.Register(
        {"fed delete", "fed delete OBJECTIVE POS", {}, [](CliSession& s, const CliArgs& a) {
             return DeleteFromRun(s, a, EntryRuns());
         }});
    verbs.Register({"fed save", "fed save OBJECTIVE [OUT.csv]", {}, FedSave});
    verbs.Register({"fed load", "fed load OBJECTIVE IN.csv", {}, FedLoad});
    verbs.Register({"pd list",
                    "pd list HEADER [--format tsv|json]",
                    {"--format"},
                    [](CliSession& s, const CliArgs& a) {
                        return ListRun(s, a, PointRuns(), PointListColumns());
                    }});
    verbs.Register({"pd insert",
                    "pd insert HEADER POS|auto [NAME=VALUE ...]",
                    {},
                    [](CliSession& s, const CliArgs& a) {
                        return InsertIntoRun(s, a, PointRuns(), PointFields());
                    }});
    verbs.Register({"pd delete", "pd delete HEADER POS", {}, [](CliSession& s, const CliArgs& a) {
                        return DeleteFromRun(s, a, PointRuns());
                    }});
    verbs.Register({"feature flags", "feature flags INDEX [FLAG=0|1 ...]", {}, FeatureFlags});
}

}  // namespace tablon
