#include "objectives/ObjectiveDraw.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "classtable/CtFile.h"
#include "models/ModelFiles.h"
#include "objectives/ObjectiveRecord.h"
#include "objectives/PointRecords.h"
#include "shell/Registry.h"
#include "shell/Ui.h"
#include "store/Database.h"

namespace tablon {

namespace {

constexpr Colour kYellow{255, 255, 0};
constexpr Colour kMagenta{255, 0, 255};
constexpr Colour kCyan{0, 255, 255};
// The pens of the point headers, in chain order, repeating after six.
constexpr Colour kHeaderPens[] = {kGreen, kRed, kBlue, kYellow, kMagenta, kCyan};

// trunc(value), held inside the range a pixel coordinate can take.
int Trunc(float value) {
    if (!(value == value)) return 0;  // NaN
    const float limit = 1.0e9f;
    return int(std::clamp(value, -limit, limit));
}

// A circle outline as a polygon through the pixels nearest to it.
void Circle(Canvas& canvas, int x, int y, int radius) {
    constexpr int kSides = 20;
    std::vector<CanvasPoint> pts;
    for (int i = 0; i < kSides; ++i) {
        const double a = 2 * 3.14159265358979323846 * i / kSides;
        pts.push_back({x + int(std::lround(radius * std::cos(a))),
                       y + int(std::lround(radius * std::sin(a)))});
    }
    canvas.PolygonOutline(pts);
}

void Cross(Canvas& canvas, int x, int y, int arm) {
    canvas.Line(x - arm, y - arm, x + arm, y + arm);
    canvas.Line(x - arm, y + arm, x + arm, y - arm);
}

}  // namespace

LodDrawParams EntryDrawParams(const FeatureEntryRecord& entry, Projection projection) {
    LodDrawParams p;
    p.projection = projection;
    p.headingDegrees = float(entry.Heading() + 90);
    p.position = {entry.X(), entry.Y(), entry.Z()};
    return p;
}

ObjectiveDrawingModel::ObjectiveDrawingModel(Database& db) : db_(db) {}

void ObjectiveDrawingModel::Build(const ObjectiveRecord& objective) {
    models_.clear();
    entries_.clear();
    entryModels_.clear();
    firstPointHeader_ = objective.FirstPointHeader();
    HdrFile& hdr = db_.Hdr();
    if (colours_.empty()) colours_ = LodColourTable(hdr);
    const TableFile* fed = db_.Table(FileId::Fed);
    if (!fed) return;
    std::vector<int64_t> blockAt;  // every parent's block offset, from one pass when needed
    auto modelOf = [&](int parent) -> const LodData* {
        auto [it, fresh] = models_.try_emplace(parent);
        if (!fresh) return it->second.get();
        ParentRecord p;
        if (!hdr.GetParent(parent, p) || p.Lods() == 0) return nullptr;
        if (blockAt.empty()) blockAt = hdr.ParentBlockOffsets();
        std::vector<LodRef> first;
        LodRecord rec;
        if (size_t(parent) >= blockAt.size() ||
            !hdr.ReadLodRefs(blockAt[size_t(parent)] + p.LodRefsAt(), 1, first) ||
            !hdr.GetLod(int(first[0].LodNumber()), rec))
            return nullptr;
        auto data = std::make_unique<LodData>();
        if (!data->Open(db_.Lod(), rec)) return nullptr;
        data->SetParent(p);
        it->second = std::move(data);
        return it->second.get();
    };
    FeatureEntryRecord entry;
    CtRecord ct;
    for (int k = 0; k < objective.FeatureEntryCount(); ++k) {
        if (!fed->GetRecord(objective.FirstFeatureEntry() + k, entry.data())) continue;
        if (!db_.Ct().GetRecord(entry.CtIndex(), ct)) continue;
        const LodData* model = modelOf(ct.Graphic(0));
        if (!model) continue;  // no model to draw: left out like an unreadable entry
        entries_.push_back(entry);
        entryModels_.push_back(model);
        const LodRenderer renderer(*model, colours_);
        const ScreenBounds top = renderer.Measure(EntryDrawParams(entry, Projection::Top));
        if (top.any) {
            extents_.minX = std::min(extents_.minX, top.minH);
            extents_.maxX = std::max(extents_.maxX, top.maxH);
            extents_.minY = std::min(extents_.minY, top.minV);
            extents_.maxY = std::max(extents_.maxY, top.maxV);
        }
        const ScreenBounds front = renderer.Measure(EntryDrawParams(entry, Projection::Front));
        if (front.any) {
            extents_.minZ = std::min(extents_.minZ, front.minV);
            extents_.maxZ = std::max(extents_.maxZ, front.maxV);
        }
    }
}

void ObjectiveDrawingModel::SetZoomPosition(int p) {
    zoomPosition_ = std::clamp(p, -kScrollMax, kScrollMax);
    zoom_ = LodViewerModel::ZoomFor(zoomPosition_);
}

void ObjectiveDrawingModel::ScrollHorizontal(int position, int areaWidth) {
    panX_ = float((areaWidth / kScrollMax) * std::clamp(position, -kScrollMax, kScrollMax));
}

void ObjectiveDrawingModel::ScrollVertical(int position, int areaHeight) {
    panY_ = float((areaHeight / kScrollMax) * std::clamp(position, -kScrollMax, kScrollMax));
}

void ObjectiveDrawingModel::Reset() {
    panX_ = panY_ = 0;
    SetZoomPosition(0);
}

ObjectiveDrawingModel::Layout ObjectiveDrawingModel::LayoutFor(int width, int height) const {
    Layout l;
    l.width = width;
    l.height = height;
    l.minH = extents_.minX;
    l.maxH = extents_.maxX;
    l.minV = extents_.minY;
    l.maxV = extents_.maxY;
    if (projection == Projection::Side) {
        l.minV = extents_.minZ;
        l.maxV = extents_.maxZ;
    } else if (projection == Projection::Front) {
        l.minH = extents_.minY;
        l.maxH = extents_.maxY;
        l.minV = extents_.minZ;
        l.maxV = extents_.maxZ;
    }
    // A zero extent (one flat feature) counts as 1; without any feature the start values
    // stand as they are.
    const int64_t extentH = int64_t(l.maxH) - l.minH, extentV = int64_t(l.maxV) - l.minV;
    l.fitScale = 0.95f * std::min(float(width) / float(extentH ? extentH : 1),
                                  float(height) / float(extentV ? extentV : 1));
    l.zoom = zoom_;
    l.panX = panX_;
    l.panY = panY_;
    l.originX = Trunc(panX_) - Trunc(float(l.minH) * l.fitScale - float(width) * 0.025f);
    l.originY = Trunc(panY_) - Trunc(float(l.minV) * l.fitScale - float(height) * 0.025f);
    l.scale = 2.0f * l.fitScale * zoom_;
    return l;
}

CanvasPoint ObjectiveDrawingModel::PointPixel(const Layout& l, float x, float y) {
    return {l.originX + Trunc(x * l.scale * 0.5f), l.originY + Trunc(y * l.scale * 0.5f)};
}

float ObjectiveDrawingModel::AxisDistance(const Layout& l, int k, int step) {
    // A pixel stands for 2 / S model units.
    return 2.0f * float(k) * float(step) / l.scale;
}

ObjectiveDrawingModel::Layout ObjectiveDrawingModel::Draw(Canvas& canvas) const {
    const Layout l = LayoutFor(canvas.Width(), canvas.Height());
    canvas.Clear(kWhite);
    for (size_t k = 0; k < entries_.size(); ++k) {
        LodDrawParams p = EntryDrawParams(entries_[k], projection);
        p.offsetH = l.originX;
        p.offsetV = l.originY;
        p.scale = l.scale;
        p.flags = filled ? unsigned(kLodFilled) : 0u;
        LodRenderer(*entryModels_[k], colours_).Draw(canvas, p);
    }
    if (projection == Projection::Top) {
        if (points) DrawPoints(canvas, l);
        if (axes) DrawAxes(canvas, l);
    }
    return l;
}

void ObjectiveDrawingModel::DrawPoints(Canvas& canvas, const Layout& l) const {
    const TableFile* phd = db_.Table(FileId::Phd);
    const TableFile* pd = db_.Table(FileId::Pd);
    if (!phd || !pd || firstPointHeader_ == 0) return;
    PointHeaderRecord header;
    PointRecord point;
    CanvasPoint at{0, 0};
    // The chain ends at 0, at a header that cannot be read, and at a header met before (a
    // chain that runs in a circle is drawn once).
    std::set<uint16_t> seen;
    int pen = 0;
    for (uint16_t h = firstPointHeader_; h != 0 && seen.insert(h).second;
         h = header.Chain(), ++pen) {
        if (!phd->GetRecord(h, header.data())) break;
        const Colour headerPen = kHeaderPens[pen % 6];
        bool first = true;
        for (int i = 0; i < header.PointCount(); ++i) {
            const int index = header.FirstPoint() + i;
            if (!pd->GetRecord(index, point.data())) continue;
            const CanvasPoint p = PointPixel(l, point.X(), point.Y());
            const uint8_t type = point.Type();
            // The joining line's pen, where the type has one.
            const Colour* join = nullptr;
            switch (type) {
                case kPointRunway:
                    join = &kMagenta;
                    break;
                case kPointCritTaxi:
                    join = &kRed;
                    break;
                case kPointTakeoff:
                case kPointTakeRunway:
                case kPointTaxi:
                case kPointSmallPark:
                case kPointLargePark:
                    join = &headerPen;
                    break;
                default:
                    break;
            }
            if (join && !first) {
                canvas.SetPen(*join);
                canvas.Line(at.x, at.y, p.x, p.y);
            }
            first = false;
            switch (type) {
                case kPointRunway:
                    canvas.SetPen(kMagenta);
                    canvas.Line(p.x - 5, p.y, p.x + 5, p.y);
                    canvas.Line(p.x, p.y - 5, p.x, p.y + 5);
                    break;
                case kPointTakeoff:
                case kPointTakeRunway:
                    canvas.SetPen(headerPen);
                    canvas.Line(p.x - 10, p.y - 10, p.x + 10, p.y + 10);
                    break;
                case kPointTaxi:
                case kPointCritTaxi:
                    canvas.SetPen(type == kPointTaxi ? headerPen : kRed);
                    Cross(canvas, p.x, p.y, 5);
                    break;
                case kPointSmallPark:
                case kPointLargePark:
                    canvas.SetPen(kYellow);
                    canvas.Text(p.x, p.y, type == kPointSmallPark ? "P" : "p");
                    break;
                default:
                    canvas.SetPen(kBlue);
                    Circle(canvas, p.x, p.y, 5);
                    break;
            }
            at = p;
            if (labels) {
                canvas.SetPen(kGreen);
                canvas.Text(p.x + 9, p.y, std::to_string(index));
            }
        }
    }
}

void ObjectiveDrawingModel::DrawAxes(Canvas& canvas, const Layout& l) const {
    const int w = l.width, h = l.height, ox = l.originX, oy = l.originY;
    canvas.SetPen(kBlack);
    canvas.Line(ox, 0, ox, h);
    canvas.Line(0, oy, w, oy);
    const int stepV = h / 10, stepH = w / 10;
    for (int k = -10; k <= 9; ++k) {
        if (k == 0) continue;
        const int y = oy + k * stepV;
        if (y >= 0 && y <= h) {
            canvas.SetPen(kBlack);
            canvas.Line(ox - 5, y, ox + 5, y);
            canvas.SetPen(kGreen);
            canvas.Text(ox + 7, y, Format("%.0f", double(AxisDistance(l, k, stepV))));
        }
        const int x = ox + k * stepH;
        if (x >= 0 && x <= w) {
            canvas.SetPen(kBlack);
            canvas.Line(x, oy - 5, x, oy + 5);
            canvas.SetPen(kGreen);
            canvas.Text(x, oy + 7, Format("%.0f", double(AxisDistance(l, k, stepH))));
        }
    }
}

void RegisterObjectiveDrawing(ShellRegistry& registry) {
    RegisterObjectiveDrawVerbs(registry.Verbs());
}

}  // namespace tablon
