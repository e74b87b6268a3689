// The class-table record dialog, the "New Graphic" and "CT Record Number" dialogs.
#pragma once

#include <optional>
#include <string>

#include "classtable/CtRecord.h"
#include "shell/Form.h"
#include "shell/NumberDialog.h"
#include "shell/Registry.h"

namespace tablon {

// Control ids of the class-table record dialog.
namespace ctdlg {
constexpr int kCtId = 1021;
constexpr int kDomain = 1022;
constexpr int kClass = 1401;
constexpr int kType = 1402;
constexpr int kSubType = 1403;
constexpr int kSpecific = 1404;
constexpr int kMode = 1405;
constexpr int kFileType = 1406;
constexpr int kFileOffset = 1407;
constexpr int kAltOffset = 1408;
constexpr int kBubbleDist = 1409;
constexpr int kUpdForceRng = 1410;
constexpr int kUpdMult = 1411;
constexpr int kId = 1412;
constexpr int kCollRad = 1413;
constexpr int kUpdRate = 1414;
constexpr int kUpdTol = 1415;
constexpr int kDamSeed = 1416;
constexpr int kHitpoints = 1417;
constexpr int kMajRev = 1418;
constexpr int kMinRev = 1419;
constexpr int kCreatePrio = 1420;
constexpr int kManageDom = 1421;
constexpr int kTransferable = 1422;
constexpr int kPrivate = 1423;
constexpr int kTangible = 1424;
constexpr int kCollidable = 1425;
constexpr int kGlobal = 1426;
constexpr int kPersistant = 1427;
constexpr int kGraphics = 1428;
constexpr int kFileOffsetButton = 1429;
constexpr int kAltOffsetButton = 1430;
constexpr int kUsageButton = 1431;
constexpr int kNewGraphic = 1440;
constexpr int kCtRecord = 1441;
}  // namespace ctdlg

// "CT Entry for %s": edits a copy of one class-table record that its caller owns and writes
// back on OK.
class CCtRecordDialog : public Form {
  public:
    CCtRecordDialog(ShellContext& ctx, CtRecord& copy, int index, const std::string& name);
    // The index "CT ID" holds: the one the dialog was opened for, or what the field held when
    // the fields were last taken.
    int CtId() const { return ctId_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    // Takes every field into the copy, as OK does, without closing.
    bool TakeIntoCopy();
    void FileOffset();
    void AltOffset();

    ShellContext& ctx_;
    CtRecord& copy_;
    int ctId_;
};

// Runs the class-table record dialog on a copy: Ok when the caller is to write it back.
Answer RunCtRecordDialog(ShellContext& ctx, CtRecord& copy, int index, const std::string& name);

// "New Graphic": one integer.
class CNewGraphicDialog : public CNumberDialog {
  public:
    explicit CNewGraphicDialog(int value)
        : CNumberDialog("New Graphic", "New Graphic", ctdlg::kNewGraphic, Exchange::Int, value) {}
};

// "CT Record Number": asks for an unsigned record number; nothing when cancelled.
std::optional<uint32_t> AskCtRecordNumber(Ui& ui);

}  // namespace tablon
