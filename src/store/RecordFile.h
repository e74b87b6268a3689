// The mapped record file: one object per file of the database set, open and mapped for the
// whole run, giving record-level access by index. Every write goes straight into the mapped
// file and is flushed to disk before it reports success. Operations return 1 on success and
// 0 on failure, as the rest of the system expects.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/MappedFile.h"
#include "store/Bytes.h"
#include "store/FileSet.h"

namespace tablon {

class Journal;
class Ui;

// What every record file of one database set shares: the person to talk to, the tree flag
// (once a file was found under a path holding "tree", the objective file is read from
// "vantortree.ocd") and the set's write journal (none for a file opened on its own).
struct FileSetContext {
    Ui* ui = nullptr;
    bool treeFlag = false;
    Journal* journal = nullptr;
};

enum class FileState { Unopened, Ok, BadSize, Unmapped };
const char* FileStateName(FileState s, bool required);

struct FileStatus {
    FileState state = FileState::Unopened;
    uint32_t recordSize = 0;  // record size in use (file form)
    uint32_t count = 0;
    std::optional<int64_t> version;
};

class RecordFile {
  public:
    RecordFile(const FileDesc& desc, FileSetContext& ctx) : desc_(desc), ctx_(ctx) {}
    virtual ~RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Overwrites record index with bytes taken from an export file. Files that accept no import
    // keep this version.
    virtual int ImportRecord(int32_t index, uint32_t size, const uint8_t* data);
    // Opens, maps and checks the file.
    virtual int Open(const std::string& name, const std::string& initialDir, int mode) = 0;
    virtual FileStatus Status() const = 0;

    // Record access by index for generic tools (the command line, dumps): what a "record" of
    // this file is, in memory form. The files with a count are their records; the model files
    // offer their main table.
    virtual uint32_t GenericCount() const = 0;
    virtual uint32_t GenericSize() const = 0;
    virtual int GenericGet(int index, Bytes& out) const = 0;
    virtual int GenericSet(int index, const Bytes& record) = 0;
    // Whether the records in use hold the bytes [offset, offset + width) of the memory form: an
    // older or shorter layout leaves some fields out, which read as zero and are never written.
    virtual bool HoldsBytes(uint32_t /*offset*/, uint32_t /*width*/) const { return true; }

    int OpenMapped(const std::string& name, const std::string& filter,
                   const std::string& initialDir, int mode);
    int Remap();
    int Unmap();
    // Cuts or extends the file. A failed change leaves the file mapped at its old length.
    int SetLength(uint32_t length);
    // Writes bytes in place at a file offset, within the file only, as one write of the
    // journal; flushes when asked. What Open read from the file's header is read again.
    int WriteAt(uint64_t offset, const uint8_t* data, size_t length, bool flush = true);
    int Flush();
    // Flushes the bytes written since the last flush: the whole record after a single write,
    // the span of every record written during a batch.
    int FlushWritten(uint64_t offset, uint64_t length);
    static int WriteExportEntry(const std::string& path, uint32_t type, uint32_t size,
                                uint32_t index, const uint8_t* data);

    const FileDesc& Desc() const { return desc_; }
    const std::string& Path() const { return path_; }
    int AccessMode() const { return accessMode_; }
    uint32_t FileSize() const { return fileSize_; }
    // The length of the file on disk now (larger than the mapping after an append).
    uint64_t DiskSize() const;
    const uint8_t* View() const { return file_.View(); }
    bool IsMapped() const { return file_.IsMapped(); }
    bool IsOpen() const { return file_.IsOpen(); }
    bool Writable() const { return file_.IsOpen() && accessMode_ == 1; }

    // Flushes [offset, offset + length) of the mapping now, batch or not.
    int SyncRange(uint64_t offset, uint64_t length);

    // While a batch is open, writes are flushed once, when it closes (see WriteBatch). The
    // batch is one step of the journal.
    void BeginBatch();
    int EndBatch();

    // Puts the file back as a step found it: its length, then the saved pieces (offset and
    // bytes) written back in the order given; the mapping and what was read from the header
    // are renewed. Used when a step is abandoned in the running program.
    int Restore(uint64_t length, const std::vector<std::pair<uint64_t, const uint8_t*>>& pieces,
                const std::vector<uint64_t>& sizes);

    // Where the records lie, for the journal's history: the header size and the record size in
    // the file (0: the file has no records of one size).
    virtual void RecordLayout(uint32_t& headerSize, uint32_t& recordSize) const {
        headerSize = 0;
        recordSize = 0;
    }

  protected:
    // Reads again what Open read from the file's header, after a Restore.
    virtual void Reread() {}
    // The one way bytes of the mapping change: the bytes [offset, offset + length) made ready
    // for writing, their old content in the journal first. Null when they are not all in the
    // file, the file is not writable or the journal cannot take them. The caller writes them
    // inside a step (WriteStep) and flushes.
    uint8_t* WritableSpan(uint64_t offset, uint64_t length);
    // Writes bytes at the end of the file (journalled as a length change); the mapping is not
    // renewed.
    bool AppendBytes(const uint8_t* data, size_t length);
    Journal* JournalOf() const { return ctx_.journal; }

    MappedFile& File() { return file_; }
    Ui* UiPtr() const { return ctx_.ui; }
    void ShowMessage(const std::string& text) const;

    const FileDesc& desc_;
    FileSetContext& ctx_;
    int accessMode_ = 0;
    std::string path_;
    uint32_t fileSize_ = 0;
    bool mappingFailed_ = false;
    MappedFile file_;
    int batchDepth_ = 0;
    uint64_t dirtyFrom_ = UINT64_MAX;
    uint64_t dirtyTo_ = 0;
};

// Many writes to one file flushed once: a command that rewrites thousands of records (statistics,
// hardpoint tables) opens a batch, writes, and reports success only once Finish() has flushed
// every byte it wrote.
class WriteBatch {
  public:
    explicit WriteBatch(RecordFile& f) : file_(f) { file_.BeginBatch(); }
    ~WriteBatch() {
        if (!done_) file_.EndBatch();
    }
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;
    int Finish() {
        done_ = true;
        return file_.EndBatch();
    }

  private:
    RecordFile& file_;
    bool done_ = false;
};

// A file of fixed-size records behind a count: every file of the set but the three model
// files. Its desc says which record sizes it accepts, how older layouts convert to the memory
// form, and which of its operations refuse what.
class TableFile : public RecordFile {
  public:
    using RecordFile::RecordFile;

    int Open(const std::string& name, const std::string& initialDir, int mode) override;
    FileStatus Status() const override;
    int ImportRecord(int32_t index, uint32_t size, const uint8_t* data) override;
    uint32_t GenericCount() const override { return count_; }
    uint32_t GenericSize() const override { return desc_.memSize; }
    int GenericGet(int index, Bytes& out) const override { return GetRecord(index, out); }
    int GenericSet(int index, const Bytes& record) override { return SetRecord(index, record); }
    bool HoldsBytes(uint32_t offset, uint32_t width) const override;

    // Copies record index out in its memory form (MemSize() bytes).
    int GetRecord(int index, uint8_t* out) const;
    int GetRecord(int index, Bytes& out) const;
    // Writes the memory form of a record into the file and flushes.
    virtual int SetRecord(int index, const uint8_t* record);
    int SetRecord(int index, const Bytes& record);
    int AppendRecord(int& index, const uint8_t* record);
    int DeleteLastRecord(int index);
    // Moves the records from p on up by one and writes record at p (the entry and point files
    // keep per-owner runs this way).
    int InsertRecord(int p, const uint8_t* record);
    // Removes the record at p; the later records move down by one.
    int DeleteRecord(int p);
    int ExportRecord(int index, const std::string& exportPath) const;
    void RecordLayout(uint32_t& headerSize, uint32_t& recordSize) const override {
        headerSize = HeaderSize();
        recordSize = RecordSize();
    }
    // How many whole records the file holds after its header, whatever its count says.
    uint32_t RecordsInFile() const;
    // The records a list shows: those the header counts that the file holds.
    uint32_t RecordsShown() const { return std::min(count_, RecordsInFile()); }

    int LastIndex() const { return static_cast<int>(count_) - 1; }
    uint32_t RecordCount() const { return count_; }
    uint16_t MemSize() const { return desc_.memSize; }
    uint16_t RecordSize() const { return form_ ? form_->fileSize : FirstSize(); }
    int32_t Version() const { return version_; }
    bool SizeOk() const { return sizeOk_; }

  protected:
    uint16_t FirstSize() const { return desc_.forms.empty() ? 0 : desc_.forms.front().fileSize; }
    uint32_t HeaderSize() const { return desc_.header == HeaderKind::Sound ? 8 : 2; }
    uint64_t RecordOffset(int index) const {
        return HeaderSize() + static_cast<uint64_t>(index) * RecordSize();
    }
    bool RecordInFile(int index) const;
    void ToMemory(const uint8_t* file, uint8_t* mem) const;
    void ToFile(const uint8_t* mem, uint8_t* file) const;
    // Writes the count into the header (journalled); false when it could not.
    bool StoreCount(uint32_t count);
    void Reread() override { ReadCount(); }
    bool ReadCount();

    uint32_t count_ = 0;
    const RecordForm* form_ = nullptr;
    int32_t version_ = 0;
    uint32_t headerVersion_ = 0;
    bool sizeOk_ = false;
};

}  // namespace tablon
