// The lists and record views built from a record type's field table alone: every category and
// every record has them until its own view or dialog is registered. Both are read-only.
#pragma once

#include <string>
#include <vector>

#include "shell/Form.h"
#include "shell/MvView.h"

namespace tablon {

struct CategoryNode;

// The columns of a field table: the record index ("No"), then one column per field; an array
// field of up to kMaxArrayColumns elements has one column per element ("Title[i]"), a longer
// one a single cell with the elements joined by commas.
constexpr int kMaxArrayColumns = 8;
std::vector<ColumnDesc> ColumnsFromFields(const FieldTable& fields);

class CGenericView : public CMvView {
  public:
    CGenericView(ShellContext& ctx, std::string viewClass, std::unique_ptr<RecordSource> source);
    const char* ClassName() const override { return viewClass_.c_str(); }

  protected:
    void ShowRecord(int row) override;
    // "Show Item", and "Export Item" when the file can be exported.
    unsigned RecordCommands() const override;
    std::span<const SortCommand> SortCommands() const override;

  private:
    bool Exportable() const;
    std::string viewClass_;
};

// The generic view of a category node (its view class and record source); null when the
// source cannot be made.
std::unique_ptr<PaneView> MakeGenericView(ShellContext& ctx, const CategoryNode& node);

// A record shown field by field in a list ("Field", "Value"); only an OK button.
class CRecordForm : public Form {
  public:
    static constexpr int kIdFields = 1000;
    CRecordForm(const std::string& typeName, const FieldTable& fields, int index,
                const Bytes& record);
};

}  // namespace tablon
