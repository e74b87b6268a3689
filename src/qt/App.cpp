#include "qt/App.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

#include "qt/ListWidget.h"
#include "qt/MainWindow.h"
#include "qt/Pictures.h"
#include "qt/QtUi.h"
#include "qt/ViewPane.h"
#include "shell/ViewText.h"
#include "store/Database.h"

namespace tablon {

namespace {

struct Options {
    QString dir;
    QString select;
    int mode = -1;
    int row = 0;
    int command = 0;  // issued before the picture is taken ("--show-item" is one)
    QString screenshot;
    int theme = -1;
    QStringList filters;
    bool open = false;    // the selected row double-clicked before the picture
    QStringList presses;  // buttons pressed in the topmost dialog before the picture
    bool help = false;
    QString unknown;
};

int ModeCommand(const QString& name) {
    if (name == QLatin1String("large")) return cmd::kLargeIcons;
    if (name == QLatin1String("small")) return cmd::kSmallIcons;
    if (name == QLatin1String("list")) return cmd::kList;
    if (name == QLatin1String("detail")) return cmd::kDetail;
    return -1;
}

Options Parse(const QStringList& args) {
    Options o;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == QLatin1String("--select"))
            o.select = value();
        else if (a == QLatin1String("--mode"))
            o.mode = ModeCommand(value());
        else if (a == QLatin1String("--row"))
            o.row = value().toInt();
        else if (a == QLatin1String("--show-item"))
            o.command = cmd::kShowItem;
        else if (a == QLatin1String("--command"))
            o.command = value().toInt();
        else if (a == QLatin1String("--screenshot"))
            o.screenshot = value();
        else if (a == QLatin1String("--theme"))
            o.theme = QStringList{"system", "light", "dark"}.indexOf(value());
        else if (a == QLatin1String("--filter"))
            o.filters << value();
        else if (a == QLatin1String("--open"))
            o.open = true;
        else if (a == QLatin1String("--press"))
            o.presses << value();
        else if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            o.help = true;
        else if (a.startsWith(QLatin1String("--")) || !o.dir.isEmpty())
            o.unknown = a;
        else
            o.dir = a;
    }
    return o;
}

// Saves a picture of the topmost window: the modal dialog when one is open, else the main
// window.
void SaveScreenshot(QWidget* window, const QString& path) {
    QWidget* top = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : window;
    if (!top->grab().save(path)) std::fprintf(stderr, "can't write %s\n", qPrintable(path));
}

// Takes the picture, closes every dialog and ends the program.
void ShootAndQuit(QWidget* window, const QString& path) {
    SaveScreenshot(window, path);
    while (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->close();
        if (QApplication::activeModalWidget() == dialog) break;
    }
    QApplication::quit();
}

// Presses the buttons one after the other in the topmost dialog, then takes the picture. The
// next step is scheduled before the press, since a press may open a dialog of its own and
// wait in it.
void PressThenShoot(QWidget* window, QStringList presses, const QString& path, int settle) {
    QTimer::singleShot(settle, window, [window, presses, path, settle]() mutable {
        if (presses.isEmpty()) return ShootAndQuit(window, path);
        const QString label = presses.takeFirst();
        PressThenShoot(window, presses, path, settle);
        QWidget* top =
            QApplication::activeModalWidget() ? QApplication::activeModalWidget() : window;
        for (QAbstractButton* b : top->findChildren<QAbstractButton*>()) {
            if (b->text().remove(QLatin1Char('&')) == label && b->isEnabled()) {
                b->click();
                return;
            }
        }
        std::fprintf(stderr, "no button \"%s\" to press\n", qPrintable(label));
    });
}

// Drives the window as the options say, takes the picture and ends the program.
void ScheduleScreenshot(MainWindow& window, CTablonApp& app, const Options& o) {
    QTimer::singleShot(200, &window, [&window, &app, o] {
        if (!o.select.isEmpty()) {
            std::string error;
            const int item = app.Frame().Tree().FindPath(o.select.toStdString(), error);
            if (QTreeWidgetItem* it = window.TreeItem(item)) {
                window.Tree()->setCurrentItem(it);
                window.Tree()->scrollToItem(it);
            } else {
                std::fprintf(stderr, "%s\n", error.c_str());
            }
        }
        if (o.mode >= 0) window.Run(o.mode);
        for (const QString& f : o.filters) {
            std::string error;
            if (CMvView* view = window.Pane()->View();
                view && !ApplyFilterArgument(*view, f.toStdString(), error))
                std::fprintf(stderr, "%s\n", error.c_str());
        }
        if (CMvView* view = window.Pane()->View(); view && o.row < view->RowCount()) {
            view->Select(o.row);
            window.List()->SetCurrentRow(o.row);
            window.List()->CurrentView()->scrollTo(
                window.List()->CurrentView()->model()->index(o.row, 0));
        }
        window.List()->setFocus();
        const int settle = 600;  // the icon views lay their items out in batches
        PressThenShoot(&window, o.presses, o.screenshot, settle);
        if (o.command) window.Run(o.command);
        if (CMvView* view = window.Pane()->View(); o.open && view && o.row < view->RowCount())
            view->OnDoubleClick(o.row);
    });
}

}  // namespace

int RunTablon(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QApplication::setWindowIcon(AppIcon());
    const Options options = Parse(QApplication::arguments());
    if (options.help || !options.unknown.isEmpty()) {
        if (!options.unknown.isEmpty())
            std::fprintf(stderr, "unknown argument: %s\n", qPrintable(options.unknown));
        std::fprintf(options.help ? stdout : stderr,
                     "usage: tablon [DIR] [--select PATH] [--mode large|small|list|detail] "
                     "[--row N] [--show-item] [--open] [--command ID] [--theme system|light|dark] "
                     "[--filter COL=EXPR]... [--press BUTTON]... "
                     "[--screenshot FILE.png]\n");
        return options.help ? 0 : 2;
    }

    QtUi ui;
    if (!options.dir.isEmpty() && !QDir::setCurrent(options.dir))
        ui.Show(NoDirectoryText(options.dir.toStdString()), Icon::Error);

    Database db(ui);
    if (!RunStartup(db)) return 1;
    CTablonApp app(db, ui);
    app.Start();
    MainWindow window(app, ui);
    ui.SetParent(&window);
    window.show();
    if (options.theme >= 0) window.Run(cmd::kThemeSystem + options.theme);
    if (!options.screenshot.isEmpty()) ScheduleScreenshot(window, app, options);
    return QApplication::exec();
}

}  // namespace tablon
