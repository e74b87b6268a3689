#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

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

// The first kRecords records of a file of records (its header's count lowered to match). The
// feature entries and points stay whole: the runs of the objectives and headers kept need them.
Bytes Cut(const FileDesc& desc, Bytes b) {
    const size_t header = desc.header == HeaderKind::Sound ? 8 : 2;
    if (desc.id == FileId::Hdr) return CutParents(std::move(b));
    if (desc.header == HeaderKind::Model || desc.id == FileId::Fed || desc.id == FileId::Pd ||
        b.size() < header)
        return b;
    const uint32_t n0 = header == 8 ? LoadLE<uint32_t>(b.data() + 4) : LoadLE<uint16_t>(b.data());
    if (n0 == 0) return b;
    const uint32_t n = std::min(n0, kRecords);
    const size_t size = (b.size() - header) / n0;
    if (header == 8)
        StoreLE<uint32_t>(b.data() + 4, n);
    else
        StoreLE<uint16_t>(b.data(), uint16_t(n));
    b.resize(header + n * size);
    return b;
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
        for (const auto& desc : FileDescs()) {
            Bytes& b = files[desc.name] = Cut(desc, ReadFile(fs::path(dir) / desc.name));
            b.shrink_to_fit();  // files are read where they are: a read past the end is seen
        }
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
