// Drawing a LOD: its node tree projected onto a canvas in one of three orthogonal projections,
// and the same walk measuring the picture's screen bounds without drawing. The LOD viewer and
// the objective drawing both draw models through here.
//
// A vertex v of the model goes through the current transform (the heading rotation about the
// model's z axis and the position, composed with the DOFs that are on above it), is projected
// to its two axes (h, v) of the projection, and lands at pixel
// (trunc(h * scale * 0.5) + offsetH, trunc(v * scale * 0.5) + offsetV). No axis is mirrored:
// the model's y (top view) and z (side and front views) grow downward.
#pragma once

#include <cstdint>
#include <vector>

#include "models/LodData.h"
#include "models/ModelRecords.h"
#include "shell/Canvas.h"

namespace tablon {

class HdrFile;

enum class Projection : int { Top = 1, Side = 2, Front = 3 };  // x-y, x-z, y-z

// Drawing flags, as the viewer's check boxes set them.
enum LodDrawFlag : unsigned {
    kLodFilled = 1,  // polygons filled instead of outlined
    kLodSlots = 4,   // slot positions marked
    kLodBsp = 16,    // split planes marked
    kLodLabels = 32  // polygon vertices numbered
};

struct LodDrawParams {
    Projection projection = Projection::Top;
    float headingDegrees = 0;  // rotation about the model's z axis
    Vec3 position;             // added after the rotation (where the model stands)
    int offsetH = 0, offsetV = 0;
    float scale = 2;  // the drawing scale: 2 puts one model unit on one pixel
    unsigned flags = 0;
    // The current state mask of each switch by switch number; a switch without one draws none
    // of its states. Null: every switch off.
    const std::vector<uint32_t>* switchMasks = nullptr;
    // Which DOFs are on, by DOF number; only numbers below the LOD's DOF count are drawn.
    const std::vector<bool>* dofsOn = nullptr;
    // Slot positions marked with kLodSlots.
    const std::vector<Vec3>* slots = nullptr;
};

// The smallest and largest pixel positions met; `any` false when nothing was.
struct ScreenBounds {
    bool any = false;
    int minH = 0, maxH = 0, minV = 0, maxV = 0;
};

// The drawing colours of the LOD colour table (DrawingColour of each entry).
std::vector<Colour> LodColourTable(const HdrFile& hdr);

class LodRenderer {
  public:
    // The LOD and colour table must outlive the renderer.
    LodRenderer(const LodData& lod, const std::vector<Colour>& colours)
        : lod_(lod), colours_(colours) {}

    // The pixel bounds of every polygon vertex drawn with these parameters.
    ScreenBounds Measure(const LodDrawParams& params) const;
    // Draws the tree (and with kLodSlots the slot marks) onto the canvas; the caller clears it.
    void Draw(Canvas& canvas, const LodDrawParams& params) const;

  private:
    template <typename OnPolygon, typename OnSplit>
    void Walk(const LodDrawParams& params, OnPolygon&& onPolygon, OnSplit&& onSplit) const;

    const LodData& lod_;
    const std::vector<Colour>& colours_;
};

// The LOD viewer's state and arithmetic, apart from any window: projection, flags, zoom, pan,
// switches and DOFs; extents measured once when it opens (every switch and DOF off).
class LodViewerModel {
  public:
    static constexpr int kScrollMax = 100;

    // The LOD must have its parent record set; `slots` are the parent's slot positions.
    LodViewerModel(const LodData& lod, std::vector<Colour> colours, std::vector<Vec3> slots);

    struct Extents {
        int minX = 0, maxX = 0, minY = 0, maxY = 0, minZ = 0, maxZ = 0;
    };
    const Extents& MeasuredExtents() const { return extents_; }

    Projection projection = Projection::Top;
    unsigned flags = 0;

    // Zoom from the slider: s < 0 gives 1 / (1 - s), 0 gives 1, s > 0 gives s + 1.
    static float ZoomFor(int sliderPosition);
    void SetZoomPosition(int s);  // clamped to -10..10
    int ZoomPosition() const { return zoomPosition_; }
    float Zoom() const { return zoom_; }
    // Scroll bar positions, -100 to 100 (clamped).
    void SetScroll(int h, int v);
    int HScroll() const { return hScroll_; }
    int VScroll() const { return vScroll_; }
    // "Reset": zoom 1, pan 0, slider to 0.
    void Reset();

    // Switches: the default masks of the LOD, and which are on (all off at the start).
    const std::vector<uint32_t>& DefaultMasks() const { return lod_.SwitchMasks(); }
    int SwitchCount() const { return int(lod_.SwitchMasks().size()); }
    bool SwitchOn(int i) const;
    void ToggleSwitch(int i);
    int DofCount() const { return lod_.DofCount() > 0 ? lod_.DofCount() : 0; }
    bool DofOn(int i) const;
    void ToggleDof(int i);

    // Everything a repaint at a drawing-area size computes.
    struct Layout {
        int width = 0, height = 0;
        int extentH = 0, extentV = 0;  // the chosen projection's extents (0 counts as 1)
        int minH = 0, minV = 0;
        float scale = 0;  // fit scale
        float originH = 0, originV = 0;
        int panX = 0, panY = 0;
        int offsetH = 0, offsetV = 0;
        float drawingScale = 0;
        float zoom = 1;
    };
    Layout LayoutFor(int width, int height) const;
    // Fills the canvas white and draws the LOD as the viewer shows it.
    Layout Draw(Canvas& canvas) const;

  private:
    const LodData& lod_;
    std::vector<Colour> colours_;
    std::vector<Vec3> slots_;
    Extents extents_;
    std::vector<uint32_t> masks_;  // current masks by switch number
    std::vector<bool> dofs_;
    int zoomPosition_ = 0;
    float zoom_ = 1;
    int hScroll_ = 0, vScroll_ = 0;
};

const char* ProjectionName(Projection p);  // "top", "side", "front"

}  // namespace tablon
