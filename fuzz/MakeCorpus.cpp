// Writes the seed corpora of the fuzz targets from the sample set: fuzz_corpus DIR writes
// DIR/TARGET/NAME for every target.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "FuzzSupport.h"
#include "models/ModelFiles.h"
#include "models/TextureBitmap.h"
#include "objectives/FedListFile.h"
#include "objectives/ObjectiveRecord.h"
#include "store/Database.h"

using namespace tablon;
namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const Bytes& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_corpus DIR\n";
        return 2;
    }
    const fs::path out = fs::absolute(argv[1]);
    const MemoryFiles& base = fuzz::BaseSet();

    // Opening a file of the set: its place in the set, then the file.
    for (const auto& desc : FileDescs()) {
        Bytes b{uint8_t(desc.id)};
        const Bytes& f = base.at(desc.name);
        b.insert(b.end(), f.begin(), f.end());
        Write(out / "open_set" / desc.name, b);
    }

    // The other corpora are written by the program's own writers, on the set on disk.
    char tmpl[] = "/tmp/tablon-corpus-XXXXXX";
    const fs::path dir = ::mkdtemp(tmpl);
    for (const auto& [name, bytes] : base) Write(dir / name, bytes);
    const fs::path cwd = fs::current_path();
    fs::current_path(dir);
    {
        fuzz::QuietUi ui;
        Database db(ui);
        if (!db.OpenAll("")) return 1;

        // Export files: one entry of each importable file, and one of several entries.
        int k = 0;
        for (const auto& desc : FileDescs()) {
            TableFile* t = db.Table(desc.id);
            if (!t || !desc.importable || t->RecordCount() == 0) continue;
            const std::string one = "one.vte";
            t->ExportRecord(1, one);
            t->ExportRecord(0, "several.vte");
            Write(out / "import" / (std::string(desc.ext) + ".vte"), ReadFile(one));
            fs::remove(one);
            ++k;
        }
        db.Hdr().ExportParent(3, "several.vte");
        db.Hdr().ExportColour(2, "several.vte");
        Write(out / "import" / "several.vte", ReadFile("several.vte"));

        // LOD blocks and compressed texture blocks as their tables place them.
        HdrFile& hdr = db.Hdr();
        for (int i = 0; i < 6 && i < int(hdr.LodCount()); ++i) {
            LodRecord rec;
            Bytes block;
            if (hdr.GetLod(i, rec) && db.Lod().ReadBlock(rec, block))
                Write(out / "lod" / ("lod" + std::to_string(i)), block);
        }
        for (int i = 0; i < 3 && i < int(hdr.TextureCount()); ++i) {
            TextureRecord rec;
            Bytes block, pixels;
            if (!hdr.GetTexture(i, rec)) continue;
            if (db.Tex().ReadCompressed(rec.Offset(), rec.Size(), block))
                Write(out / "texture" / ("block" + std::to_string(i)), block);
            if (i == 0 && db.Tex().ReadTexture(rec.Offset(), rec.Size(), pixels))
                Write(out / "texture" / "pixels0", pixels);
            if (auto bmp = GetTextureBitmap(db, i, ui))
                Write(out / "bitmap" / ("bm-" + std::to_string(i) + ".bmp"), *bmp);
        }

        // Feature entry lists of two objectives.
        for (int o = 0; o < 2; ++o) {
            ObjectiveRecord copy;
            std::string message;
            db.Table(FileId::Ocd)->GetRecord(o, copy.data());
            const std::string name = "FedList" + std::to_string(o) + ".csv";
            if (SaveFedList(db, copy, name, message)) Write(out / "fedlist" / name, ReadFile(name));
        }
    }
    fs::current_path(cwd);
    fs::remove_all(dir);

    Write(out / "settings" / "section.conf",
          Text("# Tablon\n[Software\\Stonegate\\Vantor\\4.0]\nobjectDir = /srv/vantor/objects\n"));
    Write(out / "settings" / "bare.conf", Text("objectDir=/data\n[Other]\nobjectDir=/no\n"));
    return 0;
}
