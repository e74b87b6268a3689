#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>

#include "classtable/CtNames.h"
#include "classtable/CtRecord.h"
#include "models/ModelFiles.h"
#include "sample/Sample.h"
#include "shell/MainFrame.h"
#include "store/Database.h"
#include "store/WriteFaults.h"

namespace tablon::fuzz {

namespace fs = std::filesystem;

namespace {

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr uint32_t kRecords = 4;

// The model header with its first kRecords parents: the parent table is the header's last, and
// the parents' data blocks that follow it are placed from its end.
Bytes CutParents(Bytes b) {
    const HdrLayout l = ComputeHdrLayout(b.data(), b.size());
    if (!l.valid || l.parents <= kRecords) return b;
    StoreLE<uint32_t>(b.data() + l.parentTable - 4, kRecords);
    b.erase(b.begin() + ptrdiff_t(l.parentTable + uint64_t(kRecords) * ParentRecord::kSize),
            b.begin() + ptrdiff_t(l.dataBlocks));
    return b;
}

// A file of counted records (a 16-bit count, or the sound table's 32-bit one) as its header,
// count and record size.
struct Records {
    size_t header = 2;
    uint32_t count = 0;
    size_t size = 0;
    const uint8_t* At(uint32_t i, const Bytes& b) const { return b.data() + header + i * size; }
};

std::optional<Records> RecordsOf(const FileDesc& desc, const Bytes& b) {
    Records r;
    r.header = desc.header == HeaderKind::Sound ? 8 : 2;
    if (desc.header == HeaderKind::Model || b.size() < r.header) return std::nullopt;
    r.count = r.header == 8 ? LoadLE<uint32_t>(b.data() + 4) : LoadLE<uint16_t>(b.data());
    if (r.count == 0 || (b.size() - r.header) % r.count != 0) return std::nullopt;
    r.size = (b.size() - r.header) / r.count;
    return r;
}

// The records `keep` names (in that order), the header's count set to match.
Bytes Keep(const FileDesc& desc, const Bytes& b, const std::vector<uint32_t>& keep) {
    const std::optional<Records> r = RecordsOf(desc, b);
    if (!r) return b;
    Bytes out(b.begin(), b.begin() + ptrdiff_t(r->header));
    for (const uint32_t i : keep) out.insert(out.end(), r->At(i, b), r->At(i, b) + r->size);
    if (r->header == 8)
        StoreLE<uint32_t>(out.data() + 4, uint32_t(keep.size()));
    else
        StoreLE<uint16_t>(out.data(), uint16_t(keep.size()));
    return out;
}

// Cuts the sample set down to a few records a file, so that every input reads little: the first
// kRecords records of each file; besides, the class table keeps its first entry of each data
// type, domain and class (so that every list of the class table has rows), and the files of
// those entries' records keep the records they name. Indexes between the class table and those
// files are renumbered to match; every other index stays as it was (and may name no record).
void CutRecords(MemoryFiles& files) {
    const FileDesc& ctDesc = DescOf(FileId::Ct);
    Bytes& ct = files[ctDesc.name];
    const std::optional<Records> ctRecords = RecordsOf(ctDesc, ct);
    std::map<FileId, std::vector<uint32_t>> keep;
    for (const auto& desc : FileDescs()) {
        const std::optional<Records> r = RecordsOf(desc, files[desc.name]);
        if (!r || desc.id == FileId::Fed || desc.id == FileId::Pd) continue;
        for (uint32_t i = 0; i < std::min(r->count, kRecords); ++i) keep[desc.id].push_back(i);
    }
    if (ctRecords) {
        std::set<std::array<uint8_t, 3>> kinds;
        for (uint32_t i = kRecords; i < ctRecords->count; ++i) {
            const uint8_t* e = ctRecords->At(i, ct);
            const uint8_t type = e[CtRecord::kDataType];
            const std::optional<FileId> file = DataFileOf(type);
            if (!file || !kinds.insert({type, e[CtRecord::kDomain], e[CtRecord::kClass]}).second)
                continue;
            const uint32_t ref = LoadLE<uint32_t>(e + CtRecord::kDataRef);
            const std::optional<Records> target =
                RecordsOf(DescOf(*file), files[DescOf(*file).name]);
            if (!target || ref >= target->count) continue;
            keep[FileId::Ct].push_back(i);
            std::vector<uint32_t>& k = keep[*file];
            if (std::find(k.begin(), k.end(), ref) == k.end()) k.push_back(ref);
        }
    }
    // Where each kept record now is, per file.
    std::map<FileId, std::map<uint32_t, uint32_t>> moved;
    for (auto& [id, k] : keep) {
        std::sort(k.begin(), k.end());
        for (uint32_t n = 0; n < k.size(); ++n) moved[id][k[n]] = n;
    }
    for (auto& [id, k] : keep) {
        const FileDesc& desc = DescOf(id);
        Bytes cut = Keep(desc, files[desc.name], k);
        const std::optional<Records> r = RecordsOf(desc, cut);
        for (uint32_t n = 0; r && n < r->count; ++n) {
            uint8_t* record = cut.data() + r->header + n * r->size;
            if (id == FileId::Ct) {
                const std::optional<FileId> file = DataFileOf(record[CtRecord::kDataType]);
                const uint32_t ref = LoadLE<uint32_t>(record + CtRecord::kDataRef);
                if (file && moved[*file].count(ref))
                    StoreLE<uint32_t>(record + CtRecord::kDataRef, moved[*file][ref]);
            } else if (const Field* f = FieldTableOf(id).Find("ct_index");
                       f && r->size == desc.memSize) {
                // The field read and written as text: its width and sign differ by file.
                const int64_t at = std::stoll(FormatElement(*f, record));
                std::string error;
                if (at >= 0 && moved[FileId::Ct].count(uint32_t(at)))
                    ParseElement(*f, record, 0, std::to_string(moved[FileId::Ct][uint32_t(at)]),
                                 error);
            }
        }
        files[desc.name] = std::move(cut);
    }
}

}  // namespace

const MemoryFiles& BaseSet() {
    static const MemoryFiles set = [] {
        char tmpl[] = "/tmp/tablon-fuzz-XXXXXX";
        const char* dir = ::mkdtemp(tmpl);
        if (!dir) std::abort();
        WriteFaults::SetFlushes(false);
        std::string error;
        if (!WriteSampleDatabase(dir, SampleScale::Demo, error)) std::abort();
        MemoryFiles files;
        for (const auto& desc : FileDescs()) files[desc.name] = ReadFile(fs::path(dir) / desc.name);
        CutRecords(files);
        Bytes& hdr = files[DescOf(FileId::Hdr).name];
        hdr = CutParents(std::move(hdr));
        // Files are read where they are: a read past the end is seen.
        for (auto& [name, b] : files) b.shrink_to_fit();
        fs::remove_all(dir);
        return files;
    }();
    return set;
}

namespace {

// The path of a tree item: its label and its parents' ("Vehicles/Aircraft").
std::string PathOf(const CVantorTree& tree, int item) {
    std::string path = tree.Label(item);
    for (int p = tree.ItemAt(item).parent; p >= 0; p = tree.ItemAt(p).parent)
        path = tree.Label(p) + "/" + path;
    return path;
}

// Walks the lists of the categories `walk` accepts (by path); each list's texts go to
// `seen` by path when it is given.
int Walk(Database& db, Ui& ui, bool dialogs, const std::function<bool(const std::string&)>& walk,
         std::map<std::string, size_t>* seen) {
    CTablonApp app(db, ui);
    app.Start();
    CMainFrame& frame = app.Frame();
    const CVantorTree& tree = frame.Tree();
    int rows = 0;
    for (int item = 0; item < tree.ItemCount(); ++item) {
        const std::string path = PathOf(tree, item);
        if (walk && !walk(path)) continue;
        frame.OnTreeSelectionChanged(item);
        CMvView* list = frame.View() ? frame.View()->AsList() : nullptr;
        if (!list) continue;
        // Every text is made; they are kept only when the walk compares them.
        std::string texts;
        const auto read = [&](std::string text) {
            if (seen) texts.append(text).push_back('\t');
        };
        for (int row = 0; row < list->RowCount(); ++row, ++rows) {
            read(list->ItemText(row));
            for (int c = 0; c < list->ColumnCount(); ++c) read(list->CellText(row, c));
            if (dialogs) list->OnDoubleClick(row);
        }
        // An empty list reads as nothing, whatever it shows for another input.
        if (seen) (*seen)[path] = texts.empty() ? 0 : std::hash<std::string>()(texts) | 1;
    }
    return rows;
}

std::map<std::string, size_t> WalkBase(const MemoryFiles& files) {
    const MemorySet set(files);
    QuietUi ui(Answer::No);
    Database db(ui);
    std::map<std::string, size_t> seen;
    if (db.OpenAll("")) Walk(db, ui, false, nullptr, &seen);
    return seen;
}

}  // namespace

int WalkLists(Database& db, Ui& ui, bool dialogs) {
    return Walk(db, ui, dialogs, nullptr, nullptr);
}

const std::set<std::string>& CategoriesShowing(FileId id) {
    static const std::vector<std::set<std::string>> showing = [] {
        MemoryFiles files = BaseSet();
        const std::map<std::string, size_t> base = WalkBase(files);
        std::vector<std::set<std::string>> out(kFileCount);
        for (const auto& desc : FileDescs()) {
            Bytes& file = files[desc.name];
            const Bytes kept = file;
            // The records garbled two ways, the header (count, version) kept.
            const size_t header = desc.header == HeaderKind::Sound   ? 8
                                  : desc.header == HeaderKind::Model ? 0
                                                                     : 2;
            for (const uint8_t mask : {uint8_t(0xFF), uint8_t(0x01)}) {
                for (size_t i = header; i < file.size(); ++i) file[i] = uint8_t(kept[i] ^ mask);
                const std::map<std::string, size_t> now = WalkBase(files);
                for (const auto& [path, texts] : base) {
                    const auto it = now.find(path);
                    // An empty list is always filled: another input may give it rows. The
                    // class table's entries are what every list shows.
                    if (it == now.end() || it->second != texts || texts == 0 ||
                        desc.id == FileId::Ct)
                        out[size_t(desc.id)].insert(path);
                }
                for (const auto& [path, texts] : now)
                    if (!base.count(path)) out[size_t(desc.id)].insert(path);
            }
            file = kept;
        }
        return out;
    }();
    return showing[size_t(id)];
}

int WalkListsShowing(Database& db, Ui& ui, FileId id) {
    const std::set<std::string>& paths = CategoriesShowing(id);
    return Walk(
        db, ui, false, [&](const std::string& path) { return paths.count(path) > 0; }, nullptr);
}

}  // namespace tablon::fuzz
