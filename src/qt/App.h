// The Tablon program: the window system's application, the start-up on the database set in the
// working directory (or the directory given), the main window.
#pragma once

namespace tablon {

// tablon [DIR] [--select PATH] [--mode large|small|list|detail] [--row N] [--show-item]
//        [--screenshot FILE.png]
// With --screenshot the program selects the category PATH of the tree, switches the list to
// the mode, selects row N, opens it with "Show Item" when asked, saves a picture of the
// topmost window and ends.
int RunTablon(int argc, char** argv);

}  // namespace tablon
