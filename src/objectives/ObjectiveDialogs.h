// "Objective Data Details", "Feature Data Details" and "Feature Flags".
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "objectives/FeatureRecord.h"
#include "objectives/ObjectiveRecord.h"
#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

// Control ids of the objective and feature dialogs.
namespace objdlg {
constexpr int kName = 1700;
constexpr int kCtButton = 1701;
constexpr int kCt = 1702;
constexpr int kDataRate = 1703;
constexpr int kDeagDist = 1704;
constexpr int kRadarFeature = 1705;
constexpr int kIconId = 1706;
constexpr int kFedCount = 1707;
constexpr int kFedPtrButton = 1708;
constexpr int kFedPtr = 1709;
constexpr int kPhdPtr = 1710;
constexpr int kView = 1711;
constexpr int kPhdList = 1712;
constexpr int kDetection = 1720;  // 1720 to 1727
constexpr int kDamage = 1730;     // 1730 to 1740
// Feature dialog.
constexpr int kFeatureName = 1750;
constexpr int kFeatureCtButton = 1751;
constexpr int kFeatureCt = 1752;
constexpr int kRadarType = 1753;
constexpr int kRepairTime = 1754;
constexpr int kPriority = 1755;
constexpr int kFlagsButton = 1756;
constexpr int kFlags = 1757;
constexpr int kAngle = 1758;
constexpr int kHitPoints = 1759;
constexpr int kHeight = 1760;
constexpr int kFeatureDetection = 1761;  // 1761 to 1768
constexpr int kVulnerability = 1770;     // 1770 to 1780
constexpr int kFlagBox = 1781;           // 1781 + bit
constexpr int kTreeFeature = 1799;
}  // namespace objdlg

// "Objective Data Details" on a copy of an objective and its index. "Fed Ptr" opens the "FED  List"
// dialog on the copy: runs it changes are written at once, with the copy's count.
class CObjectiveDialog : public Form {
  public:
    CObjectiveDialog(ShellContext& ctx, ObjectiveRecord& copy, int index);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    bool TakeIntoCopy();
    void FillPointHeaders();
    void EditCt();
    void FedList();

    ShellContext& ctx_;
    ObjectiveRecord& copy_;
    int index_;
};

Answer RunObjectiveDialog(ShellContext& ctx, ObjectiveRecord& copy, int index);

// The point-header rows of an objective: every header whose objective field is the index, in
// file order (18 columns).
std::vector<ListRow> PointHeaderRows(const class Database& db, int objective);

// The flag bits of a feature with their check boxes and command-line names.
struct FeatureFlagName {
    uint16_t bit;
    const char* label;
    const char* name;
};
std::span<const FeatureFlagName> FeatureFlagNames();
// The flag word rebuilt from the flags that are set: the bits without a box come back clear.
uint16_t RebuildFeatureFlags(uint16_t flags);

class CFeatureDialog : public Form {
  public:
    CFeatureDialog(ShellContext& ctx, FeatureRecord& copy, int index);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    ShellContext& ctx_;
    FeatureRecord& copy_;
};

Answer RunFeatureDialog(ShellContext& ctx, FeatureRecord& copy, int index);

class CFeatureFlagsDialog : public Form {
  public:
    explicit CFeatureFlagsDialog(uint16_t flags);
    uint16_t Flags() const { return flags_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint16_t flags_;
};

}  // namespace tablon
