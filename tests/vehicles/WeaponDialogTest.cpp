// "Weapon Data": the packed fields and their re-display, the checks, the drop lists, the flags
// and the buttons that open other records.
#include <gtest/gtest.h>

#include "classtable/CtRecord.h"
#include "classtable/CtRecordDialog.h"
#include "classtable/CtUsageDialog.h"
#include "vehicles/WeaponDialog.h"
#include "vehicles/WeaponFixture.h"

namespace tablon::test {
namespace {

using namespace wcddlg;
using W = WeaponRecord;

class WeaponDialogTest : public WeaponTest {
  protected:
    void SetUp() override {
        WeaponTest::SetUp();
        OpenWith({MakeWeapon("None"), MakeWeapon("Gun", 1)}, {}, {MakeVehicle("F-16", {{1, 1}})});
    }
    // Opens the dialog on w, lets the script work on it and returns whether OK closed it.
    template <typename Script>
    bool Edit(WeaponRecord& w, Script script) {
        CWeaponDialog d(Ctx(), w, 1);
        d.Begin(ui_);
        script(d);
        if (!d.Ended()) d.Press(kIdOk);
        return d.Ended() && d.Result() == Answer::Ok;
    }
};

TEST_F(WeaponDialogTest, PackedFieldsShowUnpackedAndPassThroughUnchanged) {
    WeaponRecord w = MakeWeapon("Gun", 1);
    w.b[W::kBulletBits] = 0xFD;        // speed 31 * 256, time to live 5
    w.b[W::kBulletDispersion] = 0xFF;  // 127 * 2 * 4 and the AAA bit
    w.b[W::kMinAlt] = 3;
    w.b[29] = 0x55;  // the name's terminating byte is never written
    const WeaponRecord before = w;
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) {
        EXPECT_EQ(d.Text(kBulletSpeed), "7936");
        EXPECT_EQ(d.Text(kBulletTtl), "5");
        EXPECT_EQ(d.Text(kBulletDispersion), "1020");
        EXPECT_TRUE(d.Checked(kAaaGun));
        EXPECT_EQ(d.Text(kMinAlt), "96");
        EXPECT_EQ(d.Text(kWeaponId), "1");
        EXPECT_EQ(d.Find(kName)->fontPoints, 24);
    }));
    EXPECT_EQ(w, before);
}

struct PackCase {
    int id;
    const char* entered;
    const char* shown;  // after the entry loses the focus
    int offset;
    uint8_t stored;
};

TEST_F(WeaponDialogTest, EntriesShowAgainAsTheyWillBeKept) {
    for (const PackCase& c :
         {PackCase{kBulletSpeed, "8191", "7936", W::kBulletBits, 31 * 8},
          PackCase{kBulletSpeed, "300", "256", W::kBulletBits, 8},
          PackCase{kBulletDispersion, "1023", "1016", W::kBulletDispersion, 254},
          PackCase{kMinAlt, "100", "96", W::kMinAlt, 3},
          PackCase{kMinAlt, "8191", "8160", W::kMinAlt, 255}}) {
        WeaponRecord w = MakeWeapon("Gun", 1);
        std::string shown;
        ASSERT_TRUE(Edit(w, [&](CWeaponDialog& d) {
            d.SetText(c.id, c.entered);
            d.FocusLost(c.id);
            shown = d.Text(c.id);
        })) << c.entered;
        EXPECT_EQ(shown, c.shown) << c.entered;
        EXPECT_EQ(w.b[c.offset], c.stored) << c.entered;
    }
    // The AAA box adds its bit, and clicking it shows the dispersion again.
    WeaponRecord w = MakeWeapon("Gun", 1);
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) {
        d.SetText(kBulletDispersion, "1023");
        d.SetChecked(kAaaGun, true);
        d.Press(kAaaGun);
        EXPECT_EQ(d.Text(kBulletDispersion), "1020");
    }));
    EXPECT_EQ(w.b[W::kBulletDispersion], 255);
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) { EXPECT_EQ(d.Text(kBulletDispersion), "1020"); }));
}

TEST_F(WeaponDialogTest, EntriesThatWouldNotFitAreRefusedNotCut) {
    struct Refusal {
        int id;
        const char* text;
        const char* message;
    };
    for (const Refusal& r :
         {Refusal{kBulletSpeed, "8192", "Please enter an integer between 0 and 8191."},
          Refusal{kBulletTtl, "8", "Please enter an integer between 0 and 7."},
          Refusal{kBulletDispersion, "1024", "Please enter an integer between 0 and 1023."},
          Refusal{kMinAlt, "-32", "Please enter an integer between 0 and 8191."},
          Refusal{kDamage, "40000", "Please enter an integer between -32768 and 32767."},
          Refusal{kWeight, "40000", "Please enter an integer."},
          Refusal{kFireRate, "256", "Please enter an integer between 0 and 255."},
          Refusal{kFlags, "65536", "Please enter an integer between 0 and 65535."},
          Refusal{kName, "Eighteen characters", "Please enter no more than 17 characters."}}) {
        ui_.Clear();
        WeaponRecord w = MakeWeapon("Gun", 1);
        const WeaponRecord before = w;
        EXPECT_FALSE(Edit(w, [&](CWeaponDialog& d) {
            d.SetText(r.id, r.text);
            d.Press(kIdOk);
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(d.Focus(), r.id);
            d.Press(kIdCancel);
        }));
        EXPECT_EQ(ui_.Texts(), std::vector<std::string>{r.message}) << r.text;
        EXPECT_EQ(w, before);
    }
    // The class-table index is taken as unsigned as well as signed.
    WeaponRecord w = MakeWeapon("Gun", 1);
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) { d.SetText(kCtIndex, "65535"); }));
    EXPECT_EQ(w.CtIndex(), -1);
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) {
        d.SetText(kBulletTtl, "7");
        d.SetText(kName, "Exactly 17 chars!");
    }));
    EXPECT_EQ(w.b[W::kBulletBits], 7);
    EXPECT_EQ(w.Name(), "Exactly 17 chars!");
}

TEST_F(WeaponDialogTest, DropListsSelectByValueAndLeaveUnknownValuesAlone) {
    WeaponRecord w = MakeWeapon("Gun", 1);
    w.Set<uint16_t>(W::kGuidance, kGuidanceIrRearAspect);
    w.Set<uint32_t>(W::kDamageType, 6);
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) {
        EXPECT_EQ(d.Find(kGuidance)->choices[size_t(d.Selected(kGuidance))].text,
                  "IR (Rear-Aspect)");
        EXPECT_EQ(d.Find(kDamageType)->choices[size_t(d.Selected(kDamageType))].text, "Bullet");
        d.SelectValue(kGuidance, kGuidanceRadarSam);
        d.SetSelected(kDamageType, 10);
    }));
    EXPECT_EQ(w.Guidance(), kGuidanceRadarSam);
    EXPECT_EQ(w.Get<uint32_t>(W::kDamageType), 10u);

    w.Set<uint16_t>(W::kGuidance, 3);
    w.Set<uint32_t>(W::kDamageType, 0x10000);  // an index beyond the names, in the whole word
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) {
        EXPECT_EQ(d.Selected(kGuidance), -1);
        EXPECT_EQ(d.Selected(kDamageType), -1);
    }));
    EXPECT_EQ(w.Guidance(), 3);
    EXPECT_EQ(w.Get<uint32_t>(W::kDamageType), 0x10000u);
}

TEST_F(WeaponDialogTest, FlagsDialogCarriesBitTwelveOver) {
    WeaponRecord w = MakeWeapon("Gun", 1);
    w.Set<uint16_t>(W::kFlags, kWeaponRocketMarker | kWeaponRecon);
    ui_.QueueDialog([](Form& f) {
        EXPECT_TRUE(f.Checked(kFlagBox + 0));
        EXPECT_TRUE(f.Checked(kFlagBox + 12));
        EXPECT_FALSE(f.Enabled(kFlagBox + 12));
        EXPECT_EQ(f.Find(kFlagBox + 15)->label, "Ammo is 1/10th");
        f.SetChecked(kFlagBox + 0, false);
        f.SetChecked(kFlagBox + 12, false);  // not a working box
        f.SetChecked(kFlagBox + 14, true);
        f.Press(kIdOk);
    });
    ASSERT_TRUE(Edit(w, [](CWeaponDialog& d) {
        d.Press(kFlagsButton);
        EXPECT_EQ(d.Text(kFlags), "20480");
    }));
    EXPECT_EQ(w.Flags(), kWeaponRocketMarker | kWeaponIsGun);

    EXPECT_EQ(ui_.Dialogs().back().title, "Weapon Flags");
    CWeaponFlagsDialog clear(0);
    clear.Begin(ui_);
    clear.SetChecked(kFlagBox + 12, true);
    clear.Press(kIdOk);
    EXPECT_EQ(clear.Flags(), 0);
}

TEST_F(WeaponDialogTest, ButtonsOpenTheRecordsTheWorkingCopyNames) {
    // The radar and sim weapon data records, whatever dialog shows them.
    std::vector<std::string> opened;
    for (FileId file : {FileId::Rcd, FileId::Swd})
        Ctx().registry.RegisterRecordDialog(
            {file, ModelTable::None}, [&opened, file](ShellContext&, int index, Bytes&) {
                opened.push_back(DescOf(file).typeName + std::string(" ") + std::to_string(index));
                return Answer::Cancel;
            });
    CtRecord ct;
    ct.b[CtRecord::kDataType] = 6;
    ct.Set<int16_t>(CtRecord::kAltDataRef, 2);
    db_->Ct().SetRecord(1, ct);
    // "Used by..." lists the vehicles of the class-table index it is given: the one vehicle
    // carries "Gun" (index 1), nothing carries index 0.
    std::vector<size_t> usageRows;
    // Presses the three buttons that act on the working copy.
    const auto pressAll = [&](CWeaponDialog& d) {
        d.Press(kSeekerRadarButton);
        d.Press(kSwdData);
        ui_.QueueDialog([&](Form& f) { usageRows.push_back(f.Rows(kUsageList).size()); });
        d.Press(kUsedBy);
    };
    WeaponRecord w = MakeWeapon("Gun", 0);
    w.Set<int16_t>(W::kSeekerRadar, 1);
    ASSERT_TRUE(Edit(w, [&](CWeaponDialog& d) {
        EXPECT_NE(d.Text(kManeuverDef), "2");
        // Typed entries do not reach the working copy: the buttons use what it holds (class-
        // table record 0 holds no weapon: "SWD Data" opens nothing).
        d.SetText(kSeekerRadar, "2");
        d.SetText(kCtIndex, "1");
        pressAll(d);
        // "CT Index" takes every entry into the working copy.
        ui_.QueueDialog([](Form& f) {
            f.SetText(ctdlg::kHitpoints, "77");
            f.Press(kIdOk);
        });
        d.Press(kCtIndexButton);
        EXPECT_EQ(d.Text(kManeuverDef), "2");
        pressAll(d);
        // Entries typed after it wait for the next "CT Index" or OK.
        d.SetText(kSeekerRadar, "1");
        d.SetText(kCtIndex, "0");
        pressAll(d);
        d.SetText(kSeekerRadar, "2");
        d.SetText(kCtIndex, "1");
    }));
    EXPECT_EQ(opened, (std::vector<std::string>{"RCD 1", "RCD 2", "SWD 2", "RCD 2", "SWD 2"}));
    EXPECT_EQ(usageRows, (std::vector<size_t>{0, 1, 1}));
    std::vector<std::string> titles;
    for (const auto& dlg : ui_.Dialogs()) titles.push_back(dlg.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Wcd Usage", "CT Entry for Gun", "Wcd Usage",
                                                "Wcd Usage"}));
    EXPECT_EQ(db_->Ct().GetRecord(1, ct), 1);
    EXPECT_EQ(ct.Get<int32_t>(CtRecord::kHitPoints), 77);
    EXPECT_EQ(w.CtIndex(), 1);
    EXPECT_EQ(w.SeekerRadar(), 2);
}

TEST_F(WeaponDialogTest, CtIndexOfAMissingRecordOpensNothingAndSaysNothing) {
    WeaponRecord w = MakeWeapon("Gun", 0);
    ASSERT_TRUE(Edit(w, [&](CWeaponDialog& d) {
        d.SetText(kCtIndex, "30000");
        d.Press(kCtIndexButton);
        EXPECT_EQ(d.Text(kManeuverDef), "");
    }));
    EXPECT_TRUE(ui_.Texts().empty());
    EXPECT_TRUE(ui_.Dialogs().empty());
    EXPECT_EQ(w.CtIndex(), 30000);
}

TEST_F(WeaponDialogTest, ClassTableLinksOpenTheWeaponDialog) {
    CtRecord ct;
    ct.b[CtRecord::kDataType] = 6;
    ct.Set<uint32_t>(CtRecord::kDataRef, 1);
    CCtRecordDialog d(Ctx(), ct, 0, "x");
    d.Begin(ui_);
    ui_.QueueDialogTexts({{kDamage, "-5"}});
    d.Press(ctdlg::kFileOffsetButton);
    ASSERT_EQ(ui_.Dialogs().size(), 1u);
    EXPECT_EQ(ui_.Dialogs()[0].title, "Weapon Data");
    EXPECT_EQ(StoredWeapon(1).Get<int16_t>(W::kDamage), -5);

    // The "WCD" row of the class-table usage list.
    CCtUsageDialog usage(Ctx(), 1);
    ui_.QueueDialog([](Form& f) {
        const auto& rows = f.Rows(ctusage::kList);
        for (size_t r = 0; r < rows.size(); ++r)
            if (rows[r].cells[0] == "WCD")
                f.ListEvent(ctusage::kList, ListEventKind::DoubleClick, int(r));
    });
    ui_.RunDialog(usage);
    EXPECT_EQ(ui_.Dialogs().back().title, "Weapon Data");
}

}  // namespace
}  // namespace tablon::test
