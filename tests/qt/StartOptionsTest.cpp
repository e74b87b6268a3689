// The window's own options and what reaches it from outside: options that fail loudly, a
// start-up dialog pictured instead of waited on, and files dropped on the window.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "QtTestSupport.h"
#include "qt/App.h"
#include "qt/ListWidget.h"
#include "qt/ViewPane.h"

namespace tablon::test {

class StartOptionsTest : public QObject {
    Q_OBJECT

  private slots:
    void OptionsThatDoNotParseSayWhy();
    void OptionsTheWindowCannotFollowSayWhy();
    void AStartUpDialogIsPicturedNotWaitedOn();
    void ADroppedFileNamesTheDocument();
};

namespace {

QString ParseError(QStringList args) {
    args.prepend("tablon");
    return ParseWindowOptions(args).error;
}

}  // namespace

void StartOptionsTest::OptionsThatDoNotParseSayWhy() {
    QCOMPARE(ParseError({"--mode", "bogus"}),
             QString("--mode is large, small, list or detail, not bogus"));
    QCOMPARE(ParseError({"--row", "x"}), QString("--row takes a row number from 0, not x"));
    QCOMPARE(ParseError({"--row", "-1"}), QString("--row takes a row number from 0, not -1"));
    QCOMPARE(ParseError({"--theme", "pink"}),
             QString("--theme is system, light or dark, not pink"));
    QCOMPARE(ParseError({"--select"}), QString("--select needs a value"));
    QCOMPARE(ParseError({"--bogus"}), QString("unknown argument --bogus"));
    QCOMPARE(ParseError({"a", "b"}), QString("unknown argument b"));

    const WindowOptions o = ParseWindowOptions(
        {"tablon", "db", "--mode", "detail", "--row", "3", "--select", "Class Table/Weapons"});
    QVERIFY(o.error.isEmpty());
    QCOMPARE(o.dir, QString("db"));
    QCOMPARE(o.mode, int(cmd::kDetail));
    QCOMPARE(o.row, 3);
    // Without --row no row is asked for (the first one is selected when there is one).
    QCOMPARE(ParseWindowOptions({"tablon"}).row, -1);
}

void StartOptionsTest::OptionsTheWindowCannotFollowSayWhy() {
    WindowFixture f;
    QVERIFY(f.Ok());
    std::string error;
    WindowOptions o;
    o.select = "Nope";
    QVERIFY(!ApplyWindowOptions(f.Window(), f.App(), o, error));
    QVERIFY2(!error.empty(), error.c_str());

    o = {};
    o.select = "Class Table/Weapons";
    o.mode = cmd::kDetail;
    o.row = 999999;
    error.clear();
    QVERIFY(!ApplyWindowOptions(f.Window(), f.App(), o, error));
    const int rows = f.Window().Pane()->View()->RowCount();
    QCOMPARE(QString::fromStdString(error),
             QString("--row 999999: the list holds %1 rows, 0 to %2").arg(rows).arg(rows - 1));

    o.row = rows - 1;
    error.clear();
    QVERIFY2(ApplyWindowOptions(f.Window(), f.App(), o, error), error.c_str());
    QCOMPARE(f.Window().List()->CurrentRow(), rows - 1);
    QCOMPARE(f.Window().List()->Mode(), 1);
    QCOMPARE(f.Window().Tree()->currentItem()->text(0), QString("Weapons"));
}

void StartOptionsTest::AStartUpDialogIsPicturedNotWaitedOn() {
    QTemporaryDir dir;
    const QString picture = dir.filePath("startup.png");
    QtUi ui;
    int seen = 0;
    ui.SetModalStandIn([&seen, picture](QDialog& dialog) {
        ++seen;
        QTimer::singleShot(50, &dialog, [&dialog, picture] {
            dialog.grab().save(picture);
            dialog.reject();
        });
    });
    FileRequest request;
    request.title = "Where is vantor.ct?";
    request.filter = "ct Files (*.ct)|*.ct|All Files (*.*)|*.*||";
    request.mustExist = true;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!ui.ChooseFile(request).has_value());
    QCOMPARE(ui.Message("Can't open file vantor.ct", Icon::Exclamation, Buttons::Ok, "Tablon"),
             Answer::Ok);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(seen, 2);
    QVERIFY(QFileInfo(picture).size() > 0);
}

void StartOptionsTest::ADroppedFileNamesTheDocument() {
    WindowFixture f;
    QVERIFY(f.Ok());
    MainWindow& w = f.Window();
    QVERIFY(w.acceptDrops());
    const QString path = QDir::temp().filePath("dropped.vcd");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(&w, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(w.windowTitle(), path + " - Tablon");
    QCOMPARE(QString::fromStdString(f.App().Doc().Name()), path);

    // Text that names no file is not taken.
    QMimeData text;
    text.setText("hello");
    QDragEnterEvent other(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    other.ignore();
    QApplication::sendEvent(&w, &other);
    QVERIFY(!other.isAccepted());
    QVERIFY(f.Ui().messages.empty());
}

}  // namespace tablon::test

QObject* MakeStartOptionsTest() {
    return new tablon::test::StartOptionsTest;
}

namespace {
const tablon::test::QtTestRegistration kMakeStartOptionsTestRegistration(MakeStartOptionsTest);
}  // namespace

#include "StartOptionsTest.moc"
