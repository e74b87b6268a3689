// "objective draw": the objective drawing into a PNG file, and the numbers it was drawn with.
#include <charconv>
#include <ostream>

#include "objectives/ObjectiveDraw.h"
#include "objectives/ObjectiveRecord.h"
#include "shell/CliVerbs.h"
#include "shell/RasterCanvas.h"
#include "shell/ViewText.h"
#include "store/Database.h"

namespace tablon {

namespace {

// The shortest text that reads back to the same float.
std::string Number(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

int ObjectiveDraw(CliSession& s, const CliArgs& a) {
    if (a.positional.size() != 2) return s.Usage("objective draw takes O and OUT.png");
    long long objective = 0, zoom = 0, hs = 0, vs = 0;
    if (!ParseCliInt(a.positional[0], 0, 65535, objective))
        return s.Usage("bad objective number " + a.positional[0]);
    TableFormat format;
    if (!s.Format(a, format, false)) return 2;
    int width = 640, height = 480;
    if (a.Has("--size") && !ParseCliSize(a.Opt("--size"), width, height))
        return s.Usage("--size is WxH, each 1 to 8192");
    const std::string view = a.Opt("--view", "top");
    if (view != "top" && view != "side" && view != "front")
        return s.Usage("--view is top, side or front");
    const int max = ObjectiveDrawingModel::kScrollMax;
    if (!ParseCliInt(a.Opt("--zoom", "0"), -max, max, zoom) ||
        !ParseCliInt(a.Opt("--hscroll", "0"), -max, max, hs) ||
        !ParseCliInt(a.Opt("--vscroll", "0"), -max, max, vs))
        return s.Usage("--zoom, --hscroll and --vscroll are -10 to 10");
    Database* db = s.Open();
    if (!db) return 1;
    ObjectiveRecord record;
    const TableFile* ocd = db->Table(FileId::Ocd);
    if (!ocd || !ocd->GetRecord(int(objective), record.data()))
        return s.Fail("no objective " + a.positional[0]);

    ObjectiveDrawingModel model(*db);
    model.Build(record);
    model.projection = view == "side"    ? Projection::Side
                       : view == "front" ? Projection::Front
                                         : Projection::Top;
    model.filled = a.Has("--filled");
    model.points = a.Has("--points");
    model.labels = a.Has("--labels");
    model.axes = a.Has("--axes");
    model.SetZoomPosition(int(zoom));
    model.ScrollHorizontal(int(hs), width);
    model.ScrollVertical(int(vs), height);
    RasterCanvas canvas(width, height);
    const ObjectiveDrawingModel::Layout l = model.Draw(canvas);
    if (!canvas.WritePng(a.positional[1])) return s.Fail("Can't write " + a.positional[1]);

    const auto& e = model.MeasuredExtents();
    std::ostream& out = s.Out();
    if (format == TableFormat::Json) {
        out << "{\"objective\": " << objective << ", \"view\": \"" << view << "\", \"size\": ["
            << width << ", " << height << "], \"entries\": " << model.EntryCount()
            << ", \"extents\": {\"x\": [" << e.minX << ", " << e.maxX << "], \"y\": [" << e.minY
            << ", " << e.maxY << "], \"z\": [" << e.minZ << ", " << e.maxZ
            << "]}, \"fit_scale\": " << Number(l.fitScale) << ", \"origin\": [" << l.originX << ", "
            << l.originY << "], \"scale\": " << Number(l.scale) << ", \"zoom\": " << Number(l.zoom)
            << ", \"pan\": [" << Number(l.panX) << ", " << Number(l.panY) << "]}\n";
    } else {
        out << "entries\t" << model.EntryCount() << "\nextents\t" << e.minX << "\t" << e.maxX
            << "\t" << e.minY << "\t" << e.maxY << "\t" << e.minZ << "\t" << e.maxZ
            << "\nfit_scale\t" << Number(l.fitScale) << "\norigin\t" << l.originX << "\t"
            << l.originY << "\nscale\t" << Number(l.scale) << "\nzoom\t" << Number(l.zoom)
            << "\npan\t" << Number(l.panX) << "\t" << Number(l.panY) << "\n";
    }
    return 0;
}

}  // namespace

void RegisterObjectiveDrawVerbs(CliVerbTable& verbs) {
    verbs.Register({"objective draw",
                    "objective draw O OUT.png [--view top|side|front] [--filled] [--points] "
                    "[--labels] [--axes] [--zoom -10..10] [--hscroll H] [--vscroll V] "
                    "[--size WxH] [--format tsv|json]   an objective's drawing as a PNG",
                    {"--format", "--view", "--zoom", "--hscroll", "--vscroll", "--size"},
                    ObjectiveDraw});
}

}  // namespace tablon
