// The "Weapon Data" dialog with its "Weapon Flags" and "Wcd Usage" sub-dialogs.
#pragma once

#include <cstdint>
#include <string>

#include "shell/Form.h"
#include "shell/Registry.h"
#include "vehicles/WeaponRecord.h"

namespace tablon {

// Control ids of the weapon dialogs. Ids that carry a tool tip are the tool tips' own.
namespace wcddlg {
constexpr int kName = 1600;
constexpr int kWeight = 1013;
constexpr int kBlastRadius = 1095;
constexpr int kDrag = 1015;
constexpr int kGuidance = 1601;
constexpr int kVehicleList = 1602;
constexpr int kFireRate = 1603;
constexpr int kRarity = 1604;
constexpr int kDamage = 1605;
constexpr int kRange = 1606;
constexpr int kDamageType = 1607;
constexpr int kCtIndexButton = 1104;
constexpr int kCtIndex = 1021;
constexpr int kSeekerRadarButton = 1608;
constexpr int kSeekerRadar = 1609;
constexpr int kCollective = 1610;
constexpr int kRackGroup = 1611;
constexpr int kMaxAlt = 1612;
constexpr int kRoundsPerSecond = 1613;
constexpr int kFlagsButton = 1614;
constexpr int kFlags = 1615;
constexpr int kWeaponId = 1616;
constexpr int kManeuverDef = 1617;
constexpr int kHitChance = 1620;  // 1620 to 1627, "v Static" to "v Rail"
constexpr int kBulletDispersion = 1630;
constexpr int kAaaGun = 1631;
constexpr int kBulletTtl = 1632;
constexpr int kBulletSpeed = 1633;
constexpr int kMinAlt = 1634;
constexpr int kSwdData = 1081;
constexpr int kUsedBy = 1198;
constexpr int kFlagBox = 1640;  // 1640 to 1655, the box of bit i is 1640 + i
constexpr int kUsageList = 1660;
}  // namespace wcddlg

// The packed fields of a weapon record as the dialog shows them.
struct WeaponPacking {
    int speed;       // bits 3 to 7 of "Bullet Bits" times 256
    int ttl;         // bits 0 to 2 of "Bullet Bits"
    int dispersion;  // "Bullet Disp" times 4
    bool aaa;        // bit 0 of "Bullet Disp"
    int minAlt;      // byte 30 times 32
};
WeaponPacking UnpackWeapon(const WeaponRecord& w);
// Writes entries that passed the dialog's checks into the record.
void PackWeapon(const WeaponPacking& p, WeaponRecord& w);

// "Weapon Data": edits its caller's working copy of a weapon record; weaponId is the record's
// number, -1 for a record not yet in the file.
class CWeaponDialog : public Form {
  public:
    CWeaponDialog(ShellContext& ctx, WeaponRecord& copy, int weaponId);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnFocusLost(int id) override;

  private:
    // Takes every entry into the working copy, as OK does, without closing.
    bool TakeIntoCopy();
    void ShowManeuver(int16_t ct);
    void CtIndex();
    void SeekerRadar();
    void SwdData();
    void UsedBy();
    void EditFlags();
    // Shows the text of an edit again as the number the record will keep.
    void Redisplay(int id, int (*stored)(int n, bool aaa));

    ShellContext& ctx_;
    WeaponRecord& copy_;
    int weaponId_;
};

Answer RunWeaponDialog(ShellContext& ctx, WeaponRecord& copy, int weaponId);

// "Weapon Flags": one box per flag bit; bit 12 has no working box and keeps its value.
class CWeaponFlagsDialog : public Form {
  public:
    explicit CWeaponFlagsDialog(uint16_t flags);
    uint16_t Flags() const { return flags_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint16_t flags_;
};

// "Wcd Usage": the vehicles that use the weapons of a class-table index.
class CWcdUsageDialog : public Form {
  public:
    CWcdUsageDialog(ShellContext& ctx, int16_t ct);

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    void FillRows();
    ShellContext& ctx_;
    int16_t ct_;
};

}  // namespace tablon
