#include "qt/FormView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "qt/FontScale.h"
#include "qt/ListModels.h"
#include "qt/ListWidget.h"
#include "qt/PainterCanvas.h"
#include "qt/Pictures.h"
#include "shell/ToolTips.h"

namespace tablon {

namespace {

// A drawing area: the form draws it on every repaint.
class CanvasArea : public QFrame {
  public:
    CanvasArea(Form& form, int id, QWidget* parent) : QFrame(parent), form_(form), id_(id) {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PainterCanvas canvas(painter, width(), height());
        form_.Paint(id_, canvas);
    }

  private:
    Form& form_;
    int id_;
};

ScrollAction ScrollActionOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return ScrollAction::LineUp;
        case QAbstractSlider::SliderSingleStepAdd:
            return ScrollAction::LineDown;
        case QAbstractSlider::SliderPageStepSub:
            return ScrollAction::PageUp;
        case QAbstractSlider::SliderPageStepAdd:
            return ScrollAction::PageDown;
        case QAbstractSlider::SliderToMinimum:
            return ScrollAction::Top;
        case QAbstractSlider::SliderToMaximum:
            return ScrollAction::Bottom;
        default:
            return ScrollAction::Thumb;
    }
}

QString Text(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// A caption without its mnemonic markers ("&&" stays one "&").
QString PlainCaption(const std::string& s) {
    QString out;
    const QString in = Text(s);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '&' && i + 1 < in.size()) ++i;
        out += in[i];
    }
    return out;
}

// An edit of a form: a numeric one checks every typed character with the form; each tells
// the form when it loses the focus.
class EditField : public QLineEdit {
  public:
    EditField(FormView* owner, int id, bool numeric)
        : QLineEdit(owner), owner_(owner), id_(id), numeric_(numeric) {}

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (!numeric_ || isReadOnly()) return QLineEdit::keyPressEvent(e);
        if (discarding_) {
            // Characters that were waiting when one was refused.
            if (!e->text().isEmpty()) return e->accept();
        }
        char ch = 0;
        const QString t = e->text();
        const auto modifiers =
            e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (e->key() == Qt::Key_Backspace && !modifiers)
            ch = '\b';
        else if (!t.isEmpty() && !modifiers && t[0].unicode() >= 0x20 && t[0].unicode() != 0x7f)
            ch = t[0].unicode() < 0x80 ? char(t[0].unicode()) : '?';
        if (!ch) return QLineEdit::keyPressEvent(e);
        e->accept();
        if (owner_->Typed(id_, ch)) {
            discarding_ = true;
            QTimer::singleShot(0, this, [this] { discarding_ = false; });
        }
    }

    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        // A popup (the edit's own menu) takes the focus only for a moment.
        if (e->reason() != Qt::PopupFocusReason) owner_->EditLostFocus(id_);
    }

  private:
    FormView* owner_;
    int id_;
    bool numeric_;
    bool discarding_ = false;
};

}  // namespace

FormView::FormView(Form& form, QWidget* parent) : QWidget(parent), form_(form) {
    const FontScale scale = FontScale::Of(font());
    scaleX_ = scale.x;
    scaleY_ = scale.y;
    form_.AddObserver(this);
    Build();
}

FormView::~FormView() {
    form_.RemoveObserver(this);
}

QWidget* FormView::Widget(int id) const {
    const auto& controls = form_.Controls();
    for (size_t i = 0; i < controls.size() && i < widgets_.size(); ++i)
        if (controls[i].id == id) return widgets_[i];
    return nullptr;
}

void FormView::Build() {
    // The old widgets may be in the middle of sending the signal that changed the form.
    for (QWidget* w : widgets_) {
        w->hide();
        w->deleteLater();
    }
    widgets_.clear();
    lists_.assign(form_.Controls().size(), nullptr);
    const auto& controls = form_.Controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        widgets_.push_back(Make(i));
        Sync(i);
    }
    // Group boxes lie behind the controls they frame.
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i].kind == ControlKind::GroupBox) widgets_[i]->lower();
    // A label with a mnemonic ("&Record:") gives the focus to the next control that takes it.
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind != ControlKind::Label) continue;
        const QString text = Text(controls[i].label);
        if (!text.contains('&') || text.count(QStringLiteral("&&")) * 2 == text.count('&'))
            continue;
        for (size_t k = i + 1; k < controls.size(); ++k)
            if ((widgets_[k]->focusPolicy() & Qt::TabFocus) || widgets_[k]->focusProxy()) {
                auto* label = static_cast<QLabel*>(widgets_[i]);
                label->setBuddy(widgets_[k]);
                label->setText(text);
                break;
            }
    }
    Place();
}

QWidget* FormView::Make(size_t index) {
    const Control& c = form_.Controls()[index];
    const int id = c.id;
    QWidget* w = nullptr;
    switch (c.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            // A label with room for two lines wraps; one with room for one stays on its line.
            const bool multiLine =
                ToWidget(c.rect).height() >= 2 * label->fontMetrics().lineSpacing();
            label->setWordWrap(multiLine);
            label->setAlignment(Qt::AlignLeft | (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
            w = label;
            break;
        }
        case ControlKind::GroupBox:
            w = new QGroupBox(this);
            break;
        case ControlKind::Edit: {
            auto* edit = new EditField(this, id, c.numeric.has_value());
            connect(edit, &QLineEdit::textEdited, this, [this, id, edit](const QString& t) {
                pushing_ = id;
                form_.SetText(id, t.toStdString());
                pushing_ = 0;
                const size_t caret = size_t(edit->cursorPosition());
                form_.SetSelection(id, caret, caret);
            });
            w = edit;
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::Radio: {
            QAbstractButton* b = c.kind == ControlKind::CheckBox
                                     ? static_cast<QAbstractButton*>(new QCheckBox(this))
                                     : new QRadioButton(this);
            b->setAutoExclusive(false);
            const bool radio = c.kind == ControlKind::Radio;
            connect(b, &QAbstractButton::clicked, this, [this, id, radio](bool checked) {
                // A radio button stays checked when clicked again; the form unchecks the
                // rest of its group.
                form_.SetChecked(id, radio ? true : checked);
                form_.Press(id);
            });
            w = b;
            break;
        }
        case ControlKind::DropList: {
            auto* combo = new QComboBox(this);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            // A choice is handed to the form like a click, so that a dialog can follow it.
            connect(combo, &QComboBox::activated, this, [this, id](int index) {
                form_.SetSelected(id, index);
                form_.Press(id);
            });
            w = combo;
            break;
        }
        case ControlKind::List: {
            auto* list = new ListWidget(this);
            auto* model = new FormListModel(form_, id, list);
            lists_[index] = model;
            list->SetModel(model);
            list->SetSingleSelection(true);
            connect(list, &ListWidget::SelectionChanged, this, [this, id, list] {
                const std::vector<int> rows = list->SelectedRows();
                pushing_ = id;
                form_.SetSelected(id, rows.empty() ? -1 : rows.front());
                pushing_ = 0;
            });
            connect(list, &ListWidget::RowDoubleClicked, this, [this, id](int row, int column) {
                form_.ListEvent(id, ListEventKind::DoubleClick, row, column);
            });
            connect(list, &ListWidget::HeaderClicked, this, [this, id](int column) {
                form_.ListEvent(id, ListEventKind::HeaderClick, -1, column);
            });
            connect(list, &ListWidget::ContextMenuRequested, this,
                    [this, id, list](std::optional<QPoint> mouse) {
                        const int row = mouse ? list->RowAt(*mouse) : list->CurrentRow();
                        const int column = mouse ? std::max(0, list->ColumnAt(*mouse)) : 0;
                        form_.ListEvent(id, ListEventKind::RightClick, row, column);
                    });
            w = list;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(this);
            connect(button, &QPushButton::clicked, this, [this, id] { form_.Press(id); });
            w = button;
            break;
        }
        case ControlKind::Slider:
        case ControlKind::ScrollBar: {
            const auto orientation =
                c.rect.Width() >= c.rect.Height() ? Qt::Horizontal : Qt::Vertical;
            QAbstractSlider* s = c.kind == ControlKind::Slider
                                     ? static_cast<QAbstractSlider*>(new QSlider(orientation, this))
                                     : new QScrollBar(orientation, this);
            // The form moves the control: Qt's own step is replaced by the form's position.
            connect(s, &QAbstractSlider::actionTriggered, this, [this, id, s](int action) {
                if (action == QAbstractSlider::SliderNoAction) return;
                form_.Scroll(id, ScrollActionOf(action), s->sliderPosition());
                s->setSliderPosition(form_.Position(id));
            });
            w = s;
            break;
        }
        case ControlKind::Canvas: {
            w = new CanvasArea(form_, id, this);
            break;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(this);
            label->setAlignment(Qt::AlignCenter);
            const QRect r = ToWidget(c.rect);
            const int side = std::min(r.width(), r.height());
            label->setPixmap(AppIcon().pixmap(QSize(side, side), devicePixelRatioF()));
            w = label;
            break;
        }
    }
    if (kToolTipsOn)
        if (const char* tip = ToolTipText(id)) w->setToolTip(QString::fromUtf8(tip));
    if (!c.fontFace.empty() || c.fontPoints > 0) {
        QFont f = w->font();
        if (!c.fontFace.empty()) f.setFamily(Text(c.fontFace));
        if (c.fontPoints > 0) f.setPointSize(c.fontPoints);
        w->setFont(f);
    }
    return w;
}

void FormView::Sync(size_t index) {
    const Control& c = form_.Controls()[index];
    QWidget* w = widgets_[index];
    w->setEnabled(c.enabled);
    w->setVisible(c.visible);
    const QSignalBlocker block(w);
    switch (c.kind) {
        case ControlKind::Label: {
            auto* label = static_cast<QLabel*>(w);
            label->setText(label->buddy() ? Text(c.label) : PlainCaption(c.label));
            break;
        }
        case ControlKind::GroupBox:
            static_cast<QGroupBox*>(w)->setTitle(PlainCaption(c.label));
            break;
        case ControlKind::Edit: {
            auto* edit = static_cast<QLineEdit*>(w);
            edit->setReadOnly(c.readOnly);
            // Setting the limit sets the text anew, moving the caret: only when it changes.
            const int limit = c.maxChars > 0 ? c.maxChars : 32767;
            if (edit->maxLength() != limit) edit->setMaxLength(limit);
            if (pushing_ == c.id) break;  // the text came from the edit itself
            const QString text = Text(c.text);
            if (edit->text() != text) {
                edit->setText(text);
                edit->setCursorPosition(int(c.selEnd));
            }
            // A refused keystroke selects the whole text.
            const int start = int(std::min(c.selStart, c.selEnd));
            const int end = int(std::max(c.selStart, c.selEnd));
            if (end > start) edit->setSelection(start, end - start);
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::Radio: {
            auto* b = static_cast<QAbstractButton*>(w);
            b->setText(Text(c.label));
            b->setCheckable(true);
            b->setChecked(c.checked);
            break;
        }
        case ControlKind::DropList: {
            auto* combo = static_cast<QComboBox*>(w);
            bool same = combo->count() == int(c.choices.size());
            for (int i = 0; same && i < combo->count(); ++i)
                same = combo->itemText(i) == Text(c.choices[size_t(i)].text);
            if (!same) {
                combo->clear();
                for (const Choice& ch : c.choices) combo->addItem(Text(ch.text), ch.value);
            }
            combo->setCurrentIndex(c.selected);
            break;
        }
        case ControlKind::List: {
            if (pushing_ == c.id) break;
            auto* list = static_cast<ListWidget*>(w);
            lists_[index]->Refresh();
            list->SetMode(c.listMode);
            list->SelectRows(c.selectedRow >= 0 ? std::vector<int>{c.selectedRow}
                                                : std::vector<int>{});
            if (c.selectedRow >= 0) list->SetCurrentRow(c.selectedRow);
            break;
        }
        case ControlKind::Button: {
            auto* button = static_cast<QPushButton*>(w);
            button->setText(Text(c.label));
            button->setDefault(c.defaultButton);
            break;
        }
        case ControlKind::Slider:
        case ControlKind::ScrollBar: {
            auto* s = static_cast<QAbstractSlider*>(w);
            s->setRange(c.minimum, c.maximum);
            s->setValue(c.position);
            break;
        }
        case ControlKind::Canvas:
            w->update();
            break;
        case ControlKind::Icon:
            break;
    }
}

QRect FormView::ToWidget(const Rect& r) const {
    const int left = int(std::lround(r.left * scaleX_)), top = int(std::lround(r.top * scaleY_));
    const int right = int(std::lround(r.right * scaleX_));
    const int bottom = int(std::lround(r.bottom * scaleY_));
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

QSize FormView::ToWidget(int width, int height) const {
    return QSize(int(std::lround(width * scaleX_)), int(std::lround(height * scaleY_)));
}

void FormView::Place() {
    const auto& controls = form_.Controls();
    for (size_t i = 0; i < controls.size() && i < widgets_.size(); ++i)
        widgets_[i]->setGeometry(ToWidget(controls[i].rect));
}

void FormView::ControlChanged(int id) {
    const auto& controls = form_.Controls();
    for (size_t i = 0; i < controls.size() && i < widgets_.size(); ++i)
        if (controls[i].id == id) Sync(i);
}

void FormView::ControlsChanged() {
    Build();
}

void FormView::TitleChanged() {
    emit FormTitleChanged(Text(form_.Title()));
}

void FormView::FocusRequested(int id) {
    QWidget* w = Widget(id);
    if (!w) return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
}

void FormView::FocusRequestedControl() {
    if (form_.Focus() != 0) FocusRequested(form_.Focus());
}

void FormView::LayoutChanged() {
    Place();
}

void FormView::Ended(Answer result) {
    emit FormEnded(int(result));
}

bool FormView::Typed(int id, char ch) {
    QWidget* w = Widget(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        // The form types at the edit's selection, or at the caret.
        size_t start = size_t(edit->cursorPosition()), end = start;
        if (edit->hasSelectedText()) {
            start = size_t(edit->selectionStart());
            end = size_t(edit->selectionEnd());
        }
        form_.SetSelection(id, start, end);
    }
    return form_.TypeChars(id, std::string(1, ch));
}

void FormView::EditLostFocus(int id) {
    form_.FocusLost(id);
}

void FormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!form_.Resizable()) return;
    const int w = int(std::lround(width() / scaleX_)), h = int(std::lround(height() / scaleY_));
    if (w != form_.Width() || h != form_.Height()) form_.Resize(w, h);
}

// ---- FormDialog ----

FormDialog::FormDialog(Form& form, QWidget* parent)
    : QDialog(parent), view_(new FormView(form, this)) {
    setWindowTitle(Text(form.Title()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    const QSize size = view_->ToWidget(form.Width(), form.Height());
    if (const SizingLayout* sizing = form.Layout()) {
        const SizingLayout::MinMaxInfo info = sizing->OnMinMaxInfo();
        setMinimumSize(view_->ToWidget(info.minTrackWidth, info.minTrackHeight).boundedTo(size));
        const QSize most =
            view_->ToWidget(info.maxTrackWidth.value_or(0), info.maxTrackHeight.value_or(0));
        setMaximumSize(info.maxTrackWidth ? most.width() : QWIDGETSIZE_MAX,
                       info.maxTrackHeight ? most.height() : QWIDGETSIZE_MAX);
        setSizeGripEnabled(sizing->HasGrip());
        resize(size);
    } else {
        setFixedSize(size);
    }
    connect(view_, &FormView::FormEnded, this,
            [this](int result) { done(Answer(result) == Answer::Ok ? Accepted : Rejected); });
    connect(view_, &FormView::FormTitleChanged, this, &QWidget::setWindowTitle);
}

void FormDialog::reject() {
    Form& form = view_->GetForm();
    if (!form.Ended()) form.Press(kIdCancel);
    if (form.Ended()) QDialog::done(form.Result() == Answer::Ok ? Accepted : Rejected);
}

void FormDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    view_->FocusRequestedControl();
}

}  // namespace tablon
