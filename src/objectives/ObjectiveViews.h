// The list views of the objective files: objectives, features, the point headers and the
// read-only list of every feature entry. The three editable ones share one base: rows read from
// the file (the named ones hide empty slots), the detail dialog registered for the file on a
// double click, "Add Item"/"Add Copy" through the dialog and an append, delete of the last record
// and export. The views whose records own runs add and copy them by the run rules (Runs.h).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "objectives/Runs.h"
#include "shell/MvView.h"

namespace tablon {

class TableFile;

const std::vector<ColumnDesc>& ObjectiveColumns();  // 29
const std::vector<ColumnDesc>& FeatureColumns();    // 21
const std::vector<ColumnDesc>& FedColumns();        // 16, the whole entry file
const std::vector<ColumnDesc>& PhdColumns();        // 19

// A point-header row: the header followed by the name the list shows for it.
struct PhdRow {
    static constexpr uint16_t kName = 28;
    static constexpr uint16_t kNameSize = 20;
    static constexpr uint32_t kSize = kName + kNameSize;
};
// The owning objective's name when its record can be read, else "PHD %d" with the header index.
std::string PhdName(const Database& db, const uint8_t* header, int index);

// What tells the editable views apart, as data.
struct RecordViewSetup {
    const char* className;
    FileId file;
    const std::vector<ColumnDesc>& (*columns)();
    unsigned commands;
    int nameOffset;               // rows whose byte here is 0 are empty slots; -1: every row listed
    const RunLayout* runs;        // the run the records own, or nullptr
    const char* updateFailed;     // the message of a failed write of an edited record
    bool onlyFileOrderChecked;    // only "Sort by File Order" shows a check mark
    std::vector<int> runColumns;  // columns that change when another record's run moves
};

class CRecordEditView : public CMvView {
  public:
    CRecordEditView(ShellContext& ctx, const RecordViewSetup& setup,
                    std::unique_ptr<RecordSource> source);
    const char* ClassName() const override { return setup_.className; }

  protected:
    void Fill() override;
    std::string ItemTextFor(const uint8_t* row, int index) const override;
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override { return setup_.commands; }
    std::span<const SortCommand> SortCommands() const override;
    bool SortCommandChecked(int column) const override;
    void AddRecord(bool copy) override;
    bool DeleteLastRecord(int index) override;

  private:
    TableFile& Table() const;
    bool Listed(const uint8_t* row) const;
    // Shows the record as the file holds it now in its row (or drops the row of a slot that
    // became empty).
    void RefreshFromFile(int row);
    // After a dialog moved other records' runs: the rows whose run columns changed.
    void RefreshRunColumns();

    const RecordViewSetup& setup_;
};

const RecordViewSetup& ObjectiveViewSetup();
const RecordViewSetup& FeatureViewSetup();
const RecordViewSetup& PhdViewSetup();

std::unique_ptr<CMvView> MakeObjectiveView(ShellContext& ctx);
std::unique_ptr<CMvView> MakeFeatureView(ShellContext& ctx);
std::unique_ptr<CMvView> MakePhdView(ShellContext& ctx);

// The members of one run as a list, read-only: the command line prints a dialog's run list
// through it like any other list.
class CRunView : public CMvView {
  public:
    CRunView(ShellContext& ctx, FileId member, const std::vector<ColumnDesc>& columns, Run run);
    const char* ClassName() const override { return "CRunView"; }

  protected:
    void Fill() override;
    std::string ItemTextFor(const uint8_t* record, int index) const override;
    bool SortsOnFill() const override { return false; }

  private:
    Run run_;
};

// Every record of the entry file, in file order; no record commands.
class CFedView : public CMvView {
  public:
    static constexpr const char* kClassName = "CFedView";
    explicit CFedView(ShellContext& ctx);
    const char* ClassName() const override { return kClassName; }

  protected:
    std::string ItemTextFor(const uint8_t* record, int index) const override;
};

}  // namespace tablon
