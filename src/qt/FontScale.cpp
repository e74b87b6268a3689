#include "qt/FontScale.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>

namespace tablon {

namespace {

// The classic dialog font: its average character width and line height in pixels.
constexpr qreal kClassicCharWidth = 6;
constexpr qreal kClassicLineHeight = 13;

}  // namespace

FontScale FontScale::Of(const QFont& font) {
    const QFontMetricsF fm(font);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return {std::max<qreal>(1, fm.horizontalAdvance(letters) / letters.size() / kClassicCharWidth),
            std::max<qreal>(1, fm.height() / kClassicLineHeight)};
}

}  // namespace tablon
