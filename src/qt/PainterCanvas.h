// The drawing port on a QPainter: 1-pixel solid pens, no antialiasing, so the window shows the
// same pixels the raster canvas writes into picture files.
#pragma once

#include <QPainter>

#include "shell/Canvas.h"

namespace tablon {

class PainterCanvas : public Canvas {
  public:
    PainterCanvas(QPainter& painter, int width, int height);
    int Width() const override { return width_; }
    int Height() const override { return height_; }

  protected:
    void DoLine(int x0, int y0, int x1, int y1) override;
    void DoPolygon(const std::vector<CanvasPoint>& points, bool fill) override;
    void DoFillRect(int x, int y, int w, int h) override;
    void DoText(int x, int y, const std::string& text) override;
    void DoPixels(int x, int y, int w, int h, const std::vector<Colour>& pixels) override;

  private:
    void UsePen();
    QPainter& p_;
    int width_, height_;
};

}  // namespace tablon
