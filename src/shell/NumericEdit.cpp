#include "shell/NumericEdit.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/NumberText.h"
#include "shell/Ui.h"

namespace tablon {

void ApplyChar(EditState& s, char ch) {
    size_t a = std::min(s.selStart, s.selEnd), b = std::max(s.selStart, s.selEnd);
    a = std::min(a, s.text.size());
    b = std::min(b, s.text.size());
    if (ch == '\b') {
        if (a == b) {
            if (a == 0) return;
            --a;
        }
        s.text.erase(a, b - a);
        s.selStart = s.selEnd = a;
        return;
    }
    s.text.replace(a, b - a, 1, ch);
    s.selStart = s.selEnd = a + 1;
}

namespace {

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the decimal number at the start of text (sign, digits with an optional point,
// an exponent only when digits follow it); 0 when none starts there.
size_t NumberLength(std::string_view t) {
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        if (j < t.size() && IsDigit(t[j])) {
            while (j < t.size() && IsDigit(t[j])) ++j;
            i = j;
        }
    }
    return i;
}

// Whether a format shows exactly one floating-point value ("%f", "%.2f", "%8.3g" ...).
bool OneFloatConversion(const std::string& f) {
    int conversions = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') continue;
        if (i + 1 < f.size() && f[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < f.size() && std::strchr("-+ #0", f[j])) ++j;
        while (j < f.size() && (IsDigit(f[j]) || f[j] == '.')) ++j;
        if (j >= f.size() || !std::strchr("fFgGeE", f[j])) return false;
        ++conversions;
        i = j;
    }
    return conversions == 1;
}

}  // namespace

int ScanNumberAndWord(std::string_view text, double& value) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) return -1;
    size_t n = NumberLength(text.substr(i));
    if (n == 0) return 0;
    value = ParseDouble(text.substr(i, n));
    i += n;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i < text.size() ? 2 : 1;
}

void CNumericEdit::SetFormat(std::string_view format) {
    format_ = std::string(format.substr(0, 19));
}

int CNumericEdit::Check(std::string_view text, Ui* ui) const {
    if (text == "-" || text == ".") return 0;
    double v = 0;
    int flags = 0;
    if (ScanNumberAndWord(text, v) != 1) {
        flags |= kNotANumber;
    } else if (v > double(max_) || v < double(min_)) {
        flags |= kOutOfRange;
    }
    if (flags && reportErrors_ && ui) {
        std::string msg;
        if (flags & kOutOfRange) msg += "Given value is out of range.\n";
        if (flags & kNotANumber) msg += "Characters must be a number.\n";
        ui->Message(msg, Icon::Error, Buttons::Ok, kAppTitle);
    }
    return flags;
}

std::string CNumericEdit::FormatValue(float value) const {
    return FormatDouble(OneFloatConversion(format_) ? format_.c_str() : "%f", double(value));
}

std::optional<float> CNumericEdit::ValueOf(std::string_view text) const {
    if (Check(text) != 0) return std::nullopt;
    double v = 0;
    if (ScanNumberAndWord(text, v) != 1) return std::nullopt;  // "-" and "." alone
    return NearestFloat(v);
}

bool CNumericEdit::TypeChar(EditState& state, char ch, Ui* ui) const {
    if (ch == ' ') return false;
    EditState before = state;
    ApplyChar(state, ch);
    if (Check(state.text, ui) == 0) return false;
    state = before;
    state.selStart = 0;
    state.selEnd = state.text.size();
    return true;
}

}  // namespace tablon
