// "Point Header Data Details" (a header with its list of points: add before and after, delete,
// edit) and "PD Data" (one point).
#pragma once

#include <string>
#include <vector>

#include "objectives/DialogGrid.h"
#include "objectives/PointRecords.h"
#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

namespace phddlg {
constexpr int kName = 1900;
constexpr int kNumber = 1901;
constexpr int kOcdButton = 1902;
constexpr int kObjective = 1903;
constexpr int kChain = 1904;
constexpr int kHeading = 1905;
constexpr int kSin = 1906;
constexpr int kCos = 1907;
constexpr int kCount = 1908;
constexpr int kFirst = 1909;
constexpr int kTexture = 1910;
constexpr int kRunway = 1911;
constexpr int kLeftRight = 1912;
constexpr int kType = 1913;
constexpr int kFeature = 1914;  // 1914 to 1919
constexpr int kList = 1920;
constexpr int kAddAfter = 1921;
constexpr int kAddBefore = 1922;
constexpr int kDelete = 1923;
// PD Data.
constexpr int kX = 1930;
constexpr int kY = 1931;
constexpr int kPointType = 1932;
constexpr int kPointFlags = 1933;
}  // namespace phddlg

// A point type's name, or its number from 19 on.
std::string PointTypeText(int type);
// The columns of a header's point list: "Index", "X?", "Y?", "Type?", "Flags?".
const std::vector<ColumnDesc>& PointListColumns();
// The point rows of a header: from its first point for count points, one row per point that can
// be read.
RecordRows PointRows(const class Database& db, const PointHeaderRecord& header);

class CPhdDialog : public Form {
  public:
    CPhdDialog(ShellContext& ctx, PointHeaderRecord& copy, int index, std::string name);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    bool TakeIntoCopy();
    void FillPoints();
    void OnSelectionChanged(int id) override;
    void EnableRowButtons();
    int SelectedPoint() const;
    void AddPoint(bool after);
    void Delete();
    void ShowRun();

    ShellContext& ctx_;
    PointHeaderRecord& copy_;
    int index_;
    std::string name_;
};

Answer RunPhdDialog(ShellContext& ctx, PointHeaderRecord& copy, int index, const std::string& name);

class CPdDialog : public Form {
  public:
    explicit CPdDialog(PointRecord& copy);

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    PointRecord& copy_;
};

}  // namespace tablon
