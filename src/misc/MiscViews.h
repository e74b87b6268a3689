// The three optional tables: the sound list with the "Sound Item" and "Sound Flags" dialogs, the
// rocket list with the "Rocket Data" dialog, and the message-priority list with the "DirtyData"
// dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "misc/MessagePriorityRecord.h"
#include "misc/RocketRecord.h"
#include "misc/SoundRecord.h"
#include "shell/EditView.h"
#include "shell/FlagsDialog.h"
#include "shell/Form.h"

namespace tablon {

namespace miscdlg {
constexpr int kFileName = 2300;
constexpr int kFlagsButton = 2301;
constexpr int kFirstSoundField = 2310;  // the edits of the sound fields, in record order
constexpr int kFirstSoundFlag = 2340;   // the "Sound Flags" boxes, bit 0 first
constexpr int kRocketTitle = 2350;
constexpr int kWeaponId = 2351;
constexpr int kNewWeaponId = 2352;
constexpr int kCount = 2353;
constexpr int kIdButton = 2354;
constexpr int kNewIdButton = 2355;
constexpr int kMessage = 2360;
constexpr int kPriority = 2361;
}  // namespace miscdlg

// The edit of a sound field in the "Sound Item" dialog (the field's name in the sound field
// table); 0 for a field the dialog does not edit.
int SoundFieldControl(const char* field);
const std::vector<FlagBit>& SoundFlagBits();
// The name of a priority value, or its number when it is none of the eight.
std::string PriorityName(uint32_t value);
extern const char* const kPriorityNames[kPriorityCount];

class CSfxView : public CEditView {
  public:
    static constexpr const char* kClassName = "CSfxView";
    explicit CSfxView(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    bool SortsOnFill() const override { return false; }
    std::string ItemTextFor(const uint8_t* record, int index) const override;
    Answer RunDialog(Bytes& record, int index, Purpose purpose) override;
};

class CRktView : public CEditView {
  public:
    static constexpr const char* kClassName = "CRktView";
    explicit CRktView(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    bool SortsOnFill() const override { return false; }
    std::string ItemTextFor(const uint8_t* record, int index) const override;
    Answer RunDialog(Bytes& record, int index, Purpose purpose) override;
};

class CDDPView : public CEditView {
  public:
    static constexpr const char* kClassName = "CDDPView";
    explicit CDDPView(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    bool SortsOnFill() const override { return false; }
    std::string ItemTextFor(const uint8_t* record, int index) const override;
    Answer RunDialog(Bytes& record, int index, Purpose purpose) override;
};

// "Sound Item": every field of a sound record but the handle and the LFU.
class CSoundDialog : public Form {
  public:
    explicit CSoundDialog(SoundRecord& copy);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    SoundRecord& copy_;
};

// "Rocket Data": the two weapon ids with the buttons that open their weapons, and the count.
class CRocketDialog : public Form {
  public:
    CRocketDialog(ShellContext& ctx, RocketRecord& copy, std::string title);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    bool TakeIntoCopy();
    ShellContext& ctx_;
    RocketRecord& copy_;
};

// "DirtyData": the priority of one message, chosen by name.
class CDirtyDataDialog : public Form {
  public:
    CDirtyDataDialog(MessagePriorityRecord& copy, int message);

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    MessagePriorityRecord& copy_;
    int message_;
};

}  // namespace tablon
