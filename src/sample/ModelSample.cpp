#include "sample/ModelSample.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "models/LodData.h"
#include "models/Lzss.h"
#include "models/ModelRecords.h"
#include "store/NearestRounding.h"

namespace tablon {

namespace {

// ---------------------------------------------------------------------------------------------
// A growing byte buffer with little-endian writers.

class Buf {
  public:
    Bytes b;

    uint32_t Size() const { return uint32_t(b.size()); }
    template <typename T>
    void Put(T v) {
        const size_t at = b.size();
        b.resize(at + sizeof(T));
        StoreLE<T>(b.data() + at, v);
    }
    template <typename T>
    void PutAt(size_t at, T v) {
        StoreLE<T>(b.data() + at, v);
    }
    void U32(uint32_t v) { Put(v); }
    void F32(float v) { Put(v); }
    void Vec(const Vec3& v) {
        F32(v.x);
        F32(v.y);
        F32(v.z);
    }
    void VecAt(size_t at, const Vec3& v) {
        PutAt(at, v.x);
        PutAt(at + 4, v.y);
        PutAt(at + 8, v.z);
    }
    void Zero(size_t n) { b.insert(b.end(), n, 0); }
    void Append(const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
};

// ---------------------------------------------------------------------------------------------
// Colours, palettes and textures.

enum Colour : uint32_t {
    kWhite,
    kLightGrey,
    kGrey,
    kDarkGrey,
    kBlack,
    kConcrete,
    kBrick,
    kOlive,
    kSand,
    kGreen,
    kBrown,
    kNavy,
    kGlass,
    kRed,
    kYellow,
    kBlue,
    kBaseColours,
};
constexpr uint32_t kDemoColours = 2 * kBaseColours;  // the base colours, then darker ones
constexpr uint32_t Dark(uint32_t c) {
    return c + kBaseColours;
}

struct ColourValue {
    float r, g, b, a;
};
constexpr ColourValue kColourValues[kBaseColours] = {
    {1.0f, 1.0f, 1.0f, 1.0f},    {0.75f, 0.75f, 0.75f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f},
    {0.3f, 0.3f, 0.3f, 1.0f},    {0.0f, 0.0f, 0.0f, 1.0f},    {0.7f, 0.68f, 0.62f, 1.0f},
    {0.6f, 0.22f, 0.15f, 1.0f},  {0.42f, 0.45f, 0.22f, 1.0f}, {0.8f, 0.72f, 0.5f, 1.0f},
    {0.15f, 0.4f, 0.15f, 1.0f},  {0.4f, 0.26f, 0.13f, 1.0f},  {0.45f, 0.5f, 0.55f, 1.0f},
    {0.35f, 0.55f, 0.75f, 0.5f}, {0.9f, 0.1f, 0.1f, 1.0f},    {0.95f, 0.8f, 0.1f, 1.0f},
    {0.1f, 0.2f, 0.8f, 1.0f},
};

ColourRecord ColourEntry(uint32_t i) {
    const ColourValue& c = kColourValues[i % kBaseColours];
    // The darker half, and beyond the demo table ever slightly darker repeats.
    float f = (i % kDemoColours) >= kBaseColours ? 0.5f : 1.0f;
    f *= 1.0f - float((i / kDemoColours) % 64) / 256.0f;
    ColourRecord rec;
    rec.SetRgba(c.r * f, c.g * f, c.b * f, c.a);
    return rec;
}

// Palette 0: 16 greys, a 6 x 6 x 6 colour cube, 24 more greys. Palette 1: earth tones.
Palette MakePalette(int which) {
    Palette p{};
    for (uint32_t i = 0; i < kPaletteEntries; ++i) {
        uint32_t r, g, b;
        if (which == 0) {
            if (i < 16) {
                r = g = b = i * 17;
            } else if (i < 232) {
                const uint32_t k = i - 16;
                r = (k / 36) * 51;
                g = (k / 6 % 6) * 51;
                b = (k % 6) * 51;
            } else {
                r = g = b = 8 + (i - 232) * 10;
            }
        } else {
            r = i;
            g = i * 3 / 4 + 20 > 255 ? 255 : i * 3 / 4 + 20;
            b = i / 2;
        }
        p[i * 4] = uint8_t(r);
        p[i * 4 + 1] = uint8_t(g);
        p[i * 4 + 2] = uint8_t(b);
        p[i * 4 + 3] = 0;
    }
    return p;
}

// A colour of palette 0's cube.
constexpr uint8_t Cube(int r, int g, int b) {
    return uint8_t(16 + 36 * r + 6 * g + b);
}

enum Image : uint32_t {
    kTexChecker,
    kTexStripesH,
    kTexStripesV,
    kTexBricks,
    kTexGradient,
    kTexCamo,
    kTexRoof,
    kTexWindows,
    kTexConcrete,
    kTexGrass,
    kTexWater,
    kTexRunway,
    kImageCount,
};
// Texture table entries beyond the images: the same pixels read through palette 1.
constexpr uint32_t kEarthCopies[] = {kTexChecker, kTexBricks, kTexCamo, kTexWater};
constexpr uint32_t kBaseTextures = kImageCount + 4;

uint32_t ImageWidth(uint32_t image) {
    return image % 2 == 0 ? 32 : 16;
}

// A small deterministic noise in 0..255.
uint32_t Noise(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return (h ^ (h >> 16)) & 0xff;
}

// Pixels of an image, top row first, as palette-0 indices.
Bytes MakeImage(uint32_t image) {
    const uint32_t w = ImageWidth(image);
    Bytes px(size_t(w) * w);
    for (uint32_t y = 0; y < w; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t c = 0;
            switch (image) {
                case kTexChecker:
                    c = ((x / 8 + y / 8) % 2) ? Cube(5, 5, 5) : Cube(1, 1, 1);
                    break;
                case kTexStripesH:
                    c = (y / 2) % 2 ? Cube(5, 4, 0) : Cube(0, 0, 0);
                    break;
                case kTexStripesV:
                    c = x % 4 < 2 ? uint8_t(9) : uint8_t(12);
                    break;
                case kTexBricks: {
                    const uint32_t row = y / 4;
                    const uint32_t shift = row % 2 ? 4 : 0;
                    const bool mortar = y % 4 == 3 || (x + shift) % 8 == 7;
                    c = mortar ? Cube(4, 4, 4) : Cube(3, 1, 0);
                    break;
                }
                case kTexGradient:
                    c = uint8_t(232 + (x + y) * 23 / (2 * w - 2));
                    break;
                case kTexCamo: {
                    const uint32_t n = Noise(x / 4, y / 4, 7);
                    c = n < 90 ? Cube(1, 2, 0) : n < 170 ? Cube(2, 2, 1) : Cube(1, 1, 0);
                    break;
                }
                case kTexRoof:
                    c = (x + y) % 6 < 1 ? Cube(1, 1, 1) : Cube(2, 2, 2);
                    break;
                case kTexWindows:
                    c = (x % 4 != 0 && y % 4 != 0) ? Cube(1, 2, 4) : Cube(3, 3, 3);
                    break;
                case kTexConcrete:
                    c = uint8_t(9 + Noise(x, y, 3) % 4);
                    break;
                case kTexGrass:
                    c = Noise(x, y, 11) < 128 ? Cube(0, 3, 0) : Cube(1, 2, 0);
                    break;
                case kTexWater: {
                    const uint32_t t = (x + 2 * y) % 8;
                    c = Cube(0, 1, uint8_t(t < 4 ? 3 : 4));
                    break;
                }
                case kTexRunway:
                    c = (x == 1 || x == w - 2 || (x >= w / 2 - 1 && x <= w / 2 && y % 8 < 4))
                            ? Cube(5, 5, 5)
                            : uint8_t(6);
                    break;
            }
            px[size_t(y) * w + x] = c;
        }
    }
    return px;
}

// ---------------------------------------------------------------------------------------------
// Geometry: meshes of polygons, and the node trees over them.

struct Poly {
    std::vector<uint32_t> idx;
    uint32_t kind;
    uint32_t colour;
    uint32_t texSlot;  // position in the root's texture list, for textured kinds
};

struct Mesh {
    std::vector<Vec3> v;
    std::vector<Poly> polys;

    uint32_t Vtx(float x, float y, float z) {
        v.push_back({x, y, z});
        return uint32_t(v.size() - 1);
    }
    int Add(std::vector<uint32_t> idx, uint32_t kind, uint32_t colour, uint32_t tex = 0) {
        polys.push_back({std::move(idx), kind, colour, tex});
        return int(polys.size() - 1);
    }
    // A box (z grows downward: lo.z is its top). Faces: +x, -x, -y, +y, top, bottom.
    std::vector<int> Box(Vec3 lo, Vec3 hi, uint32_t kind, uint32_t colour, uint32_t tex = 0,
                         bool bottom = true) {
        uint32_t c[8];
        for (int i = 0; i < 8; ++i)
            c[i] = Vtx(i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z);
        std::vector<int> faces;
        faces.push_back(Add({c[1], c[3], c[7], c[5]}, kind, colour, tex));
        faces.push_back(Add({c[2], c[0], c[4], c[6]}, kind, colour, tex));
        faces.push_back(Add({c[0], c[1], c[5], c[4]}, kind, colour, tex));
        faces.push_back(Add({c[3], c[2], c[6], c[7]}, kind, colour, tex));
        faces.push_back(Add({c[0], c[2], c[3], c[1]}, 2, Dark(colour % kBaseColours)));
        if (bottom) faces.push_back(Add({c[4], c[5], c[7], c[6]}, 2, colour % kBaseColours));
        return faces;
    }
};

struct GNode {
    int type = 0;
    std::vector<int> polys;  // primitive nodes: the polygons of the current mesh
    int mesh = -1;           // geometry and vertex scopes: the mesh they bring in
    int32_t number = 0;      // slot, DOF or switch number
    Vec3 vec;                // slot position or DOF offset
    float plane[4] = {0, 0, 0, 0};
    std::vector<std::vector<GNode>> chains;  // child chains in field order; switch: states
};
using Chain = std::vector<GNode>;

GNode Prim(int poly, int type = kPrimitiveNode) {
    GNode n;
    n.type = type;
    n.polys = {poly};
    return n;
}
GNode Pair(int a, int b) {
    GNode n;
    n.type = kPrimitivePairNode;
    n.polys = {a, b};
    return n;
}
GNode Slot(int32_t number, Vec3 pos) {
    GNode n;
    n.type = kSlotNode;
    n.number = number;
    n.vec = pos;
    return n;
}
GNode Dof(int32_t number, Chain body) {
    GNode n;
    n.type = kDofNode;
    n.number = number;
    n.chains = {std::move(body)};
    return n;
}
GNode Switch(int32_t number, std::vector<Chain> states) {
    GNode n;
    n.type = kSwitchNode;
    n.number = number;
    n.chains = std::move(states);
    return n;
}
GNode Split(float a, float b, float c, float d, Chain front, Chain back) {
    GNode n;
    n.type = kSplitNode;
    n.plane[0] = a;
    n.plane[1] = b;
    n.plane[2] = c;
    n.plane[3] = d;
    n.chains = {std::move(front), std::move(back)};
    return n;
}
GNode Scope(int type, int mesh, Chain body) {
    GNode n;
    n.type = type;
    n.mesh = mesh;
    n.chains = {std::move(body)};
    return n;
}
// A chain of primitive nodes over polygons, pairing them up where asked.
void AddPrims(Chain& chain, const std::vector<int>& polys, bool pairs = false) {
    for (size_t i = 0; i < polys.size(); ++i) {
        if (pairs && i + 1 < polys.size()) {
            chain.push_back(Pair(polys[i], polys[i + 1]));
            ++i;
        } else {
            chain.push_back(Prim(polys[i]));
        }
    }
}

struct LodModel {
    std::vector<Mesh> meshes{1};  // meshes[0] is the root's
    std::vector<uint32_t> textures;
    Chain body;
    Mesh& M(int i = 0) { return meshes[size_t(i)]; }
};

Vec3 FaceNormal(const Mesh& m, const Poly& p) {
    if (p.idx.size() < 3) return {0, 0, -1};
    const Vec3 a = m.v[p.idx[0]], b = m.v[p.idx[1]], c = m.v[p.idx[2]];
    const Vec3 u{b.x - a.x, b.y - a.y, b.z - a.z}, w{c.x - a.x, c.y - a.y, c.z - a.z};
    Vec3 n{u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
    const float len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (len <= 0) return {0, 0, -1};
    return {n.x / len, n.y / len, n.z / len};
}

// Lays a LOD out as a block: the type codes in construction order, then the node area with
// the root scope at offset 0, the tables, the other nodes and the primitive records.
class BlockWriter {
  public:
    Bytes Write(const LodModel& m, uint32_t& codeCount) {
        m_ = &m;
        const uint32_t root = Reserve(LodNodeSize(kRootScope));
        for (const Mesh& mesh : m.meshes) {
            vertices_.push_back({area_.Size(), uint32_t(mesh.v.size())});
            for (const Vec3& v : mesh.v) area_.Vec(v);
            normals_.push_back({area_.Size(), uint32_t(mesh.polys.size())});
            for (const Poly& p : mesh.polys) area_.Vec(FaceNormal(mesh, p));
        }
        const LodTable textures{area_.Size(), uint32_t(m.textures.size())};
        for (uint32_t t : m.textures) area_.U32(t);
        const uint32_t first = WriteChain(m.body, 0);

        area_.PutAt<uint32_t>(root, kRootScope);
        PutScope(root, 0, first);
        area_.PutAt<uint32_t>(root + 36, textures.offset);
        area_.PutAt<uint32_t>(root + 40, textures.count);
        placed_[root] = {kRootScope, 0, {first}};

        std::vector<uint32_t> codes{kRootScope};
        Emit(first, codes);
        codeCount = uint32_t(codes.size());
        Buf block;
        block.U32(codeCount);
        for (uint32_t c : codes) block.U32(c);
        block.Append(area_.b);
        return block.b;
    }

  private:
    struct Placed {
        int type;
        int32_t sibling;
        std::vector<uint32_t> children;
    };

    uint32_t Reserve(size_t n) {
        const uint32_t at = area_.Size();
        area_.Zero(n);
        return at;
    }

    // The fields a geometry scope, root scope and DOF share: the tables and the first child.
    void PutScope(uint32_t at, int mesh, uint32_t child) {
        area_.PutAt<uint32_t>(at + 8, vertices_[size_t(mesh)].offset);
        area_.PutAt<uint32_t>(at + 12, vertices_[size_t(mesh)].count);
        area_.PutAt<uint32_t>(at + 24, normals_[size_t(mesh)].offset);
        area_.PutAt<uint32_t>(at + 28, normals_[size_t(mesh)].count);
        area_.PutAt<uint32_t>(at + 32, child);
    }

    uint32_t WritePoly(int polyIndex, int mesh) {
        const Poly& p = m_->meshes[size_t(mesh)].polys[size_t(polyIndex)];
        const uint32_t words = PrimitiveWords(p.kind);
        const uint32_t list = area_.Size();
        for (uint32_t i : p.idx) area_.U32(i);
        uint32_t word7 = p.colour;
        const bool colourList = (p.kind >= 4 && p.kind <= 5) || (p.kind >= 8 && p.kind <= 9);
        if (colourList) {
            // One colour per vertex, the polygon's own first; the drawing uses the first.
            word7 = area_.Size();
            for (size_t k = 0; k < p.idx.size(); ++k)
                area_.U32(k % 2 ? Dark(p.colour % kBaseColours) : p.colour);
        }
        uint32_t word8 = 0;
        if (words == 9) {
            // Texture coordinates at the polygon's corners.
            word8 = area_.Size();
            for (size_t k = 0; k < p.idx.size(); ++k) {
                area_.F32(k == 1 || k == 2 ? 1.0f : 0.0f);
                area_.F32(k >= 2 ? 1.0f : 0.0f);
            }
        }
        const uint32_t rec = area_.Size();
        area_.U32(p.kind);
        area_.U32(uint32_t(p.idx.size()));
        area_.U32(list);
        area_.U32(words == 9 ? p.texSlot : 0);
        if (words >= 8) {
            area_.U32(uint32_t(polyIndex));  // the polygon's normal in the scope's table
            area_.U32(0);
            area_.U32(0);
            area_.U32(word7);
        }
        if (words == 9) area_.U32(word8);
        return rec;
    }

    uint32_t WriteChain(const Chain& chain, int mesh) {
        std::vector<uint32_t> at;
        for (const GNode& n : chain) at.push_back(Reserve(LodNodeSize(n.type)));
        for (size_t i = 0; i < chain.size(); ++i) {
            const GNode& n = chain[i];
            const uint32_t o = at[i];
            const int32_t sibling = i + 1 < chain.size() ? int32_t(at[i + 1]) : 0;
            area_.PutAt<uint32_t>(o, uint32_t(n.type));
            area_.PutAt<int32_t>(o + 4, sibling);
            std::vector<uint32_t> children;
            switch (n.type) {
                case kPrimitiveNode:
                case kPrimitive2Node:
                    area_.PutAt<uint32_t>(o + 8, WritePoly(n.polys[0], mesh));
                    break;
                case kPrimitivePairNode:
                    area_.PutAt<uint32_t>(o + 8, WritePoly(n.polys[0], mesh));
                    area_.PutAt<uint32_t>(o + 12, WritePoly(n.polys[1], mesh));
                    break;
                case kPrimitiveValuesNode:
                    area_.PutAt<uint32_t>(o + 8, WritePoly(n.polys[0], mesh));
                    area_.PutAt<int32_t>(o + 12, 1);
                    area_.PutAt<int32_t>(o + 16, 2);
                    area_.PutAt<int32_t>(o + 20, 3);
                    break;
                case kSlotNode:
                    for (int k = 0; k < 3; ++k) area_.PutAt<float>(o + 8 + 16 * size_t(k), 1.0f);
                    area_.VecAt(o + 44, n.vec);
                    area_.PutAt<int32_t>(o + 56, n.number);
                    break;
                case kDofNode: {
                    const uint32_t child = WriteChain(n.chains[0], mesh);
                    PutScope(o, mesh, child);
                    area_.PutAt<int32_t>(o + 36, n.number);
                    for (int k = 0; k < 3; ++k) area_.PutAt<float>(o + 40 + 16 * size_t(k), 1.0f);
                    area_.VecAt(o + 76, n.vec);
                    children.push_back(child);
                    break;
                }
                case kSwitchNode: {
                    const uint32_t table = Reserve(4 * n.chains.size());
                    for (size_t k = 0; k < n.chains.size(); ++k) {
                        const uint32_t child = WriteChain(n.chains[k], mesh);
                        area_.PutAt<uint32_t>(table + 4 * k, child);
                        children.push_back(child);
                    }
                    area_.PutAt<int32_t>(o + 8, n.number);
                    area_.PutAt<uint32_t>(o + 12, uint32_t(n.chains.size()));
                    area_.PutAt<uint32_t>(o + 16, table);
                    break;
                }
                case kSplitNode: {
                    for (int k = 0; k < 4; ++k)
                        area_.PutAt<float>(o + 8 + 4 * size_t(k), n.plane[k]);
                    const uint32_t a = WriteChain(n.chains[0], mesh);
                    const uint32_t b = WriteChain(n.chains[1], mesh);
                    area_.PutAt<uint32_t>(o + 24, a);
                    area_.PutAt<uint32_t>(o + 28, b);
                    children = {a, b};
                    break;
                }
                case kGeometryScope: {
                    const uint32_t child = WriteChain(n.chains[0], n.mesh);
                    PutScope(o, n.mesh, child);
                    children.push_back(child);
                    break;
                }
                case kVertexScope: {
                    const uint32_t child = WriteChain(n.chains[0], n.mesh);
                    area_.PutAt<uint32_t>(o + 8, vertices_[size_t(n.mesh)].offset);
                    area_.PutAt<uint32_t>(o + 12, vertices_[size_t(n.mesh)].count);
                    area_.PutAt<uint32_t>(o + 20, child);
                    children.push_back(child);
                    break;
                }
            }
            placed_[o] = {n.type, sibling, std::move(children)};
        }
        return at.empty() ? 0 : at[0];
    }

    // The type codes in the order the tree is built when read: a node, its sibling chain,
    // then its children.
    void Emit(uint32_t offset, std::vector<uint32_t>& codes) const {
        const Placed& p = placed_.at(offset);
        codes.push_back(uint32_t(p.type));
        if (p.sibling >= 1) Emit(uint32_t(p.sibling), codes);
        for (uint32_t c : p.children) Emit(c, codes);
    }

    const LodModel* m_ = nullptr;
    Buf area_;
    std::vector<LodTable> vertices_, normals_;
    std::map<uint32_t, Placed> placed_;
};

// ---------------------------------------------------------------------------------------------
// The models. Coordinates in feet: x forward, y right, z down (heights are negative z).

struct ModelInfo {
    std::vector<LodModel> lods;  // most detailed first
    std::vector<float> distances;
    std::vector<Vec3> slots;
    std::vector<Vec3> dynamic;
    int switches = 0;
    int dofs = 0;
    bool textured = false;
};

LodModel BuildingLod(int level, float s, int variant) {
    LodModel m;
    Mesh& g = m.M();
    if (level == 0) {
        m.textures = {variant ? kImageCount + 1 : uint32_t(kTexBricks), kTexConcrete};
        auto faces = g.Box({-20 * s, -15 * s, -20 * s}, {20 * s, 15 * s, 0}, 6, kBrick, 0, false);
        const int door =
            g.Add({g.Vtx(20 * s + 0.1f, -3 * s, 0), g.Vtx(20 * s + 0.1f, 3 * s, 0),
                   g.Vtx(20 * s + 0.1f, 3 * s, -8 * s), g.Vtx(20 * s + 0.1f, -3 * s, -8 * s)},
                  2, kBrown);
        AddPrims(m.body, {faces[0], faces[1]}, true);
        AddPrims(m.body, {faces[2], faces[3], faces[4], door});
    } else {
        auto faces = g.Box({-20 * s, -15 * s, -20 * s}, {20 * s, 15 * s, 0}, 2, kBrick, 0, false);
        AddPrims(m.body, faces);
    }
    return m;
}

LodModel HangarLod(int level, float s) {
    LodModel m;
    Mesh& g = m.M();
    const float L = 40 * s, W = 30 * s;
    if (level > 0) {
        auto faces = g.Box({-L, -W, -22 * s}, {L, W, 0}, 2, kGrey, 0, false);
        AddPrims(m.body, faces);
        return m;
    }
    m.textures = {kTexRoof, kTexStripesV};
    // The arch: five points across the width.
    const float ys[5] = {-W, -W / 2, 0, W / 2, W};
    const float zs[5] = {-15 * s, -25 * s, -30 * s, -25 * s, -15 * s};
    uint32_t front[5], back[5];
    for (int i = 0; i < 5; ++i) {
        front[i] = g.Vtx(L, ys[i], zs[i]);
        back[i] = g.Vtx(-L, ys[i], zs[i]);
    }
    std::vector<int> roof;
    for (int i = 0; i < 4; ++i)
        roof.push_back(g.Add({front[i], front[i + 1], back[i + 1], back[i]}, 6, kGrey, 0));
    const uint32_t fl0 = g.Vtx(L, -W, 0), fr0 = g.Vtx(L, W, 0);
    const uint32_t bl0 = g.Vtx(-L, -W, 0), br0 = g.Vtx(-L, W, 0);
    const int left = g.Add({fl0, bl0, back[0], front[0]}, 6, kLightGrey, 1);
    const int right = g.Add({br0, fr0, front[4], back[4]}, 6, kLightGrey, 1);
    const int backWall = g.Add({bl0, br0, back[4], back[3], back[2], back[1], back[0]}, 2, kGrey);
    // The front: the wall around the door opening, then the door itself under switch 0.
    const uint32_t dl = g.Vtx(L, -20 * s, 0), dr = g.Vtx(L, 20 * s, 0);
    const uint32_t dtl = g.Vtx(L, -20 * s, -14 * s), dtr = g.Vtx(L, 20 * s, -14 * s);
    const int gable = g.Add({dtl, dtr, front[4], front[3], front[2], front[1], front[0]}, 2, kGrey);
    const int postL = g.Add({fl0, dl, dtl, front[0]}, 2, kGrey);
    const int postR = g.Add({dr, fr0, front[4], dtr}, 2, kGrey);
    const int closed = g.Add({dl, dr, dtr, dtl}, 4, kNavy);
    const uint32_t ol = g.Vtx(L + 1, -20 * s, -12 * s), orr = g.Vtx(L + 1, 20 * s, -12 * s);
    const uint32_t otl = g.Vtx(L + 1, -20 * s, -15 * s), otr = g.Vtx(L + 1, 20 * s, -15 * s);
    const int open = g.Add({ol, orr, otr, otl}, 4, kNavy);

    Chain leftHalf, rightHalf;
    AddPrims(leftHalf, {left, roof[0], roof[1]});
    AddPrims(rightHalf, {right, roof[2], roof[3]});
    m.body.push_back(Split(0, 1, 0, 0, std::move(leftHalf), std::move(rightHalf)));
    AddPrims(m.body, {backWall, gable});
    m.body.push_back(Pair(postL, postR));
    Chain closedState, openState;
    AddPrims(closedState, {closed});
    AddPrims(openState, {open});
    m.body.push_back(Switch(0, {std::move(closedState), std::move(openState)}));
    return m;
}

// Wing hardpoints of the aircraft.
std::vector<Vec3> AircraftSlots(float s) {
    return {{-2 * s, -8 * s, 1.5f * s},
            {-2 * s, 8 * s, 1.5f * s},
            {-3 * s, -13 * s, 1.5f * s},
            {-3 * s, 13 * s, 1.5f * s}};
}

LodModel AircraftLod(int level, float s) {
    LodModel m;
    Mesh& g = m.M();
    const float r = 2.5f * s;
    auto wing = [&](float side, uint32_t kind) {
        return g.Add({g.Vtx(5 * s, side * r, 0), g.Vtx(-5 * s, side * r, 0),
                      g.Vtx(-9 * s, side * 20 * s, 0), g.Vtx(-4 * s, side * 20 * s, 0)},
                     kind, kGrey);
    };
    if (level == 2) {
        // Outlines only: the fuselage and the wings.
        const int body =
            g.Add({g.Vtx(26 * s, 0, 0), g.Vtx(-22 * s, 0, 0), g.Vtx(-22 * s, 0, -r)}, 0, kBlack);
        const int wings = g.Add(
            {g.Vtx(0, -20 * s, 0), g.Vtx(4 * s, 0, 0), g.Vtx(0, 20 * s, 0), g.Vtx(-6 * s, 0, 0)}, 0,
            kBlack);
        AddPrims(m.body, {body, wings});
        return m;
    }
    std::vector<int> hull;
    if (level == 0) {
        m.textures = {kTexCamo};
        // An octagonal fuselage with a nose cone and a tail cap.
        uint32_t aft[8], fwd[8];
        const float co[8] = {1, 0.7071f, 0, -0.7071f, -1, -0.7071f, 0, 0.7071f};
        const float si[8] = {0, 0.7071f, 1, 0.7071f, 0, -0.7071f, -1, -0.7071f};
        for (int i = 0; i < 8; ++i) {
            aft[i] = g.Vtx(-22 * s, co[i] * r, si[i] * r);
            fwd[i] = g.Vtx(18 * s, co[i] * r, si[i] * r);
        }
        const uint32_t tip = g.Vtx(26 * s, 0, 0);
        for (int i = 0; i < 8; ++i) {
            const int j = (i + 1) % 8;
            hull.push_back(g.Add({aft[i], aft[j], fwd[j], fwd[i]}, 6, kGrey, 0));
        }
        for (int i = 0; i < 8; ++i)
            hull.push_back(g.Add({fwd[i], fwd[(i + 1) % 8], tip}, 2, kGrey));
        hull.push_back(
            g.Add({aft[0], aft[7], aft[6], aft[5], aft[4], aft[3], aft[2], aft[1]}, 2, kDarkGrey));
    } else {
        auto faces = g.Box({-22 * s, -r, -r}, {26 * s, r, r}, 2, kGrey);
        hull.insert(hull.end(), faces.begin(), faces.end());
    }
    AddPrims(m.body, hull, level == 0);
    const int wl = wing(-1, 4), wr = wing(1, 4);
    const int tl = g.Add({g.Vtx(-17 * s, -r, 0), g.Vtx(-22 * s, -r, 0), g.Vtx(-22 * s, -8 * s, 0),
                          g.Vtx(-19 * s, -8 * s, 0)},
                         2, kGrey);
    const int tr = g.Add({g.Vtx(-17 * s, r, 0), g.Vtx(-22 * s, r, 0), g.Vtx(-22 * s, 8 * s, 0),
                          g.Vtx(-19 * s, 8 * s, 0)},
                         2, kGrey);
    const int fin = g.Add({g.Vtx(-14 * s, 0, -r), g.Vtx(-22 * s, 0, -r), g.Vtx(-22 * s, 0, -9 * s),
                           g.Vtx(-19 * s, 0, -9 * s)},
                          2, kDarkGrey);
    AddPrims(m.body, {wl, wr});
    m.body.push_back(Pair(tl, tr));
    m.body.push_back(Prim(fin, kPrimitive2Node));
    if (level == 0) {
        const int canopy = g.Add({g.Vtx(16 * s, -1.5f * s, -r), g.Vtx(16 * s, 1.5f * s, -r),
                                  g.Vtx(8 * s, 1.5f * s, -r - s), g.Vtx(8 * s, -1.5f * s, -r - s)},
                                 2, kGlass);
        m.body.push_back(Prim(canopy));
        // Ailerons on DOFs 0 and 1, the afterburner on switch 0.
        for (int side = 0; side < 2; ++side) {
            const float y = side ? 1.0f : -1.0f;
            const int ail =
                g.Add({g.Vtx(-7 * s, y * 12 * s, -0.1f), g.Vtx(-9 * s, y * 12 * s, -0.1f),
                       g.Vtx(-9 * s, y * 19 * s, -0.1f), g.Vtx(-7 * s, y * 19 * s, -0.1f)},
                      2, kDarkGrey);
            Chain c;
            AddPrims(c, {ail});
            m.body.push_back(Dof(side, std::move(c)));
        }
        const int flame =
            g.Add({g.Vtx(-22 * s, -1.5f * s, 0), g.Vtx(-22 * s, 1.5f * s, 0), g.Vtx(-30 * s, 0, 0)},
                  2, kYellow);
        Chain burner;
        AddPrims(burner, {flame});
        m.body.push_back(Switch(0, {std::move(burner)}));
    }
    const auto slots = AircraftSlots(s);
    for (size_t i = 0; i < slots.size(); ++i) m.body.push_back(Slot(int32_t(i), slots[i]));
    return m;
}

LodModel TowerLod(int level, float s) {
    LodModel m;
    Mesh& g = m.M();
    if (level > 0) {
        AddPrims(m.body, g.Box({-5 * s, -5 * s, -48 * s}, {5 * s, 5 * s, 0}, 2, kConcrete));
        return m;
    }
    m.textures = {kTexWindows, kTexConcrete};
    auto shaft = g.Box({-4 * s, -4 * s, -40 * s}, {4 * s, 4 * s, 0}, 6, kConcrete, 1, false);
    AddPrims(m.body, shaft, true);
    // The cab has a vertex table of its own.
    m.meshes.emplace_back();
    Mesh& cab = m.M(1);
    auto faces = cab.Box({-7 * s, -7 * s, -48 * s}, {7 * s, 7 * s, -40 * s}, 6, kGlass, 0);
    const int mast = cab.Add({cab.Vtx(0, 0, -48 * s), cab.Vtx(0, 0, -58 * s)}, 0, kBlack);
    Chain inCab;
    for (int i = 0; i < 4; ++i) inCab.push_back(Prim(faces[size_t(i)], kPrimitive2Node));
    AddPrims(inCab, {faces[4], faces[5], mast});
    m.body.push_back(Scope(kVertexScope, 1, std::move(inCab)));
    return m;
}

LodModel VehicleLod(int level, float s) {
    LodModel m;
    Mesh& g = m.M();
    if (level > 0) {
        AddPrims(m.body, g.Box({-12 * s, -7 * s, -5 * s}, {12 * s, 7 * s, -1 * s}, 2, kOlive));
        AddPrims(m.body, g.Box({-4 * s, -4 * s, -8 * s}, {4 * s, 4 * s, -5 * s}, 2, kOlive));
        return m;
    }
    m.textures = {kTexCamo, kImageCount + 2};
    const int shadow = g.Add({g.Vtx(13 * s, -8 * s, 0), g.Vtx(13 * s, 8 * s, 0),
                              g.Vtx(-13 * s, 8 * s, 0), g.Vtx(-13 * s, -8 * s, 0)},
                             2, kBlack);
    GNode shade = Prim(shadow, kPrimitiveValuesNode);
    m.body.push_back(shade);
    AddPrims(m.body, g.Box({-12 * s, -6 * s, -5 * s}, {12 * s, 6 * s, -1 * s}, 8, kOlive, 0), true);
    AddPrims(m.body, g.Box({-12 * s, -7 * s, -3 * s}, {12 * s, -6 * s, 0}, 2, kDarkGrey));
    AddPrims(m.body, g.Box({-12 * s, 6 * s, -3 * s}, {12 * s, 7 * s, 0}, 2, kDarkGrey));
    // The turret: a geometry scope with its own tables; the gun on DOF 0 inside it.
    m.meshes.emplace_back();
    Mesh& t = m.M(1);
    auto turret = t.Box({-4 * s, -4 * s, -8 * s}, {4 * s, 4 * s, -5 * s}, 6, kOlive, 1);
    auto gun = t.Box({4 * s, -0.4f * s, -7 * s}, {14 * s, 0.4f * s, -6 * s}, 2, kDarkGrey);
    Chain inTurret, onGun;
    AddPrims(inTurret, turret);
    AddPrims(onGun, gun);
    inTurret.push_back(Dof(0, std::move(onGun)));
    m.body.push_back(Scope(kGeometryScope, 1, std::move(inTurret)));
    return m;
}

std::vector<Vec3> ShipSlots(float s) {
    return {{40 * s, 0, -5 * s}, {-40 * s, 0, -5 * s}};
}

LodModel ShipLod(int level, float s) {
    LodModel m;
    Mesh& g = m.M();
    const float xs[5] = {60 * s, 35 * s, -60 * s, -60 * s, 35 * s};
    const float ys[5] = {0, 10 * s, 10 * s, -10 * s, -10 * s};
    uint32_t deck[5], keel[5];
    for (int i = 0; i < 5; ++i) deck[i] = g.Vtx(xs[i], ys[i], -5 * s);
    const int deckPoly = g.Add({deck[0], deck[1], deck[2], deck[3], deck[4]}, 2, kNavy);
    if (level > 0) {
        AddPrims(m.body, {deckPoly});
        AddPrims(m.body, g.Box({-20 * s, -6 * s, -15 * s}, {0, 6 * s, -5 * s}, 2, kLightGrey));
        return m;
    }
    m.textures = {kTexWindows, kTexWater};
    for (int i = 0; i < 5; ++i) keel[i] = g.Vtx(xs[i] * 0.9f, ys[i] * 0.8f, 3 * s);
    std::vector<int> sides;
    for (int i = 0; i < 5; ++i) {
        const int j = (i + 1) % 5;
        sides.push_back(g.Add({deck[i], deck[j], keel[j], keel[i]}, 2, kNavy));
    }
    AddPrims(m.body, {deckPoly});
    AddPrims(m.body, sides, true);
    AddPrims(m.body, g.Box({-20 * s, -6 * s, -15 * s}, {0, 6 * s, -5 * s}, 6, kLightGrey, 0), true);
    AddPrims(m.body, g.Box({-12 * s, -2 * s, -22 * s}, {-6 * s, 2 * s, -15 * s}, 2, kDarkGrey));
    const auto slots = ShipSlots(s);
    for (size_t i = 0; i < slots.size(); ++i) m.body.push_back(Slot(int32_t(i), slots[i]));
    return m;
}

LodModel BunkerLod(float s) {
    LodModel m;
    Mesh& g = m.M();
    uint32_t base[4], top[4];
    const float bx[4] = {10, 10, -10, -10}, by[4] = {-10, 10, 10, -10};
    for (int i = 0; i < 4; ++i) {
        base[i] = g.Vtx(bx[i] * s, by[i] * s, 0);
        top[i] = g.Vtx(bx[i] * 0.6f * s, by[i] * 0.6f * s, -4 * s);
    }
    std::vector<int> faces;
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        faces.push_back(g.Add({base[i], base[j], top[j], top[i]}, 4, kOlive));
    }
    faces.push_back(g.Add({top[0], top[1], top[2], top[3]}, 4, kSand));
    faces.push_back(
        g.Add({g.Vtx(8 * s + 0.1f, -4 * s, -1 * s), g.Vtx(8 * s + 0.1f, 4 * s, -1 * s),
               g.Vtx(8 * s + 0.1f, 4 * s, -1.6f * s), g.Vtx(8 * s + 0.1f, -4 * s, -1.6f * s)},
              0, kBlack));
    AddPrims(m.body, faces);
    return m;
}

LodModel TreeLod(int level, float s) {
    LodModel m;
    Mesh& g = m.M();
    if (level > 0) {
        const int a = g.Add(
            {g.Vtx(-4 * s, 0, -4 * s), g.Vtx(4 * s, 0, -4 * s), g.Vtx(0, 0, -16 * s)}, 0, kGreen);
        const int b = g.Add(
            {g.Vtx(0, -4 * s, -4 * s), g.Vtx(0, 4 * s, -4 * s), g.Vtx(0, 0, -16 * s)}, 0, kGreen);
        AddPrims(m.body, {a, b});
        return m;
    }
    AddPrims(m.body,
             g.Box({-0.5f * s, -0.5f * s, -4 * s}, {0.5f * s, 0.5f * s, 0}, 2, kBrown, 0, false));
    const uint32_t apex = g.Vtx(0, 0, -16 * s);
    uint32_t ring[4];
    const float bx[4] = {4, 4, -4, -4}, by[4] = {-4, 4, 4, -4};
    for (int i = 0; i < 4; ++i) ring[i] = g.Vtx(bx[i] * s, by[i] * s, -4 * s);
    std::vector<int> crown;
    for (int i = 0; i < 4; ++i)
        crown.push_back(g.Add({ring[i], ring[(i + 1) % 4], apex}, 2, kGreen));
    crown.push_back(g.Add({ring[0], ring[3], ring[2], ring[1]}, 2, Dark(kGreen)));
    AddPrims(m.body, crown, true);
    return m;
}

ModelInfo MakeModel(SampleModel kind, int variant) {
    const float s = variant ? 1.5f : 1.0f;
    ModelInfo info;
    switch (kind) {
        case SampleModel::Building:
            info.lods = {BuildingLod(0, s, variant), BuildingLod(1, s, variant)};
            info.distances = {3000, 12000};
            info.textured = true;
            break;
        case SampleModel::Hangar:
            info.lods = {HangarLod(0, s), HangarLod(1, s)};
            info.distances = {4000, 15000};
            info.dynamic = {{40 * s, -20 * s, 0}, {40 * s, 20 * s, 0}};
            info.switches = 1;
            info.textured = true;
            break;
        case SampleModel::Aircraft:
            info.lods = {AircraftLod(0, s), AircraftLod(1, s), AircraftLod(2, s)};
            info.distances = {2000, 8000, 30000};
            info.slots = AircraftSlots(s);
            info.dynamic = {{-6 * s, -20 * s, 0}, {-6 * s, 20 * s, 0}};
            info.switches = 1;
            info.dofs = 2;
            info.textured = true;
            break;
        case SampleModel::Tower:
            info.lods = {TowerLod(0, s), TowerLod(1, s)};
            info.distances = {5000, 20000};
            info.textured = true;
            break;
        case SampleModel::Vehicle:
            info.lods = {VehicleLod(0, s), VehicleLod(1, s)};
            info.distances = {1500, 6000};
            info.dynamic = {{-12 * s, 0, -3 * s}};
            info.dofs = 1;
            info.textured = true;
            break;
        case SampleModel::Ship:
            info.lods = {ShipLod(0, s), ShipLod(1, s)};
            info.distances = {6000, 25000};
            info.slots = ShipSlots(s);
            info.dynamic = {{-10 * s, 0, -20 * s}, {55 * s, 0, -6 * s}, {-58 * s, 0, -6 * s}};
            info.textured = true;
            break;
        case SampleModel::Bunker:
            info.lods = {BunkerLod(s)};
            info.distances = {3000};
            break;
        case SampleModel::Tree:
            info.lods = {TreeLod(0, s), TreeLod(1, s)};
            info.distances = {1500, 5000};
            break;
    }
    return info;
}

// The parent record of a model: bounds over every vertex of its most detailed LOD.
ParentRecord MakeParent(const ModelInfo& info) {
    ParentRecord p;
    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0}, r2 = 0;
    bool first = true;
    for (const Mesh& mesh : info.lods[0].meshes) {
        for (const Vec3& v : mesh.v) {
            const float c[3] = {v.x, v.y, v.z};
            for (int k = 0; k < 3; ++k) {
                if (first || c[k] < lo[k]) lo[k] = c[k];
                if (first || c[k] > hi[k]) hi[k] = c[k];
            }
            first = false;
            const float d = v.x * v.x + v.y * v.y + v.z * v.z;
            if (d > r2) r2 = d;
        }
    }
    p.SetRadius(std::sqrt(r2));
    for (int k = 0; k < 3; ++k) {
        p.SetBound(2 * k, lo[k]);
        p.SetBound(2 * k + 1, hi[k]);
    }
    p.SetTexSets(info.textured ? 1 : 0);
    p.SetDynamic(int16_t(info.dynamic.size()));
    p.SetLods(uint8_t(info.lods.size()));
    p.SetSwitches(uint8_t(info.switches));
    p.SetDofs(uint8_t(info.dofs));
    p.SetSlots(int8_t(info.slots.size()));
    return p;
}

bool WriteFile(const std::string& path, const Bytes& bytes, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = "can't create " + path;
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0) ok = false;
    if (!ok) error = "can't write " + path;
    return ok;
}

constexpr uint32_t kCeilingEntries = 65535;

}  // namespace

int SampleParentCount(SampleScale scale) {
    return scale == SampleScale::Ceiling ? int(kCeilingEntries) : 256;
}

bool WriteModelSample(const std::string& dir, SampleScale scale, std::string& error) {
    NearestRounding rounding;
    const bool ceiling = scale == SampleScale::Ceiling;

    // The distinct models and their LOD blocks: every kind in two sizes.
    struct Kind {
        ModelInfo info;
        ParentRecord parent;
        std::vector<uint32_t> blocks;  // LOD table entries of its LODs, most detailed first
    };
    std::vector<Kind> kinds;
    Buf lodFile;
    std::vector<LodRecord> blockRecords;
    uint32_t maxNodes = 0;
    for (int variant = 0; variant < 2; ++variant) {
        for (int k = 0; k < kSampleModelKinds; ++k) {
            Kind kind;
            kind.info = MakeModel(static_cast<SampleModel>(k), variant);
            kind.parent = MakeParent(kind.info);
            for (size_t level = 0; level < kind.info.lods.size(); ++level) {
                uint32_t codes = 0;
                BlockWriter writer;
                const Bytes block = writer.Write(kind.info.lods[level], codes);
                if (codes > maxNodes) maxNodes = codes;
                LodRecord rec;
                rec.SetFlags(uint16_t(kind.info.lods[level].textures.empty() ? 0 : 1));
                rec.SetOffset(lodFile.Size());
                rec.SetSize(uint32_t(block.size()));
                lodFile.Append(block);
                kind.blocks.push_back(uint32_t(blockRecords.size()));
                blockRecords.push_back(rec);
            }
            kinds.push_back(std::move(kind));
        }
    }
    const uint32_t blockCount = uint32_t(blockRecords.size());
    const uint32_t lodCount = ceiling ? kCeilingEntries : blockCount;
    // At the ceiling the LOD table repeats the blocks; parents spread over the repeats.
    const uint32_t lodRepeats = lodCount / blockCount;

    // Textures: each image once, literals-only blocks.
    Buf texFile;
    std::vector<TextureRecord> images;
    for (uint32_t i = 0; i < kImageCount; ++i) {
        const Bytes px = MakeImage(i);
        const Bytes block = LzssLiteralBlock(px.data(), px.size());
        TextureRecord rec;
        rec.SetOffset(texFile.Size());
        rec.SetSize(uint32_t(block.size()));
        rec.SetWidth(ImageWidth(i));
        if (i == kTexWindows) {
            rec.SetFlags(2);
            rec.SetChroma(0x00ff00ffu);
        }
        texFile.Append(block);
        images.push_back(rec);
    }
    for (uint32_t i : kEarthCopies) {
        TextureRecord rec = images[i];
        rec.SetPalette(1);
        images.push_back(rec);
    }
    const uint32_t textureCount = ceiling ? kCeilingEntries : kBaseTextures;
    const uint32_t colourCount = ceiling ? kCeilingEntries : kDemoColours;
    const uint32_t parentCount = uint32_t(SampleParentCount(scale));

    Buf h;
    h.b.reserve(ceiling ? (size_t(16) << 20) : (size_t(64) << 10));
    h.U32(1);  // version
    h.U32(colourCount);
    h.U32(kBaseColours);  // the darker half of the demo colours
    for (uint32_t i = 0; i < colourCount; ++i) {
        const ColourRecord c = ColourEntry(i);
        h.b.insert(h.b.end(), c.b, c.b + c.kSize);
    }
    h.U32(2);
    for (int p = 0; p < 2; ++p) {
        const Palette pal = MakePalette(p);
        h.b.insert(h.b.end(), pal.begin(), pal.end());
        h.Zero(kPaletteStride - pal.size());
    }
    h.U32(textureCount);
    h.U32(32);  // the largest texture width
    for (uint32_t i = 0; i < textureCount; ++i) {
        const TextureRecord& rec = images[i % kBaseTextures];
        h.b.insert(h.b.end(), rec.b, rec.b + rec.kSize);
    }
    h.U32(maxNodes);
    h.U32(lodCount);
    for (uint32_t i = 0; i < lodCount; ++i) {
        const LodRecord& rec = blockRecords[i % blockCount];
        h.b.insert(h.b.end(), rec.b, rec.b + rec.kSize);
    }
    h.U32(parentCount);
    const size_t parentTable = h.Size();
    h.Zero(size_t(parentCount) * ParentRecord::kSize);
    for (uint32_t k = 0; k < parentCount; ++k) {
        const int variant = int(k / kSampleModelKinds) % 2;
        const Kind& kind = kinds[size_t(variant * kSampleModelKinds) + k % kSampleModelKinds];
        std::memcpy(h.b.data() + parentTable + size_t(k) * ParentRecord::kSize, kind.parent.b,
                    ParentRecord::kSize);
        for (const Vec3& v : kind.info.slots) h.Vec(v);
        for (const Vec3& v : kind.info.dynamic) h.Vec(v);
        const uint32_t repeat = uint32_t(uint64_t(k) * lodRepeats / parentCount);
        for (size_t level = 0; level < kind.blocks.size(); ++level) {
            LodRef ref = LodRef::Make(kind.blocks[level] + repeat * blockCount,
                                      kind.info.distances[level] * (variant ? 1.5f : 1.0f));
            // Every tenth parent keeps the lowest bit of its last reference set.
            if (k % 10 == 9 && level + 1 == kind.blocks.size()) ref.ref |= 1;
            h.U32(ref.ref);
            h.F32(ref.distance);
        }
    }

    const std::string base = dir.empty() ? std::string() : dir + "/";
    return WriteFile(base + "KoreaObj.hdr", h.b, error) &&
           WriteFile(base + "KoreaObj.lod", lodFile.b, error) &&
           WriteFile(base + "KoreaObj.tex", texFile.b, error);
}

}  // namespace tablon
