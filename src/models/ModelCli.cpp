// The command-line verbs of the 3D model data: "model ...", "lod ..." and "texture ...".
#include <cstdio>
#include <ostream>
#include <sstream>

#include "models/LodData.h"
#include "models/LodDraw.h"
#include "models/LodTreeJson.h"
#include "models/ModelFiles.h"
#include "models/ModelRegister.h"
#include "models/ParentData.h"
#include "models/TextureBitmap.h"
#include "shell/Form.h"
#include "shell/RasterCanvas.h"
#include "shell/Registry.h"
#include "shell/ScriptedUi.h"
#include "shell/ViewText.h"
#include "store/Database.h"

namespace tablon {

namespace {

// The exit status of the last argument check that failed: 2 for a usage error (a bad
// number), 1 for anything else.
int lastStatus = 1;

int Status() {
    const int status = lastStatus;
    lastStatus = 1;
    return status;
}

bool Int(CliSession& s, const std::string& text, long long lo, long long hi, long long& out,
         const char* what) {
    if (ParseCliInt(text, lo, hi, out)) return true;
    lastStatus = s.Usage(std::string("bad ") + what + " " + text);
    return false;
}

bool Float(CliSession& s, const std::string& text, float& out) {
    if (ParseFloatText(text, out)) return true;
    lastStatus = s.Usage("bad number " + text);
    return false;
}

bool Vector(CliSession& s, const std::vector<std::string>& p, size_t at, Vec3& v) {
    return Float(s, p[at], v.x) && Float(s, p[at + 1], v.y) && Float(s, p[at + 2], v.z);
}

std::string VecJson(const Vec3& v) {
    return "[" + FloatJson(v.x) + ", " + FloatJson(v.y) + ", " + FloatJson(v.z) + "]";
}

std::string VecListJson(const std::vector<Vec3>& list) {
    std::string s = "[";
    for (size_t i = 0; i < list.size(); ++i) s += (i ? ", " : "") + VecJson(list[i]);
    return s + "]";
}

template <typename T>
std::string NumberList(const std::vector<T>& list, const char* sep = ", ") {
    std::string s;
    for (size_t i = 0; i < list.size(); ++i) s += (i ? sep : "") + std::to_string(list[i]);
    return s;
}

// The parent P of the first positional argument, loaded as its dialog loads it.
bool LoadParent(CliSession& s, const std::string& text, ParentData& data) {
    long long p = 0;
    if (!Int(s, text, 0, 0x7fffffff, p, "parent")) return false;
    Database* db = s.Open();
    if (!db) return false;
    if (!LoadParentData(*db, int(p), data)) {
        s.Fail("Can't read parent " + text);
        return false;
    }
    return true;
}

// ---- model ----

int ModelParent(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 1) return s.Usage("model parent P");
    const std::string format = a.Opt("--format", "text");
    if (format != "text" && format != "json") return s.Usage("--format is text or json");
    ParentData d;
    if (!LoadParent(s, a.positional[0], d)) return Status();
    std::ostream& out = s.Out();
    const uint8_t* rec = d.record.b;
    if (format == "json") {
        out << "{\"parent\": " << d.index;
        for (const Field& f : ParentFields().fields)
            if (f.type != FieldType::Raw)
                out << ", " << JsonQuote(f.name) << ": " << FormatJson(f, rec);
        out << ", \"block_offset\": " << d.blockOffset << ", \"lod_refs\": [";
        for (size_t i = 0; i < d.lodRefs.size(); ++i)
            out << (i ? ", " : "") << "{\"ref\": " << d.lodRefs[i].ref
                << ", \"lod\": " << d.lodRefs[i].LodNumber()
                << ", \"distance\": " << FloatJson(d.lodRefs[i].distance) << "}";
        out << "], \"slot_positions\": " << VecListJson(d.slots)
            << ", \"dynamic_positions\": " << VecListJson(d.dynamic) << ", \"lod_ind\": ";
        if (d.lodInd >= 0)
            out << d.lodInd;
        else
            out << "null";
        out << ", \"textures\": [" << NumberList(d.textures) << "]}\n";
        return 0;
    }
    for (const Field& f : ParentFields().fields)
        if (f.type != FieldType::Raw) out << f.name << "=" << FormatElement(f, rec) << "\n";
    out << "block_offset=" << d.blockOffset << "\n";
    for (size_t i = 0; i < d.lodRefs.size(); ++i)
        out << "lod_ref[" << i << "]=" << LodRefText(d.lodRefs[i]) << " (ref " << d.lodRefs[i].ref
            << ", distance " << FloatText(d.lodRefs[i].distance) << ")\n";
    auto positions = [&](const char* name, const std::vector<Vec3>& list) {
        for (size_t i = 0; i < list.size(); ++i)
            out << name << "[" << i << "]=" << CoordText(list[i].x) << " " << CoordText(list[i].y)
                << " " << CoordText(list[i].z) << "\n";
    };
    positions("slot", d.slots);
    positions("dynamic", d.dynamic);
    out << "lod_ind=" << d.lodInd << "\n";
    out << "textures=" << NumberList(d.textures, ",") << "\n";
    return 0;
}

int ModelSetHeader(CliSession& s, const CliArgs& a) {
    if (a.positional.empty()) return s.Usage("model set-header NAME=V ...");
    Database* db = s.Open();
    if (!db) return 1;
    HdrFile& hdr = db->Hdr();
    if (!hdr.IsMapped()) return s.Fail("the model header file is not open");
    // The form shows the values read at open; "Update" writes all four.
    uint32_t values[4] = {hdr.Version(), hdr.DarkColours(), hdr.TextureMaxSize(),
                          hdr.LodMaxNodes()};
    static const char* const kNames[4] = {"version", "dark_colours", "texture_max_size",
                                          "lod_max_nodes"};
    for (const std::string& assignment : a.positional) {
        const size_t eq = assignment.find('=');
        int which = -1;
        for (int i = 0; i < 4 && eq != std::string::npos; ++i)
            if (assignment.compare(0, eq, kNames[i]) == 0 && eq == std::string(kNames[i]).size())
                which = i;
        if (which < 0)
            return s.Usage("expected version=, dark_colours=, texture_max_size= or lod_max_nodes=");
        int64_t v = 0;
        if (!ParseUnsignedText(assignment.substr(eq + 1), v))
            return s.Usage("bad value " + assignment.substr(eq + 1));
        values[which] = uint32_t(v);
    }
    const bool ok = hdr.SetVersion(values[0]) && hdr.SetDarkColours(values[1]) &&
                    hdr.SetTextureMaxSize(values[2]) && hdr.SetLodMaxNodes(values[3]) &&
                    hdr.Flush();
    return ok ? 0 : s.Fail("Update failed");
}

int ModelSetLodRef(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 4) return s.Usage("model set-lod-ref P J LOD DIST");
    ParentData d;
    long long j = 0, lod = 0;
    float distance = 0;
    if (!Int(s, a.positional[1], 0, 255, j, "reference") ||
        !Int(s, a.positional[2], -0x80000000LL, 0x7fffffff, lod, "LOD") ||
        !Float(s, a.positional[3], distance) || !LoadParent(s, a.positional[0], d))
        return Status();
    if (size_t(j) >= d.lodRefs.size())
        return s.Fail("parent has no LOD reference " + a.positional[1]);
    d.lodRefs[size_t(j)] = {uint32_t(int32_t(lod)) << 1, distance};
    if (!SaveLodRefs(*s.Open(), d)) {
        s.UiOf().Show("Save Failed");
        return 1;
    }
    s.Out() << LodRefText(d.lodRefs[size_t(j)]) << "\n";
    return 0;
}

int SetPosition(CliSession& s, const CliArgs& a, bool slot) {
    if (a.positional.size() != 5)
        return s.Usage(slot ? "model set-slot P I X Y Z" : "model set-dynamic P I X Y Z");
    ParentData d;
    long long i = 0;
    Vec3 v;
    if (!Int(s, a.positional[1], 0, 0x7fff, i, "position") || !Vector(s, a.positional, 2, v) ||
        !LoadParent(s, a.positional[0], d))
        return Status();
    std::vector<Vec3> list = slot ? d.slots : d.dynamic;
    if (size_t(i) >= list.size())
        return s.Fail(std::string("parent has no ") + (slot ? "slot " : "dynamic position ") +
                      a.positional[1]);
    list[size_t(i)] = v;
    const size_t before = s.UiOf().Messages().size();
    const bool ok = slot ? SaveSlotPositions(*s.Open(), d, list, s.UiOf())
                         : SaveDynamicPositions(*s.Open(), d, list);
    if (!ok) {
        s.UiOf().Show("Save Failed");
        return 1;
    }
    return s.UiOf().Messages().size() == before ? 0 : 1;
}

// ---- lod ----

// LOD L opened for a parent: the one given with --parent, else the first parent that refers to
// it, else none (no DOFs, no slots).
struct OpenedLod {
    int number = -1;
    LodRecord record;
    LodData data;
    ParentData parent;
};

bool OpenLod(CliSession& s, const CliArgs& a, OpenedLod& lod) {
    long long l = 0;
    if (a.positional.empty() || !Int(s, a.positional[0], 0, 0x7fffffff, l, "LOD")) return false;
    Database* db = s.Open();
    if (!db) return false;
    HdrFile& hdr = db->Hdr();
    lod.number = int(l);
    if (!hdr.GetLod(lod.number, lod.record)) {
        s.Fail("Can't read LOD " + a.positional[0]);
        return false;
    }
    if (!lod.data.Open(db->Lod(), lod.record)) {
        s.Fail("LOD " + a.positional[0] + " lies outside the LOD file");
        return false;
    }
    if (a.Has("--parent")) {
        if (!LoadParent(s, a.Opt("--parent"), lod.parent)) return false;
    } else {
        // One pass over the parents and their blocks.
        const std::vector<int64_t> offsets = hdr.ParentBlockOffsets();
        ParentRecord p;
        std::vector<LodRef> refs;
        for (size_t k = 0; k < offsets.size() && lod.parent.index < 0; ++k) {
            if (!hdr.GetParent(int(k), p) ||
                !hdr.ReadLodRefs(offsets[k] + p.LodRefsAt(), p.Lods(), refs))
                continue;
            for (const LodRef& r : refs)
                if (int64_t(r.LodNumber()) == l) {
                    LoadParentData(*db, int(k), lod.parent);
                    break;
                }
        }
    }
    lod.data.SetParent(lod.parent.record);
    return true;
}

int LodInfo(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 1) return s.Usage("lod info L");
    TableFormat format;
    if (!s.Format(a, format, false)) return 2;
    OpenedLod lod;
    if (!OpenLod(s, a, lod)) return Status();
    const LodData& d = lod.data;
    auto vectors = [&](const LodTable& t) {
        std::vector<Vec3> list;
        Vec3 v;
        for (uint32_t i = 0; i < t.count && d.TableVec3(t, i, v); ++i) list.push_back(v);
        return list;
    };
    const std::vector<Vec3> vertices = vectors(d.RootVertices());
    const std::vector<Vec3> normals = vectors(d.RootNormals());
    const std::vector<uint32_t> textures = d.RootTextureNumbers();
    std::ostream& out = s.Out();
    if (format == TableFormat::Json) {
        out << "{\"lod\": " << lod.number
            << ", \"name\": " << JsonQuote(Format("Lod no %d", lod.number))
            << ", \"nodes\": " << d.CodeCount() << ", \"vectors\": " << d.RootVertices().count
            << ", \"normals\": " << d.RootNormals().count
            << ", \"textures\": " << d.RootTextures().count
            << ", \"vertex_list\": " << VecListJson(vertices)
            << ", \"normal_list\": " << VecListJson(normals) << ", \"texture_list\": ["
            << NumberList(textures) << "]}\n";
        return 0;
    }
    out << "Name\t" << Format("Lod no %d", lod.number) << "\nNodes\t" << d.CodeCount()
        << "\nVectors\t" << d.RootVertices().count << "\nNormals\t" << d.RootNormals().count
        << "\nTextures\t" << d.RootTextures().count << "\n";
    auto table = [&](const char* title, const std::vector<Vec3>& list) {
        out << "\n" << title << "\nNo\tX\tY\tZ\n";
        for (size_t i = 0; i < list.size(); ++i)
            out << i << "\t" << CoordText(list[i].x) << "\t" << CoordText(list[i].y) << "\t"
                << CoordText(list[i].z) << "\n";
    };
    table("Vertices", vertices);
    table("Normals", normals);
    out << "\nTextures\nNo\tTex\n";
    for (size_t i = 0; i < textures.size(); ++i) out << i << "\t" << int(textures[i]) << "\n";
    return 0;
}

int LodSetVector(CliSession& s, const CliArgs& a, bool normal) {
    if (a.positional.size() != 5)
        return s.Usage(normal ? "lod set-normal L I X Y Z" : "lod set-vertex L I X Y Z");
    long long i = 0;
    Vec3 v;
    OpenedLod lod;
    if (a.positional.size() < 2 || !Int(s, a.positional[1], 0, 0xffffffffLL, i, "index") ||
        !Vector(s, a.positional, 2, v) || !OpenLod(s, a, lod))
        return Status();
    const int ok =
        normal ? lod.data.SetRootNormal(uint32_t(i), v) : lod.data.SetRootVertex(uint32_t(i), v);
    return ok ? 0
              : s.Fail(std::string("LOD has no ") + (normal ? "normal " : "vertex ") +
                       a.positional[1]);
}

int LodSetTexture(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 3) return s.Usage("lod set-texture L I TEX");
    long long i = 0, tex = 0;
    OpenedLod lod;
    if (!Int(s, a.positional[1], 0, 0xffffffffLL, i, "index") ||
        !Int(s, a.positional[2], -0x80000000LL, 0x7fffffff, tex, "texture") || !OpenLod(s, a, lod))
        return Status();
    return lod.data.SetRootTexture(uint32_t(i), uint32_t(int32_t(tex)))
               ? 0
               : s.Fail("LOD has no texture entry " + a.positional[1]);
}

int LodTree(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 1) return s.Usage("lod tree L [--parent P] --format json");
    if (a.Opt("--format", "json") != "json") return s.Usage("--format is json");
    OpenedLod lod;
    if (!OpenLod(s, a, lod)) return Status();
    s.Out() << "{\"lod\": " << lod.number << ", \"nodes\": " << lod.data.CodeCount()
            << ", \"switch_masks\": [" << NumberList(lod.data.SwitchMasks()) << "], \"root\": ";
    WriteLodTreeJson(lod.data, s.Out());
    s.Out() << "}\n";
    return 0;
}

int LodDraw(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 2) return s.Usage("lod draw L OUT.png [options]");
    TableFormat format;
    if (!s.Format(a, format, false)) return 2;
    int width = 640, height = 480;
    if (a.Has("--size")) {
        const std::string size = a.Opt("--size");
        const size_t x = size.find('x');
        long long w = 0, h = 0;
        if (x == std::string::npos || !ParseCliInt(size.substr(0, x), 1, 8192, w) ||
            !ParseCliInt(size.substr(x + 1), 1, 8192, h))
            return s.Usage("--size is WxH, each 1 to 8192");
        width = int(w);
        height = int(h);
    }
    Projection view = Projection::Top;
    const std::string v = a.Opt("--view", "top");
    if (v == "side")
        view = Projection::Side;
    else if (v == "front")
        view = Projection::Front;
    else if (v != "top")
        return s.Usage("--view is top, side or front");
    long long zoom = 0, hs = 0, vs = 0;
    if (!Int(s, a.Opt("--zoom", "0"), -10, 10, zoom, "zoom") ||
        !Int(s, a.Opt("--hscroll", "0"), -100, 100, hs, "scroll position") ||
        !Int(s, a.Opt("--vscroll", "0"), -100, 100, vs, "scroll position"))
        return Status();
    OpenedLod lod;
    if (!OpenLod(s, a, lod)) return Status();
    Database* db = s.Open();
    LodViewerModel model(lod.data, LodColourTable(db->Hdr()), lod.parent.slots);
    model.projection = view;
    const std::pair<const char*, unsigned> flags[] = {{"--filled", kLodFilled},
                                                      {"--slots", kLodSlots},
                                                      {"--bsp", kLodBsp},
                                                      {"--label", kLodLabels}};
    for (const auto& [name, bit] : flags)
        if (a.Has(name)) model.flags |= bit;
    for (const std::string& n : a.All("--switch")) {
        long long i = 0;
        if (!Int(s, n, 0, model.SwitchCount() - 1, i, "switch")) return Status();
        model.ToggleSwitch(int(i));
    }
    for (const std::string& n : a.All("--dof")) {
        long long i = 0;
        if (!Int(s, n, 0, model.DofCount() - 1, i, "DOF")) return Status();
        model.ToggleDof(int(i));
    }
    model.SetZoomPosition(int(zoom));
    model.SetScroll(int(hs), int(vs));
    RasterCanvas canvas(width, height);
    const LodViewerModel::Layout l = model.Draw(canvas);
    if (!canvas.WritePng(a.positional[1])) return s.Fail("Can't write " + a.positional[1]);
    const auto& e = model.MeasuredExtents();
    std::ostream& out = s.Out();
    if (format == TableFormat::Json) {
        out << "{\"lod\": " << lod.number << ", \"parent\": " << lod.parent.index
            << ", \"view\": \"" << ProjectionName(view) << "\", \"size\": [" << width << ", "
            << height << "], \"extents\": {\"x\": [" << e.minX << ", " << e.maxX << "], \"y\": ["
            << e.minY << ", " << e.maxY << "], \"z\": [" << e.minZ << ", " << e.maxZ
            << "]}, \"scale\": " << FloatJson(l.scale) << ", \"origin\": [" << FloatJson(l.originH)
            << ", " << FloatJson(l.originV) << "], \"offset\": [" << l.offsetH << ", " << l.offsetV
            << "], \"drawing_scale\": " << FloatJson(l.drawingScale)
            << ", \"zoom\": " << FloatJson(l.zoom) << ", \"pan\": [" << l.panX << ", " << l.panY
            << "]}\n";
    } else {
        out << "extents\t" << e.minX << "\t" << e.maxX << "\t" << e.minY << "\t" << e.maxY << "\t"
            << e.minZ << "\t" << e.maxZ << "\nscale\t" << FloatText(l.scale) << "\norigin\t"
            << FloatText(l.originH) << "\t" << FloatText(l.originV) << "\noffset\t" << l.offsetH
            << "\t" << l.offsetV << "\ndrawing_scale\t" << FloatText(l.drawingScale) << "\nzoom\t"
            << FloatText(l.zoom) << "\npan\t" << l.panX << "\t" << l.panY << "\n";
    }
    return 0;
}

// ---- texture ----

int TextureGet(CliSession& s, const CliArgs& a) {
    if (a.positional.empty() || a.positional.size() > 2) return s.Usage("texture get T [OUT.bmp]");
    long long t = 0;
    if (!Int(s, a.positional[0], 0, 0x7fffffff, t, "texture")) return Status();
    Database* db = s.Open();
    if (!db) return 1;
    s.UiOf().QueueFile(a.positional.size() == 2 ? a.positional[1] : Format("bm-%d.bmp", int(t)));
    const size_t before = s.UiOf().Messages().size();
    if (GetTexture(*db, int(t), s.UiOf())) return 0;
    return s.UiOf().Messages().size() == before ? s.Fail("no texture " + a.positional[0]) : 1;
}

int TextureSet(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 2) return s.Usage("texture set T IN.bmp");
    long long t = 0;
    if (!Int(s, a.positional[0], 0, 0x7fffffff, t, "texture")) return Status();
    Database* db = s.Open();
    if (!db) return 1;
    return SetTextureFromFile(*db, int(t), a.positional[1], s.UiOf()) ? 0 : 1;
}

}  // namespace

void RegisterModelVerbs(ShellRegistry& registry) {
    CliVerbTable& v = registry.Verbs();
    v.Register({"model parent", "model parent P [--format text|json]", {}, ModelParent});
    v.Register({"model set-header",
                "model set-header NAME=V ...  (version, dark_colours, texture_max_size, "
                "lod_max_nodes)",
                {},
                ModelSetHeader});
    v.Register({"model set-lod-ref", "model set-lod-ref P J LOD DIST", {}, ModelSetLodRef});
    v.Register(
        {"model set-slot", "model set-slot P I X Y Z", {}, [](CliSession& s, const CliArgs& a) {
             return SetPosition(s, a, true);
         }});
    v.Register({"model set-dynamic",
                "model set-dynamic P I X Y Z",
                {},
                [](CliSession& s, const CliArgs& a) { return SetPosition(s, a, false); }});
    v.Register({"lod info", "lod info L [--parent P] [--format tsv|json]", {"--parent"}, LodInfo});
    v.Register({"lod tree", "lod tree L [--parent P] --format json", {"--parent"}, LodTree});
    v.Register(
        {"lod set-vertex", "lod set-vertex L I X Y Z", {}, [](CliSession& s, const CliArgs& a) {
             return LodSetVector(s, a, false);
         }});
    v.Register(
        {"lod set-normal", "lod set-normal L I X Y Z", {}, [](CliSession& s, const CliArgs& a) {
             return LodSetVector(s, a, true);
         }});
    v.Register({"lod set-texture", "lod set-texture L I TEX", {}, LodSetTexture});
    v.Register(
        {"lod draw",
         "lod draw L OUT.png [--parent P] [--view top|side|front] [--filled] [--slots] "
         "[--bsp] [--label] [--switch N]... [--dof N]... [--zoom -10..10] [--hscroll H] "
         "[--vscroll V] [--size WxH] [--format tsv|json]",
         {"--parent", "--view", "--switch", "--dof", "--zoom", "--hscroll", "--vscroll", "--size"},
         LodDraw});
    v.Register({"texture get", "texture get T [OUT.bmp]", {}, TextureGet});
    v.Register({"texture set", "texture set T IN.bmp", {}, TextureSet});
}

}  // namespace tablon
