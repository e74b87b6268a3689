// A dialog of check boxes over the bits of a flag word: each box shows its bit, and OK rebuilds
// the word from the boxes alone, so that bits without a box come back clear.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/Form.h"

namespace tablon {

struct FlagBit {
    uint32_t mask;
    const char* label;
};

class CFlagBitsDialog : public Form {
  public:
    // The check box of bits[i] has the control id firstId + i.
    CFlagBitsDialog(std::string title, uint32_t flags, std::vector<FlagBit> bits, int firstId);
    uint32_t Flags() const { return flags_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    uint32_t flags_;
    std::vector<FlagBit> bits_;
    int firstId_;
};

}  // namespace tablon
