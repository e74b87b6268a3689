#include "store/ExportImport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iterator>

#include "models/ModelFiles.h"
#include "shell/Ui.h"
#include "store/Bytes.h"
#include "store/Database.h"
#include "store/Journal.h"

namespace tablon {

namespace {

// Searched in this order.
constexpr ExportType kTypes[] = {
    {0, "CT", FileId::Ct},    {1, "ACD", FileId::Acd},  {2, "UCD", FileId::Ucd},
    {3, "SSD", FileId::Ssd},  {4, "VSD", FileId::Vsd},  {5, "VCD", FileId::Vcd},
    {6, "ICD", FileId::Icd},  {7, "RCD", FileId::Rcd},  {8, "SWD", FileId::Swd},
    {9, "WLD", FileId::Wld},  {10, "WCD", FileId::Wcd}, {11, "RWD", FileId::Rwd},
    {12, "OCD", FileId::Ocd}, {13, "FCD", FileId::Fcd}, {14, "PDH", FileId::Phd},
    {15, "PD", FileId::Pd},
};

}  // namespace

const ExportType* ExportTypeByCode(uint32_t code) {
    for (const auto& t : kTypes)
        if (t.code == code) return &t;
    return nullptr;
}

std::optional<std::string> ChooseExportFile(Ui& ui) {
    FileRequest r;
    r.save = true;
    r.title = "Export records to";
    r.filter = "EXPORT Data Files(*.vte)|*.vte|All Files (*.*)|*.*||";
    r.defaultExt = "vte";
    r.hideReadOnly = true;
    return ui.ChooseFile(r);
}

std::optional<std::string> ChooseImportFile(Ui& ui) {
    FileRequest r;
    r.save = false;
    r.title = "Import records from";
    r.filter = "Import Data Files(*.vte)|*.vte|All Files (*.*)|*.*||";
    r.defaultExt = "vte";
    r.mustExist = true;
    return ui.ChooseFile(r);
}

bool ExportItem(Database& db, FileId file, int index, Ui& ui) {
    if (file == FileId::Hdr) {
        // The model header's records are its parents.
        auto path = ChooseExportFile(ui);
        if (!path) return false;
        if (!db.Hdr().ExportParent(index, *path)) {
            ui.Show("Export failed");
            return false;
        }
        return true;
    }
    TableFile* t = db.Table(file);
    if (!t || t->Desc().exportCode < 0) return false;
    auto path = ChooseExportFile(ui);
    if (!path) return false;
    if (!t->ExportRecord(index, *path)) {
        ui.Show("Export failed");
        return false;
    }
    return true;
}

bool ExportLodColour(Database& db, int index, Ui& ui) {
    auto path = ChooseExportFile(ui);
    if (!path) return false;
    if (!db.Hdr().ExportColour(index, *path)) {
        ui.Show("Export failed");
        return false;
    }
    return true;
}

int ImportFile(Database& db, const std::string& path, Ui& ui, ImportTally* tally) {
    ImportTally own;
    ImportTally& t = tally ? *tally : own;
    t = {};
    // Only a regular file is read, and never past the size it had when it was opened: a pipe
    // or a device could go on for ever (and opening a pipe must not wait for a writer).
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat st {};
    std::FILE* f = nullptr;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !(f = ::fdopen(fd, "rb"))) {
        ::close(fd);
        return 0;
    }
    const uint64_t total = uint64_t(st.st_size);
    uint64_t here = 0;
    // The whole import is one step: at the next open it is either all there or not at all.
    JournalStep step(db, "import " + path);
    uint64_t entryEnd = 0;  // where the last whole entry ends
    Bytes data;
    while (true) {
        uint8_t head[12];
        if (total - here < 12 || std::fread(head, 1, 12, f) != 12) break;
        here += 12;
        const uint32_t code = LoadLE<uint32_t>(head);
        const uint32_t size = LoadLE<uint32_t>(head + 4);
        const uint32_t index = LoadLE<uint32_t>(head + 8);
        // An entry that claims more data than the file still holds is refused before anything
        // is read: the import ends as it does for a truncated entry.
        if (uint64_t(size) > total - here) break;
        data.resize(size);
        if (size && std::fread(data.data(), 1, size, f) != size) break;
        here += size;
        entryEnd = here;
        ++t.entries;

        const int32_t signedIndex = static_cast<int32_t>(index);
        std::string question;
        if (const ExportType* t = ExportTypeByCode(code)) {
            question = Format("Overwrite %s record %d?", t->name, signedIndex);
        } else if (code == kExportLodColour) {
            question = Format("Overwrite LodColour record %d?", signedIndex);
        } else if (code == kExportParent) {
            question = Format("Overwrite ParentLod record %d?", signedIndex);
        } else {
            ui.Show("Unknown record type");
            continue;
        }
        Answer a = ui.Ask(question, Buttons::YesNoCancel);
        if (a == Answer::Yes) {
            int ok = 0;
            if (const ExportType* t = ExportTypeByCode(code))
                ok = db.File(t->file).ImportRecord(signedIndex, size, data.data());
            else if (code == kExportLodColour)
                ok = db.Hdr().ImportColour(signedIndex, size, data.data());
            else
                ok = db.Hdr().ImportParent(signedIndex, size, data.data());
            if (ok)
                ++t.written;
            else
                ui.Show("Import failed");
        } else if (a == Answer::Cancel) {
            t.cancelled = true;
            break;
        }
    }
    std::fclose(f);
    if (!t.cancelled) t.leftover = total - entryEnd;
    return t.written;
}

int ImportData(Database& db, Ui& ui) {
    auto path = ChooseImportFile(ui);
    if (!path) return 0;
    return ImportFile(db, *path, ui);
}

}  // namespace tablon
