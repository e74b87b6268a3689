// A detail dialog as a model: controls with ids, labels and kinds, the field exchange between
// values and control texts with its messages, and the handlers a dialog overrides. The window
// renderer builds widgets from a form and hands user actions back; tests drive the same form by
// setting texts and pressing buttons.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/NumericEdit.h"
#include "shell/SizingLayout.h"
#include "shell/Ui.h"
#include "store/FieldTable.h"

namespace tablon {

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

enum class ControlKind {
    Label,
    GroupBox,
    Edit,
    CheckBox,
    Radio,
    DropList,
    List,
    Button,
    Slider,
    ScrollBar,
    Canvas,
    Icon,  // the program's icon
};

struct ListColumn {
    std::string title;
    int width = 50;
};

struct ListRow {
    std::vector<std::string> cells;  // cell 0 is the item text
    int64_t data = 0;                // item data
    int icon = -1;                   // image of the list's image list; -1: none
};

struct Choice {
    std::string text;
    int value = 0;
};

enum class ListEventKind { DoubleClick, RightClick, HeaderClick };

// What a scroll bar or slider was asked to do.
enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

class Canvas;

struct Control {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    std::string label;  // caption of labels, buttons, check boxes, radio buttons, group boxes
    Rect rect;          // in the dialog's client pixels
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;
    bool defaultButton = false;
    // The font of the control's text; an empty face is the dialog's own font.
    std::string fontFace;
    int fontPoints = 0;

    // Edits.
    std::string text;
    size_t selStart = 0, selEnd = 0;
    int maxChars = 0;  // 0: no limit
    std::optional<CNumericEdit> numeric;

    // Check boxes and radio buttons; a radio button's group is the id of its group's first one.
    bool checked = false;
    int group = 0;

    // Drop lists.
    std::vector<Choice> choices;
    int selected = -1;

    // Lists.
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    int selectedRow = -1;
    int listMode = 1;  // display mode as the record lists number them: 1 is the detail view
    int images = 0;    // bitmap resource of the rows' icons; 0: the rows have none

    // Sliders and scroll bars.
    int minimum = 0, maximum = 100, position = 0;
};

// How a control's text is exchanged with a value.
enum class Exchange {
    Int,     // signed 32-bit integer
    Int16,   // signed 16-bit integer
    Byte,    // unsigned 8-bit integer
    UInt,    // unsigned 32-bit integer
    Float,   // 32-bit float
    Text,    // text, with an optional length limit
    Check,   // check box: 0 or 1
    Choice,  // drop list: the selected entry's value; nothing selected leaves the value alone
    Radio,   // radio group: the index of the checked button in the group, -1 for none
};

struct ExchangeRange {
    double min = 0;
    double max = 0;
};

// A value taken from a control.
struct Taken {
    bool present = false;  // false for a drop list or radio group with nothing chosen
    int64_t integer = 0;
    float number = 0;
    std::string text;
};

class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void ControlChanged(int /*id*/) {}  // any property of one control
    virtual void ControlsChanged() {}           // controls added or removed
    virtual void TitleChanged() {}
    virtual void FocusRequested(int /*id*/) {}  // give the control the focus, text selected
    virtual void LayoutChanged() {}             // control rectangles moved (resizing)
    virtual void Ended(Answer /*result*/) {}
};

class Form {
  public:
    explicit Form(std::string title, int width = 300, int height = 200);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // ---- building ----
    Control& Add(Control c);
    Control& AddLabel(int id, std::string text, Rect r);
    Control& AddGroup(int id, std::string text, Rect r);
    Control& AddEdit(int id, Rect r);
    Control& AddCheck(int id, std::string text, Rect r);
    Control& AddRadio(int id, int group, std::string text, Rect r);
    Control& AddDropList(int id, Rect r, std::vector<Choice> choices = {});
    Control& AddList(int id, Rect r, std::vector<ListColumn> columns);
    Control& AddButton(int id, std::string text, Rect r);
    // The large name field at the top of a detail dialog: an edit in 24-point "Arial".
    Control& AddTitleEdit(int id, Rect r);
    // The usual OK and Cancel buttons at the bottom right.
    void AddOkCancel(std::string okText = "OK", std::string cancelText = "Cancel");
    // Exchange order: the order in which fields are bound.
    void Bind(int id, Exchange type, std::optional<ExchangeRange> range = std::nullopt,
              int maxChars = 0);

    // ---- what the renderer reads ----
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<Control>& Controls() const { return controls_; }
    const Control* Find(int id) const;
    Control* Find(int id);
    int Focus() const { return focus_; }
    bool Resizable() const { return layout_ != nullptr; }
    const SizingLayout* Layout() const { return layout_.get(); }
    void AddObserver(FormObserver* o);
    void RemoveObserver(FormObserver* o);

    // ---- control state (renderer and tests) ----
    void SetText(int id, std::string text);
    std::string Text(int id) const;
    void SetSelection(int id, size_t start, size_t end);
    void SetChecked(int id, bool checked);  // a radio button unchecks the rest of its group
    bool Checked(int id) const;
    void SetSelected(int id, int index);  // drop list entry or list row, -1 none
    int Selected(int id) const;
    void SelectValue(int id, int value);  // the drop-list entry with that value, or none
    std::optional<int> SelectedValue(int id) const;
    void Enable(int id, bool enabled);
    bool Enabled(int id) const;
    void SetRows(int id, std::vector<ListRow> rows);
    void SetCell(int id, int row, int column, std::string text);
    const std::vector<ListRow>& Rows(int id) const;
    void SetListMode(int id, int mode);
    void SetPosition(int id, int position);  // sliders and scroll bars
    int Position(int id) const;
    // A drawing area's picture is out of date: the renderer repaints it.
    void Invalidate(int id) { Changed(id); }

    // ---- user actions ----
    void Press(int id);
    void FocusLost(int id);
    void ListEvent(int id, ListEventKind kind, int row, int column = 0);
    // A slider or scroll bar was moved (thumb: the position it was dragged to).
    void Scroll(int id, ScrollAction action, int thumb = 0);
    // The renderer asks a drawing area to draw itself onto a canvas of its size.
    void Paint(int id, Canvas& canvas) { OnPaint(id, canvas); }
    // Characters typed into an edit at its selection ('\b' is Backspace); a numeric edit checks
    // each one. True when a numeric edit refused one: the rest, and every further character
    // already waiting for the field, are discarded.
    bool TypeChars(int id, std::string_view chars);
    // The client area was resized (resizable dialogs).
    void Resize(int width, int height);

    // ---- field exchange ----
    void ShowInt(int id, int64_t value);        // "%d"
    void ShowUnsigned(int id, uint32_t value);  // "%u"
    void ShowFloat(int id, float value);        // six significant digits
    void ShowText(int id, std::string text);
    void ShowCheck(int id, bool value);
    // Takes every bound field in exchange order. The first one that fails shows its message,
    // gets the focus with its whole text selected, and ends the transfer: false.
    bool TakeFields();
    const Taken& Value(int id) const;

    // ---- lifecycle ----
    void Begin(Ui& ui);
    bool Ended() const { return ended_; }
    Answer Result() const { return result_; }
    void End(Answer result);
    Ui& GetUi() const { return *ui_; }
    bool HasUi() const { return ui_ != nullptr; }

  protected:
    virtual void OnInitDialog() {}
    // OK takes the fields and closes; a field that fails keeps the dialog open.
    virtual void OnOK();
    virtual void OnCancel() { End(Answer::Cancel); }
    virtual void OnButton(int /*id*/) {}
    virtual void OnFocusLost(int /*id*/) {}
    virtual void OnListEvent(int /*id*/, ListEventKind /*kind*/, int /*row*/, int /*column*/) {}
    // A list's selected row or a drop list's entry changed (by the person or by the dialog).
    virtual void OnSelectionChanged(int /*id*/) {}
    // A slider or scroll bar moved; by default it takes the new position (clamped to its range).
    virtual void OnScroll(int id, ScrollAction action, int thumb);
    virtual void OnPaint(int /*id*/, Canvas& /*canvas*/) {}

    // Makes the form resizable with the anchoring engine; call in the constructor, then anchor
    // controls with Anchor in OnInitDialog (after the layout is initialised).
    void MakeResizable(int growPercent = 0);
    bool Anchor(int id, int horizontalMode, int verticalMode);

    void Changed(int id);
    void RequestFocus(int id);

  private:
    Control& At(int id);
    const Control& At(int id) const;
    // The name of a person's action in the form, for the journal: "Weapon Data: Update".
    std::string ActionName(const std::string& label) const;
    bool TakeOne(size_t entry);

    struct Binding {
        int id;
        Exchange type;
        std::optional<ExchangeRange> range;
        int maxChars;
        Taken taken;
    };

    std::string title_;
    int width_, height_;
    std::vector<Control> controls_;
    std::vector<Binding> bindings_;
    std::vector<FormObserver*> observers_;
    std::unique_ptr<SizingLayout> layout_;
    int growPercent_ = 0;
    Ui* ui_ = nullptr;
    bool ended_ = false;
    Answer result_ = Answer::Cancel;
    int focus_ = 0;
};

// A control bound to a field of a record: the field exchange between record bytes and the
// form, described as data. Showing reads the field; storing (after TakeFields succeeded) writes
// it back, where a float is written only when it changed by more than 0.00001 (so a value that
// only passed through its text keeps its exact bits) and a drop list with nothing selected
// leaves its field as it was.
struct RecordBinding {
    int control;
    uint16_t offset;
    FieldType field;
    Exchange exchange;
    uint16_t length = 0;  // bytes of a text field
};
void ShowRecordFields(Form& form, const std::vector<RecordBinding>& bindings,
                      const uint8_t* record);
void StoreRecordFields(const Form& form, const std::vector<RecordBinding>& bindings,
                       uint8_t* record);
// The range an edit must keep to when it exchanges a field narrower than the exchange reads
// (a 16-bit field taken as a 32-bit integer); nothing when every value the exchange reads fits.
std::optional<ExchangeRange> FieldRange(FieldType field, Exchange exchange);
// The float rule on its own: whether an entered value replaces a stored one.
bool FloatChanged(float entered, float stored);

// The text checks of the field exchange, usable on their own. Each returns false for a text
// that is no such number.
bool ParseIntText(std::string_view text, int64_t& out);  // signed, 32-bit
bool ParseShortText(std::string_view text, int64_t& out);
bool ParseUnsignedText(std::string_view text, int64_t& out);  // 32-bit, no sign
bool ParseFloatText(std::string_view text, float& out);
// "%.*g" at six significant digits.
std::string FloatText6(double v);

}  // namespace tablon
