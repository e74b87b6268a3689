// Finding things in the window: the filter row under the list's header, "Go to Record", Back
// and Forward by keys, toolbar and mouse buttons, the list written out and copied, the themes
// and the keys that open a record.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <sstream>

#include "QtTestSupport.h"
#include "qt/ListModels.h"
#include "qt/ListWidget.h"
#include "qt/ViewPane.h"
#include "shell/ViewText.h"

namespace tablon::test {

namespace {

constexpr int kNo = 1;  // the weapons' "No" column

// The weapons in the detail view.
CMvView* Weapons(WindowFixture& f) {
    if (!f.Select("Class Table/Weapons")) return nullptr;
    f.Window().Run(cmd::kDetail);
    return f.Window().Pane()->View();
}

QString RowsText(MainWindow& w) {
    for (QLabel* l : w.statusBar()->findChildren<QLabel*>())
        if (l->text().endsWith(" rows")) return l->text();
    return {};
}

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

std::string Csv(const CMvView& view) {
    std::ostringstream out;
    WriteViewTable(view, TableFormat::Csv, out);
    return out.str();
}

}  // namespace

class FindingTest : public QObject {
    Q_OBJECT

  private slots:
    void FilterRowFiltersAfterAPauseAndClearsWithEscape();
    void GoToRecordBackAndForward();
    void ListsOutAndCopy();
    void ThemesAndKeys();
};

void FindingTest::FilterRowFiltersAfterAPauseAndClearsWithEscape() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    CMvView* view = Weapons(f);
    QVERIFY(view);
    ListWidget* list = w.List();
    QVERIFY(list->FilterRowVisible());
    const int all = view->RowCount();
    QVERIFY(all > 5);

    QLineEdit* no = list->FilterBox(kNo);
    QVERIFY(no && no->isVisible());
    // The box sits under its column's title.
    QHeaderView* header = list->DetailView()->horizontalHeader();
    QCOMPARE(no->geometry().left(), header->sectionViewportPosition(kNo));
    Type(no, "<5");
    QCOMPARE(view->RowCount(), all);  // nothing before the pause
    QTRY_VERIFY(view->RowCount() < all);
    QCOMPARE(view->FilterText(kNo), std::string("<5"));
    for (int r = 0; r < view->RowCount(); ++r) QVERIFY(view->ItemData(r) < 5);
    QCOMPARE(w.Pane()->Model()->rowCount(), view->RowCount());
    w.UpdateCommands();
    QCOMPARE(RowsText(w), QString::fromStdString(view->RowCountText()));
    QVERIFY(RowsText(w).startsWith(QString::number(view->RowCount()) + " of "));

    // A re-sort keeps the filter and the boxes' texts.
    const int shown = view->RowCount();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(kNo) + 5, 5));
    QCOMPARE(view->LastSortColumn(), kNo);
    QCOMPARE(view->RowCount(), shown);
    QCOMPARE(no->text(), QString("<5"));

    // A text that is no filter marks its box and leaves the rows alone.
    QLineEdit* name = list->FilterBox(0);
    Type(name, "/(/");
    QTRY_VERIFY(!name->property("filterError").toString().isEmpty());
    QCOMPARE(view->RowCount(), shown);

    QTest::keyClick(name, Qt::Key_Escape);
    QCOMPARE(view->Filtered(), false);
    QCOMPARE(view->RowCount(), all);
    QVERIFY(no->text().isEmpty());
    QVERIFY(name->text().isEmpty());

    // Ctrl+F reaches the filter row from the list; other modes have no filter row.
    list->setFocus();
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(list->FilterBox(0)->hasFocus());
    w.Run(cmd::kLargeIcons);
    QVERIFY(!list->FilterRowVisible());
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(list->Mode(), int(kModeDetail));
    QVERIFY(list->FilterRowVisible());
}

void FindingTest::GoToRecordBackAndForward() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    CMvView* weapons = Weapons(f);
    QVERIFY(weapons);
    QVERIFY(weapons->SetFilter(kNo, "<20"));
    weapons->Select(2);
    const int record = weapons->ItemData(2);

    // Ctrl+G: the box takes the class-table index and lands on its row.
    f.Ui().onDialog = [](FormDialog& dialog) {
        dialog.View()->GetForm().SetText(CGoToDialog::kIdText, "ct 5");
        dialog.View()->GetForm().Press(kIdOk);
    };
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(f.Ui().dialogs.back(), std::string("Go to Record"));
    QCOMPARE(w.Tree()->currentItem()->text(0), QString("Class Table"));
    CMvView* ct = w.Pane()->View();
    QVERIFY(ct);
    QCOMPARE(ct->ItemData(ct->FirstSelected()), 5);
    QCOMPARE(w.List()->CurrentRow(), ct->FirstSelected());
    QVERIFY(w.Action(cmd::kNavBack)->isEnabled());

    // Alt+Left: the weapons again, filtered, with the row selected.
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(w.Tree()->currentItem()->text(0), QString("Weapons"));
    CMvView* back = w.Pane()->View();
    QCOMPARE(back->FilterText(kNo), std::string("<20"));
    QCOMPARE(w.List()->FilterBox(kNo)->text(), QString("<20"));
    QCOMPARE(back->ItemData(back->FirstSelected()), record);
    QCOMPARE(w.List()->SelectedRows(), back->Selection());

    // The mouse's forward button, then the toolbar's Back.
    QWidget* viewport = w.List()->DetailView()->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)),
                      Qt::ForwardButton, Qt::ForwardButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QCOMPARE(w.Tree()->currentItem()->text(0), QString("Class Table"));
    w.Action(cmd::kNavBack)->trigger();
    QCOMPARE(w.Tree()->currentItem()->text(0), QString("Weapons"));
}

void FindingTest::ListsOutAndCopy() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    CMvView* view = Weapons(f);
    QVERIFY(view);
    QVERIFY(view->SetFilter(kNo, "3..12"));
    view->OnColumnClick(0);

    const QString path = QDir::current().filePath("weapons.csv");
    f.Ui().files.push_back(path.toStdString());
    w.Run(cmd::kExportList);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), Csv(*view));

    QVERIFY(!w.Action(cmd::kEditCopy)->isEnabled() || view->SelectedCount() > 0);
    w.List()->DetailView()->setFocus();
    view->SetSelection({0, 2});
    w.UpdateCommands();
    QVERIFY(w.Action(cmd::kEditCopy)->isEnabled());
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QCOMPARE(copied.toStdString(), view->SelectionText());
    QCOMPARE(copied.count('\n'), 3);  // the titles and two rows
    QVERIFY(copied.startsWith("Name\tNo\t"));
}

void FindingTest::ThemesAndKeys() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    w.Run(cmd::kThemeDark);
    QVERIFY(w.DarkColours());
    QVERIFY(w.Action(cmd::kThemeDark)->isChecked());
    w.Run(cmd::kThemeLight);
    QVERIFY(!w.DarkColours());
    QVERIFY(w.Action(cmd::kThemeLight)->isChecked());
    QVERIFY(!w.Action(cmd::kThemeDark)->isChecked());
    w.Run(cmd::kThemeSystem);

    // F2 opens the selected record, like Enter.
    CMvView* view = Weapons(f);
    QVERIFY(view);
    view->Select(0);
    w.List()->DetailView()->setFocus();
    QTest::keyClick(&w, Qt::Key_F2);
    QVERIFY(!f.Ui().dialogs.empty());

    // The tree, the filter row and the list take the focus in turn with Tab.
    QApplication::setActiveWindow(&w);
    QWidget* next = w.Tree()->nextInFocusChain();
    bool reachesFilter = false, reachesList = false;
    for (int i = 0; i < 1000 && next != w.Tree(); ++i, next = next->nextInFocusChain()) {
        if (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible()) continue;
        reachesFilter = reachesFilter || next == w.List()->FilterBox(0);
        reachesList = reachesList || next == w.List()->DetailView();
    }
    QVERIFY(reachesFilter);
    QVERIFY(reachesList);
}

}  // namespace tablon::test

QObject* MakeFindingTest() {
    return new tablon::test::FindingTest;
}

namespace {
const tablon::test::QtTestRegistration kMakeFindingTestRegistration(MakeFindingTest);
}  // namespace

#include "FindingTest.moc"
