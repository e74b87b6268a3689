// What the list widget shows cut it shows whole in a tool tip: a column title too narrow for its
// section (the sort arrow takes room as well), and an item's label in the icon modes, wrapped at
// words in the large icons and on one line in the others. A text that fits shows no tip.
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QListView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolTip>

#include "QtTestSupport.h"
#include "qt/ListWidget.h"

namespace tablon::test {

class CutTextTest : public QObject {
    Q_OBJECT

  private slots:
    void NarrowColumnsShowTheirTitlesInATip();
    void IconLabelsCutShowWholeInATip();
};

namespace {

const QString kShort = "F-16";
const QString kOneLongWord = "Supercalifragilisticexpialidocious";
const QString kTwoWords = "Mk 82";
const QString kManyWords = "a name of several short words that wrap onto more lines than fit";

// A list of the four names above under two column titles, shown.
struct Shown {
    QStandardItemModel model{4, 2};
    ListWidget list;
    Shown() {
        model.setHorizontalHeaderLabels({"Name", "Maximum Take-Off Weight"});
        const QString names[] = {kShort, kOneLongWord, kTwoWords, kManyWords};
        for (int r = 0; r < 4; ++r) {
            model.setItem(r, 0, new QStandardItem(names[r]));
            model.setItem(r, 1, new QStandardItem(QString::number(33000 + r)));
        }
        list.SetModel(&model);
        list.resize(900, 500);
        list.show();
        QApplication::processEvents();
    }
};

// Asks for the tool tip at a point of a widget, as resting the pointer there does.
void AskTip(QWidget* widget, QPoint at) {
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
}

// The narrowest section that shows a column's title whole, or -1.
int NarrowestWhole(ListWidget& list, int column) {
    QHeaderView* header = list.DetailView()->horizontalHeader();
    for (int width = 8; width < 600; ++width) {
        header->resizeSection(column, width);
        if (list.CutTitle(column).isEmpty()) return width;
    }
    return -1;
}

}  // namespace

void CutTextTest::NarrowColumnsShowTheirTitlesInATip() {
    Shown s;
    s.list.SetMode(1);
    QHeaderView* header = s.list.DetailView()->horizontalHeader();
    const QString title = "Maximum Take-Off Weight";
    header->resizeSection(1, 400);
    QVERIFY(s.list.CutTitle(1).isEmpty());
    header->resizeSection(1, 60);
    QCOMPARE(s.list.CutTitle(1), title);
    header->resizeSection(0, 8);
    QCOMPARE(s.list.CutTitle(0), QString("Name"));

    // The sort arrow takes its room from the title: the narrowest section that shows the title
    // whole cuts it once it shows the arrow, and needs more room for both.
    const int bare = NarrowestWhole(s.list, 1);
    QVERIFY(bare > header->fontMetrics().horizontalAdvance(title));
    s.list.SetSortIndicator(1, true);
    header->resizeSection(1, bare);
    QCOMPARE(s.list.CutTitle(1), title);
    QVERIFY(NarrowestWhole(s.list, 1) > bare);
    s.list.SetSortIndicator(-1, true);

    // Resting the pointer on the cut title shows it whole; on one that fits, nothing.
    header->resizeSection(1, 60);
    const QPoint middle(header->sectionViewportPosition(1) + 30, header->height() / 2);
    AskTip(header->viewport(), middle);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), title);
    header->resizeSection(1, 400);
    AskTip(header->viewport(), middle);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void CutTextTest::IconLabelsCutShowWholeInATip() {
    Shown s;
    // Large icons wrap at words: two short words fit, one long word or many lines do not.
    s.list.SetMode(0);
    QApplication::processEvents();
    QCOMPARE(s.list.CutLabel(0), QString());
    QCOMPARE(s.list.CutLabel(1), kOneLongWord);
    QCOMPARE(s.list.CutLabel(2), QString());
    QCOMPARE(s.list.CutLabel(3), kManyWords);
    // The small icons and the list show one line.
    for (int mode : {2, 3}) {
        s.list.SetMode(mode);
        QApplication::processEvents();
        QCOMPARE(s.list.CutLabel(0), QString());
        QCOMPARE(s.list.CutLabel(2), QString());
        QCOMPARE(s.list.CutLabel(3), kManyWords);
    }
    // The detail view's cells have their own rule.
    s.list.SetMode(1);
    QCOMPARE(s.list.CutLabel(3), QString());

    // Resting the pointer on a cut label shows it whole; on one that fits, nothing.
    s.list.SetMode(0);
    QApplication::processEvents();
    QListView* icons = s.list.IconView();
    AskTip(icons->viewport(), icons->visualRect(s.model.index(3, 0)).center());
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), kManyWords);
    AskTip(icons->viewport(), icons->visualRect(s.model.index(0, 0)).center());
    QTRY_VERIFY(!QToolTip::isVisible());
}

}  // namespace tablon::test

QObject* MakeCutTextTest() {
    return new tablon::test::CutTextTest;
}

namespace {
const tablon::test::QtTestRegistration kMakeCutTextTestRegistration(MakeCutTextTest);
}  // namespace

#include "CutTextTest.moc"
