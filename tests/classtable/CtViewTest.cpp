#include <gtest/gtest.h>

#include <chrono>

#include "classtable/CtCommands.h"
#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "classtable/CtUsageDialog.h"
#include "classtable/CtView.h"
#include "shell/GenericView.h"
#include "shell/ShellTestFixture.h"
#include "shell/ToolTips.h"
#include "vehicles/VehicleDialog.h"

namespace tablon::test {
namespace {

using R = CtRecord;

CtRecord Ct(int domain, int cls, int type = 0, int dataType = 2) {
    CtRecord r;
    r.b[R::kDomain] = uint8_t(domain);
    r.b[R::kClass] = uint8_t(cls);
    r.b[R::kType] = uint8_t(type);
    r.b[R::kDataType] = uint8_t(dataType);
    return r;
}

class CtViewTest : public ShellTest {
  protected:
    CMvView& OpenCt(const std::vector<CtRecord>& records) {
        WriteSet();
        WriteCt(records);
        Open();
        return OpenList("Class Table");
    }
    CtRecord Stored(int index) {
        CtRecord r;
        EXPECT_TRUE(db_->Ct().GetRecord(index, r));
        return r;
    }
    // Scripts the class-table dialog: set texts, then press UPDATE.
    void QueueCtDialog(std::vector<std::pair<int, std::string>> texts) {
        ui_.QueueDialogTexts(std::move(texts));
    }
};

TEST_F(CtViewTest, ColumnsCellsAndIcons) {
    CtRecord r = Ct(kDomainAir, kClassVehicle, 1, kDataVehicle);
    r.Set<float>(R::kCollisionRadius, 1.5f);
    r.Set<uint32_t>(R::kUpdateRate, 0x80000000u);
    r.Set<int16_t>(R::kGraphics, 42);
    r.Set<int16_t>(R::kAltDataRef, -1);
    r.Set<uint32_t>(R::kDataRef, 17);
    r.b[R::kPersistent] = 200;
    CMvView& v = OpenCt({r, Ct(kDomainUndersea, kClassUnit)});
    ASSERT_EQ(v.ColumnCount(), 32);
    EXPECT_EQ(v.Column(12).title, "Coll rad");
    EXPECT_EQ(v.Column(31).title, "Foffset");
    const std::vector<std::string> cells{"AIR VEHICLE", "0", "AIR",    "VEHICLE",    "Airplane",
                                         "0",           "0", "NORMAL", "VEHICLE",    "0",
                                         "42",          "0", "1.5",    "-2147483648"};
    for (size_t c = 0; c < cells.size(); ++c) EXPECT_EQ(v.CellText(0, int(c)), cells[c]) << c;
    EXPECT_EQ(v.CellText(0, 29), "200");
    EXPECT_EQ(v.CellText(0, 30), "-1");
    EXPECT_EQ(v.CellText(0, 31), "17");
    EXPECT_EQ(v.Icon(0), 0);  // air vehicle of subtype 0
    EXPECT_EQ(v.Icon(1), 3);  // undersea unit
    EXPECT_EQ(v.Images().smallBitmap, 136);
}

TEST_F(CtViewTest, KeepsFileOrderWhenFilledAndSortsNamedColumnsByTheirByte) {
    CMvView& v = OpenCt({Ct(kDomainAir, 0), Ct(kDomainUnknown, 0), Ct(kDomainSea, 0)});
    EXPECT_EQ(v.LastSortColumn(), -1);
    EXPECT_EQ(v.StoredSortColumn(), 1);
    v.OnColumnClick(2);  // "Domain": UNKNOWN (0) before AIR (2), not alphabetically
    EXPECT_EQ(Order(v), (std::vector<int>{1, 0, 2}));
    // The stored column survives the view, yet a new class-table view comes up in file order.
    OpenList("Weapons");
    CMvView& ct = OpenList("Class Table");
    EXPECT_EQ(ct.StoredSortColumn(), 2);
    EXPECT_EQ(Order(ct), (std::vector<int>{0, 1, 2}));
    Frame().Run(cmd::kSortByClass);
    EXPECT_EQ(ct.StoredSortColumn(), 0);
    EXPECT_TRUE(Frame().StateOf(cmd::kSortByClass).checked);
    EXPECT_EQ(Order(ct), (std::vector<int>{1, 0, 2}));
}

TEST_F(CtViewTest, EnableRules) {
    CMvView& v = OpenCt({Ct(1, 0), Ct(1, 3), Ct(1, 3)});
    for (int id : {cmd::kShowItem, cmd::kAddCopy, cmd::kExportItem, cmd::kDeleteItem})
        EXPECT_FALSE(Frame().StateOf(id).enabled) << id;
    EXPECT_TRUE(Frame().StateOf(cmd::kAddItem).enabled);
    v.Select(0);
    for (int id : {cmd::kShowItem, cmd::kAddCopy, cmd::kExportItem})
        EXPECT_TRUE(Frame().StateOf(id).enabled) << id;
    EXPECT_FALSE(Frame().StateOf(cmd::kDeleteItem).enabled);
    v.OnColumnClick(1);
    v.OnColumnClick(1);  // descending: the last record's row is now first
    v.Select(0);
    EXPECT_EQ(v.ItemData(0), 2);
    EXPECT_TRUE(Frame().StateOf(cmd::kDeleteItem).enabled);
    ASSERT_TRUE(Frame().Run(cmd::kDeleteItem));
    EXPECT_EQ(v.RowCount(), 2);
    EXPECT_EQ(db_->Ct().RecordCount(), 2u);
    EXPECT_EQ(v.SelectedCount(), 0);
}

TEST_F(CtViewTest, AddItemAppendsZeroBytesAndAddCopyTheSelectedRecord) {
    CMvView& v = OpenCt({Ct(kDomainLand, kClassVehicle, 3), Ct(1, 3)});
    Form* dialog = nullptr;
    std::string ctId;
    ui_.QueueDialog([&](Form& f) {
        dialog = &f;
        ctId = f.Text(ctdlg::kCtId);
        f.Press(kIdOk);
    });
    Frame().Run(cmd::kAddItem);
    ASSERT_EQ(ui_.Dialogs().size(), 1u);
    EXPECT_EQ(ui_.Dialogs()[0].title, "CT Entry for New Record");
    EXPECT_EQ(ctId, "2");
    ASSERT_EQ(db_->Ct().RecordCount(), 3u);
    EXPECT_EQ(Stored(2), CtRecord{});
    EXPECT_EQ(v.RowCount(), 3);
    const int row = v.PositionOf(2);
    EXPECT_EQ(v.CellText(row, 0), "UNKNOWN ABSTRACT");
    EXPECT_EQ(v.CellText(row, 4), "0");

    v.Select(v.PositionOf(0));
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    Frame().Run(cmd::kAddCopy);
    EXPECT_EQ(Stored(3), Stored(0));
    EXPECT_EQ(v.CellText(v.PositionOf(3), 4), "Tracked");

    // Cancel appends nothing.
    Frame().Run(cmd::kAddItem);
    EXPECT_EQ(db_->Ct().RecordCount(), 4u);
}

TEST_F(CtViewTest, FloatsKeepTheirBitsUnlessChangedNoticeably) {
    CtRecord r = Ct(kDomainAir, kClassVehicle, 1);
    r.Set<float>(R::kCollisionRadius, 1.5f);
    r.Set<float>(R::kBubbleDistance, 0.7f);
    CMvView& v = OpenCt({r});
    v.Select(0);
    QueueCtDialog({{ctdlg::kCollRad, "1.500001"}});
    Frame().Run(cmd::kShowItem);
    EXPECT_EQ(ui_.Dialogs().back().title, "CT Entry for AIR VEHICLE");
    EXPECT_EQ(Stored(0), r);

    QueueCtDialog({{ctdlg::kCollRad, "1.6"}});
    Frame().Run(cmd::kShowItem);
    EXPECT_EQ(Stored(0).Get<float>(R::kCollisionRadius), 1.6f);
    EXPECT_EQ(Stored(0).Get<float>(R::kBubbleDistance), 0.7f);  // shown as "0.7", kept
    EXPECT_EQ(v.CellText(0, 12), "1.6");
}

TEST_F(CtViewTest, IntegersBeyondTheirFieldAreRefusedWithTheRange) {
    const CtRecord r = Ct(kDomainAir, kClassVehicle, 1);
    CMvView& v = OpenCt({r});
    v.Select(0);
    const struct {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {ctdlg::kAltOffset, "40000", "Please enter an integer between -32768 and 32767."},
        {ctdlg::kAltOffset, "-32769", "Please enter an integer between -32768 and 32767."},
        {ctdlg::kFileOffset, "3000000000",
         "Please enter an integer between -2147483648 and 2147483647."},
        {ctdlg::kHitpoints, "-2147483649",
         "Please enter an integer between -2147483648 and 2147483647."},
        {ctdlg::kUpdRate, "4294967296", "Please enter an integer between 0 and 4294967295."},
        {ctdlg::kId, "32768", "Please enter an integer."},
    };
    for (const auto& c : cases) {
        ui_.Clear();
        QueueCtDialog({{c.id, c.text}});
        Frame().Run(cmd::kShowItem);
        ASSERT_EQ(ui_.Messages().size(), 1u) << c.text;
        EXPECT_EQ(ui_.Messages()[0].text, c.message) << c.text;
        EXPECT_EQ(Stored(0), r) << c.text;
    }
    // The ends of each range are values.
    QueueCtDialog({{ctdlg::kAltOffset, "-32768"},
                   {ctdlg::kFileOffset, "2147483647"},
                   {ctdlg::kUpdRate, "4294967295"}});
    Frame().Run(cmd::kShowItem);
    EXPECT_EQ(Stored(0).Get<int16_t>(R::kAltDataRef), -32768);
    EXPECT_EQ(Stored(0).Get<uint32_t>(R::kDataRef), 2147483647u);
    EXPECT_EQ(Stored(0).Get<uint32_t>(R::kUpdateRate), 4294967295u);
}

TEST_F(CtViewTest, UpdateRefreshesCellsButNotTheItemText) {
    CMvView& v = OpenCt({Ct(kDomainAir, kClassVehicle, 1)});
    v.Select(0);
    ui_.QueueDialog([](Form& f) {
        f.SelectValue(ctdlg::kDomain, kDomainSea);
        f.SetText(ctdlg::kType, "300");
        f.Press(kIdOk);  // refused: the dialog stays open
        EXPECT_FALSE(f.Ended());
        f.SetText(ctdlg::kType, "4");
        f.Press(kIdOk);
    });
    Frame().Run(cmd::kShowItem);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Please enter an integer between 0 and 255."});
    EXPECT_EQ(Stored(0).Domain(), kDomainSea);
    EXPECT_EQ(Stored(0).Type(), 4);
    EXPECT_EQ(v.CellText(0, 2), "SEA");
    EXPECT_EQ(v.CellText(0, 4), "CapitalShip");
    EXPECT_EQ(v.CellText(0, 0), "AIR VEHICLE");
    EXPECT_EQ(v.Icon(0), 0);
}

TEST_F(CtViewTest, DropOntoAProtectedRecordFailsAndTheRowKeepsItsContents) {
    std::vector<CtRecord> records;
    for (int i = 0; i < 25; ++i) records.push_back(Ct(i % 8, i % 14, i));
    CMvView& v = OpenCt(records);
    const Bytes before = ReadBytes(Path("vantor.ct"));
    std::vector<std::string> cellsBefore;
    for (int c = 0; c < 32; ++c) cellsBefore.push_back(v.CellText(20, c));

    ASSERT_TRUE(v.CanDrag());
    ASSERT_TRUE(v.BeginDrag(3));
    ui_.QueueAnswer(Answer::Yes);
    v.EndDrag(20);
    EXPECT_EQ(ui_.Texts(),
              (std::vector<std::string>{"Overwrite Item 20 with 3?", kProtectedCtMessage,
                                        "Failed to update CT file"}));
    EXPECT_EQ(ui_.Messages()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(ReadBytes(Path("vantor.ct")), before);
    for (int c = 0; c < 32; ++c) EXPECT_EQ(v.CellText(20, c), cellsBefore[size_t(c)]) << c;

    // No keeps everything; Yes on an ordinary record overwrites it and its row.
    ui_.Clear();
    v.BeginDrag(3);
    ui_.QueueAnswer(Answer::No);
    v.EndDrag(21);
    EXPECT_EQ(ReadBytes(Path("vantor.ct")), before);
    v.BeginDrag(3);
    ui_.QueueAnswer(Answer::Yes);
    v.EndDrag(21);
    EXPECT_EQ(Stored(21), records[3]);
    EXPECT_EQ(v.CellText(21, 4), v.CellText(3, 4));
    EXPECT_EQ(v.CellText(21, 1), "21");
    // A drop over no row does nothing.
    v.BeginDrag(3);
    v.EndDrag(std::nullopt);
    EXPECT_EQ(ui_.Texts().size(), 2u);
}

TEST_F(CtViewTest, CtRecordNumberAtAndPastTheCount) {
    OpenCt({Ct(1, 0), Ct(1, 3), Ct(1, 3)});
    ui_.QueueDialogTexts({{ctdlg::kCtRecord, "3"}});
    Frame().Run(cmd::kEditCtRecord);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Couldn't get the CT record"});

    ui_.Clear();
    ui_.QueueDialogTexts({{ctdlg::kCtRecord, "4"}});
    Frame().Run(cmd::kEditCtRecord);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Max record number: 3"});

    ui_.Clear();
    size_t rows = 99;
    ui_.QueueDialogTexts({{ctdlg::kCtRecord, "3"}});
    ui_.QueueDialog([&](Form& f) { rows = f.Rows(ctusage::kList).size(); });
    Frame().Run(cmd::kCtCheck);
    EXPECT_TRUE(ui_.Texts().empty());
    ASSERT_EQ(ui_.Dialogs().size(), 2u);
    EXPECT_EQ(ui_.Dialogs()[1].title, "CT Record Usage");
    EXPECT_EQ(rows, 0u);

    ui_.Clear();
    ui_.QueueDialogTexts({{ctdlg::kCtRecord, "4"}});
    Frame().Run(cmd::kSearchCtEntryReference);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Max record number: 3"});
    ui_.Clear();
    ui_.QueueDialogTexts({{ctdlg::kCtRecord, "-1"}});
    Frame().Run(cmd::kCtCheck);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Please enter a positive integer."});

    // Edit CT Record on an existing record writes it on UPDATE.
    ui_.Clear();
    ui_.QueueDialogTexts({{ctdlg::kCtRecord, "1"}});
    ui_.QueueDialog([&](Form& f) {
        EXPECT_EQ(f.Title(), "CT Entry for ");
        f.SetText(ctdlg::kHitpoints, "-7");
        f.Press(kIdOk);
    });
    Frame().Run(cmd::kEditCtRecord);
    EXPECT_EQ(Stored(1).Get<int32_t>(R::kHitPoints), -7);
}

struct OffsetCase {
    int dataType;
    bool file, alt;
};

TEST_F(CtViewTest, OffsetButtonsByDataTypeOpenTheReferencedRecords) {
    OpenCt({Ct(1, 0)});
    for (auto [type, file, alt] : {OffsetCase{kDataNone, false, false},
                                   {kDataUnknown, false, false},
                                   {kDataFeature, true, false},
                                   {kDataUnit, true, false},
                                   {kDataVehicle, true, true},
                                   {kDataWeapon, true, true},
                                   {7, false, false}}) {
        CtRecord r = Ct(1, 0, 0, type);
        CCtRecordDialog d(Ctx(), r, 0, "x");
        d.Begin(ui_);
        EXPECT_EQ(d.Enabled(ctdlg::kFileOffsetButton), file) << type;
        EXPECT_EQ(d.Enabled(ctdlg::kAltOffsetButton), alt) << type;
    }

    CtRecord r = Ct(1, 0, 0, kDataVehicle);
    r.Set<uint32_t>(R::kDataRef, 2);
    r.Set<int16_t>(R::kAltDataRef, 1);
    CCtRecordDialog d(Ctx(), r, 0, "x");
    d.Begin(ui_);
    std::vector<std::string> vehicleNumbers;
    auto vehicleNumber = [&](Form& f) { vehicleNumbers.push_back(f.Text(vcldlg::kVclNo)); };
    ui_.QueueDialog(vehicleNumber);
    ui_.QueueDialog([](Form&) {});
    ui_.QueueDialog(vehicleNumber);
    d.Press(ctdlg::kFileOffsetButton);
    d.Press(ctdlg::kAltOffsetButton);
    d.SetText(ctdlg::kFileOffset, "1");
    d.Press(ctdlg::kFileOffsetButton);
    ASSERT_EQ(ui_.Dialogs().size(), 3u);
    EXPECT_EQ(ui_.Dialogs()[0].title, "Vehicle Data Details");
    EXPECT_EQ(ui_.Dialogs()[1].title, "ACD Data");
    EXPECT_EQ(ui_.Dialogs()[2].title, "Vehicle Data Details");
    // The fields are taken first: the second vehicle is record 1.
    EXPECT_EQ(vehicleNumbers, (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(r.DataRef(), 1u);
    // A reference past the file opens nothing.
    d.SetText(ctdlg::kFileOffset, "500");
    d.Press(ctdlg::kFileOffsetButton);
    EXPECT_EQ(ui_.Dialogs().size(), 3u);
}

TEST_F(CtViewTest, OnlyCtIdAndDomainCarryToolTips) {
    OpenCt({Ct(1, 0)});
    CtRecord r;
    CCtRecordDialog d(Ctx(), r, 0, "x");
    std::vector<int> tipped;
    for (const auto& c : d.Controls())
        if (ToolTipText(c.id)) tipped.push_back(c.id);
    EXPECT_EQ(tipped, (std::vector<int>{1021, 1022}));
}

TEST_F(CtViewTest, GraphicsListShowsAndReplacesModelNumbers) {
    CtRecord r = Ct(1, 0);
    for (int s = 0; s < 7; ++s) r.SetGraphic(s, int16_t(10 + s));
    OpenCt({r});
    CtRecord copy = r;
    CCtRecordDialog d(Ctx(), copy, 0, "x");
    d.Begin(ui_);
    const auto& rows = d.Rows(ctdlg::kGraphics);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[4].cells, (std::vector<std::string>{"Left Destroyed", "14"}));
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Text(ctdlg::kNewGraphic), "12");
        f.SetText(ctdlg::kNewGraphic, "-3");
        f.Press(kIdOk);
    });
    d.ListEvent(ctdlg::kGraphics, ListEventKind::RightClick, 2);
    EXPECT_EQ(d.Rows(ctdlg::kGraphics)[2].cells[1], "-3");
    EXPECT_EQ(copy.Graphic(2), -3);
    d.Press(kIdOk);
    EXPECT_EQ(d.Result(), Answer::Ok);
    EXPECT_EQ(copy.Graphic(2), -3);
    EXPECT_EQ(copy.Graphic(3), 13);
}

// Records of the referring files: a class-table index at offset 0 and a name.
Bytes Referring(uint16_t size, std::vector<std::pair<uint32_t, std::string>> recs, int nameAt,
                bool wide = false) {
    Bytes b = CountFile(uint16_t(recs.size()), size);
    for (size_t i = 0; i < recs.size(); ++i) {
        uint8_t* r = b.data() + 2 + i * size;
        if (wide)
            StoreLE<uint32_t>(r, recs[i].first);
        else
            StoreLE<uint16_t>(r, uint16_t(recs[i].first));
        if (nameAt >= 0) std::memcpy(r + nameAt, recs[i].second.data(), recs[i].second.size());
    }
    return b;
}

TEST_F(CtViewTest, UsageListsProtectedUseThenTheSixFilesInOrder) {
    WriteSet();
    WriteBytes(Path("vantor.fcd"), Referring(60, {{910, "Bridge"}, {910, ""}, {5, "Other"}}, 8));
    WriteBytes(Path("vantor.fed"), Referring(32, {{910, ""}, {1, ""}}, -1));
    WriteBytes(Path("vantor.ocd"), Referring(54, {{0, "X"}, {910, "Kimpo"}}, 2));
    WriteBytes(Path("vantor.ucd"),
               Referring(336, {{65536 + 910, "Wide"}, {910, "1st Sqn"}}, 230, true));
    WriteBytes(Path("vantor.vcd"), Referring(160, {{910, "F-16"}, {0xFFFF, "Any"}}, 8));
    WriteBytes(Path("vantor.wcd"), Referring(60, {{910, "AIM-9"}}, 12));
    Open();

    std::vector<ListRow> rows;
    ui_.QueueDialog([&](Form& f) {
        rows = f.Rows(ctusage::kList);
        EXPECT_EQ(f.Text(ctusage::kIndex), "910");
        f.ListEvent(ctusage::kList, ListEventKind::DoubleClick, 0);  // "WARNING": nothing
        f.ListEvent(ctusage::kList, ListEventKind::DoubleClick, 5);  // the vehicle
    });
    CCtUsageDialog usage(Ctx(), 910);
    ui_.RunDialog(usage);
    std::vector<std::vector<std::string>> cells;
    for (const auto& r : rows) cells.push_back(r.cells);
    EXPECT_EQ(
        cells,
        (std::vector<std::vector<std::string>>{
            {"WARNING", "RocketID", "Hardcoded CT Record usage", "Don't change this record !!"},
            {"FCD", "Bridge", "0", ""},
            {"FED", "n/a", "0", ""},
            {"OCD", "Kimpo", "1", ""},
            {"UCD", "1st Sqn", "1", ""},
            {"VCD", "F-16", "0", ""},
            {"WCD", "AIM-9", "0", ""}}));
    ASSERT_EQ(ui_.Dialogs().size(), 2u);
    EXPECT_EQ(ui_.Dialogs()[1].title, "Vehicle Data Details");

    // A stored -1 matches 65535 only.
    CCtUsageDialog all(Ctx(), 65535);
    ui_.QueueDialog([&](Form& f) { rows = f.Rows(ctusage::kList); });
    ui_.RunDialog(all);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].cells[1], "Any");
}

TEST_F(CtViewTest, UsageButtonsOpenTheEditorAndTheList) {
    OpenCt({Ct(1, 0), Ct(1, 3)});
    // From the record dialog: the usage of what "CT ID" held when the fields were last taken.
    CtRecord copy = Stored(1);
    CCtRecordDialog d(Ctx(), copy, 1, "x");
    d.Begin(ui_);
    std::string shown;
    ui_.QueueDialog([&](Form& f) { shown = f.Text(ctusage::kIndex); });
    d.Press(ctdlg::kUsageButton);
    EXPECT_EQ(shown, "1");
    d.SetText(ctdlg::kCtId, "0");
    d.Press(ctdlg::kFileOffsetButton);  // disabled for data type NONE: nothing taken
    d.Press(kIdOk);
    EXPECT_EQ(d.CtId(), 0);

    // The usage dialog's "Edit CT Record" edits the index it was opened with.
    CCtUsageDialog usage(Ctx(), 5);
    usage.Begin(ui_);
    ui_.Clear();
    usage.Press(ctusage::kEditCtRecord);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Couldn't get the CT record"});
}

TEST_F(CtViewTest, FillAndSortAtTheCeiling) {
    std::vector<CtRecord> records(65535);
    for (int i = 0; i < 65535; ++i) {
        CtRecord& r = records[size_t(i)];
        r.b[R::kDomain] = uint8_t(i % 8);
        r.b[R::kClass] = uint8_t(i % 14);
        r.b[R::kType] = uint8_t(i * 7);
        r.Set<float>(R::kCollisionRadius, float(i % 1000) * 0.5f);
        r.Set<int32_t>(R::kHitPoints, (i * 7919) % 100000);
    }
    WriteSet();
    WriteCt(records);
    Open();
    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    auto t0 = Clock::now();
    CMvView& v = OpenList("Class Table");
    auto t1 = Clock::now();
    v.OnColumnClick(12);  // "Coll rad", float
    auto t2 = Clock::now();
    v.OnColumnClick(4);  // "Type"
    auto t3 = Clock::now();
    v.OnColumnClick(4);  // reversed
    auto t4 = Clock::now();
    std::string all;
    for (int r = 0; r < v.RowCount(); ++r)
        for (int c = 0; c < v.ColumnCount(); ++c) all += v.CellText(r, c);
    auto t5 = Clock::now();
    ASSERT_EQ(v.RowCount(), 65535);
    RecordProperty("fill_ms", std::to_string(ms(t1 - t0)));
    std::printf(
        "[ timing   ] 65535 class-table rows: fill %.1f ms, sort float %.1f ms, "
        "sort byte %.1f ms, reverse %.1f ms, all cell texts %.1f ms\n",
        ms(t1 - t0), ms(t2 - t1), ms(t3 - t2), ms(t4 - t3), ms(t5 - t4));
    EXPECT_LT(ms(t1 - t0), 2000);
    EXPECT_LT(ms(t2 - t1), 2000);
    for (int r = 1; r < v.RowCount(); ++r)
        ASSERT_GE(uint8_t(records[size_t(v.ItemData(r - 1))].Type()),
                  uint8_t(records[size_t(v.ItemData(r))].Type()));
}

}  // namespace
}  // namespace tablon::test
