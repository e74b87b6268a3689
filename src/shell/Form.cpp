#include "shell/Form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "shell/NumberText.h"
#include "store/Bytes.h"

namespace tablon {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// [blanks] [sign] digits [blanks], the value clamped to what a 32-bit number holds, as the
// dialog framework reads integers.
// Reads a decimal number; outOfRange tells of one that lies beyond [lo, hi] (out is then the
// nearer end, and false comes back).
bool ParseDecimal(std::string_view t, bool allowMinus, int64_t lo, int64_t hi, int64_t& out,
                  bool* outOfRange = nullptr) {
    size_t i = 0;
    while (i < t.size() && IsBlank(t[i])) ++i;
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        neg = t[i] == '-';
        if (neg && !allowMinus) return false;
        ++i;
    }
    size_t start = i;
    int64_t v = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        if (v < int64_t(1) << 40) v = v * 10 + (t[i] - '0');
        ++i;
    }
    if (i == start) return false;
    while (i < t.size() && IsBlank(t[i])) ++i;
    if (i != t.size()) return false;
    if (neg) v = -v;
    out = std::clamp(v, lo, hi);
    if (out != v) {
        if (outOfRange) *outOfRange = true;
        return false;
    }
    return true;
}

std::string IntegerRangeText(int64_t lo, int64_t hi) {
    return Format("Please enter an integer between %lld and %lld.", static_cast<long long>(lo),
                  static_cast<long long>(hi));
}

std::string_view NumericPart(const std::string& text) {
    // A numeric field is read from at most 31 characters of its text.
    return std::string_view(text).substr(0, 31);
}

}  // namespace

bool ParseIntText(std::string_view text, int64_t& out) {
    return ParseDecimal(text, true, std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max(), out);
}

bool ParseShortText(std::string_view text, int64_t& out) {
    int64_t v = 0;
    if (!ParseIntText(text, v) || v < std::numeric_limits<int16_t>::min() ||
        v > std::numeric_limits<int16_t>::max())
        return false;
    out = v;
    return true;
}

bool ParseUnsignedText(std::string_view text, int64_t& out) {
    return ParseDecimal(text, false, 0, std::numeric_limits<uint32_t>::max(), out);
}

bool ParseFloatText(std::string_view text, float& out) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    double v = 0;
    std::string_view rest = text.substr(i);
    // A number alone: the scan reads exactly one item and no blank other than spaces and tabs.
    for (char c : rest)
        if (c != ' ' && c != '\t' && std::isspace(static_cast<unsigned char>(c))) return false;
    if (ScanNumberAndWord(rest, v) != 1) return false;
    out = NearestFloat(v);
    return true;
}

std::string FloatText6(double v) {
    return FormatDouble("%.6g", v);
}

Form::Form(std::string title, int width, int height)
    : title_(std::move(title)), width_(width), height_(height) {}

// ---- building ----

Control& Form::Add(Control c) {
    controls_.push_back(std::move(c));
    for (auto* o : observers_) o->ControlsChanged();
    return controls_.back();
}

Control& Form::AddLabel(int id, std::string text, Rect r) {
    Control c;
    c.id = id;
    c.kind = ControlKind::Label;
    c.label = std::move(text);
    c.rect = r;
    return Add(std::move(c));
}

Control& Form::AddGroup(int id, std::string text, Rect r) {
    Control& c = AddLabel(id, std::move(text), r);
    c.kind = ControlKind::GroupBox;
    return c;
}

Control& Form::AddEdit(int id, Rect r) {
    Control c;
    c.id = id;
    c.kind = ControlKind::Edit;
    c.rect = r;
    return Add(std::move(c));
}

Control& Form::AddCheck(int id, std::string text, Rect r) {
    Control& c = AddLabel(id, std::move(text), r);
    c.kind = ControlKind::CheckBox;
    return c;
}

Control& Form::AddRadio(int id, int group, std::string text, Rect r) {
    Control& c = AddLabel(id, std::move(text), r);
    c.kind = ControlKind::Radio;
    c.group = group;
    return c;
}

Control& Form::AddDropList(int id, Rect r, std::vector<Choice> choices) {
    Control c;
    c.id = id;
    c.kind = ControlKind::DropList;
    c.rect = r;
    c.choices = std::move(choices);
    return Add(std::move(c));
}

Control& Form::AddList(int id, Rect r, std::vector<ListColumn> columns) {
    Control c;
    c.id = id;
    c.kind = ControlKind::List;
    c.rect = r;
    c.columns = std::move(columns);
    return Add(std::move(c));
}

Control& Form::AddButton(int id, std::string text, Rect r) {
    Control& c = AddLabel(id, std::move(text), r);
    c.kind = ControlKind::Button;
    return c;
}

Control& Form::AddTitleEdit(int id, Rect r) {
    Control& c = AddEdit(id, r);
    c.fontFace = "Arial";
    c.fontPoints = 24;
    return c;
}

void Form::AddOkCancel(std::string okText, std::string cancelText) {
    const int w = width_, h = height_;
    AddButton(kIdOk, std::move(okText), {w - 160, h - 32, w - 90, h - 8}).defaultButton = true;
    AddButton(kIdCancel, std::move(cancelText), {w - 80, h - 32, w - 10, h - 8});
}

void Form::Bind(int id, Exchange type, std::optional<ExchangeRange> range, int maxChars) {
    bindings_.push_back({id, type, range, maxChars, {}});
    if (type == Exchange::Text && maxChars > 0)
        if (Control* c = Find(id)) c->maxChars = maxChars;
}

// ---- access ----

void Form::SetTitle(std::string title) {
    title_ = std::move(title);
    for (auto* o : observers_) o->TitleChanged();
}

const Control* Form::Find(int id) const {
    for (const auto& c : controls_)
        if (c.id == id) return &c;
    return nullptr;
}

Control* Form::Find(int id) {
    for (auto& c : controls_)
        if (c.id == id) return &c;
    return nullptr;
}

Control& Form::At(int id) {
    if (Control* c = Find(id)) return *c;
    throw std::out_of_range("no control " + std::to_string(id) + " in \"" + title_ + "\"");
}

const Control& Form::At(int id) const {
    return const_cast<Form*>(this)->At(id);
}

void Form::AddObserver(FormObserver* o) {
    observers_.push_back(o);
}

void Form::RemoveObserver(FormObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void Form::Changed(int id) {
    for (auto* o : observers_) o->ControlChanged(id);
}

void Form::RequestFocus(int id) {
    focus_ = id;
    if (Control* c = Find(id)) {
        c->selStart = 0;
        c->selEnd = c->text.size();
    }
    for (auto* o : observers_) o->FocusRequested(id);
}

// ---- control state ----

void Form::SetText(int id, std::string text) {
    Control& c = At(id);
    c.text = std::move(text);
    c.selStart = c.selEnd = c.text.size();
    Changed(id);
}

std::string Form::Text(int id) const {
    return At(id).text;
}

void Form::SetSelection(int id, size_t start, size_t end) {
    Control& c = At(id);
    c.selStart = std::min(start, c.text.size());
    c.selEnd = std::min(end, c.text.size());
}

void Form::SetChecked(int id, bool checked) {
    Control& c = At(id);
    if (c.kind == ControlKind::Radio && checked) {
        for (auto& other : controls_) {
            if (other.kind == ControlKind::Radio && other.group == c.group && other.id != id &&
                other.checked) {
                other.checked = false;
                Changed(other.id);
            }
        }
    }
    c.checked = checked;
    Changed(id);
}

bool Form::Checked(int id) const {
    return At(id).checked;
}

void Form::SetSelected(int id, int index) {
    Control& c = At(id);
    int n = int(c.kind == ControlKind::List ? c.rows.size() : c.choices.size());
    int v = index >= 0 && index < n ? index : -1;
    int& selected = c.kind == ControlKind::List ? c.selectedRow : c.selected;
    if (selected == v) return;
    selected = v;
    Changed(id);
    OnSelectionChanged(id);
}

int Form::Selected(int id) const {
    const Control& c = At(id);
    return c.kind == ControlKind::List ? c.selectedRow : c.selected;
}

void Form::SelectValue(int id, int value) {
    Control& c = At(id);
    c.selected = -1;
    for (size_t i = 0; i < c.choices.size(); ++i)
        if (c.choices[i].value == value) {
            c.selected = int(i);
            break;
        }
    Changed(id);
}

std::optional<int> Form::SelectedValue(int id) const {
    const Control& c = At(id);
    if (c.selected < 0 || size_t(c.selected) >= c.choices.size()) return std::nullopt;
    return c.choices[size_t(c.selected)].value;
}

void Form::Enable(int id, bool enabled) {
    Control& c = At(id);
    if (c.enabled == enabled) return;
    c.enabled = enabled;
    Changed(id);
}

bool Form::Enabled(int id) const {
    return At(id).enabled;
}

void Form::SetRows(int id, std::vector<ListRow> rows) {
    Control& c = At(id);
    c.rows = std::move(rows);
    c.selectedRow = -1;
    Changed(id);
}

void Form::SetCell(int id, int row, int column, std::string text) {
    Control& c = At(id);
    if (row < 0 || size_t(row) >= c.rows.size() || column < 0) return;
    auto& cells = c.rows[size_t(row)].cells;
    if (cells.size() <= size_t(column)) cells.resize(size_t(column) + 1);
    cells[size_t(column)] = std::move(text);
    Changed(id);
}

const std::vector<ListRow>& Form::Rows(int id) const {
    return At(id).rows;
}

void Form::SetListMode(int id, int mode) {
    Control& c = At(id);
    if (c.listMode == mode) return;
    c.listMode = mode;
    Changed(id);
}

void Form::SetPosition(int id, int position) {
    Control& c = At(id);
    position = std::clamp(position, c.minimum, std::max(c.minimum, c.maximum));
    if (c.position == position) return;
    c.position = position;
    Changed(id);
}

int Form::Position(int id) const {
    return At(id).position;
}

// ---- user actions ----

void Form::Press(int id) {
    if (ended_) return;
    const Control* c = Find(id);
    if (c && (!c->enabled || !c->visible)) return;
    OperationScope operation(ui_, ActionName(c ? c->label : std::string()));
    if (id == kIdOk)
        OnOK();
    else if (id == kIdCancel)
        OnCancel();
    else
        OnButton(id);
}

std::string Form::ActionName(const std::string& label) const {
    std::string name = title_;
    std::string text;
    for (char ch : label)
        if (ch != '&') text += ch;
    if (!text.empty()) name += (name.empty() ? "" : ": ") + text;
    return name;
}

void Form::FocusLost(int id) {
    if (!ended_) OnFocusLost(id);
}

void Form::ListEvent(int id, ListEventKind kind, int row, int column) {
    if (ended_) return;
    const Control& c = At(id);
    if (row >= int(c.rows.size())) row = -1;
    OperationScope operation(ui_, ActionName({}));
    OnListEvent(id, kind, row, column);
}

void Form::Scroll(int id, ScrollAction action, int thumb) {
    if (ended_) return;
    OnScroll(id, action, thumb);
}

void Form::OnScroll(int id, ScrollAction action, int thumb) {
    const Control& c = At(id);
    int p = c.position;
    switch (action) {
        case ScrollAction::LineUp:
            p -= 1;
            break;
        case ScrollAction::LineDown:
            p += 1;
            break;
        case ScrollAction::PageUp:
            p -= c.maximum / 2;
            break;
        case ScrollAction::PageDown:
            p += c.maximum / 2;
            break;
        case ScrollAction::Thumb:
            p = thumb;
            break;
        case ScrollAction::Top:
            p = c.minimum;
            break;
        case ScrollAction::Bottom:
            p = c.maximum;
            break;
    }
    SetPosition(id, p);
}

bool Form::TypeChars(int id, std::string_view chars) {
    Control& c = At(id);
    EditState s{c.text, c.selStart, c.selEnd};
    bool refused = false;
    for (char ch : chars) {
        if (c.numeric) {
            if ((refused = c.numeric->TypeChar(s, ch, ui_))) break;
        } else {
            EditState before = s;
            ApplyChar(s, ch);
            if (c.maxChars > 0 && s.text.size() > size_t(c.maxChars)) s = before;
        }
    }
    c.text = s.text;
    c.selStart = s.selStart;
    c.selEnd = s.selEnd;
    Changed(id);
    return refused;
}

void Form::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    if (!layout_) return;
    for (const auto& p : layout_->OnSize(SizingLayout::SizeKind::Restored, width, height))
        if (Control* c = Find(p.id)) c->rect = p.rect;
    for (auto* o : observers_) o->LayoutChanged();
}

void Form::MakeResizable(int growPercent) {
    layout_ = std::make_unique<SizingLayout>();
    growPercent_ = growPercent;
}

bool Form::Anchor(int id, int horizontalMode, int verticalMode) {
    if (!layout_) return false;
    Control* c = Find(id);
    auto r = layout_->Add(id, c ? std::optional<Rect>(c->rect) : std::nullopt, horizontalMode,
                          verticalMode);
    if (!r) return false;
    c->rect = *r;
    return true;
}

// ---- field exchange ----

void Form::ShowInt(int id, int64_t value) {
    ShowText(id, std::to_string(value));
}

void Form::ShowUnsigned(int id, uint32_t value) {
    ShowText(id, std::to_string(value));
}

void Form::ShowFloat(int id, float value) {
    ShowText(id, FloatText6(value));
}

void Form::ShowText(int id, std::string text) {
    Control& c = At(id);
    c.text = std::move(text);
    c.selStart = c.selEnd = 0;
    Changed(id);
}

void Form::ShowCheck(int id, bool value) {
    At(id).checked = value;
    Changed(id);
}

bool Form::TakeFields() {
    for (size_t i = 0; i < bindings_.size(); ++i)
        if (!TakeOne(i)) return false;
    return true;
}

bool Form::TakeOne(size_t entry) {
    Binding& b = bindings_[entry];
    const Control& c = At(b.id);
    Taken t;
    t.present = true;
    std::string message;
    auto intRange = [&](int64_t v) {
        if (b.range && (double(v) < b.range->min || double(v) > b.range->max))
            message = IntegerRangeText(int64_t(b.range->min), int64_t(b.range->max));
        t.integer = v;
    };
    // A number too large for the field's width is refused with the range it can take (never
    // cut down to the nearest value it holds).
    auto widthRange = [&](int64_t lo, int64_t hi) {
        message = b.range ? IntegerRangeText(int64_t(b.range->min), int64_t(b.range->max))
                          : IntegerRangeText(lo, hi);
    };
    switch (b.type) {
        case Exchange::Int:
        case Exchange::Int16: {
            // A 16-bit entry past its width is no such number ("Please enter an integer.").
            const bool wide = b.type == Exchange::Int;
            const int64_t lo =
                wide ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int16_t>::min();
            const int64_t hi =
                wide ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int16_t>::max();
            int64_t v = 0;
            bool outOfRange = false;
            if (ParseDecimal(NumericPart(c.text), true, lo, hi, v, &outOfRange))
                intRange(v);
            else if (outOfRange && wide)
                widthRange(lo, hi);
            else
                message = "Please enter an integer.";
            break;
        }
        case Exchange::Byte: {
            int64_t v = 0;
            if (!ParseUnsignedText(NumericPart(c.text), v) || v > 255)
                message = "Please enter an integer between 0 and 255.";
            else
                intRange(v);
            break;
        }
        case Exchange::UInt: {
            const int64_t hi = std::numeric_limits<uint32_t>::max();
            int64_t v = 0;
            bool outOfRange = false;
            if (ParseDecimal(NumericPart(c.text), false, 0, hi, v, &outOfRange))
                intRange(v);
            else if (outOfRange)
                widthRange(0, hi);
            else
                message = "Please enter a positive integer.";
            break;
        }
        case Exchange::Float: {
            float v = 0;
            if (!ParseFloatText(NumericPart(c.text), v)) {
                message = "Please enter a number.";
            } else if (b.range && (double(v) < b.range->min || double(v) > b.range->max)) {
                message = "Please enter a number between " + FloatText6(b.range->min) + " and " +
                          FloatText6(b.range->max) + ".";
            }
            t.number = v;
            break;
        }
        case Exchange::Text:
            if (b.maxChars > 0 && c.text.size() > size_t(b.maxChars))
                message = Format("Please enter no more than %d characters.", b.maxChars);
            t.text = c.text;
            break;
        case Exchange::Check:
            t.integer = c.checked ? 1 : 0;
            break;
        case Exchange::Choice: {
            auto v = SelectedValue(b.id);
            t.present = v.has_value();
            t.integer = v.value_or(0);
            break;
        }
        case Exchange::Radio: {
            int index = 0;
            t.integer = -1;
            for (const auto& other : controls_) {
                if (other.kind != ControlKind::Radio || other.group != c.group) continue;
                if (other.checked) {
                    t.integer = index;
                    break;
                }
                ++index;
            }
            t.present = t.integer >= 0;
            break;
        }
    }
    if (!message.empty()) {
        if (ui_) ui_->Show(message, Icon::Exclamation);
        RequestFocus(b.id);
        return false;
    }
    b.taken = std::move(t);
    return true;
}

const Taken& Form::Value(int id) const {
    for (const auto& b : bindings_)
        if (b.id == id) return b.taken;
    throw std::out_of_range("control " + std::to_string(id) + " is not exchanged");
}

// ---- record bindings ----

namespace {

int64_t ReadInteger(const uint8_t* p, FieldType t) {
    switch (t) {
        case FieldType::I8:
            return int8_t(*p);
        case FieldType::U8:
            return *p;
        case FieldType::I16:
            return LoadLE<int16_t>(p);
        case FieldType::U16:
            return LoadLE<uint16_t>(p);
        case FieldType::I32:
            return LoadLE<int32_t>(p);
        case FieldType::U32:
            return LoadLE<uint32_t>(p);
        default:
            return 0;
    }
}

void WriteInteger(uint8_t* p, FieldType t, int64_t v) {
    switch (t) {
        case FieldType::I8:
        case FieldType::U8:
            *p = uint8_t(v);
            break;
        case FieldType::I16:
        case FieldType::U16:
            StoreLE<uint16_t>(p, uint16_t(v));
            break;
        case FieldType::I32:
        case FieldType::U32:
            StoreLE<uint32_t>(p, uint32_t(v));
            break;
        default:
            break;
    }
}

}  // namespace

std::optional<ExchangeRange> FieldRange(FieldType field, Exchange exchange) {
    const bool narrow16 = field == FieldType::I16 || field == FieldType::U16;
    const bool narrow8 = field == FieldType::I8 || field == FieldType::U8;
    if (exchange == Exchange::Int || exchange == Exchange::UInt) {
        // The field is shown as the exchange reads it (signed 16 bits for a 16-bit field taken
        // as a signed integer), so the range is the one that shows and stores the same value.
        if (narrow16)
            return exchange == Exchange::Int ? ExchangeRange{-32768, 32767}
                                             : ExchangeRange{0, 65535};
        if (narrow8)
            return exchange == Exchange::Int ? ExchangeRange{-128, 127} : ExchangeRange{0, 255};
    }
    if (exchange == Exchange::Int16 && narrow8)
        return field == FieldType::I8 ? ExchangeRange{-128, 127} : ExchangeRange{0, 255};
    return std::nullopt;
}

bool FloatChanged(float entered, float stored) {
    return std::fabs(double(entered) - double(stored)) > 0.00001;
}

void ShowRecordFields(Form& form, const std::vector<RecordBinding>& bindings,
                      const uint8_t* record) {
    for (const auto& b : bindings) {
        const uint8_t* p = record + b.offset;
        const int64_t v = ReadInteger(p, b.field);
        switch (b.exchange) {
            case Exchange::Int:
                form.ShowInt(b.control, int32_t(uint32_t(v)));
                break;
            case Exchange::Int16:
                form.ShowInt(b.control, int16_t(uint16_t(v)));
                break;
            case Exchange::Byte:
                form.ShowUnsigned(b.control, uint8_t(v));
                break;
            case Exchange::UInt:
                form.ShowUnsigned(b.control, uint32_t(v));
                break;
            case Exchange::Float:
                form.ShowFloat(b.control, LoadLE<float>(p));
                break;
            case Exchange::Text:
                form.ShowText(b.control, LoadText(p, b.length));
                break;
            case Exchange::Check:
                form.ShowCheck(b.control, v != 0);
                break;
            case Exchange::Choice:
                form.SelectValue(b.control, int(v));
                break;
            case Exchange::Radio:
                break;
        }
    }
}

void StoreRecordFields(const Form& form, const std::vector<RecordBinding>& bindings,
                       uint8_t* record) {
    for (const auto& b : bindings) {
        const Taken& t = form.Value(b.control);
        uint8_t* p = record + b.offset;
        switch (b.exchange) {
            case Exchange::Float:
                if (FloatChanged(t.number, LoadLE<float>(p))) StoreLE<float>(p, t.number);
                break;
            case Exchange::Text:
                StoreText(p, b.length, t.text);
                break;
            case Exchange::Choice:
            case Exchange::Radio:
                if (t.present) WriteInteger(p, b.field, t.integer);
                break;
            default:
                WriteInteger(p, b.field, t.integer);
        }
    }
}

// ---- lifecycle ----

void Form::Begin(Ui& ui) {
    ui_ = &ui;
    ended_ = false;
    result_ = Answer::Cancel;
    if (layout_) {
        Rect window = layout_->Init(width_, height_, {0, 0, width_, height_}, growPercent_);
        width_ = window.Width();
        height_ = window.Height();
    }
    OnInitDialog();
}

void Form::End(Answer result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
    for (auto* o : observers_) o->Ended(result);
}

void Form::OnOK() {
    if (TakeFields()) End(Answer::Ok);
}

}  // namespace tablon
