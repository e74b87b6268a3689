// The drawing port: what the system's drawings (the LOD viewer, the objective drawing) draw on.
// Everything is in whole pixels of the drawing area, (0, 0) at its top-left corner, x to the
// right and y downward. Pens are always 1 pixel wide and solid; nothing is antialiased, so a
// drawing lands on exactly the pixels its arithmetic computes, on the screen and in a picture
// file alike.
//
// Implementations: the raster canvas (RasterCanvas.h; pictures without a display), the
// window's painter canvas (qt/), and the recording canvas below (tests).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tablon {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kGreen{0, 255, 0};
constexpr Colour kBlue{0, 0, 255};

struct CanvasPoint {
    int x = 0, y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

// The calls translate every coordinate by the origin (SetOrigin) and pass it on to the
// implementation's Do... functions; implementations clip to their area.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // A translation added to every coordinate of the calls below (0, 0 at the start).
    void SetOrigin(int dx, int dy) {
        dx_ = dx;
        dy_ = dy;
    }
    CanvasPoint Origin() const { return {dx_, dy_}; }

    // The colour of the lines and outlines, and of text.
    void SetPen(Colour c) { pen_ = c; }
    Colour Pen() const { return pen_; }
    // The colour polygons and rectangles are filled with.
    void SetBrush(Colour c) { brush_ = c; }
    Colour Brush() const { return brush_; }

    // A line in the pen colour covering both end points.
    void Line(int x0, int y0, int x1, int y1) { DoLine(x0 + dx_, y0 + dy_, x1 + dx_, y1 + dy_); }
    // The edges of a polygon in the pen colour, the last point joined back to the first.
    void PolygonOutline(const std::vector<CanvasPoint>& points);
    // A polygon filled with the brush (even-odd rule, pixel centres inside), then outlined
    // with the pen.
    void FilledPolygon(const std::vector<CanvasPoint>& points);
    // Pixels [x, x + w) x [y, y + h) in the brush colour; no outline.
    void FillRect(int x, int y, int w, int h) { DoFillRect(x + dx_, y + dy_, w, h); }
    // Text in the pen colour on a transparent background, its top-left corner at (x, y).
    void Text(int x, int y, const std::string& text) { DoText(x + dx_, y + dy_, text); }
    // The whole area in a colour (the origin does not apply).
    void Clear(Colour c);
    // An image of w x h pixels (top row first) with its top-left corner at (x, y).
    void Pixels(int x, int y, int w, int h, const std::vector<Colour>& pixels) {
        DoPixels(x + dx_, y + dy_, w, h, pixels);
    }

  protected:
    virtual void DoLine(int x0, int y0, int x1, int y1) = 0;
    virtual void DoPolygon(const std::vector<CanvasPoint>& points, bool fill) = 0;
    virtual void DoFillRect(int x, int y, int w, int h) = 0;
    virtual void DoText(int x, int y, const std::string& text) = 0;
    // By default, each row's runs of one colour as rectangles.
    virtual void DoPixels(int x, int y, int w, int h, const std::vector<Colour>& pixels);

  private:
    std::vector<CanvasPoint> Translated(const std::vector<CanvasPoint>& points) const;
    int dx_ = 0, dy_ = 0;
    Colour pen_ = kBlack;
    Colour brush_ = kWhite;
};

// Writes every call as a line of text ("line 1 2 3 4 #ff0000", "poly fill #00ff00/#000000
// 1,2 3,4 5,6", "rect 0 0 10 10 #ffffff", "text 5 6 #000000 12") for tests to compare.
class RecordingCanvas : public Canvas {
  public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    const std::vector<std::string>& Calls() const { return calls_; }
    void Reset() { calls_.clear(); }

  protected:
    void DoLine(int x0, int y0, int x1, int y1) override;
    void DoPolygon(const std::vector<CanvasPoint>& points, bool fill) override;
    void DoFillRect(int x, int y, int w, int h) override;
    void DoText(int x, int y, const std::string& text) override;

  private:
    int width_, height_;
    std::vector<std::string> calls_;
};

// "#rrggbb".
std::string ColourText(Colour c);

}  // namespace tablon
