#include "store/Database.h"

#include "classtable/CtFile.h"
#include "models/ModelFiles.h"
#include "platform/FpMode.h"
#include "platform/MappedFile.h"
#include "platform/Settings.h"
#include "shell/Ui.h"
#include "store/MemorySet.h"

namespace tablon {

// A set in memory has a journal of its own that is never attached: steps open and close,
// nothing is journalled.
Database::Database(Ui& ui)
    : ui_(ui),
      journal_(MemorySet::Current() ? std::make_shared<Journal>("")
                                    : Journal::Shared(Journal::FolderOf(""))) {
    ctx_.ui = &ui;
    ctx_.journal = MemorySet::Current() ? nullptr : journal_.get();
    for (const auto& desc : FileDescs()) {
        std::unique_ptr<RecordFile> f;
        switch (desc.id) {
            case FileId::Ct:
                f = std::make_unique<CtFile>(desc, ctx_);
                break;
            case FileId::Hdr:
                f = std::make_unique<HdrFile>(desc, ctx_);
                break;
            case FileId::Lod:
                f = std::make_unique<LodFile>(desc, ctx_);
                break;
            case FileId::Tex:
                f = std::make_unique<TexFile>(desc, ctx_);
                break;
            default:
                f = std::make_unique<TableFile>(desc, ctx_);
        }
        files_[size_t(desc.id)] = std::move(f);
    }
}

Database::~Database() = default;

TableFile* Database::Table(FileId id) {
    return dynamic_cast<TableFile*>(files_[size_t(id)].get());
}
const TableFile* Database::Table(FileId id) const {
    return dynamic_cast<const TableFile*>(files_[size_t(id)].get());
}

CtFile& Database::Ct() {
    return static_cast<CtFile&>(File(FileId::Ct));
}
HdrFile& Database::Hdr() {
    return static_cast<HdrFile&>(File(FileId::Hdr));
}
LodFile& Database::Lod() {
    return static_cast<LodFile&>(File(FileId::Lod));
}
TexFile& Database::Tex() {
    return static_cast<TexFile&>(File(FileId::Tex));
}

bool Database::OpenAll(const std::string& initialDir) {
    for (int i = 0; i < kRequiredFileCount; ++i) {
        RecordFile& f = *files_[size_t(i)];
        if (!f.Open(f.Desc().name, initialDir, 1)) return false;
    }
    for (int i = kRequiredFileCount; i < kFileCount; ++i) {
        RecordFile& f = *files_[size_t(i)];
        {
            // An optional file is only opened when it is there and readable; otherwise it is
            // skipped without a word.
            if (const MemoryFiles* memory = MemorySet::Current()) {
                if (!memory->count(f.Desc().name)) continue;
            } else {
                MappedFile probe;
                if (!probe.Open(f.Desc().name, false)) continue;
            }
        }
        f.Open(f.Desc().name, initialDir, 1);
    }
    return true;
}

bool RunStartup(Database& db) {
    SetProgramFpMode();
    std::string initialDir = ObjectDirectory().value_or("");
    return db.OpenAll(initialDir);
}

}  // namespace tablon
