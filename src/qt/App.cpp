#include "qt/App.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
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

int ModeCommand(const QString& name) {
    if (name == QLatin1String("large")) return cmd::kLargeIcons;
    if (name == QLatin1String("small")) return cmd::kSmallIcons;
    if (name == QLatin1String("list")) return cmd::kList;
    if (name == QLatin1String("detail")) return cmd::kDetail;
    return -1;
}

constexpr const char* kWindowUsage =
    "usage: tablon [DIR] [--select PATH] [--mode large|small|list|detail] [--row N] "
    "[--show-item] [--open] [--command ID] [--theme system|light|dark] [--filter COL=EXPR]... "
    "[--press BUTTON]... [--screenshot FILE.png]\n";

// Saves a picture of a window; false (with the reason on standard error) when it can't.
bool SavePicture(QWidget* window, const QString& path) {
    if (window->grab().save(path)) return true;
    std::fprintf(stderr, "tablon: can't write %s\n", qPrintable(path));
    return false;
}

// Saves a picture of the topmost window: the modal dialog when one is open, else the main
// window.
void SaveScreenshot(QWidget* window, const QString& path) {
    QWidget* top = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : window;
    SavePicture(top, path);
}

// The icon views lay their items out in batches: the picture waits for them.
constexpr int kSettleMs = 600;

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

// Drives the window as the options say; with --screenshot takes the picture and ends the
// program. An option the window cannot follow ends it with status 1.
void ScheduleOptions(MainWindow& window, CTablonApp& app, const WindowOptions& o) {
    QTimer::singleShot(200, &window, [&window, &app, o] {
        std::string error;
        if (!ApplyWindowOptions(window, app, o, error)) {
            std::fprintf(stderr, "tablon: %s\n", error.c_str());
            QApplication::exit(1);
            return;
        }
        if (!o.screenshot.isEmpty()) PressThenShoot(&window, o.presses, o.screenshot, kSettleMs);
        if (o.command) window.Run(o.command);
        const int row = std::max(o.row, 0);
        if (CMvView* view = window.Pane()->View(); o.open && view && row < view->RowCount())
            view->OnDoubleClick(row);
    });
}

}  // namespace

WindowOptions ParseWindowOptions(const QStringList& args) {
    WindowOptions o;
    auto fail = [&o](const QString& why) {
        if (o.error.isEmpty()) o.error = why;
    };
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool valued = QStringList{"--select",     "--mode",  "--row",    "--command",
                                        "--screenshot", "--theme", "--filter", "--press"}
                                .contains(a);
        if (valued && i + 1 >= args.size()) {
            fail(a + " needs a value");
            break;
        }
        const QString v = valued ? args[++i] : QString();
        bool number = true;
        if (a == QLatin1String("--select")) {
            o.select = v;
        } else if (a == QLatin1String("--mode")) {
            o.mode = ModeCommand(v);
            if (o.mode < 0) fail("--mode is large, small, list or detail, not " + v);
        } else if (a == QLatin1String("--row")) {
            o.row = v.toInt(&number);
            if (!number || o.row < 0) fail("--row takes a row number from 0, not " + v);
        } else if (a == QLatin1String("--show-item")) {
            o.command = cmd::kShowItem;
        } else if (a == QLatin1String("--command")) {
            o.command = v.toInt(&number);
            if (!number || o.command <= 0) fail("--command takes a command number, not " + v);
        } else if (a == QLatin1String("--screenshot")) {
            o.screenshot = v;
        } else if (a == QLatin1String("--theme")) {
            o.theme = QStringList{"system", "light", "dark"}.indexOf(v);
            if (o.theme < 0) fail("--theme is system, light or dark, not " + v);
        } else if (a == QLatin1String("--filter")) {
            o.filters << v;
        } else if (a == QLatin1String("--open")) {
            o.open = true;
        } else if (a == QLatin1String("--press")) {
            o.presses << v;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a.startsWith(QLatin1String("-")) || !o.dir.isEmpty()) {
            fail("unknown argument " + a);
        } else {
            o.dir = a;
        }
    }
    return o;
}

bool ApplyWindowOptions(MainWindow& window, CTablonApp& app, const WindowOptions& o,
                        std::string& error) {
    if (!o.select.isEmpty()) {
        const int item = app.Frame().Tree().FindPath(o.select.toStdString(), error);
        QTreeWidgetItem* it = item >= 0 ? window.TreeItem(item) : nullptr;
        if (!it) {
            if (error.empty()) error = "no category " + o.select.toStdString();
            return false;
        }
        window.Tree()->setCurrentItem(it);
        window.Tree()->scrollToItem(it);
    }
    if (o.mode >= 0) window.Run(o.mode);
    CMvView* view = window.Pane()->View();
    for (const QString& f : o.filters)
        if (!view) {
            error = "--filter: the category shows no list";
            return false;
        } else if (!ApplyFilterArgument(*view, f.toStdString(), error)) {
            return false;
        }
    // Without --row the first row is selected when there is one.
    const int row = o.row >= 0 ? o.row : 0;
    if (view && row < view->RowCount()) {
        view->Select(row);
        window.List()->SetCurrentRow(row);
        window.List()->CurrentView()->scrollTo(
            window.List()->CurrentView()->model()->index(row, 0));
    } else if (o.row >= 0) {
        const int rows = view ? view->RowCount() : 0;
        error = "--row " + std::to_string(o.row) + ": the list holds " + std::to_string(rows) +
                (rows == 1 ? " row" : " rows") +
                (rows ? ", 0 to " + std::to_string(rows - 1) : std::string());
        return false;
    }
    window.List()->setFocus();
    return true;
}

int RunTablon(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QApplication::setWindowIcon(AppIcon());
    const WindowOptions options = ParseWindowOptions(QApplication::arguments());
    if (options.help || !options.error.isEmpty()) {
        if (!options.error.isEmpty())
            std::fprintf(stderr, "tablon: %s\n", qPrintable(options.error));
        std::fputs(kWindowUsage, options.help ? stdout : stderr);
        return options.help ? 0 : 2;
    }

    QtUi ui;
    if (!options.dir.isEmpty() && !QDir::setCurrent(options.dir))
        ui.Show(NoDirectoryText(options.dir.toStdString()), Icon::Error);

    Database db(ui);
    // With a picture asked for, a start-up that would wait on a dialog (a file of the set
    // missing) saves the picture of that dialog and ends instead.
    bool pictured = false;
    if (!options.screenshot.isEmpty())
        ui.SetModalStandIn([&pictured, path = options.screenshot](QDialog& dialog) {
            QTimer::singleShot(kSettleMs, &dialog, [&pictured, &dialog, path] {
                if (!pictured) SavePicture(&dialog, path);
                pictured = true;
                dialog.reject();
            });
        });
    const bool started = RunStartup(db);
    ui.SetModalStandIn({});
    if (pictured) {
        std::fprintf(stderr, "tablon: the start-up waited on a dialog; its picture is in %s\n",
                     qPrintable(options.screenshot));
        return 1;
    }
    if (!started) return 1;
    CTablonApp app(db, ui);
    app.Start();
    MainWindow window(app, ui);
    ui.SetParent(&window);
    window.show();
    if (options.theme >= 0) window.Run(cmd::kThemeSystem + options.theme);
    if (!options.screenshot.isEmpty() || !options.select.isEmpty() || options.mode >= 0 ||
        options.row >= 0 || options.command || options.open || !options.filters.isEmpty())
        ScheduleOptions(window, app, options);
    return QApplication::exec();
}

}  // namespace tablon
