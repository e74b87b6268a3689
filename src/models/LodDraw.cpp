#include "models/LodDraw.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "models/ModelFiles.h"

namespace tablon {

namespace {

// The current transform: p -> m p + t, m row-major.
struct Transform {
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    Vec3 t;

    Vec3 Apply(const Vec3& p) const {
        return {m[0] * p.x + m[1] * p.y + m[2] * p.z + t.x,
                m[3] * p.x + m[4] * p.y + m[5] * p.z + t.y,
                m[6] * p.x + m[7] * p.y + m[8] * p.z + t.z};
    }
    Vec3 Rotate(const Vec3& p) const {
        return {m[0] * p.x + m[1] * p.y + m[2] * p.z, m[3] * p.x + m[4] * p.y + m[5] * p.z,
                m[6] * p.x + m[7] * p.y + m[8] * p.z};
    }
    // This transform applied after a DOF's: p -> m (d p + o) + t.
    Transform Compose(const LodNode& dof) const {
        Transform out;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (int k = 0; k < 3; ++k) sum += m[3 * r + k] * dof.DofMatrix(3 * k + c);
                out.m[3 * r + c] = sum;
            }
        const Vec3 o = Rotate(dof.DofOffset());
        out.t = {o.x + t.x, o.y + t.y, o.z + t.z};
        return out;
    }
};

Transform RootTransform(const LodDrawParams& p) {
    Transform xf;
    if (p.headingDegrees != 0) {
        const double a = double(p.headingDegrees) * 3.14159265358979323846 / 180.0;
        const float c = float(std::cos(a)), s = float(std::sin(a));
        xf.m[0] = c;
        xf.m[1] = -s;
        xf.m[3] = s;
        xf.m[4] = c;
    }
    xf.t = p.position;
    return xf;
}

// trunc(value), held inside the range a pixel coordinate can take.
int PixelOf(float value) {
    if (!(value == value)) return 0;  // NaN
    const float limit = 1.0e9f;
    return int(std::clamp(value, -limit, limit));
}

CanvasPoint Project(const LodDrawParams& p, const Vec3& w) {
    float h = w.x, v = w.y;
    if (p.projection == Projection::Side) {
        v = w.z;
    } else if (p.projection == Projection::Front) {
        h = w.y;
        v = w.z;
    }
    const float half = p.scale * 0.5f;
    return {PixelOf(h * half) + p.offsetH, PixelOf(v * half) + p.offsetV};
}

void Widen(ScreenBounds& b, const CanvasPoint& pt) {
    if (!b.any) {
        b = {true, pt.x, pt.x, pt.y, pt.y};
        return;
    }
    b.minH = std::min(b.minH, pt.x);
    b.maxH = std::max(b.maxH, pt.x);
    b.minV = std::min(b.minV, pt.y);
    b.maxV = std::max(b.maxV, pt.y);
}

}  // namespace

const char* ProjectionName(Projection p) {
    switch (p) {
        case Projection::Side:
            return "side";
        case Projection::Front:
            return "front";
        case Projection::Top:
            break;
    }
    return "top";
}

std::vector<Colour> LodColourTable(const HdrFile& hdr) {
    std::vector<Colour> colours;
    const uint32_t n = hdr.ColourCount();
    colours.reserve(n);
    ColourRecord rec;
    for (uint32_t i = 0; i < n && hdr.GetColour(int(i), rec); ++i) {
        const Rgb c = DrawingColour(rec);
        colours.push_back({c.r, c.g, c.b});
    }
    return colours;
}

// Walks the drawn part of the tree on an explicit stack (no recursion, whatever the depth):
// a node, then its children in field order, then its sibling. onPolygon(primitive, vertex
// indices, points) gets each drawn primitive whose vertices all lie in the current vertex
// table; onSplit(point) each split plane's point when kLodBsp is set.
template <typename OnPolygon, typename OnSplit>
void LodRenderer::Walk(const LodDrawParams& params, OnPolygon&& onPolygon,
                       OnSplit&& onSplit) const {
    const auto& nodes = lod_.Nodes();
    if (nodes.empty()) return;
    struct Frame {
        int node;
        Transform xf;
        LodTable vertices;
    };
    std::vector<Frame> stack;
    stack.push_back({0, RootTransform(params), LodTable{}});
    std::vector<uint32_t> indices;
    std::vector<CanvasPoint> points;
    const int dofCount = lod_.DofCount();
    while (!stack.empty()) {
        const Frame f = stack.back();
        stack.pop_back();
        const LodNode& node = nodes[size_t(f.node)];
        if (node.sibling >= 0) stack.push_back({node.sibling, f.xf, f.vertices});
        const size_t below = stack.size();
        auto pushChildren = [&](const Transform& xf, const LodTable& vertices) {
            for (int child : node.children)
                if (child >= 0) stack.push_back({child, xf, vertices});
        };
        switch (node.type) {
            case kGeometryScope:
            case kRootScope:
            case kVertexScope:
                pushChildren(f.xf, node.Vertices());
                break;
            case kDofNode: {
                const int32_t number = node.DofNumber();
                const bool on = number >= 0 && number < dofCount && params.dofsOn &&
                                size_t(number) < params.dofsOn->size() &&
                                (*params.dofsOn)[size_t(number)];
                if (on) pushChildren(f.xf.Compose(node), f.vertices);
                break;
            }
            case kSwitchNode: {
                const uint32_t number = node.SwitchNumber();
                const uint32_t mask = params.switchMasks && number < params.switchMasks->size()
                                          ? (*params.switchMasks)[number]
                                          : 0;
                for (size_t k = 0; k < node.children.size() && k < 32; ++k)
                    if ((mask >> k) & 1u && node.children[k] >= 0)
                        stack.push_back({node.children[k], f.xf, f.vertices});
                break;
            }
            case kSplitNode:
                if (params.flags & kLodBsp) {
                    const float d = node.Plane(3);
                    const Vec3 point{node.Plane(0) * d, node.Plane(1) * d, node.Plane(2) * d};
                    onSplit(Project(params, f.xf.Apply(point)));
                }
                pushChildren(f.xf, f.vertices);
                break;
            case kPrimitiveNode:
            case kPrimitivePairNode:
            case kPrimitive2Node:
            case kPrimitiveValuesNode: {
                const int index = node.primitives[0];
                if (index < 0) break;
                const LodPrimitive& prim = lod_.Primitives()[size_t(index)];
                indices.clear();
                points.clear();
                bool complete = true;
                for (uint32_t i = 0; i < prim.vertexCount && complete; ++i) {
                    uint32_t vi = 0;
                    Vec3 v;
                    complete =
                        lod_.PrimitiveVertex(prim, i, vi) && lod_.TableVec3(f.vertices, vi, v);
                    if (complete) {
                        indices.push_back(vi);
                        points.push_back(Project(params, f.xf.Apply(v)));
                    }
                }
                if (complete && !points.empty()) onPolygon(prim, indices, points);
                break;
            }
            default:
                break;
        }
        // Children were pushed in field order; the first must be drawn first.
        std::reverse(stack.begin() + ptrdiff_t(below), stack.end());
    }
}

ScreenBounds LodRenderer::Measure(const LodDrawParams& params) const {
    ScreenBounds b;
    Walk(
        params,
        [&](const LodPrimitive&, const std::vector<uint32_t>&,
            const std::vector<CanvasPoint>& pts) {
            for (const CanvasPoint& p : pts) Widen(b, p);
        },
        [](const CanvasPoint&) {});
    return b;
}

void LodRenderer::Draw(Canvas& canvas, const LodDrawParams& params) const {
    const bool filled = params.flags & kLodFilled;
    const bool labels = params.flags & kLodLabels;
    auto colourOf = [&](int64_t index) {
        return index >= 0 && uint64_t(index) < colours_.size() ? colours_[size_t(index)] : kBlack;
    };
    Walk(
        params,
        [&](const LodPrimitive& prim, const std::vector<uint32_t>& indices,
            const std::vector<CanvasPoint>& pts) {
            const Colour c = colourOf(prim.colour);
            if (prim.colourKind == PrimitiveColour::None) {
                canvas.SetPen(kBlack);
                canvas.PolygonOutline(pts);
            } else if (filled) {
                canvas.SetBrush(c);
                canvas.SetPen(kBlack);
                canvas.FilledPolygon(pts);
            } else {
                canvas.SetPen(prim.colourKind == PrimitiveColour::Index ? c : kBlack);
                canvas.PolygonOutline(pts);
            }
            if (labels) {
                canvas.SetPen(kBlack);
                for (size_t i = 0; i < pts.size(); ++i)
                    canvas.Text(pts[i].x + 1, pts[i].y + 1, std::to_string(indices[i]));
            }
        },
        [&](const CanvasPoint& p) {
            canvas.SetPen(kBlue);
            canvas.Line(p.x, 0, p.x, 2 * params.offsetV);
            canvas.Line(0, p.y, 2 * params.offsetH, p.y);
        });
    if ((params.flags & kLodSlots) && params.slots) {
        const Transform root = RootTransform(params);
        canvas.SetPen(kRed);
        for (size_t i = 0; i < params.slots->size(); ++i) {
            const CanvasPoint p = Project(params, root.Apply((*params.slots)[i]));
            canvas.Line(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
            canvas.Line(p.x - 3, p.y + 3, p.x + 3, p.y - 3);
            canvas.Text(p.x, p.y + 5, std::to_string(i));
        }
    }
}

// ---------------------------------------------------------------------------------------------

LodViewerModel::LodViewerModel(const LodData& lod, std::vector<Colour> colours,
                               std::vector<Vec3> slots)
    : lod_(lod),
      colours_(std::move(colours)),
      slots_(std::move(slots)),
      masks_(lod.SwitchMasks().size(), 0),
      dofs_(size_t(DofCount()), false) {
    // Two measuring passes at fit scale 1 (one model unit on one pixel), every switch and DOF
    // off: the front projection's vertical bounds give z, the top projection's x and y.
    LodRenderer renderer(lod_, colours_);
    LodDrawParams p;
    p.projection = Projection::Front;
    const ScreenBounds front = renderer.Measure(p);
    p.projection = Projection::Top;
    const ScreenBounds top = renderer.Measure(p);
    if (front.any) {
        extents_.minZ = front.minV;
        extents_.maxZ = front.maxV;
    }
    if (top.any) {
        extents_.minX = top.minH;
        extents_.maxX = top.maxH;
        extents_.minY = top.minV;
        extents_.maxY = top.maxV;
    }
}

float LodViewerModel::ZoomFor(int s) {
    if (s < 0) return 1.0f / float(1 - s);
    if (s == 0) return 1.0f;
    return float(s + 1);
}

void LodViewerModel::SetZoomPosition(int s) {
    zoomPosition_ = std::clamp(s, -10, 10);
    zoom_ = ZoomFor(zoomPosition_);
}

void LodViewerModel::SetScroll(int h, int v) {
    hScroll_ = std::clamp(h, -kScrollMax, kScrollMax);
    vScroll_ = std::clamp(v, -kScrollMax, kScrollMax);
}

void LodViewerModel::Reset() {
    zoomPosition_ = 0;
    zoom_ = 1;
    hScroll_ = vScroll_ = 0;
}

bool LodViewerModel::SwitchOn(int i) const {
    return i >= 0 && size_t(i) < masks_.size() && masks_[size_t(i)] != 0;
}

void LodViewerModel::ToggleSwitch(int i) {
    if (i < 0 || size_t(i) >= masks_.size()) return;
    masks_[size_t(i)] = masks_[size_t(i)] ? 0 : lod_.SwitchMasks()[size_t(i)];
}

bool LodViewerModel::DofOn(int i) const {
    return i >= 0 && size_t(i) < dofs_.size() && dofs_[size_t(i)];
}

void LodViewerModel::ToggleDof(int i) {
    if (i >= 0 && size_t(i) < dofs_.size()) dofs_[size_t(i)] = !dofs_[size_t(i)];
}

LodViewerModel::Layout LodViewerModel::LayoutFor(int width, int height) const {
    Layout l;
    l.width = width;
    l.height = height;
    int minH = extents_.minX, maxH = extents_.maxX, minV = extents_.minY, maxV = extents_.maxY;
    if (projection == Projection::Side) {
        minV = extents_.minZ;
        maxV = extents_.maxZ;
    } else if (projection == Projection::Front) {
        minH = extents_.minY;
        maxH = extents_.maxY;
        minV = extents_.minZ;
        maxV = extents_.maxZ;
    }
    l.minH = minH;
    l.minV = minV;
    // A flat model has a zero extent: it counts as 1.
    l.extentH = maxH - minH > 0 ? maxH - minH : 1;
    l.extentV = maxV - minV > 0 ? maxV - minV : 1;
    l.scale = 0.95f * std::min(float(width) / float(l.extentH), float(height) / float(l.extentV));
    l.originH = float(minH) * l.scale - 0.025f * float(width);
    l.originV = float(minV) * l.scale - 0.025f * float(height);
    l.zoom = zoom_;
    l.panX = (width / kScrollMax) * hScroll_;
    l.panY = (height / kScrollMax) * vScroll_;
    l.offsetH = PixelOf(float(l.panX) * zoom_ - l.originH);
    l.offsetV = PixelOf(float(l.panY) * zoom_ - l.originV);
    l.drawingScale = 2.0f * l.scale * zoom_;
    return l;
}

LodViewerModel::Layout LodViewerModel::Draw(Canvas& canvas) const {
    const Layout l = LayoutFor(canvas.Width(), canvas.Height());
    canvas.Clear(kWhite);
    LodDrawParams p;
    p.projection = projection;
    p.offsetH = l.offsetH;
    p.offsetV = l.offsetV;
    p.scale = l.drawingScale;
    p.flags = flags;
    p.switchMasks = &masks_;
    p.dofsOn = &dofs_;
    p.slots = slots_.empty() ? nullptr : &slots_;
    LodRenderer(lod_, colours_).Draw(canvas, p);
    return l;
}

}  // namespace tablon
