// The Tablon program: the window system's application, the start-up on the database set in the
// working directory (or the directory given), the main window.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace tablon {

class CTablonApp;
class MainWindow;

// The window's own options. An option that does not parse leaves its reason in error.
struct WindowOptions {
    QString dir;
    QString select;
    int mode = -1;  // the display mode's command
    int row = -1;
    int command = 0;  // issued last ("--show-item" is one)
    QString screenshot;
    int theme = -1;
    QStringList filters;
    bool open = false;    // the selected row double-clicked before the picture
    QStringList presses;  // buttons pressed in the topmost dialog before the picture
    bool help = false;
    QString error;
};
WindowOptions ParseWindowOptions(const QStringList& args);
// Selects the category, display mode, filters and row the options name; false with the reason
// when the window cannot follow one (no such category, a row the list does not hold).
bool ApplyWindowOptions(MainWindow& window, CTablonApp& app, const WindowOptions& o,
                        std::string& error);

// tablon [DIR] [--select PATH] [--mode large|small|list|detail] [--row N] [--show-item]
//        [--screenshot FILE.png]
// The program selects the category PATH of the tree, switches the list to the mode, selects
// row N and opens it with "Show Item" when asked; with --screenshot it then saves a picture of
// the topmost window and ends. An option it cannot follow ends it with a reason and status 1
// (2 for one that does not parse). With --screenshot, a start-up that would wait on a dialog
// saves the picture of that dialog and ends with status 1.
int RunTablon(int argc, char** argv);

}  // namespace tablon
