// "CT Record Usage": which records of the feature, feature-entry, objective, unit, vehicle and
// weapon files name a class-table index, and whether the index is a protected one.
#pragma once

#include <cstdint>

#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

namespace ctusage {
constexpr int kIndex = 1302;
constexpr int kList = 1304;  // "Records in the CT file that point to this entry"
constexpr int kEditCtRecord = 1303;
}  // namespace ctusage

class CCtUsageDialog : public Form {
  public:
    CCtUsageDialog(ShellContext& ctx, uint32_t index);

  protected:
    void OnInitDialog() override;
    void OnButton(int id) override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    uint32_t index_;
};

}  // namespace tablon
