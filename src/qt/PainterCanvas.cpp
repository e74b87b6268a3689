#include "qt/PainterCanvas.h"

#include <QImage>
#include <QPolygon>

namespace tablon {

namespace {

QColor ToQColor(Colour c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height)
    : p_(painter), width_(width), height_(height) {
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setRenderHint(QPainter::TextAntialiasing, false);
    p_.setClipRect(0, 0, width, height);
}

void PainterCanvas::UsePen() {
    QPen pen(ToQColor(Pen()));
    pen.setWidth(1);
    pen.setCosmetic(true);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
}

void PainterCanvas::DoLine(int x0, int y0, int x1, int y1) {
    UsePen();
    p_.drawLine(x0, y0, x1, y1);
    p_.drawPoint(x1, y1);  // both end points, as every canvas draws them
}

void PainterCanvas::DoPolygon(const std::vector<CanvasPoint>& points, bool fill) {
    QPolygon polygon;
    for (const CanvasPoint& pt : points) polygon << QPoint(pt.x, pt.y);
    if (fill && points.size() >= 3) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(ToQColor(Brush()));
        p_.drawPolygon(polygon, Qt::OddEvenFill);
    }
    for (size_t i = 0; i < points.size(); ++i) {
        const CanvasPoint& a = points[i];
        const CanvasPoint& b = points[(i + 1) % points.size()];
        DoLine(a.x, a.y, b.x, b.y);
    }
}

void PainterCanvas::DoFillRect(int x, int y, int w, int h) {
    p_.fillRect(x, y, w, h, ToQColor(Brush()));
}

void PainterCanvas::DoPixels(int x, int y, int w, int h, const std::vector<Colour>& pixels) {
    if (w <= 0 || h <= 0 || pixels.size() < size_t(w) * size_t(h)) return;
    QImage image(w, h, QImage::Format_RGB32);
    for (int row = 0; row < h; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int col = 0; col < w; ++col) {
            const Colour& c = pixels[size_t(row) * size_t(w) + size_t(col)];
            line[col] = qRgb(c.r, c.g, c.b);
        }
    }
    p_.drawImage(x, y, image);
}

void PainterCanvas::DoText(int x, int y, const std::string& text) {
    UsePen();
    QFont font = p_.font();
    font.setPixelSize(10);
    p_.setFont(font);
    p_.drawText(x, y + p_.fontMetrics().ascent(),
                QString::fromUtf8(text.data(), qsizetype(text.size())));
}

}  // namespace tablon
