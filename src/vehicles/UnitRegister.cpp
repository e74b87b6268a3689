#include "vehicles/UnitRegister.h"

#include <algorithm>
#include <cstring>
#include <ostream>

#include "shell/CliVerbs.h"
#include "shell/MainFrame.h"
#include "shell/MvView.h"
#include "shell/Registry.h"
#include "shell/ScriptedUi.h"
#include "shell/ViewText.h"
#include "store/Database.h"
#include "vehicles/SsdView.h"
#include "vehicles/SwdView.h"
#include "vehicles/UnitDialog.h"
#include "vehicles/UnitRules.h"
#include "vehicles/UnitView.h"

namespace tablon {

namespace {

// A dialog on a record of a fixed-size type, registered per record kind.
template <typename Record, typename Run>
RecordDialog DialogOf(Run run) {
    return [run](ShellContext& ctx, int index, Bytes& record) {
        Record copy;
        std::memcpy(copy.data(), record.data(), std::min(record.size(), Record::kSize));
        const Answer a = run(ctx, copy, index);
        if (a == Answer::Ok) record.assign(copy.data(), copy.data() + Record::kSize);
        return a;
    };
}

// ---- command-line verbs ----

// The unit named by the first positional argument, read from the open set.
struct UnitTarget {
    Database* db = nullptr;
    int index = 0;
    UnitRecord unit;
};

int OpenUnit(CliSession& s, const CliArgs& a, size_t positional, UnitTarget& t) {
    if (a.positional.size() != positional) return s.Usage("wrong number of arguments");
    long long index = 0;
    if (!ParseCliInt(a.positional[0], 0, 65535, index)) return s.Usage("bad unit number");
    t.db = s.Open();
    if (!t.db) return 1;
    t.index = int(index);
    if (!t.db->Table(FileId::Ucd)->GetRecord(t.index, t.unit.data()))
        return s.Fail("Can't read unit " + a.positional[0]);
    return 0;
}

int UnitSlots(CliSession& s, const CliArgs& a) {
    TableFormat format;
    if (!s.Format(a, format, false)) return 2;
    UnitTarget t;
    if (int rc = OpenUnit(s, a, 1, t)) return rc;
    std::vector<ListRow> rows;
    for (int slot = 0; slot < kUnitSlots; ++slot)
        if (auto row = UnitSlotRow(*t.db, t.unit, slot))
            rows.push_back({std::move(row->cells), slot, row->icon});
    std::vector<ListColumn> columns;
    for (const char* title : kSlotColumnTitles) columns.push_back({title});
    WriteListTable(columns, rows, format, s.Out());
    return 0;
}

// Runs the unit dialog on a unit with what the script does inside it (the dialogs that opens
// take the scripts of `inner`), then presses OK and writes the unit back. Fails when one of the
// failure messages was shown or a dialog it needed was not confirmed.
int EditUnitByScript(CliSession& s, UnitTarget& t, const std::function<void(Form&)>& inside,
                     std::vector<DialogScript> inner, const std::vector<std::string>& failures,
                     size_t dialogsToConfirm) {
    CTablonApp* app = s.App();
    if (!app) return 1;
    ScriptedUi& ui = s.UiOf();
    const size_t messages = ui.Messages().size(), dialogs = ui.Dialogs().size();
    ui.QueueDialog([&](Form& form) {
        inside(form);
        form.Press(kIdOk);
    });
    for (auto& script : inner) ui.QueueDialog(std::move(script));
    const Answer answer = RunUnitDialog(app->Context(), t.unit, t.index);
    for (size_t m = messages; m < ui.Messages().size(); ++m)
        if (std::find(failures.begin(), failures.end(), ui.Messages()[m].text) != failures.end())
            return 1;
    size_t confirmed = 0;
    for (size_t d = dialogs; d < ui.Dialogs().size(); ++d)
        confirmed += ui.Dialogs()[d].result == Answer::Ok ? 1 : 0;
    if (answer != Answer::Ok || confirmed < dialogsToConfirm)
        return s.Fail("the unit was not changed");
    if (!t.db->Table(FileId::Ucd)->SetRecord(t.index, t.unit.data())) {
        ui.Show("Update Failed");
        return 1;
    }
    return 0;
}

int UnitAddVehicle(CliSession& s, const CliArgs& a) {
    UnitTarget t;
    if (int rc = OpenUnit(s, a, 2, t)) return rc;
    long long vehicle = 0;
    if (!ParseCliInt(a.positional[1], 0, 65535, vehicle)) return s.Usage("bad vehicle number");
    if (FirstEmptySlot(t.unit) < 0) {
        s.UiOf().Show("No empty slots for new unit");
        return 1;
    }
    DialogScript add = [&](Form& form) {
        form.SelectValue(unitdlg::kVehicle, int(vehicle));
        if (a.Has("--pos")) form.SetText(unitdlg::kPosition, a.Opt("--pos"));
        if (a.Has("--number")) form.SetText(unitdlg::kNumber, a.Opt("--number"));
        if (!form.SelectedValue(unitdlg::kVehicle)) {
            s.Err() << "tablon-cli: vehicle " << vehicle << " is not offered\n";
            return;
        }
        form.Press(kIdOk);
    };
    return EditUnitByScript(
        s, t, [](Form& form) { form.Press(unitdlg::kAddUnit); }, {add},
        {"No empty slots for new unit", "Please enter an integer between 0 and 15.",
         "Please enter an integer between 0 and 254."},
        2);
}

int ParsePosition(CliSession& s, const std::string& text, long long& pos) {
    if (!ParseCliInt(text, INT32_MIN, INT32_MAX, pos)) return s.Usage("bad position " + text);
    return 0;
}

int UnitRemoveVehicle(CliSession& s, const CliArgs& a) {
    UnitTarget t;
    if (int rc = OpenUnit(s, a, 2, t)) return rc;
    long long pos = 0;
    if (int rc = ParsePosition(s, a.positional[1], pos)) return rc;
    if (pos < 0 || pos >= kUnitSlots || !UnitSlotRow(*t.db, t.unit, int(pos)))
        return s.Fail("unit " + a.positional[0] + " shows no vehicle at position " +
                      a.positional[1]);
    s.UiOf().QueueAnswer(Answer::Yes);
    return EditUnitByScript(
        s, t,
        [&](Form& form) {
            const auto& rows = form.Rows(unitdlg::kSlots);
            for (size_t r = 0; r < rows.size(); ++r)
                if (rows[r].data == pos) form.SetSelected(unitdlg::kSlots, int(r));
            form.Press(unitdlg::kDeleteUnit);
        },
        {}, {}, 1);
}

int UnitSwap(CliSession& s, const CliArgs& a) {
    UnitTarget t;
    if (int rc = OpenUnit(s, a, 3, t)) return rc;
    long long p1 = 0, p2 = 0;
    if (int rc = ParsePosition(s, a.positional[1], p1)) return rc;
    if (int rc = ParsePosition(s, a.positional[2], p2)) return rc;
    if (p1 < 0 || p1 >= kUnitSlots || p2 < 0 || p2 >= kUnitSlots)
        return s.Fail("positions are 0 to 15: nothing was swapped");
    DialogScript swap = [&](Form& form) {
        form.SetText(unitdlg::kPos1, a.positional[1]);
        form.SetText(unitdlg::kPos2, a.positional[2]);
        form.Press(kIdOk);
    };
    return EditUnitByScript(
        s, t, [](Form& form) { form.Press(unitdlg::kSwap); }, {swap}, {}, 2);
}

// A table about the stores set named by the first positional argument: its titles and the rows
// that rowsOf makes from the set's number and record.
using StoresTable =
    std::function<std::vector<ListRow>(Database& db, int set, const StoresRecord& record)>;

int WriteStoresTable(CliSession& s, const CliArgs& a, const std::vector<ListColumn>& titles,
                     const StoresTable& rowsOf) {
    TableFormat format;
    if (!s.Format(a, format, false)) return 2;
    if (a.positional.size() != 1) return s.Usage("expected one stores set number");
    long long n = 0;
    if (!ParseCliInt(a.positional[0], 0, 65535, n)) return s.Usage("bad stores set number");
    Database* db = s.Open();
    if (!db) return 1;
    StoresRecord record;
    if (!db->Table(FileId::Ssd)->GetRecord(int(n), record.data()))
        return s.Fail("Can't read stores set " + a.positional[0]);
    WriteListTable(titles, rowsOf(*db, int(n), record), format, s.Out());
    return 0;
}

int SsdStores(CliSession& s, const CliArgs& a) {
    return WriteStoresTable(
        s, a, {{"Weapon"}, {"Pos"}, {"Count"}}, [](Database& db, int, const StoresRecord& record) {
            std::vector<ListRow> rows;
            for (const auto& r : StoresRows(db, record))
                rows.push_back({{r.weapon, std::to_string(r.position), std::to_string(r.count)},
                                r.position,
                                0});
            return rows;
        });
}

int SsdUsage(CliSession& s, const CliArgs& a) {
    return WriteStoresTable(s, a, {{"Unit"}, {"Unit ID"}},
                            [](Database& db, int set, const StoresRecord&) {
                                std::vector<ListRow> rows;
                                for (const auto& u : StoresUsers(db, set))
                                    rows.push_back({{u.name, std::to_string(u.unit)}, u.unit, 0});
                                return rows;
                            });
}

}  // namespace

void RegisterUnits(ShellRegistry& registry) {
    RegisterListView<CUnitView>(registry);
    RegisterListView<CUnitAirView>(registry);
    RegisterListView<CLandUnitView>(registry);
    RegisterListView<CShipUnitView>(registry);
    RegisterListView<CSubUnitView>(registry);
    RegisterListView<CSwdView>(registry);
    RegisterListView<CSsdView>(registry);
    registry.RegisterRecordDialog({FileId::Ucd}, DialogOf<UnitRecord>(RunUnitDialog));
    registry.RegisterRecordDialog(
        {FileId::Swd}, DialogOf<SimWeaponRecord>([](ShellContext& ctx, SimWeaponRecord& r, int) {
            return RunSwdDialog(ctx, r);
        }));
    registry.RegisterRecordDialog(
        {FileId::Ssd}, DialogOf<StoresRecord>([](ShellContext& ctx, StoresRecord& r, int index) {
            return RunSsdDialog(ctx, r, index, StoresDisplayName(ctx.db, index));
        }));

    CliVerbTable& verbs = registry.Verbs();
    verbs.Register({"unit slots", "unit slots UNIT [--format tsv|json]", {"--format"}, UnitSlots});
    verbs.Register({"unit add-vehicle",
                    "unit add-vehicle UNIT VEHICLE [--pos P] [--number N]",
                    {"--pos", "--number"},
                    UnitAddVehicle});
    verbs.Register({"unit remove-vehicle", "unit remove-vehicle UNIT POS", {}, UnitRemoveVehicle});
    verbs.Register({"unit swap", "unit swap UNIT POS1 POS2", {}, UnitSwap});
    verbs.Register({"ssd stores", "ssd stores INDEX [--format tsv|json]", {"--format"}, SsdStores});
    verbs.Register({"ssd usage", "ssd usage INDEX [--format tsv|json]", {"--format"}, SsdUsage});
}

}  // namespace tablon
