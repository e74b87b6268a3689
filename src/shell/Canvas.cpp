#include "shell/Canvas.h"

#include <cstdio>

namespace tablon {

std::string ColourText(Colour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

std::vector<CanvasPoint> Canvas::Translated(const std::vector<CanvasPoint>& points) const {
    std::vector<CanvasPoint> out;
    out.reserve(points.size());
    for (const CanvasPoint& p : points) out.push_back({p.x + dx_, p.y + dy_});
    return out;
}

void Canvas::PolygonOutline(const std::vector<CanvasPoint>& points) {
    if (!points.empty()) DoPolygon(Translated(points), false);
}

void Canvas::FilledPolygon(const std::vector<CanvasPoint>& points) {
    if (!points.empty()) DoPolygon(Translated(points), true);
}

void Canvas::Clear(Colour c) {
    const Colour brush = brush_;
    brush_ = c;
    DoFillRect(0, 0, Width(), Height());
    brush_ = brush;
}

void Canvas::DoPixels(int x, int y, int w, int h, const std::vector<Colour>& pixels) {
    if (w <= 0 || h <= 0 || pixels.size() < size_t(w) * size_t(h)) return;
    const Colour brush = brush_;
    for (int row = 0; row < h; ++row) {
        const Colour* line = &pixels[size_t(row) * size_t(w)];
        for (int from = 0; from < w;) {
            int to = from + 1;
            while (to < w && line[to] == line[from]) ++to;
            brush_ = line[from];
            DoFillRect(x + from, y + row, to - from, 1);
            from = to;
        }
    }
    brush_ = brush;
}

void RecordingCanvas::DoLine(int x0, int y0, int x1, int y1) {
    calls_.push_back("line " + std::to_string(x0) + " " + std::to_string(y0) + " " +
                     std::to_string(x1) + " " + std::to_string(y1) + " " + ColourText(Pen()));
}

void RecordingCanvas::DoPolygon(const std::vector<CanvasPoint>& points, bool fill) {
    std::string s = fill ? "poly fill " + ColourText(Brush()) + "/" + ColourText(Pen())
                         : "poly " + ColourText(Pen());
    for (const CanvasPoint& p : points) s += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    calls_.push_back(std::move(s));
}

void RecordingCanvas::DoFillRect(int x, int y, int w, int h) {
    calls_.push_back("rect " + std::to_string(x) + " " + std::to_string(y) + " " +
                     std::to_string(w) + " " + std::to_string(h) + " " + ColourText(Brush()));
}

void RecordingCanvas::DoText(int x, int y, const std::string& text) {
    calls_.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " +
                     ColourText(Pen()) + " " + text);
}

}  // namespace tablon
