// Sizes given for the classic dialog font follow the font in use: list columns, the tree's
// width; a cut cell shows its whole text in a tool tip.
#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

#include "QtTestSupport.h"
#include "qt/FontScale.h"
#include "qt/ListModels.h"
#include "qt/ListWidget.h"
#include "qt/ViewPane.h"
#include "shell/MvView.h"

namespace tablon::test {

class FontScaleTest : public QObject {
    Q_OBJECT

  private slots:
    void ColumnsAndTreeGrowWithTheFont();
    void ACutCellShowsItsTextInATip();
    void ColumnsWidenToTheirFirstTexts();
};

namespace {

// The column of a title in the detail view, or -1.
int ColumnTitled(QTableView* table, const QString& title) {
    for (int c = 0; c < table->model()->columnCount(); ++c)
        if (table->model()->headerData(c, Qt::Horizontal).toString() == title) return c;
    return -1;
}

// Sends a tool-tip request to the middle of a cell of the detail view.
void AskTip(QTableView* table, int row, int column) {
    const QRect cell = table->visualRect(table->model()->index(row, column));
    QHelpEvent help(QEvent::ToolTip, cell.center(), table->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(table->viewport(), &help);
}

}  // namespace

void FontScaleTest::ColumnsAndTreeGrowWithTheFont() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    // Every label of the tree fits the tree's first width, whatever its depth.
    w.Tree()->expandAll();
    QApplication::processEvents();
    QVERIFY(w.Splitter()->sizes().at(0) >= CMainFrame::kTreePaneWidth);
    QVERIFY2(w.Tree()->header()->sectionSize(0) <= w.Tree()->viewport()->width(),
             qPrintable(QString("%1 > %2")
                            .arg(w.Tree()->header()->sectionSize(0))
                            .arg(w.Tree()->viewport()->width())));

    // A font twice as large: the columns of a list shown afterwards are twice as wide.
    QFont big = w.font();
    big.setPixelSize(2 * QFontInfo(big).pixelSize());
    w.setFont(big);
    const FontScale scale = FontScale::Of(w.List()->DetailView()->font());
    QVERIFY(scale.x > 1.5);
    QVERIFY(f.Select("Class Table/Weapons"));
    QTableView* table = f.DetailOf("Class Table/Vehicles");
    QVERIFY(table);
    const int mtow = ColumnTitled(table, "MTOW");
    QVERIFY(mtow >= 0);
    // At least as wide as given (wider where the title and its sort arrow need it).
    const int width = table->horizontalHeader()->sectionSize(mtow);
    QVERIFY(width >= scale.Width(50));
    QVERIFY(width <= 4 * scale.Width(50));
    QVERIFY(width > table->fontMetrics().horizontalAdvance("33000") + 8);
}

void FontScaleTest::ACutCellShowsItsTextInATip() {
    WindowFixture f;
    QVERIFY(f.Ok());
    QTableView* table = f.DetailOf("Class Table/Weapons");
    QVERIFY(table);
    QApplication::processEvents();
    const QString name = table->model()->index(0, 0).data().toString();
    QVERIFY(name.size() > 3);

    table->horizontalHeader()->resizeSection(0, 30);
    AskTip(table, 0, 0);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), name);

    // Wide enough again: no tip.
    table->horizontalHeader()->resizeSection(0, 400);
    AskTip(table, 0, 0);
    QTRY_VERIFY(!QToolTip::isVisible());
}

// The class table's names, domains and classes are longer than the widths given for them: their
// columns widen so that the first rows read whole, never narrower than given.
void FontScaleTest::ColumnsWidenToTheirFirstTexts() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QTableView* table = f.DetailOf("Class Table");
    QVERIFY(table);
    QApplication::processEvents();
    const FontScale scale = FontScale::Of(table->font());
    const CMvView* view = dynamic_cast<const CMvView*>(w.Pane()->View());
    QVERIFY(view);
    for (int c = 0; c < 4; ++c) {
        const int width = table->horizontalHeader()->sectionSize(c);
        QVERIFY(width >= scale.Width(view->Column(c).width));
        for (int row = 0; row < 20; ++row) {
            const QString text = table->model()->index(row, c).data().toString();
            QVERIFY2(
                table->fontMetrics().horizontalAdvance(text) < width,
                qPrintable(
                    QString("row %1 column %2: %3 in %4").arg(row).arg(c).arg(text).arg(width)));
        }
    }
    // The vehicles' MTOW column, wide enough as given, keeps its width.
    QVERIFY(f.Select("Class Table/Vehicles"));
    const int mtow = ColumnTitled(table = w.List()->DetailView(), "MTOW");
    QVERIFY(mtow >= 0);
    QCOMPARE(table->horizontalHeader()->sectionSize(mtow), scale.Width(50));
}

}  // namespace tablon::test

QObject* MakeFontScaleTest() {
    return new tablon::test::FontScaleTest;
}

namespace {
const tablon::test::QtTestRegistration kMakeFontScaleTestRegistration(MakeFontScaleTest);
}  // namespace

#include "FontScaleTest.moc"
