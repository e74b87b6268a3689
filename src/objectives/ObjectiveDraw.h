// The drawing of an objective, apart from any window: every feature entry of its run drawn as
// its 3D model at the entry's offsets and heading (+ 90 degrees), from the top, the side or the
// front, and in the top view the objective's points and a pair of scaled axes. The "Objective
// Viewer" and the "FED  List" dialog both draw through it; so does "objective draw".
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "models/LodData.h"
#include "models/LodDraw.h"
#include "objectives/FeatureEntryRecord.h"
#include "shell/Canvas.h"

namespace tablon {

class CliVerbTable;
class Database;
class ShellRegistry;
struct ObjectiveRecord;

class ObjectiveDrawingModel {
  public:
    // The zoom slider and both scroll bars run from -kScrollMax to kScrollMax.
    static constexpr int kScrollMax = 10;
    // Where the extents start: every model widens them.
    static constexpr int kExtentStart = 1000000;

    explicit ObjectiveDrawingModel(Database& db);

    // Takes the objective's run of feature entries and its first point header. The entries
    // whose class-table record and model can be read are kept with their models; the extents
    // widen by each one's bounds and are never narrowed (a rebuild after a change of the run
    // keeps the extents of before).
    void Build(const ObjectiveRecord& objective);
    int EntryCount() const { return int(entries_.size()); }
    const std::vector<FeatureEntryRecord>& Entries() const { return entries_; }

    struct Extents {
        int minX = kExtentStart, maxX = -kExtentStart;
        int minY = kExtentStart, maxY = -kExtentStart;
        int minZ = kExtentStart, maxZ = -kExtentStart;
    };
    const Extents& MeasuredExtents() const { return extents_; }

    Projection projection = Projection::Top;
    bool filled = false;
    bool points = false;  // "PT Data"
    bool labels = false;  // "PT label"
    bool axes = false;    // "Axis"

    // Zoom from the slider position (clamped to -10..10): 1 / (1 - p), 1, or p + 1.
    void SetZoomPosition(int p);
    int ZoomPosition() const { return zoomPosition_; }
    float Zoom() const { return zoom_; }
    // A scroll bar moved to a position (clamped to -10..10) over a drawing area of this size:
    // the pan becomes (size div 10) x position.
    void ScrollHorizontal(int position, int areaWidth);
    void ScrollVertical(int position, int areaHeight);
    float PanX() const { return panX_; }
    float PanY() const { return panY_; }
    // "Reset": no pan, zoom 1, slider at 0 (the scroll bars stay where they are).
    void Reset();

    // Everything a repaint of a drawing area of this size computes.
    struct Layout {
        int width = 0, height = 0;
        int minH = 0, maxH = 0, minV = 0, maxV = 0;  // the chosen projection's extents
        float fitScale = 0;                          // f
        int originX = 0, originY = 0;                // ox, oy
        float scale = 0;                             // S = 2 f zoom
        float zoom = 1;
        float panX = 0, panY = 0;
    };
    Layout LayoutFor(int width, int height) const;
    // Fills the canvas white and draws the models, then in the top view the points and axes
    // when they are on.
    Layout Draw(Canvas& canvas) const;

    // The pixel a point of the objective lands on.
    static CanvasPoint PointPixel(const Layout& l, float x, float y);
    // What an axis label at k steps of `step` pixels says: the model distance it stands for.
    static float AxisDistance(const Layout& l, int k, int step);

  private:
    void DrawPoints(Canvas& canvas, const Layout& l) const;
    void DrawAxes(Canvas& canvas, const Layout& l) const;

    Database& db_;
    uint16_t firstPointHeader_ = 0;
    std::vector<Colour> colours_;
    // The models by parent number (entries of one feature share theirs), and per kept entry
    // its model.
    std::map<int, std::unique_ptr<LodData>> models_;
    std::vector<FeatureEntryRecord> entries_;
    std::vector<const LodData*> entryModels_;
    Extents extents_;
    int zoomPosition_ = 0;
    float zoom_ = 1;
    float panX_ = 0, panY_ = 0;
};

// The parameters one entry's model is measured and drawn with: its offsets, its heading + 90.
LodDrawParams EntryDrawParams(const FeatureEntryRecord& entry, Projection projection);

// "objective draw" on the command line.
void RegisterObjectiveDrawVerbs(CliVerbTable& verbs);
// The drawing's verbs, and the drawing of the objective dialogs.
void RegisterObjectiveDrawing(ShellRegistry& registry);

}  // namespace tablon
