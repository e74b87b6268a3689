#include "shell/FlagsDialog.h"

namespace tablon {

CFlagBitsDialog::CFlagBitsDialog(std::string title, uint32_t flags, std::vector<FlagBit> bits,
                                 int firstId)
    : Form(std::move(title), 220, 50 + 24 * int(bits.size())),
      flags_(flags),
      bits_(std::move(bits)),
      firstId_(firstId) {
    for (int i = 0; i < int(bits_.size()); ++i)
        AddCheck(firstId_ + i, bits_[size_t(i)].label, {10, 10 + i * 24, 200, 30 + i * 24});
    AddOkCancel();
}

void CFlagBitsDialog::OnInitDialog() {
    for (int i = 0; i < int(bits_.size()); ++i)
        ShowCheck(firstId_ + i, (flags_ & bits_[size_t(i)].mask) != 0);
}

void CFlagBitsDialog::OnOK() {
    flags_ = 0;
    for (int i = 0; i < int(bits_.size()); ++i)
        if (Checked(firstId_ + i)) flags_ |= bits_[size_t(i)].mask;
    End(Answer::Ok);
}

}  // namespace tablon
