// The system gives its sizes in pixels for its 8-point dialog font (about 6 pixels a
// character, 13 a line): dialog layouts, list column widths, the tree's width. The font in use,
// larger on a high-DPI screen or by the desktop's choice, scales them, never below the sizes
// given.
#pragma once

#include <QFont>
#include <cmath>

namespace tablon {

struct FontScale {
    qreal x = 1, y = 1;

    // The scale of a font: its average letter width against the classic font's character
    // width, its height against the classic line height.
    static FontScale Of(const QFont& font);

    int Width(int width) const { return int(std::lround(width * x)); }
    int Height(int height) const { return int(std::lround(height * y)); }
};

}  // namespace tablon
