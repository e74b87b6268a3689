// The database set: one record-file object per file, in opening order, and the start-up
// sequence that opens them.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "store/FileSet.h"
#include "store/Journal.h"
#include "store/RecordFile.h"

namespace tablon {

class Ui;
class CtFile;
class HdrFile;
class LodFile;
class TexFile;

class Database {
  public:
    explicit Database(Ui& ui);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    RecordFile& File(FileId id) { return *files_[size_t(id)]; }
    const RecordFile& File(FileId id) const { return *files_[size_t(id)]; }
    // The file as a table of records; nothing for the three model files.
    TableFile* Table(FileId id);
    const TableFile* Table(FileId id) const;

    CtFile& Ct();
    HdrFile& Hdr();
    LodFile& Lod();
    TexFile& Tex();

    Ui& GetUi() { return ui_; }
    FileSetContext& Context() { return ctx_; }
    // The set's write journal, in the folder ".tablon" of the working directory at
    // construction; attached (and
    // an unfinished step rolled back) when the first file opens.
    Journal& GetJournal() { return *journal_; }

    // Opens the 20 required files in order, stopping at the first that fails, then the three
    // optional ones, skipping those that are absent. Returns false when the program is to end.
    bool OpenAll(const std::string& initialDir);

  private:
    Ui& ui_;
    FileSetContext ctx_;
    std::shared_ptr<Journal> journal_;
    std::array<std::unique_ptr<RecordFile>, kFileCount> files_;
};

// The whole start-up: the floating-point mode, the object directory from the settings, then
// the database set. Returns false when the program is to end.
bool RunStartup(Database& db);

}  // namespace tablon
