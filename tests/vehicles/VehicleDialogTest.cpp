// "Vehicle Data Details" and its sub-dialogs, driven as a person would through the scripted Ui.
#include <gtest/gtest.h>

#include "classtable/CtRecordDialog.h"
#include "sample/Sample.h"
#include "shell/ToolTips.h"
#include "vehicles/VclTestFixture.h"
#include "vehicles/VclView.h"
#include "vehicles/VehicleDialog.h"
#include "vehicles/VehicleSubDialogs.h"

namespace tablon::test {
namespace {

using V = VehicleRecord;
using namespace vcldlg;

class VehicleDialogTest : public VclTest {
  protected:
    // Vehicle 0 "Hornet" on class-table entry 1 (air, aircraft data 2) with a weapon in slot 0,
    // a hardpoint list in slot 2 and a bay in slot 5. Entries 1 and 3 refer to vehicle 0.
    void Standard() {
        ct_ = {CtEntry(kAir, 7, 1, 2), CtEntry(kAir, 7, 1, 5, 0), CtEntry(kLand, 7, 1, 5, 1),
               CtEntry(kAir, 7, 5, 5, 0), CtEntry(kAir, 6, 1, 4, 0)};
        ct_[1].Set<int16_t>(CtRecord::kAltDataRef, 2);
        weapons_ = {Weapon("Zero", 1, 1), Weapon("Cannon", 10, 80), Weapon("AIM-9", 100, 50),
                    Weapon("", 5, 5)};
        lists_ = {{}, List("Rails", {2, 2}), List("Bombs", {1})};
        VehicleRecord v = Vehicle("Hornet", 1);
        v.SetSlot(0, 1, 200);
        v.SetSlot(2, 1, kLoadHardpoint);
        v.SetSlot(5, 2, kLoadBay);
        v.SetSlot(7, 9, 3);  // a weapon that cannot be read: no row
        v.SetVisibleBit(0, true);
        v.SetRackBit(2, true);
        v.b[V::kVisualSignature] = 64;
        v.b[V::kIrSignature] = 2;
        v.b[V::kEcmStrength] = 7;
        v.Set<float>(V::kRadarCs, 0.3f);
        v.Set<uint32_t>(V::kFlags, 0x2200000F);
        v.Set<int16_t>(V::kRadar, 2);
        vehicles_ = {v, Vehicle("Truck", 2)};
        UnitRecord squadron, company;
        StoreText(squadron.b + UnitRecord::kName, UnitRecord::kNameSize, "1st Sqn");
        squadron.Set<uint32_t>(UnitRecord::kCtIndex, 4);
        squadron.Set<uint16_t>(UnitRecord::kSlotCt + 2 * 3, 3);
        StoreText(company.b + UnitRecord::kName, UnitRecord::kNameSize, "Trucks");
        company.Set<uint16_t>(UnitRecord::kSlotCt, 2);
        units_ = {company, squadron};
        OpenDb();
        copy_ = StoredVehicle(0);
    }
    // The dialog on the working copy of vehicle 0, opened.
    CVehicleDialog& Dialog() {
        dialog_ = std::make_unique<CVehicleDialog>(Ctx(), copy_, 0);
        dialog_->Begin(ui_);
        return *dialog_;
    }
    std::vector<std::string> Column(int list, int column) const {
        std::vector<std::string> out;
        for (const auto& r : dialog_->Rows(list)) out.push_back(r.cells[size_t(column)]);
        return out;
    }
    std::vector<int> Refs() const {
        std::vector<int> out;
        for (int s = 0; s < kHardpointSlots; ++s) out.push_back(copy_.SlotRef(s));
        return out;
    }

    VehicleRecord copy_;
    std::unique_ptr<CVehicleDialog> dialog_;
};

TEST_F(VehicleDialogTest, OpensWithTheRecordsFieldsAndItsLinks) {
    Standard();
    CVehicleDialog& d = Dialog();
    EXPECT_EQ(d.Title(), "Vehicle Data Details");
    EXPECT_EQ(d.Text(kName), "Hornet");
    EXPECT_EQ(d.Text(kVclNo), "0");
    EXPECT_EQ(d.Text(kVisSig), "1.00");
    EXPECT_EQ(d.Text(kIrSig), "0.02");
    EXPECT_EQ(d.Text(kFlags), "0x2200000f");
    EXPECT_EQ(d.Text(kRadarCs), "0.3");
    EXPECT_EQ(d.Text(kAcdNumber), "2");
    EXPECT_EQ(d.Text(kEcm), "7");
    EXPECT_STREQ(ToolTipText(kMtow), "Maximum Take-off weight (0x32-25)");
    EXPECT_STREQ(ToolTipText(kCtRecdButton), "View the CT file entry");

    EXPECT_EQ(Column(kStats, 0)[4], "Low Air");
    EXPECT_EQ(Column(kDamage, 0)[10], "Other");
    EXPECT_EQ(d.Rows(kHardpoints).size(), 3u);
    EXPECT_EQ(d.Rows(kHardpoints)[0].cells,
              (std::vector<std::string>{"Weapon", "Cannon", "0", "yes", "no", "200", "-"}));
    EXPECT_EQ(d.Rows(kHardpoints)[1].cells,
              (std::vector<std::string>{"Hardpoint", "Rails", "2", "no", "yes", "-", "1"}));
    EXPECT_EQ(d.Rows(kHardpoints)[2].cells,
              (std::vector<std::string>{"Bay", "Bombs", "5", "no", "no", "-", "2"}));
    EXPECT_EQ(d.Rows(kHardpoints)[0].icon, 0);
    EXPECT_EQ(d.Rows(kHardpoints)[2].icon, 2);
    for (int button : {kView, kEdit, kDelete}) EXPECT_FALSE(d.Enabled(button));
    d.SetSelected(kHardpoints, 1);
    for (int button : {kView, kEdit, kDelete}) EXPECT_TRUE(d.Enabled(button));

    // Related entries: the vehicle class-table entries of this record number; the units whose
    // slots name one of them.
    EXPECT_EQ(d.Related(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Column(kRelated, 0), (std::vector<std::string>{"Hornet", "Hornet"}));
    EXPECT_EQ(Column(kRelated, 1), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(d.Rows(kRelated)[1].icon, 5);  // the helicopter of entry 3
    ASSERT_EQ(d.Rows(kUnits).size(), 1u);
    EXPECT_EQ(d.Rows(kUnits)[0].cells[0], "1st Sqn");
    EXPECT_EQ(d.Rows(kUnits)[0].cells[1], "1");

    // Header clicks on the hardpoint list: kind, then kind reversed, then slot number.
    d.ListEvent(kHardpoints, ListEventKind::HeaderClick, -1, 0);
    EXPECT_EQ(Column(kHardpoints, 2), (std::vector<std::string>{"5", "2", "0"}));
    d.ListEvent(kHardpoints, ListEventKind::HeaderClick, -1, 0);
    EXPECT_EQ(Column(kHardpoints, 2), (std::vector<std::string>{"0", "2", "5"}));
    d.ListEvent(kHardpoints, ListEventKind::HeaderClick, -1, 1);
    EXPECT_EQ(Column(kHardpoints, 1), (std::vector<std::string>{"Bombs", "Cannon", "Rails"}));
}

TEST_F(VehicleDialogTest, UpdateWritesTheEntriesAndStoresSignaturesAsBytes) {
    Standard();
    const VehicleRecord original = copy_;
    CVehicleDialog& d = Dialog();
    // Untouched, the entries give back the very record, the infrared byte 2 (shown "0.02",
    // which would store 3) included.
    d.Press(kIdOk);
    EXPECT_EQ(d.Result(), Answer::Ok);
    EXPECT_EQ(copy_, original);

    CVehicleDialog& e = Dialog();
    e.SetText(kEcm, "128");
    e.Press(kIdOk);
    EXPECT_FALSE(e.Ended());
    EXPECT_EQ(ui_.Texts().back(), "Please enter an integer between 0 and 127.");
    e.SetText(kEcm, "127");
    e.SetText(kVisSig, "4.5");
    e.Press(kIdOk);
    EXPECT_EQ(ui_.Texts().back(), "Please enter a number between 0 and 4.");
    e.SetText(kVisSig, "1.0");
    e.SetText(kIrSig, "2.0");
    e.SetText(kName, "A Name Too Lon");
    e.Press(kIdOk);
    EXPECT_EQ(ui_.Texts().back(), "Please enter no more than 13 characters.");
    e.SetText(kName, "Super Hornet!");
    e.SetText(kHitPoints, "40000");
    e.SetText(kCockpit, "F18E");
    e.SetText(kRadarCs, "0.300001");
    e.SetText(kCtRecd, "70000");
    e.Press(kIdOk);
    EXPECT_EQ(ui_.Texts().back(), "Please enter an integer between -32768 and 32767.");
    e.SetText(kCtRecd, "3");
    e.Press(kIdOk);
    ASSERT_EQ(e.Result(), Answer::Ok);
    EXPECT_EQ(copy_.b[V::kVisualSignature], 64);
    EXPECT_EQ(copy_.b[V::kIrSignature], 255);
    EXPECT_EQ(copy_.Name(), "Super Hornet!");
    EXPECT_EQ(copy_.b[21], 0);
    EXPECT_EQ(copy_.b[V::kEcmStrength], 127);
    EXPECT_EQ(copy_.Get<uint16_t>(V::kHitPoints), 40000);
    EXPECT_EQ(LoadText(copy_.b + V::kCockpit, 5), "F18E");
    EXPECT_EQ(copy_.Get<float>(V::kRadarCs), 0.3f);  // changed by no more than 0.00001
    EXPECT_EQ(copy_.CtIndex(), 3);
    EXPECT_EQ(copy_.Flags(), 0x2200000Fu);  // not read back from its field
    CVehicleDialog& f = Dialog();
    EXPECT_EQ(f.Text(kVisSig), "1.00");
    EXPECT_EQ(f.Text(kIrSig), "2.00");
    EXPECT_EQ(f.Text(kHitPoints), "40000");

    // Leaving a signature field shows the value that will be stored; an entry out of range
    // stays for "Update" to refuse.
    f.SetText(kVisSig, "0.51");
    f.FocusLost(kVisSig);
    EXPECT_EQ(f.Text(kVisSig), "0.52");  // trunc(0.51 * 63.75 + 0.5) = 33
    f.SetText(kIrSig, "3");
    f.FocusLost(kIrSig);
    EXPECT_EQ(f.Text(kIrSig), "3");
    EXPECT_EQ(VisualSignatureByte(1.0f), 64);
    EXPECT_EQ(IrSignatureByte(2.0f), 255);
}

TEST_F(VehicleDialogTest, VehicleFlagsKeepOnlyTheBitsWithABox) {
    CVehicleFlagsDialog vehicle(0xFFFFFFFFu, FlagsMode::Vehicle);
    vehicle.Begin(ui_);
    EXPECT_EQ(vehicle.Find(vclsub::kFirstFlag + 20)->label, "Uses the unit's radar");
    vehicle.SetChecked(vclsub::kFirstFlag + 3, false);
    vehicle.Press(kIdOk);
    EXPECT_EQ(vehicle.Flags(), 0x601FFFF7u);  // bits 21 to 28 and 31 dropped, bit 3 cleared

    CVehicleFlagsDialog bit25(0x02000001u, FlagsMode::Vehicle);
    bit25.Begin(ui_);
    bit25.Press(kIdOk);
    EXPECT_EQ(bit25.Flags(), 1u);

    CVehicleFlagsDialog unit(0xFFFFu | 0x60010000u, FlagsMode::Unit);
    unit.Begin(ui_);
    for (int bit : {16, 17, 18, 19, 20, 29, 30}) {
        EXPECT_FALSE(unit.Enabled(vclsub::kFirstFlag + bit)) << bit;
        EXPECT_FALSE(unit.Checked(vclsub::kFirstFlag + bit)) << bit;
    }
    EXPECT_TRUE(unit.Enabled(vclsub::kFirstFlag + 15));
    unit.Press(kIdOk);
    EXPECT_EQ(unit.Flags(), 0xFFFFu);

    // Through the "Flags" button: the working copy and the field take the new word.
    Standard();
    CVehicleDialog& d = Dialog();
    ui_.QueueDialog([](Form& f) { f.Press(kIdOk); });
    d.Press(kFlagsButton);
    EXPECT_EQ(copy_.Flags(), 0x2000000Fu);  // bit 25 has no box
    EXPECT_EQ(d.Text(kFlags), "0x2000000f");
}

TEST_F(VehicleDialogTest, RenumberClosesGapsButNeverMovesSlotZero) {
    VehicleRecord v;
    const uint16_t refs[] = {5, 0, 0, 7, 0, 9};
    for (int s = 0; s < 6; ++s) v.SetSlot(s, refs[s], uint8_t(s + 1));
    v.SetRackBit(3, true);
    v.SetVisibleBit(5, true);
    v.SetVisibleBit(1, true);  // an empty slot's bits are replaced by the moved slot's
    RenumberSlots(v);
    EXPECT_EQ(v.SlotRef(0), 5);
    EXPECT_EQ(v.SlotRef(1), 7);
    EXPECT_EQ(v.SlotLoad(1), 4);
    EXPECT_TRUE(v.RackBit(1));
    EXPECT_FALSE(v.VisibleBit(1));
    EXPECT_EQ(v.SlotRef(2), 9);
    EXPECT_EQ(v.SlotLoad(2), 6);
    EXPECT_TRUE(v.VisibleBit(2));
    for (int s = 3; s < kHardpointSlots; ++s) {
        EXPECT_EQ(v.SlotRef(s), 0) << s;
        EXPECT_FALSE(v.RackBit(s) || v.VisibleBit(s)) << s;
    }
    EXPECT_EQ(v.SlotLoad(3), 0);
    EXPECT_EQ(v.SlotLoad(5), 0);

    VehicleRecord z;
    z.SetSlot(1, 4, 1);
    z.SetSlot(3, 6, 1);
    RenumberSlots(z);
    EXPECT_EQ((std::vector<int>{z.SlotRef(0), z.SlotRef(1), z.SlotRef(2), z.SlotRef(3)}),
              (std::vector<int>{0, 4, 6, 0}));
}

TEST_F(VehicleDialogTest, DeleteLeavesTheLoadByteAndRenumberFillsTheSlot) {
    Standard();
    CVehicleDialog& d = Dialog();
    d.SetSelected(kHardpoints, 0);
    ui_.QueueAnswer(Answer::No);
    d.Press(kDelete);
    EXPECT_EQ(ui_.Texts().back(), "Really Delete Hp/Weapon 0?");
    EXPECT_EQ(copy_.SlotRef(0), 1);
    d.SetSelected(kHardpoints, 1);
    ui_.QueueAnswer(Answer::Yes);
    d.Press(kDelete);
    EXPECT_EQ(ui_.Texts().back(), "Really Delete Hp/Weapon 2?");
    EXPECT_EQ(copy_.SlotRef(2), 0);
    EXPECT_EQ(copy_.SlotLoad(2), kLoadHardpoint);
    EXPECT_TRUE(copy_.RackBit(2));
    EXPECT_EQ(Column(kHardpoints, 2), (std::vector<std::string>{"0", "5"}));
    EXPECT_FALSE(d.Enabled(kDelete));

    d.Press(kRenumber);
    EXPECT_EQ(Refs(), (std::vector<int>{1, 2, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(copy_.SlotLoad(1), kLoadBay);
    EXPECT_FALSE(copy_.RackBit(1));
    EXPECT_EQ(Column(kHardpoints, 2), (std::vector<std::string>{"0", "1"}));
}

TEST_F(VehicleDialogTest, EditAmmunitionOnlyWithinOneTo254AndBitsOfHardpoints) {
    Standard();
    CVehicleDialog& d = Dialog();
    d.SetSelected(kHardpoints, 0);
    // Any number outside 1 to 254 closes the dialog and changes nothing (never wraps to a byte).
    for (const char* bad : {"0", "255", "300", "-1", "456"}) {
        ui_.QueueDialog([&](Form& f) {
            EXPECT_EQ(f.Title(), "Ammunition for Hornet");
            EXPECT_EQ(f.Text(vclsub::kAmmunition), "200");
            f.SetText(vclsub::kAmmunition, bad);
            f.SetChecked(vclsub::kVisible, false);
            f.Press(kIdOk);
            EXPECT_TRUE(f.Ended());
        });
        d.Press(kEdit);
        EXPECT_TRUE(ui_.Texts().empty()) << bad;
        EXPECT_EQ(copy_.SlotLoad(0), 200) << bad;
        EXPECT_TRUE(copy_.VisibleBit(0)) << bad;
    }
    ui_.QueueDialog([](Form& f) {
        f.SetText(vclsub::kAmmunition, "12");
        f.SetChecked(vclsub::kVisible, false);
        f.Press(kIdOk);
    });
    d.Press(kEdit);
    EXPECT_EQ(copy_.SlotLoad(0), 12);
    EXPECT_FALSE(copy_.VisibleBit(0));
    EXPECT_EQ(d.Rows(kHardpoints)[0].cells[5], "12");
    EXPECT_EQ(d.Rows(kHardpoints)[0].cells[3], "no");

    d.SetSelected(kHardpoints, 2);
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Hardpoint  Details");
        f.SetChecked(vclsub::kHardpointVisible, true);
        f.SetChecked(vclsub::kRequiresRack, true);
        f.Press(kIdOk);
    });
    d.Press(kEdit);
    EXPECT_TRUE(copy_.VisibleBit(5));
    EXPECT_TRUE(copy_.RackBit(5));
    EXPECT_EQ(d.Rows(kHardpoints)[2].cells[4], "yes");
}

TEST_F(VehicleDialogTest, AddWeaponAndHardpointTakeAnEmptySlotAndRefuseWhenThereIsNone) {
    Standard();
    CVehicleDialog& d = Dialog();
    std::vector<std::string> positions, weapons;
    ui_.QueueDialog([&](Form& f) {
        EXPECT_EQ(f.Title(), "Add weapon to Hornet");
        for (const auto& c : f.Find(vclsub::kPosition)->choices) positions.push_back(c.text);
        for (const auto& c : f.Find(vclsub::kLoad)->choices) weapons.push_back(c.text);
        EXPECT_EQ(f.Selected(vclsub::kPosition), 0);
        EXPECT_EQ(f.Text(vclsub::kAddAmmunition), "1");
        f.SetSelected(vclsub::kPosition, 1);
        f.SelectValue(vclsub::kLoad, 2);
        f.SetText(vclsub::kAddAmmunition, "4");
        f.Press(kIdOk);
    });
    d.Press(kAddWeapon);
    EXPECT_EQ(positions.size(), 12u);
    EXPECT_EQ(positions[0], "1");
    EXPECT_EQ(positions[1], "3");
    EXPECT_EQ(weapons, (std::vector<std::string>{"Cannon", "AIM-9"}));  // named, not weapon 0
    EXPECT_EQ(copy_.SlotRef(3), 2);
    EXPECT_EQ(copy_.SlotLoad(3), 4);
    EXPECT_EQ(d.Rows(kHardpoints).back().cells,
              (std::vector<std::string>{"Weapon", "AIM-9", "3", "no", "no", "4", "-"}));

    // Below 1 or above 254 loads one round (300 does not wrap to 44).
    for (const char* outside : {"300", "0", "255"}) {
        int slot = -1;
        ui_.QueueDialog([&](Form& f) {
            // The last empty slot, so that the slots the rest of the test uses stay empty.
            slot = f.Find(vclsub::kPosition)->choices.back().value;
            f.SelectValue(vclsub::kPosition, slot);
            f.SelectValue(vclsub::kLoad, 2);
            f.SetText(vclsub::kAddAmmunition, outside);
            f.Press(kIdOk);
            EXPECT_TRUE(f.Ended());
        });
        d.Press(kAddWeapon);
        ASSERT_GE(slot, 0);
        EXPECT_EQ(copy_.SlotRef(slot), 2) << outside;
        EXPECT_EQ(copy_.SlotLoad(slot), 1) << outside;
    }

    ui_.QueueDialog([&](Form& f) {
        EXPECT_EQ(f.Title(), "Add Hardpoint/Bay to Hornet");
        f.SelectValue(vclsub::kLoad, 2);
        f.Press(kIdOk);
    });
    d.Press(kAddHp);
    EXPECT_EQ(copy_.SlotRef(1), 2);
    EXPECT_EQ(copy_.SlotLoad(1), kLoadHardpoint);
    EXPECT_EQ(d.Rows(kHardpoints).back().cells[0], "Hardpoint");

    // Every slot in use: a clear refusal, no dialog, nothing written anywhere.
    for (int s = 0; s < kHardpointSlots; ++s)
        if (copy_.SlotRef(s) == 0) copy_.SetSlot(s, 1, 1);
    const VehicleRecord full = copy_;
    const size_t dialogs = ui_.Dialogs().size();
    d.Press(kAddWeapon);
    d.Press(kAddHp);
    EXPECT_EQ(ui_.Texts().back(), kNoEmptySlotMessage);
    EXPECT_EQ(ui_.Dialogs().size(), dialogs);
    EXPECT_EQ(copy_, full);

    // The dialog itself refuses OK without a position.
    CAddSlotDialog none(CAddSlotDialog::What::Weapon, "X", {}, {{"Cannon", 1}});
    none.Begin(ui_);
    none.SelectValue(vclsub::kLoad, 1);
    none.Press(kIdOk);
    EXPECT_FALSE(none.Ended());
}

TEST_F(VehicleDialogTest, StatisticsDamageAndRecalculateChangeTheWorkingCopy) {
    Standard();
    CVehicleDialog& d = Dialog();
    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Vehicle Stats");
        EXPECT_EQ(f.Find(vclsub::kStatsLabel)->label, "Hornet Stats V Low Air");
        f.SetText(vclsub::kRange, "250");
        f.SetText(vclsub::kDetection, "9");
        f.Press(kIdOk);
    });
    d.ListEvent(kStats, ListEventKind::DoubleClick, 4);
    EXPECT_EQ(copy_.Range(4), 250);
    EXPECT_EQ(copy_.Detection(4), 9);
    EXPECT_EQ(d.Rows(kStats)[4].cells[3], "250");

    ui_.QueueDialog([](Form& f) {
        EXPECT_EQ(f.Title(), "Damage %");
        EXPECT_EQ(f.Find(vclsub::kDamageLabel)->label, "HE");
        f.SetText(vclsub::kDamagePercent, "150");
        f.Press(kIdOk);
    });
    d.ListEvent(kDamage, ListEventKind::DoubleClick, 2);
    EXPECT_EQ(copy_.Damage(2), 150);
    EXPECT_EQ(d.Rows(kDamage)[2].cells[1], "150");

    // Cannon (10, 80) directly, AIM-9 (100, 50) twice through "Rails", Cannon through "Bombs".
    d.Press(kRecalculate);
    EXPECT_EQ(copy_.Hit(0), 80);
    EXPECT_EQ(copy_.Range(0), 100);
    EXPECT_EQ(copy_.Range(4), 83);
    EXPECT_EQ(copy_.Detection(4), 9);
    EXPECT_EQ(d.Rows(kStats)[4].cells, (std::vector<std::string>{"Low Air", "80", "0", "83", "9"}));
    // Nothing reached the file: that is for the caller after "Update".
    EXPECT_EQ(StoredVehicle(0).Range(4), 0);
}

TEST_F(VehicleDialogTest, LinkedRecordsOpenInTheirOwnDialogs) {
    Standard();
    CVehicleDialog& d = Dialog();
    // "CT Recd" takes the entries first and edits the entry its field names.
    d.SetText(kCtRecd, "3");
    ui_.QueueDialog([](Form& f) {
        f.SetText(ctdlg::kHitpoints, "77");
        f.Press(kIdOk);
    });
    d.Press(kCtRecdButton);
    EXPECT_EQ(ui_.Dialogs().back().title, "CT Entry for Hornet");
    EXPECT_EQ(copy_.CtIndex(), 3);
    CtRecord ct;
    ASSERT_TRUE(db_->Ct().GetRecord(3, ct));
    EXPECT_EQ(ct.Get<int32_t>(CtRecord::kHitPoints), 77);
    // A related entry by double-click.
    ui_.QueueDialog([](Form& f) {
        f.SetText(ctdlg::kHitpoints, "55");
        f.Press(kIdOk);
    });
    d.ListEvent(kRelated, ListEventKind::DoubleClick, 0);
    ASSERT_TRUE(db_->Ct().GetRecord(1, ct));
    EXPECT_EQ(ct.Get<int32_t>(CtRecord::kHitPoints), 55);

    // A hardpoint row opens its weapon or weapon list in the dialog of its kind.
    d.ListEvent(kHardpoints, ListEventKind::DoubleClick, 0);
    EXPECT_EQ(ui_.Dialogs().back().title, "Weapon Data");
    d.SetSelected(kHardpoints, 1);
    d.Press(kView);
    EXPECT_EQ(ui_.Dialogs().back().title, "Hardpoint Data");
    // On OK the record is written and the row shows its new name.
    for (FileId file : {FileId::Wcd, FileId::Wld})
        Ctx().registry.RegisterRecordDialog({file}, [](ShellContext&, int, Bytes& record) {
            const size_t name = record.size() == WeaponRecord::kSize ? WeaponRecord::kName : 0;
            StoreText(record.data() + name, 6, "Fresh");
            return Answer::Ok;
        });
    d.ListEvent(kHardpoints, ListEventKind::DoubleClick, 0);
    d.ListEvent(kHardpoints, ListEventKind::DoubleClick, 2);
    EXPECT_EQ(Column(kHardpoints, 1), (std::vector<std::string>{"Fresh", "Rails", "Fresh"}));
    WeaponRecord cannon;
    ASSERT_TRUE(db_->Table(FileId::Wcd)->GetRecord(1, cannon.data()));
    EXPECT_EQ(cannon.Name(), "Fresh");
    EXPECT_EQ(copy_.SlotRef(0), 1);

    // The radar, aircraft-data and unit records open in the dialog of their kind, which here
    // changes the record and asks for it to be written: the radar and the unit are, the
    // aircraft data is only shown.
    std::vector<std::pair<FileId, int>> opened;
    for (FileId file : {FileId::Rcd, FileId::Acd, FileId::Ucd})
        Ctx().registry.RegisterRecordDialog(
            {file}, [&opened, file](ShellContext&, int index, Bytes& record) {
                opened.push_back({file, index});
                record[0] ^= 0xFF;
                return Answer::Ok;
            });
    const Bytes rcd = ReadBytes(Path("vantor.rcd")), acd = ReadBytes(Path("vantor.acd")),
                ucd = ReadBytes(Path("vantor.ucd"));
    d.Press(kRadarPtrButton);
    d.Press(kAcdButton);
    d.ListEvent(kUnits, ListEventKind::DoubleClick, 0);
    EXPECT_EQ(opened, (std::vector<std::pair<FileId, int>>{
                          {FileId::Rcd, 2}, {FileId::Acd, 2}, {FileId::Ucd, 1}}));
    EXPECT_NE(ReadBytes(Path("vantor.rcd")), rcd);
    EXPECT_EQ(ReadBytes(Path("vantor.acd")), acd);
    EXPECT_NE(ReadBytes(Path("vantor.ucd")), ucd);
}

// A person opens the demo database, finds an aircraft, gives it a weapon in a free hardpoint
// slot, recalculates and updates.
TEST_F(VehicleDialogTest, EndToEndOnTheSampleDatabase) {
    std::string error;
    ASSERT_TRUE(WriteSampleDatabase(Dir(), SampleScale::Demo, error)) << error;
    Open();
    app_->Start();
    CMvView& aircraft = OpenList("Vehicles/Aircraft");
    ASSERT_GT(aircraft.RowCount(), 0);
    // An aircraft with a free slot.
    int row = -1;
    for (int r = 0; r < aircraft.RowCount() && row < 0; ++r) {
        const VehicleRecord v = [&] {
            VehicleRecord x;
            db_->Table(FileId::Vcd)->GetRecord(aircraft.ItemData(r), x.data());
            return x;
        }();
        bool free = false;
        for (int s = 1; s < kHardpointSlots; ++s) free = free || v.SlotRef(s) == 0;
        if (free) row = r;
    }
    ASSERT_GE(row, 0);
    const int index = aircraft.ItemData(row);
    const VehicleRecord before = StoredVehicle(index);
    // A weapon that outdoes every other: it sets every hit and range byte.
    const WeaponRecord best = Weapon("Doomsday", 30000, 250);
    int appended = 0;
    ASSERT_TRUE(db_->Table(FileId::Wcd)->AppendRecord(appended, best.data()));

    aircraft.Select(row);
    int slot = -1;
    ui_.QueueDialog([&](Form& f) {
        ui_.QueueDialog([&](Form& add) {
            slot = *add.SelectedValue(vclsub::kPosition);
            add.SelectValue(vclsub::kLoad, appended);
            add.SetText(vclsub::kAddAmmunition, "2");
            add.Press(kIdOk);
        });
        f.Press(kAddWeapon);
        f.Press(kRecalculate);
        EXPECT_EQ(f.Rows(kStats)[0].cells[1], "250");
        f.Press(kIdOk);
    });
    ASSERT_TRUE(Frame().StateOf(cmd::kShowItem).enabled);
    Frame().Run(cmd::kShowItem);
    ASSERT_GE(slot, 0);

    const VehicleRecord after = StoredVehicle(index);
    EXPECT_EQ(after.SlotRef(slot), appended);
    EXPECT_EQ(after.SlotLoad(slot), 2);
    for (int t = 0; t < kTargetClasses; ++t) {
        EXPECT_EQ(after.Hit(t), 250);
        // 30000 keeps its low byte 48; against low air trunc(30000 * 0.83 + 0.5) = 24900: 68.
        EXPECT_EQ(after.Range(t), t == 4 ? 68 : 48);
    }
    EXPECT_NE(after, before);
    const int shown = aircraft.PositionOf(index);
    EXPECT_EQ(aircraft.CellText(shown, 24), "250");  // "Hit v Static"
    EXPECT_EQ(aircraft.CellText(shown, 44), "68");   // "Range v LowAir"
    EXPECT_EQ(aircraft.CellText(shown, 0), before.Name());
}

}  // namespace
}  // namespace tablon::test
