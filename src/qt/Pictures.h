// The program's pictures drawn with QPainter: icons that paint themselves at whatever size and
// pixel ratio they are asked for, in the colours of the current palette.
#pragma once

#include <QIcon>

#include "shell/Pictures.h"

class QPainter;
class QRectF;

namespace tablon {

// An icon showing one image; its selected mode shows the other (a tree item's n and n + 1).
QIcon ImageIcon(ImageRef normal, ImageRef selected);
// An icon of one picture (selected mode: the same picture drawn as selected).
QIcon PictureIcon(Picture picture);
// A list row's icon: the small image list's picture below 24 pixels, the large one above.
QIcon ListIcon(Picture small, Picture large);
// The program's own icon.
QIcon AppIcon();

// Draws a picture into a rectangle; selected draws it for the selection highlight.
void DrawPicture(QPainter& painter, const QRectF& rect, Picture picture, bool selected = false);

}  // namespace tablon
