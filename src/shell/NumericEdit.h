// The numeric entry field: an edit that refuses every keystroke which would leave a text that is
// not a number within its range.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tablon {

class Ui;

// The text of an edit with its selection (caret = selEnd when nothing is selected).
struct EditState {
    std::string text;
    size_t selStart = 0;
    size_t selEnd = 0;
};

// What a typed character does to an edit: replaces the selection, or, for a backspace ('\b'),
// removes the selection or the character before the caret.
void ApplyChar(EditState& state, char ch);

class CNumericEdit {
  public:
    enum CheckFlags { kOutOfRange = 1, kNotANumber = 2 };

    // At most 19 characters are kept; a format that does not show exactly one floating-point
    // value is shown as "%f".
    void SetFormat(std::string_view format);
    const std::string& GetFormat() const { return format_; }
    void GetRange(float& min, float& max) const {
        min = min_;
        max = max_;
    }
    void SetRange(float min, float max) {
        min_ = min;
        max_ = max;
    }
    bool GetReportErrors() const { return reportErrors_; }
    void SetReportErrors(bool on) { reportErrors_ = on; }

    // 0 when the text is accepted, else the flags; with report errors on, a failed check is
    // shown in a message box through ui.
    int Check(std::string_view text, Ui* ui = nullptr) const;
    // The text that shows a value.
    std::string FormatValue(float value) const;
    // The value of a text that passes the check; nothing for one that does not.
    std::optional<float> ValueOf(std::string_view text) const;
    // One typed character. A space is swallowed; a character that would make the text fail the
    // check is undone, the whole text selected, and true returned: every further character
    // already waiting for the field is to be discarded.
    bool TypeChar(EditState& state, char ch, Ui* ui = nullptr) const;

  private:
    bool reportErrors_ = false;
    float min_ = -3.4028235e38f;
    float max_ = 3.4028235e38f;
    std::string format_ = "%f";
};

// How many items "%f%s" reads from a text: -1 for a text of blanks only, 0 when no number
// starts it, 1 for a number alone, 2 for a number followed by a further word. value receives
// the number.
int ScanNumberAndWord(std::string_view text, double& value);

}  // namespace tablon
