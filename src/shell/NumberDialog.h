// A dialog that asks for one number: a label, an edit with its exchange rule, OK and Cancel.
// Many small prompts ("New Graphic", "CT Record Number" ...) are this form with other texts.
#pragma once

#include <cstdint>
#include <string>

#include "shell/Form.h"

namespace tablon {

class CNumberDialog : public Form {
  public:
    CNumberDialog(std::string title, std::string label, int editId, Exchange exchange,
                  int64_t value = 0);
    // The number shown at start, or the one taken by OK.
    int64_t Number() const { return value_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    int editId_;
    Exchange exchange_;
    int64_t value_;
};

}  // namespace tablon
