#include "store/RecordFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "shell/Ui.h"
#include "store/Journal.h"
#include "store/MemorySet.h"
#include "store/WriteFaults.h"

namespace tablon {

const char* FileStateName(FileState s, bool required) {
    switch (s) {
        case FileState::Ok:
            return "ok";
        case FileState::BadSize:
            return "bad-size";
        case FileState::Unmapped:
            return "unmapped";
        case FileState::Unopened:
            break;
    }
    (void)required;
    return "missing";
}

void RecordFile::ShowMessage(const std::string& text) const {
    if (ctx_.ui) ctx_.ui->Show(text);
}

int RecordFile::ImportRecord(int32_t, uint32_t, const uint8_t*) {
    return 0;
}

int RecordFile::OpenMapped(const std::string& givenName, const std::string& filter,
                           const std::string& initialDir, int mode) {
    if (mode != 0 && mode != 1) return 0;
    accessMode_ = mode;
    std::string name = givenName;
    if (ctx_.treeFlag && name.find(".ocd") != std::string::npos) name = "vantortree.ocd";

    // An unfinished step of the set's journal is rolled back before any file is read.
    if (ctx_.journal) ctx_.journal->Attach(ctx_.ui);
    const bool writable = mode == 1;
    if (const MemoryFiles* memory = MemorySet::Current()) {
        // A set in memory: a file that is not there is a file that cannot be found.
        path_ = name;
        const auto it = memory->find(name);
        if (it == memory->end()) return 0;
        file_.OpenMemory(it->second.data(), it->second.size(), writable);
    } else if (file_.Open(name, writable)) {
        path_ = name;
    } else {
        path_ = name;
        if (!ctx_.ui) return 0;
        FileRequest req;
        req.save = false;
        req.filter = filter;
        req.initialName = name;
        req.initialDir = initialDir;
        req.mustExist = true;
        req.hideReadOnly = true;
        auto chosen = ctx_.ui->ChooseFile(req);
        if (!chosen || !file_.Open(*chosen, writable)) return 0;
        path_ = *chosen;
    }
    if (path_.find("tree") != std::string::npos) ctx_.treeFlag = true;
    return Remap();
}

int RecordFile::Remap() {
    file_.Unmap();
    uint64_t size = 0;
    if (!file_.ReadSize(size)) return 0;
    if (size > std::numeric_limits<uint32_t>::max()) {
        mappingFailed_ = true;
        ShowMessage("File Mapping failed");
        return 0;
    }
    fileSize_ = static_cast<uint32_t>(size);
    bool failed = false;
    if (!file_.Map(failed)) {
        mappingFailed_ = failed;
        if (failed) ShowMessage("File Mapping failed");
        return 0;
    }
    mappingFailed_ = false;
    return 1;
}

uint64_t RecordFile::DiskSize() const {
    uint64_t size = fileSize_;
    if (!file_.ReadSize(size)) return fileSize_;
    return size;
}

int RecordFile::Unmap() {
    file_.Unmap();
    return 1;
}

int RecordFile::SetLength(uint32_t length) {
    if (!Writable() || !IsMapped()) return 0;
    WriteStep step(ctx_.journal, "resize", desc_.name);
    if (ctx_.journal && !ctx_.journal->Resize(*this, length, ctx_.ui)) return 0;
    if (ctx_.journal && length > fileSize_)
        ctx_.journal->Wrote(*this, fileSize_, length - fileSize_);
    if (ctx_.journal && length < fileSize_) ctx_.journal->Wrote(*this, length, fileSize_ - length);
    if (!WriteEvent() || (WriteFaults::Flushes() && !file_.Flush())) return 0;
    Unmap();
    const bool cut = WriteEvent() && file_.Truncate(length);
    // The mapping is renewed either way: a failed change leaves the file as it was.
    return step.Finish(Remap() && cut ? 1 : 0);
}

int RecordFile::WriteAt(uint64_t offset, const uint8_t* data, size_t length, bool flush) {
    WriteStep step(ctx_.journal, "write", desc_.name);
    uint8_t* p = WritableSpan(offset, length);
    if (!p) return 0;
    std::memcpy(p, data, length);
    Reread();
    return step.Finish(flush ? Flush() : 1);
}

int RecordFile::Flush() {
    if (!file_.IsMapped()) return 0;
    if (!WriteEvent()) return 0;
    return !WriteFaults::Flushes() || file_.Flush() ? 1 : 0;
}

int RecordFile::SyncRange(uint64_t offset, uint64_t length) {
    if (!file_.IsMapped()) return 0;
    if (!WriteEvent()) return 0;
    return !WriteFaults::Flushes() || file_.FlushRange(size_t(offset), size_t(length)) ? 1 : 0;
}

int RecordFile::FlushWritten(uint64_t offset, uint64_t length) {
    if (!file_.IsMapped()) return 0;
    if (batchDepth_ > 0) {
        dirtyFrom_ = std::min(dirtyFrom_, offset);
        dirtyTo_ = std::max(dirtyTo_, offset + length);
        return 1;
    }
    return SyncRange(offset, length);
}

void RecordFile::BeginBatch() {
    if (batchDepth_++ == 0 && ctx_.journal) WriteStep::Begin(ctx_.journal, "batch", desc_.name);
}

int RecordFile::EndBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return 1;
    int ok = 1;
    if (dirtyFrom_ < dirtyTo_) {
        const uint64_t from = dirtyFrom_, to = dirtyTo_;
        dirtyFrom_ = UINT64_MAX;
        dirtyTo_ = 0;
        ok = SyncRange(from, to - from);
    }
    // The step commits only once its data is on the disk.
    if (ctx_.journal && !ctx_.journal->EndStep(ok)) ok = 0;
    return ok;
}

int RecordFile::Restore(uint64_t length,
                        const std::vector<std::pair<uint64_t, const uint8_t*>>& pieces,
                        const std::vector<uint64_t>& sizes) {
    if (!file_.IsOpen() || !file_.Writable()) return 0;
    file_.Flush();
    Unmap();
    bool ok = file_.Truncate(length);
    for (size_t k = 0; ok && k < pieces.size(); ++k) {
        const uint64_t at = pieces[k].first;
        if (at >= length) continue;
        ok = file_.WriteAt(at, pieces[k].second, size_t(std::min(sizes[k], length - at)));
    }
    if (ok && WriteFaults::Flushes()) ok = file_.Sync();
    if (!Remap()) return 0;
    Reread();
    return ok ? 1 : 0;
}

uint8_t* RecordFile::WritableSpan(uint64_t offset, uint64_t length) {
    const uint8_t* v = file_.View();
    if (!v || !Writable() || offset > fileSize_ || length > fileSize_ - offset) return nullptr;
    if (ctx_.journal) {
        if (!ctx_.journal->Save(*this, offset, length, batchDepth_ > 0, ctx_.ui)) return nullptr;
        ctx_.journal->Wrote(*this, offset, length);
    }
    if (!WriteEvent()) return nullptr;
    uint8_t* w = file_.WritableView();
    return w ? w + offset : nullptr;
}

bool RecordFile::AppendBytes(const uint8_t* data, size_t length) {
    if (!Writable()) return false;
    if (ctx_.journal) {
        if (!ctx_.journal->Resize(*this, uint64_t(fileSize_) + length, ctx_.ui)) return false;
        ctx_.journal->Wrote(*this, fileSize_, length);
    }
    if (!WriteEvent()) return false;
    return file_.AppendAtEnd(data, length);
}

int RecordFile::WriteExportEntry(const std::string& path, uint32_t type, uint32_t size,
                                 uint32_t index, const uint8_t* data) {
    // The target is refused when it is a file of an open set, this program's or another's: the
    // set's files are locked for as long as they are open, and so the lock taken here fails.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return 0;
    }
    Bytes entry(12 + size_t(size));
    StoreLE<uint32_t>(entry.data(), type);
    StoreLE<uint32_t>(entry.data() + 4, size);
    StoreLE<uint32_t>(entry.data() + 8, index);
    if (size) std::memcpy(entry.data() + 12, data, size);
    size_t done = 0;
    while (done < entry.size()) {
        const ssize_t n = ::write(fd, entry.data() + done, entry.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += size_t(n);
    }
    ::flock(fd, LOCK_UN);
    const bool ok = ::close(fd) == 0 && done == entry.size();
    return ok ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------

bool TableFile::ReadCount() {
    const uint8_t* v = View();
    if (desc_.header == HeaderKind::Sound) {
        if (!v || fileSize_ < 8) return false;
        headerVersion_ = LoadLE<uint32_t>(v);
        count_ = LoadLE<uint32_t>(v + 4);
    } else {
        if (!v || fileSize_ < 2) return false;
        count_ = LoadLE<uint16_t>(v);
    }
    return true;
}

int TableFile::Open(const std::string& name, const std::string& initialDir, int mode) {
    sizeOk_ = false;
    form_ = nullptr;
    count_ = 0;
    if (!OpenMapped(name, FilterFor(desc_.ext), initialDir, mode)) {
        ShowMessage(Format(desc_.openFailMessage, name.c_str()));
        return 0;
    }
    const bool haveCount = ReadCount();
    if (haveCount) {
        if (desc_.header == HeaderKind::Sound) {
            const RecordForm& f = desc_.forms[headerVersion_ == 1 ? 0 : 1];
            if (uint64_t(fileSize_) == 8 + uint64_t(count_) * f.fileSize) form_ = &f;
        } else {
            for (const auto& f : desc_.forms) {
                if (uint64_t(fileSize_) == 2 + uint64_t(count_) * f.fileSize) {
                    form_ = &f;
                    break;
                }
            }
        }
    }
    if (!form_) {
        if (desc_.sizeMessageNumbers) {
            uint32_t head = HeaderSize();
            int estimate = fileSize_ > head ? int((fileSize_ - head) / desc_.estimateSize) : 0;
            ShowMessage(Format(desc_.sizeMessage, int(count_), estimate));
        } else {
            ShowMessage(desc_.sizeMessage);
        }
        return 0;
    }
    version_ = desc_.header == HeaderKind::Sound ? int32_t(headerVersion_) : form_->version;
    sizeOk_ = true;
    return 1;
}

FileStatus TableFile::Status() const {
    FileStatus s;
    if (!IsOpen())
        s.state = FileState::Unopened;
    else if (!IsMapped())
        s.state = FileState::Unmapped;
    else if (!sizeOk_)
        s.state = FileState::BadSize;
    else
        s.state = FileState::Ok;
    if (s.state == FileState::Unopened) return s;
    s.recordSize = RecordSize();
    s.count = count_;
    if (desc_.hasVersion && s.state != FileState::Unopened) s.version = version_;
    return s;
}

bool TableFile::RecordInFile(int index) const {
    if (index < 0 || !View()) return false;
    return RecordOffset(index) + RecordSize() <= fileSize_;
}

bool TableFile::HoldsBytes(uint32_t offset, uint32_t width) const {
    const uint64_t end = uint64_t(offset) + width;
    if (end > desc_.memSize) return false;
    if (!form_ || form_->split.empty()) return end <= RecordSize();
    // Every byte must come from one of the pieces the file form is split into.
    for (uint64_t at = offset; at < end; ++at) {
        bool held = false;
        for (const auto& s : form_->split)
            held = held || (at >= s.memOffset && at < uint64_t(s.memOffset) + s.length);
        if (!held) return false;
    }
    return true;
}

void TableFile::ToMemory(const uint8_t* file, uint8_t* mem) const {
    const uint16_t size = RecordSize();
    if (size == desc_.memSize) {
        std::memcpy(mem, file, size);
        return;
    }
    std::memset(mem, 0, desc_.memSize);
    if (!form_ || form_->split.empty()) {
        std::memcpy(mem, file, size);
        return;
    }
    for (const auto& s : form_->split)
        std::memcpy(mem + s.memOffset, file + s.fileOffset, s.length);
}

void TableFile::ToFile(const uint8_t* mem, uint8_t* file) const {
    const uint16_t size = RecordSize();
    if (size == desc_.memSize || !form_ || form_->split.empty()) {
        std::memcpy(file, mem, size);
        return;
    }
    for (const auto& s : form_->split)
        std::memcpy(file + s.fileOffset, mem + s.memOffset, s.length);
}

bool TableFile::StoreCount(uint32_t count) {
    const bool sound = desc_.header == HeaderKind::Sound;
    uint8_t* p = WritableSpan(sound ? 4 : 0, sound ? 4 : 2);
    if (!p) return false;
    if (sound)
        StoreLE<uint32_t>(p, count);
    else
        StoreLE<uint16_t>(p, static_cast<uint16_t>(count));
    count_ = count;
    return true;
}

uint32_t TableFile::RecordsInFile() const {
    const uint16_t size = RecordSize();
    if (!View() || size == 0 || fileSize_ <= HeaderSize()) return 0;
    return (fileSize_ - HeaderSize()) / size;
}

int TableFile::GetRecord(int index, uint8_t* out) const {
    if (index < 0) return 0;
    if (desc_.getRefusesPastCount && uint32_t(index) > count_) return 0;
    if (!RecordInFile(index)) return 0;
    ToMemory(View() + RecordOffset(index), out);
    return 1;
}

int TableFile::GetRecord(int index, Bytes& out) const {
    out.resize(desc_.memSize);
    return GetRecord(index, out.data());
}

int TableFile::SetRecord(int index, const uint8_t* record) {
    if (index < 0) return 0;
    if (desc_.setRefusesPastCount && uint32_t(index) > count_) return 0;
    // A file whose size did not check out is never written: its layout is not known.
    if (!sizeOk_ || !Writable() || !RecordInFile(index)) return 0;
    WriteStep step(JournalOf(), "write", desc_.name);
    uint8_t* p = WritableSpan(RecordOffset(index), RecordSize());
    if (!p) return 0;
    ToFile(record, p);
    return step.Finish(FlushWritten(RecordOffset(index), RecordSize()));
}

int TableFile::SetRecord(int index, const Bytes& record) {
    if (record.size() < desc_.memSize) return 0;
    return SetRecord(index, record.data());
}

int TableFile::AppendRecord(int& index, const uint8_t* record) {
    if (!sizeOk_ || !Writable() || !View()) return 0;
    // The count is 16 bits wide: a full file cannot take another record.
    if (desc_.header == HeaderKind::Count16 && count_ >= 0xFFFF) return 0;
    WriteStep step(JournalOf(), "append", desc_.name);
    Bytes raw(RecordSize());
    ToFile(record, raw.data());
    if (!AppendBytes(raw.data(), raw.size())) return 0;
    const uint32_t before = count_;
    if (!StoreCount(count_ + 1)) {
        SetLength(fileSize_);
        return 0;
    }
    index = static_cast<int>(before);
    if (!Remap()) return 0;
    return step.Finish(Flush());
}

int TableFile::DeleteLastRecord(int index) {
    if (!sizeOk_ || !Writable() || !View()) return 0;
    // The whole count decides which record is the last: a sound table's 32-bit count may pass
    // 65,535.
    if (count_ == 0 || index < 0 || uint32_t(index) != count_ - 1) return 0;
    WriteStep step(JournalOf(), "delete", desc_.name);
    const uint32_t before = count_;
    if (!StoreCount(count_ - 1)) return 0;
    if (SetLength(fileSize_ - RecordSize())) return step.Finish(1);
    // The count and the length change together or not at all.
    StoreCount(before);
    Flush();
    return 0;
}

int TableFile::InsertRecord(int p, const uint8_t* record) {
    if (!sizeOk_ || !Writable() || !View()) return 0;
    if (p < 0 || uint32_t(p) > count_) return 0;
    if (uint32_t(p) == count_) {
        int index = 0;
        return AppendRecord(index, record);
    }
    if (desc_.header == HeaderKind::Count16 && count_ >= 0xFFFF) return 0;
    WriteStep step(JournalOf(), "insert", desc_.name);
    const uint16_t size = RecordSize();
    const uint64_t from = RecordOffset(p), end = RecordOffset(int(count_));
    // The last record once more at the end, then everything from p up by one place. The
    // records are taken for writing after the append, which may move a file held in memory.
    Bytes last(View() + end - size, View() + end);
    if (!AppendBytes(last.data(), size)) return 0;
    uint8_t* v = WritableSpan(from, end - from);
    if (!v) return 0;
    std::memmove(v + size, v, size_t(end - from - size));
    ToFile(record, v);
    if (!StoreCount(count_ + 1)) return 0;
    if (!Remap()) return 0;
    return step.Finish(Flush());
}

int TableFile::DeleteRecord(int p) {
    if (!sizeOk_ || !Writable() || !View()) return 0;
    if (p < 0 || uint32_t(p) >= count_) return 0;
    WriteStep step(JournalOf(), "delete", desc_.name);
    const uint16_t size = RecordSize();
    const uint64_t from = RecordOffset(p), end = RecordOffset(int(count_));
    uint8_t* v = WritableSpan(from, end - from);
    if (!v) return 0;
    const Bytes removed(v, v + size);
    std::memmove(v, v + size, size_t(end - from - size));
    const uint32_t before = count_;
    if (StoreCount(count_ - 1) && SetLength(fileSize_ - size)) return step.Finish(1);
    // A failed shortening puts the record and the count back.
    if ((v = WritableSpan(from, end - from))) {
        std::memmove(v + size, v, size_t(end - from - size));
        std::memcpy(v, removed.data(), size);
    }
    StoreCount(before);
    Flush();
    return 0;
}

int TableFile::ExportRecord(int index, const std::string& exportPath) const {
    if (desc_.exportCode < 0) return 0;
    Bytes mem(desc_.memSize);
    if (!GetRecord(index, mem.data())) return 0;
    // The entry holds the record as the file holds it, so that its size field and its bytes
    // agree for the older layouts too.
    Bytes raw(RecordSize());
    ToFile(mem.data(), raw.data());
    return WriteExportEntry(exportPath, uint32_t(desc_.exportCode), RecordSize(), uint32_t(index),
                            raw.data());
}

int TableFile::ImportRecord(int32_t index, uint32_t size, const uint8_t* data) {
    if (!desc_.importable || index < 0 || size != RecordSize()) return 0;
    Bytes mem(desc_.memSize);
    ToMemory(data, mem.data());
    return SetRecord(index, mem.data());
}

}  // namespace tablon
