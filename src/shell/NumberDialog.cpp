#include "shell/NumberDialog.h"

namespace tablon {

CNumberDialog::CNumberDialog(std::string title, std::string label, int editId, Exchange exchange,
                             int64_t value)
    : Form(std::move(title), 260, 90), editId_(editId), exchange_(exchange), value_(value) {
    AddLabel(-1, std::move(label), {10, 12, 100, 30});
    AddEdit(editId, {105, 10, 250, 30});
    Bind(editId, exchange);
    AddOkCancel();
}

void CNumberDialog::OnInitDialog() {
    if (exchange_ == Exchange::UInt || exchange_ == Exchange::Byte)
        ShowUnsigned(editId_, uint32_t(value_));
    else
        ShowInt(editId_, value_);
}

void CNumberDialog::OnOK() {
    if (!TakeFields()) return;
    value_ = Value(editId_).integer;
    End(Answer::Ok);
}

}  // namespace tablon
