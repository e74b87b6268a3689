#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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

constexpr uint32_t kRecords = 12;

// The first kRecords records of a file of records (its header's count lowered to match). The
// feature entries and points stay whole: the runs of the objectives and headers kept need them.
Bytes Cut(const FileDesc& desc, Bytes b) {
    const size_t header = desc.header == HeaderKind::Sound ? 8 : 2;
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
        for (const auto& desc : FileDescs())
            files[desc.name] = Cut(desc, ReadFile(fs::path(dir) / desc.name));
        fs::remove_all(dir);
        return files;
    }();
    return set;
}

int WalkLists(Database& db, Ui& ui, bool dialogs) {
    CTablonApp app(db, ui);
    app.Start();
    CMainFrame& frame = app.Frame();
    const CVantorTree& tree = frame.Tree();
    int rows = 0;
    for (int item = 0; item < tree.ItemCount(); ++item) {
        frame.OnTreeSelectionChanged(item);
        CMvView* list = frame.View() ? frame.View()->AsList() : nullptr;
        if (!list) continue;
        for (int row = 0; row < list->RowCount(); ++row, ++rows) {
            (void)list->ItemText(row);
            for (int c = 0; c < list->ColumnCount(); ++c) (void)list->CellText(row, c);
            if (dialogs) list->OnDoubleClick(row);
        }
    }
    return rows;
}

}  // namespace tablon::fuzz
