// The "FED  List" dialog (one objective's run of feature entries: edit, add before and after,
// delete, save and load), and the "FED Edit" dialog of one entry.
#pragma once

#include <string>
#include <vector>

#include "objectives/DialogGrid.h"
#include "objectives/FeatureEntryRecord.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/ObjectiveViewer.h"
#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

namespace feddlg {
constexpr int kList = 1800;
constexpr int kDrawing = 1801;
constexpr int kAddAfter = 1802;
constexpr int kAddBefore = 1803;
constexpr int kDelete = 1804;
constexpr int kSave = 1805;
constexpr int kLoad = 1806;
// FED Edit.
constexpr int kCtButton = 1810;
constexpr int kCt = 1811;
constexpr int kDomain = 1812;  // 1812 to 1817: domain, class, type, subtype, specific, mode
constexpr int kHeading = 1820;
constexpr int kValue = 1821;
constexpr int kX = 1822;
constexpr int kY = 1823;
constexpr int kZ = 1824;
constexpr int kUnk1 = 1825;
constexpr int kUnk2 = 1826;
constexpr int kUnk3 = 1827;
}  // namespace feddlg

// "FED %d" with an entry's index.
std::string FedName(const uint8_t* record, int index);
// The 16 columns of the "FED  List" rows: names of the class bytes, signed 16-bit values.
const std::vector<ColumnDesc>& FedListColumns();
// The rows of an objective's run, from its first entry for count entries, stopping at the first
// that cannot be read.
RecordRows FedListRows(const class Database& db, const ObjectiveRecord& objective);

class CFedListDialog : public Form {
  public:
    CFedListDialog(ShellContext& ctx, ObjectiveRecord& copy, int index, std::string title);

  protected:
    void OnInitDialog() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;
    void OnScroll(int id, ScrollAction action, int thumb) override;
    void OnPaint(int id, Canvas& canvas) override;
    void OnSelectionChanged(int id) override;

  private:
    void Refill();
    void Redraw();
    int SelectedEntry() const;  // -1 without a selected row
    void EnableRowButtons();    // "Add After", "Add Before" and "Delete" need a selected row
    void AddEntry(int position);
    void Delete();
    void Save();
    void Load();

    ShellContext& ctx_;
    ObjectiveRecord& copy_;
    int index_;
    RecordRows rows_;
    ObjectiveDrawingPanel panel_;  // the drawing of the run, in the left half
};

Answer RunFedListDialog(ShellContext& ctx, ObjectiveRecord& copy, int index, std::string title);

class CFedEditDialog : public Form {
  public:
    CFedEditDialog(ShellContext& ctx, FeatureEntryRecord& copy);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    bool TakeIntoCopy();
    ShellContext& ctx_;
    FeatureEntryRecord& copy_;
};

Answer RunFedEditDialog(ShellContext& ctx, FeatureEntryRecord& copy);

}  // namespace tablon
