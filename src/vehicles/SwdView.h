// The sim weapon data: the list of every record, whatever its name, and the "Sim Weapon Data"
// dialog with its "Flags" dialog.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/EditView.h"
#include "shell/FlagsDialog.h"
#include "shell/Form.h"
#include "vehicles/SimWeaponRecord.h"

namespace tablon {

const std::vector<ColumnDesc>& SwdColumns();

class CSwdView : public CEditView {
  public:
    static constexpr const char* kClassName = "CSwdView";
    explicit CSwdView(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    std::string ItemTextFor(const uint8_t* record, int index) const override;
    std::span<const SortCommand> SortCommands() const override;
    Answer RunDialog(Bytes& record, int index, Purpose purpose) override;
    void PrepareNew(Bytes& record, bool copy) override;
    std::string NameOf(const Bytes& record) const override;
};

namespace swddlg {
constexpr int kName = 2100;
constexpr int kAirGround = 2101;
constexpr int kAvionics = 2102;
constexpr int kWeaponType = 2103;
constexpr int kMissile = 2104;
constexpr int kDrag = 2105;
constexpr int kWeight = 2106;
constexpr int kArea = 2107;
constexpr int kEjectX = 2108;
constexpr int kEjectY = 2109;
constexpr int kEjectZ = 2110;
constexpr int kFlags = 2111;
constexpr int kFlagsButton = 2112;
constexpr int kLoftable = 2120;
constexpr int kHasDisplay = 2121;
constexpr int kTrainable = 2122;
}  // namespace swddlg

// The names of the drop lists.
extern const std::vector<std::string> kSwdWeaponTypes;
extern const std::vector<std::string> kSwdAirGround;
extern const std::vector<std::string> kSwdAvionics;

class CSwdDialog : public Form {
  public:
    explicit CSwdDialog(SimWeaponRecord& copy);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    SimWeaponRecord& copy_;
};

// The "Flags" dialog of a sim weapon flag word: "Loftable", "Has Display" and "Trainable".
const std::vector<FlagBit>& SwdFlagBits();

Answer RunSwdDialog(ShellContext& ctx, SimWeaponRecord& copy);

}  // namespace tablon
