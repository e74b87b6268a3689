// Forms drawn as dialogs: numeric edits, the title field, tool tips, resizing, the field
// exchange's refusal, lists and the other controls handing their changes back.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolTip>

#include "QtTestSupport.h"
#include "qt/FontScale.h"
#include "qt/ListWidget.h"
#include "shell/ToolTips.h"

namespace tablon::test {

namespace {

constexpr int kNumber = 10, kPlain = 11, kTitle = 12, kInteger = 13;
constexpr int kGroup = 20, kDisabled = 1021;  // a control id with a tool tip
constexpr int kCheck = 30, kRadioA = 31, kRadioB = 32, kChoice = 33;
constexpr int kList = 40;
constexpr int kStays = 50, kStretches = 51, kMoves = 52, kCentred = 53;

// A form with one control of each kind the tests drive, recording its list events.
class TestForm : public Form {
  public:
    explicit TestForm(bool resizable = false) : Form("Test Form", 400, 300) {
        AddTitleEdit(kTitle, {10, 10, 250, 48});
        AddEdit(kNumber, {10, 60, 100, 80}).numeric = CNumericEdit{};
        AddEdit(kPlain, {110, 60, 200, 80});
        AddEdit(kInteger, {210, 60, 300, 80});
        Bind(kInteger, Exchange::Int);
        AddGroup(kGroup, "Group", {5, 90, 200, 150});
        AddEdit(kDisabled, {15, 110, 100, 130}).enabled = false;
        AddCheck(kCheck, "Check", {210, 90, 300, 110});
        AddRadio(kRadioA, kRadioA, "A", {210, 112, 250, 130});
        AddRadio(kRadioB, kRadioA, "B", {250, 112, 300, 130});
        AddDropList(kChoice, {210, 132, 390, 152}, {{"zero", 0}, {"seven", 7}});
        AddList(kList, {10, 160, 390, 250}, {{"Name", 120}, {"Value", 60}});
        AddOkCancel();
        if (resizable) {
            MakeResizable();
            AddLabel(kStays, "stays", {320, 10, 390, 30});
            AddLabel(kStretches, "stretches", {320, 30, 390, 50});
            AddLabel(kMoves, "moves", {320, 50, 390, 70});
            AddLabel(kCentred, "centred", {320, 70, 390, 90});
        }
    }

    struct Event {
        ListEventKind kind;
        int row, column;
    };
    std::vector<Event> events;
    std::vector<int> pressed;

  protected:
    void OnInitDialog() override {
        SetRows(kList, {{{"alpha", "1"}, 0}, {{"beta", "2"}, 1}, {{"gamma", "3"}, 2}});
        if (Resizable()) {
            Anchor(kStretches, 1, 0);
            Anchor(kMoves, 2, 2);
            Anchor(kCentred, 3, 3);
        }
    }
    void OnButton(int id) override { pressed.push_back(id); }
    void OnListEvent(int, ListEventKind kind, int row, int column) override {
        events.push_back({kind, row, column});
    }
};

// A form begun on the test interface and shown as a dialog (not modal: the test drives it).
struct Shown {
    explicit Shown(bool resizable = false) : form(resizable) {
        form.Begin(ui);
        dialog = std::make_unique<FormDialog>(form);
        dialog->show();
        exposed = QTest::qWaitForWindowExposed(dialog.get());
    }
    template <class W>
    W* Widget(int id) {
        return qobject_cast<W*>(dialog->View()->Widget(id));
    }
    TestUi ui;
    TestForm form;
    std::unique_ptr<FormDialog> dialog;
    bool exposed = false;
};

}  // namespace

class FormViewTest : public QObject {
    Q_OBJECT

  private slots:
    void NumericEditsRefuseKeystrokesThatMakeNoNumber();
    void PlainEditsAndTheTitleField();
    void ToolTipsAlsoOnDisabledControls();
    void ResizingMovesAnchoredControls();
    void OkWithARefusedFieldKeepsTheDialogOpen();
    void ChecksRadiosAndDropListsTellTheForm();
    void ListEventsReachTheForm();
};

void FormViewTest::NumericEditsRefuseKeystrokesThatMakeNoNumber() {
    Shown s;
    auto* edit = s.Widget<QLineEdit>(kNumber);
    QVERIFY(edit);
    edit->setFocus();
    QTest::keyClicks(edit, "12");
    QCOMPARE(edit->text(), QString("12"));
    QCOMPARE(s.form.Text(kNumber), std::string("12"));

    // A letter is refused: the text stays, all of it selected; what was typed with it is
    // dropped.
    QTest::keyClicks(edit, "a3");
    QCOMPARE(edit->text(), QString("12"));
    QCOMPARE(edit->selectedText(), QString("12"));
    QCoreApplication::processEvents();

    edit->setCursorPosition(2);
    QTest::keyClicks(edit, ".5");
    QCOMPARE(edit->text(), QString("12.5"));
    // A space does nothing.
    QTest::keyClick(edit, Qt::Key_Space);
    QCOMPARE(edit->text(), QString("12.5"));
    // Typing over a selection replaces it.
    edit->setSelection(0, 2);
    QTest::keyClicks(edit, "7");
    QCOMPARE(edit->text(), QString("7.5"));
    QCOMPARE(s.form.Text(kNumber), std::string("7.5"));

    // "-" alone is a start; removing the last character is refused (the empty text is no
    // number).
    s.form.SetText(kNumber, "");
    QTest::keyClicks(edit, "-");
    QCOMPARE(edit->text(), QString("-"));
    s.form.SetText(kNumber, "5");
    QCOMPARE(edit->text(), QString("5"));
    edit->setCursorPosition(1);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString("5"));
    QVERIFY(s.ui.messages.empty());
}

void FormViewTest::PlainEditsAndTheTitleField() {
    Shown s;
    auto* plain = s.Widget<QLineEdit>(kPlain);
    plain->setFocus();
    QTest::keyClicks(plain, "ab c");
    plain->setCursorPosition(1);
    QTest::keyClicks(plain, "X");
    QCOMPARE(plain->text(), QString("aXb c"));
    QCOMPARE(plain->cursorPosition(), 2);
    QCOMPARE(s.form.Text(kPlain), std::string("aXb c"));
    // The form's own changes show.
    s.form.ShowText(kPlain, "shown");
    QCOMPARE(plain->text(), QString("shown"));

    auto* title = s.Widget<QLineEdit>(kTitle);
    QCOMPARE(title->font().family(), QString("Arial"));
    QCOMPARE(title->font().pointSize(), 24);
    QVERIFY(plain->font().pointSize() != 24);
    QCOMPARE(title->geometry(), s.dialog->View()->ToWidget(Rect{10, 10, 250, 48}));
}

void FormViewTest::ToolTipsAlsoOnDisabledControls() {
    Shown s;
    QWidget* disabled = s.dialog->View()->Widget(kDisabled);
    QVERIFY(!disabled->isEnabled());
    const QString tip = QString::fromUtf8(ToolTipText(kDisabled));
    QVERIFY(!tip.isEmpty());
    QCOMPARE(disabled->toolTip(), tip);
    // The group box around it lies behind it and holds no tip of its own.
    QCOMPARE(s.dialog->View()->childAt(disabled->geometry().center()), disabled);
    QVERIFY(s.dialog->View()->Widget(kPlain)->toolTip().isEmpty());

    const QPoint at = disabled->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, disabled->mapToGlobal(at));
    QApplication::sendEvent(disabled, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), tip);
    QToolTip::hideText();
}

void FormViewTest::ResizingMovesAnchoredControls() {
    Shown s(true);
    FormDialog& d = *s.dialog;
    FormView* view = d.View();
    QVERIFY(d.isSizeGripEnabled());
    QCOMPARE(d.minimumSize(), view->ToWidget(400, 300));
    QCOMPARE(d.size(), view->ToWidget(400, 300));
    auto place = [&](int id) { return view->Widget(id)->geometry(); };
    const QRect initial = place(kMoves);

    // Grown by 100 form pixels each way.
    d.resize(view->ToWidget(500, 400));
    QTRY_COMPARE(s.form.Width(), 500);
    QCOMPARE(s.form.Height(), 400);
    QCOMPARE(place(kStays), view->ToWidget(Rect{320, 10, 390, 30}));
    QCOMPARE(place(kStretches), view->ToWidget(Rect{320, 30, 490, 50}));
    QCOMPARE(place(kMoves), view->ToWidget(Rect{420, 150, 490, 170}));
    QCOMPARE(place(kCentred), view->ToWidget(Rect{370, 120, 440, 140}));

    // Back to the first size, everything is where it began.
    d.resize(view->ToWidget(400, 300));
    QTRY_COMPARE(s.form.Width(), 400);
    QCOMPARE(place(kMoves), initial);
}

void FormViewTest::OkWithARefusedFieldKeepsTheDialogOpen() {
    Shown s;
    auto* integer = s.Widget<QLineEdit>(kInteger);
    integer->setFocus();
    QTest::keyClicks(integer, "abc");
    QPushButton* ok = nullptr;
    for (QPushButton* b : s.dialog->findChildren<QPushButton*>())
        if (b->text() == "OK") ok = b;
    QVERIFY(ok && ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(s.ui.messages, std::vector<std::string>({"Please enter an integer."}));
    QVERIFY(!s.form.Ended());
    QVERIFY(s.dialog->isVisible());
    QTRY_VERIFY(integer->hasFocus());
    QCOMPARE(integer->selectedText(), QString("abc"));

    // A good value closes it with OK; Escape cancels.
    integer->setText("");
    QTest::keyClicks(integer, "42");
    QTest::keyClick(integer, Qt::Key_Return);
    QVERIFY(s.form.Ended());
    QCOMPARE(s.form.Result(), Answer::Ok);
    QCOMPARE(s.form.Value(kInteger).integer, 42);
    QCOMPARE(s.dialog->result(), int(QDialog::Accepted));

    Shown cancelled;
    QTest::keyClick(cancelled.dialog.get(), Qt::Key_Escape);
    QVERIFY(cancelled.form.Ended());
    QCOMPARE(cancelled.form.Result(), Answer::Cancel);
    QVERIFY(!cancelled.dialog->isVisible());
}

void FormViewTest::ChecksRadiosAndDropListsTellTheForm() {
    Shown s;
    QTest::mouseClick(s.Widget<QCheckBox>(kCheck), Qt::LeftButton);
    QVERIFY(s.form.Checked(kCheck));
    QCOMPARE(s.form.pressed, std::vector<int>({kCheck}));

    auto* a = s.Widget<QRadioButton>(kRadioA);
    auto* b = s.Widget<QRadioButton>(kRadioB);
    QTest::mouseClick(a, Qt::LeftButton);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(s.form.Checked(kRadioB) && !s.form.Checked(kRadioA));
    QVERIFY(b->isChecked() && !a->isChecked());
    // Clicking a checked radio button again leaves it checked.
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isChecked() && s.form.Checked(kRadioB));

    auto* combo = s.Widget<QComboBox>(kChoice);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), -1);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(s.form.Selected(kChoice), combo->currentIndex());
    s.form.SelectValue(kChoice, 7);
    QCOMPARE(combo->currentText(), QString("seven"));
    s.form.Enable(kChoice, false);
    QVERIFY(!combo->isEnabled());
}

void FormViewTest::ListEventsReachTheForm() {
    Shown s;
    auto* list = s.Widget<ListWidget>(kList);
    QVERIFY(list);
    QTableView* table = list->DetailView();
    QCOMPARE(list->Mode(), 1);
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(table->model()->data(table->model()->index(1, 0)).toString(), QString("beta"));
    // The width is given for the classic dialog font.
    QCOMPARE(table->horizontalHeader()->sectionSize(0), FontScale::Of(table->font()).Width(120));

    const QPoint row1 = table->visualRect(table->model()->index(1, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row1);
    QCOMPARE(s.form.Selected(kList), 1);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, row1);
    QVERIFY(!s.form.events.empty());
    QCOMPARE(int(s.form.events.back().kind), int(ListEventKind::DoubleClick));
    QCOMPARE(s.form.events.back().row, 1);
    QCOMPARE(s.form.events.back().column, 1);

    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    QCOMPARE(int(s.form.events.back().kind), int(ListEventKind::HeaderClick));
    QCOMPARE(s.form.events.back().column, 1);

    const QPoint row2 = table->visualRect(table->model()->index(2, 0)).center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, row2, table->viewport()->mapToGlobal(row2));
    QApplication::sendEvent(table->viewport(), &menu);
    QCOMPARE(int(s.form.events.back().kind), int(ListEventKind::RightClick));
    QCOMPARE(s.form.events.back().row, 2);

    // New rows from the form replace the shown ones; its selection shows.
    s.form.SetRows(kList, {{{"delta", "4"}, 7}});
    QCOMPARE(table->model()->rowCount(), 1);
    s.form.SetSelected(kList, 0);
    QCOMPARE(list->SelectedRows(), std::vector<int>({0}));
    s.form.SetListMode(kList, 0);
    QCOMPARE(list->Mode(), 0);
}

}  // namespace tablon::test

QObject* MakeFormViewTest() {
    return new tablon::test::FormViewTest;
}

namespace {
const tablon::test::QtTestRegistration kMakeFormViewTestRegistration(MakeFormViewTest);
}  // namespace

#include "FormViewTest.moc"
