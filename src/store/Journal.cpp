#include "store/Journal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "shell/Ui.h"
#include "store/Bytes.h"
#include "store/Database.h"
#include "store/RecordFile.h"
#include "store/WriteFaults.h"

namespace tablon {

namespace {

constexpr uint32_t Tag(const char (&s)[5]) {
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
           uint32_t(uint8_t(s[3])) << 24;
}
constexpr uint32_t kStep = Tag("STEP");
constexpr uint32_t kFile = Tag("FILE");
constexpr uint32_t kPre = Tag("PRE_");
constexpr uint32_t kDone = Tag("DONE");
constexpr uint32_t kUndo = Tag("UNDO");

constexpr uint64_t kZeroChunk = uint64_t(1) << 20;  // journal space prepared at a time
constexpr uint64_t kGrowMin = uint64_t(64) << 10;   // least kept at once by a growing save
constexpr size_t kHead = 8, kTail = 4;

// A hash of bytes, eight at a time.
uint64_t Hash64(const uint8_t* p, size_t n, uint64_t seed) {
    uint64_t h = seed ^ 0x9E3779B97F4A7C15ull;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        h ^= LoadLE<uint64_t>(p + i);
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
    }
    for (; i < n; ++i) {
        h ^= p[i];
        h *= 0x100000001B3ull;
    }
    return h;
}

// A checksum over the entry.
uint32_t Checksum(const uint8_t* p, size_t n, uint64_t seed) {
    const uint64_t h = Hash64(p, n, seed);
    return uint32_t(h ^ (h >> 32));
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    const size_t at = b.size();
    b.resize(at + 4);
    StoreLE<uint32_t>(b.data() + at, v);
}
void Put64(std::vector<uint8_t>& b, uint64_t v) {
    const size_t at = b.size();
    b.resize(at + 8);
    StoreLE<uint64_t>(b.data() + at, v);
}
void PutText(std::vector<uint8_t>& b, const std::string& s) {
    const size_t n = std::min<size_t>(s.size(), 0xFFFF);
    Put32(b, uint32_t(n));
    b.insert(b.end(), s.begin(), s.begin() + std::ptrdiff_t(n));
}

// Reads the fields of one entry body in order; any read past the end marks it bad.
class BodyReader {
  public:
    BodyReader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
    uint32_t U32() { return Take(4) ? LoadLE<uint32_t>(p_ + at_ - 4) : 0; }
    uint64_t U64() { return Take(8) ? LoadLE<uint64_t>(p_ + at_ - 8) : 0; }
    std::string Text() {
        const uint32_t n = U32();
        if (!Take(n)) return {};
        return std::string(reinterpret_cast<const char*>(p_ + at_ - n), n);
    }
    bool Ok() const { return ok_; }
    bool More() const { return ok_ && at_ < n_; }

  private:
    bool Take(uint64_t k) {
        if (!ok_ || k > n_ - at_) return ok_ = false;
        at_ += size_t(k);
        return true;
    }
    const uint8_t* p_;
    size_t n_;
    size_t at_ = 0;
    bool ok_ = true;
};

bool WriteAll(int fd, const uint8_t* p, size_t n, uint64_t at) {
    size_t done = 0;
    while (done < n) {
        if (!WriteEvent()) return false;
        const ssize_t w = ::pwrite(fd, p + done, n - done, off_t(at + done));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        done += size_t(w);
    }
    return true;
}

bool SyncData(int fd) {
    if (!WriteEvent()) return false;
    return !WriteFaults::Flushes() || ::fdatasync(fd) == 0;
}

std::vector<uint8_t> ReadWhole(int fd) {
    std::vector<uint8_t> b;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0) return b;
    b.resize(size_t(st.st_size));
    size_t done = 0;
    while (done < b.size()) {
        const ssize_t r = ::pread(fd, b.data() + done, b.size() - done, off_t(done));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += size_t(r);
    }
    b.resize(done);
    return b;
}

// Walks the entries of a journal's bytes. Entries of a step that later commits are taken as
// they stand; the entries of the last, unfinished step are checked against their checksums
// (they were written just before a stop) and the walk ends at the first that fails.
JournalContents Parse(std::vector<uint8_t> bytes) {
    JournalContents c;
    const size_t n = bytes.size();
    size_t at = 0;
    JournalStepInfo* open = nullptr;
    while (at + kHead + kTail <= n) {
        const uint32_t tag = LoadLE<uint32_t>(bytes.data() + at);
        const uint32_t len = LoadLE<uint32_t>(bytes.data() + at + 4);
        if (len > n - at - kHead - kTail) break;
        const uint8_t* body = bytes.data() + at + kHead;
        const uint32_t sum = LoadLE<uint32_t>(body + len);
        if (Checksum(bytes.data() + at, kHead + len, 0) != sum) break;
        BodyReader r(body, len);
        bool ok = true;
        if (tag == kStep) {
            JournalStepInfo s;
            s.start = at;
            s.id = r.U64();
            s.time = int64_t(r.U64());
            s.command = r.Text();
            if (r.More()) {
                s.kind = StepKind(r.U32());
                s.target = r.U64();
            }
            ok = r.Ok() && !open;
            if (ok) {
                c.steps.push_back(std::move(s));
                open = &c.steps.back();
            }
        } else if (tag == kFile && open) {
            JournalFile f;
            const uint32_t number = r.U32();
            f.length = r.U64();
            f.count = r.U32();
            f.headerSize = r.U32();
            f.recordSize = r.U32();
            f.path = r.Text();
            f.name = r.Text();
            ok = r.Ok() && number == open->files.size();
            if (ok) open->files.push_back(std::move(f));
        } else if (tag == kPre && open) {
            JournalPre p;
            p.file = r.U32();
            p.offset = r.U64();
            p.length = len >= 12 ? len - 12 : 0;
            p.at = at + kHead + 12;
            ok = r.Ok() && len >= 12 && p.file < open->files.size();
            if (ok) open->pres.push_back(p);
        } else if ((tag == kDone || tag == kUndo) && open) {
            ok = r.U64() == open->id && r.Ok();
            if (ok && tag == kDone) {
                open->written.assign(open->files.size(), {});
                const uint32_t files = r.U32();
                for (uint32_t k = 0; ok && k < files; ++k) {
                    const uint32_t number = r.U32(), ranges = r.U32();
                    ok = r.Ok() && number < open->files.size() && ranges <= len;
                    for (uint32_t q = 0; ok && q < ranges; ++q) {
                        const uint64_t from = r.U64(), to = r.U64();
                        ok = r.Ok();
                        if (ok) open->written[number].push_back({from, to});
                    }
                }
                // Journals written before the lengths and hashes were kept end here.
                if (ok && r.More()) {
                    for (size_t k = 0; k < open->files.size(); ++k) {
                        open->lengthAfter.push_back(r.U64());
                        open->hashAfter.push_back(r.U64());
                    }
                    if (!r.Ok()) {
                        open->lengthAfter.clear();
                        open->hashAfter.clear();
                    }
                }
            }
            if (ok) {
                open->state = tag == kDone ? StepState::Committed : StepState::RolledBack;
                open = nullptr;
            }
        } else {
            ok = false;
        }
        if (!ok) break;
        at += kHead + len + kTail;
    }
    c.end = at;
    c.bytes = std::move(bytes);
    return c;
}

// Opens and locks a file of the set for a rollback; -1 when it is missing or held.
int OpenForRollback(const std::string& path, bool& busy) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        busy = true;
        ::close(fd);
        return -1;
    }
    return fd;
}

// Puts the files of an unfinished step back as they were: each file cut or extended to its
// length at the step's start, then the saved bytes written back, the first saved last.
bool RollBack(const JournalContents& c, const JournalStepInfo& s, bool& busy) {
    std::vector<int> fds(s.files.size(), -1);
    bool ok = true;
    for (size_t k = 0; k < s.files.size() && ok; ++k) {
        fds[k] = OpenForRollback(s.files[k].path, busy);
        ok = fds[k] >= 0;
    }
    for (size_t k = 0; k < s.files.size() && ok; ++k)
        ok = WriteEvent() && ::ftruncate(fds[k], off_t(s.files[k].length)) == 0;
    for (auto p = s.pres.rbegin(); p != s.pres.rend() && ok; ++p) {
        const uint64_t length0 = s.files[p->file].length;
        if (p->offset >= length0) continue;
        const uint64_t n = std::min(p->length, length0 - p->offset);
        ok = WriteAll(fds[p->file], c.bytes.data() + p->at, size_t(n), p->offset);
    }
    for (size_t k = 0; k < fds.size(); ++k) {
        if (fds[k] < 0) continue;
        if (ok) ok = SyncData(fds[k]);
        ::flock(fds[k], LOCK_UN);
        ::close(fds[k]);
    }
    return ok;
}

std::string AbsolutePath(const std::string& path) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf)) return buf;
    return path;
}

}  // namespace

const char* StepStateName(StepState s) {
    switch (s) {
        case StepState::Committed:
            return "committed";
        case StepState::RolledBack:
            return "rolled back";
        case StepState::Uncommitted:
            break;
    }
    return "uncommitted";
}

std::string JournalStepInfo::FilesText() const {
    std::string s;
    for (const auto& f : files) s += (s.empty() ? "" : ", ") + f.name;
    return s;
}

std::string JournalStepInfo::RecordsText() const {
    std::string s;
    for (size_t k = 0; k < files.size(); ++k) {
        const JournalFile& f = files[k];
        std::string part;
        if (k < written.size()) {
            // Records (or bytes) from the ranges written, merged.
            std::vector<std::pair<uint64_t, uint64_t>> items;
            for (auto [from, to] : written[k]) {
                if (to <= from) continue;
                if (f.recordSize == 0) {
                    items.push_back({from, to - 1});
                } else if (to > f.headerSize) {
                    const uint64_t a = from < f.headerSize ? 0 : (from - f.headerSize);
                    items.push_back({a / f.recordSize, (to - f.headerSize - 1) / f.recordSize});
                }
            }
            std::sort(items.begin(), items.end());
            std::vector<std::pair<uint64_t, uint64_t>> merged;
            for (auto it : items) {
                if (!merged.empty() && it.first <= merged.back().second + 1)
                    merged.back().second = std::max(merged.back().second, it.second);
                else
                    merged.push_back(it);
            }
            for (auto [a, b] : merged) {
                part += part.empty() ? " " : ",";
                part += f.recordSize == 0 ? "bytes " : "";
                part += std::to_string(a);
                if (b != a) part += "-" + std::to_string(b);
            }
        }
        s += (s.empty() ? "" : "; ") + f.name + part;
    }
    return s;
}

std::string JournalStepInfo::TimeText() const {
    const std::time_t t = std::time_t(time);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

Journal::~Journal() {
    if (fd_ >= 0) ::close(fd_);
    if (lockFd_ >= 0) {
        ::flock(lockFd_, LOCK_UN);
        ::close(lockFd_);
    }
}

std::string Journal::FolderOf(const std::string& dir) {
    if (!dir.empty()) return dir + "/" + kFolder;
    char buf[PATH_MAX];
    return std::string(::getcwd(buf, sizeof buf) ? buf : ".") + "/" + kFolder;
}

JournalContents Journal::Read(const std::string& folder) {
    const std::string path = folder + "/" + kFileName;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    JournalContents c = Parse(ReadWhole(fd));
    ::close(fd);
    return c;
}

RecoverResult Journal::Recover(const std::string& folder, std::string& message) {
    const std::string lockPath = folder + "/" + kLockName;
    const int lock = ::open(lockPath.c_str(), O_RDWR | O_CLOEXEC);
    if (lock < 0) return RecoverResult::Nothing;  // no journal: nothing was ever written
    RecoverResult result = RecoverResult::Nothing;
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        message = "The database set is in use by another program.";
        ::close(lock);
        return RecoverResult::Busy;
    }
    const std::string path = folder + "/" + kFileName;
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        JournalContents c = Parse(ReadWhole(fd));
        if (!c.steps.empty() && c.steps.back().state == StepState::Uncommitted) {
            const JournalStepInfo& s = c.steps.back();
            bool busy = false;
            if (RollBack(c, s, busy)) {
                std::vector<uint8_t> body;
                Put64(body, s.id);
                std::vector<uint8_t> e;
                Put32(e, kUndo);
                Put32(e, uint32_t(body.size()));
                e.insert(e.end(), body.begin(), body.end());
                Put32(e, Checksum(e.data(), e.size(), 0));
                if (WriteAll(fd, e.data(), e.size(), c.end) && SyncData(fd)) {
                    result = RecoverResult::RolledBack;
                    message = Format(
                        "\"%s\" did not finish when Tablon last stopped: its changes have been "
                        "undone.",
                        s.command.c_str());
                } else {
                    result = RecoverResult::Failed;
                }
            } else {
                result = busy ? RecoverResult::Busy : RecoverResult::Failed;
            }
            if (result != RecoverResult::RolledBack)
                message = Format(
                    busy ? "\"%s\" did not finish when Tablon last stopped, and its files are in "
                           "use: it could not be undone."
                         : "\"%s\" did not finish when Tablon last stopped, and could not be "
                           "undone: the database set may be damaged.",
                    s.command.c_str());
        }
        ::close(fd);
    }
    ::flock(lock, LOCK_UN);
    ::close(lock);
    return result;
}

std::shared_ptr<Journal> Journal::Shared(const std::string& folder) {
    static std::map<std::string, std::weak_ptr<Journal>> journals;
    if (auto j = journals[folder].lock()) return j;
    auto j = std::make_shared<Journal>(folder);
    journals[folder] = j;
    return j;
}

bool Journal::Attach(Ui* ui) {
    if (fd_ >= 0 || failed_) return fd_ >= 0;
    // A set whose journal cannot be used opens for reading; the reason is shown at the first
    // change it refuses.
    auto fail = [this](const std::string& why) {
        failed_ = true;
        failure_ = Format("Can't use the journal in %s: %s. The change was not made.",
                          folder_.c_str(), why.c_str());
        return false;
    };
    if (::mkdir(folder_.c_str(), 0755) != 0 && errno != EEXIST) return fail(std::strerror(errno));
    lockFd_ = ::open((folder_ + "/" + kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd_ < 0) return fail(std::strerror(errno));
    // A program that holds the lock has the set open, and its step may be running: it is left
    // alone, and so is the set.
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) return fail("the set is in use");
    // The lock is released while the rollback takes it for itself, then taken back.
    ::flock(lockFd_, LOCK_UN);
    std::string message;
    const RecoverResult r = Recover(folder_, message);
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) return fail("the set is in use");
    if (!message.empty() && ui) ui->Show(message);
    if (r == RecoverResult::Busy || r == RecoverResult::Failed)
        return fail("a step could not be undone");
    fd_ = ::open((folder_ + "/" + kFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return fail(std::strerror(errno));
    // Locked like the set's files, so that nothing else writes into it (an export, say).
    ::flock(fd_, LOCK_EX | LOCK_NB);
    JournalContents c = Parse(ReadWhole(fd_));
    end_ = c.end;
    alloc_ = c.bytes.size();
    for (const auto& s : c.steps) nextId_ = std::max(nextId_, s.id + 1);
    // Whatever follows the last valid entry (a write cut short) becomes zeros again.
    uint64_t dirty = end_;
    for (uint64_t k = end_; k < alloc_; ++k)
        if (c.bytes[size_t(k)]) dirty = k + 1;
    if (dirty > end_) {
        std::vector<uint8_t> zeros(size_t(dirty - end_), 0);
        if (!WriteAll(fd_, zeros.data(), zeros.size(), end_) || !SyncData(fd_)) {
            ::close(fd_);
            fd_ = -1;
            return fail(std::strerror(errno));
        }
    }
    return true;
}

void Journal::BeginStep(const std::string& command, StepKind kind, uint64_t target) {
    if (depth_++ > 0) return;
    command_ = command;
    kind_ = kind;
    target_ = target;
    spoilt_ = false;
    stepWritten_ = false;
    touched_.clear();
    lastTouched_ = 0;
    pending_.clear();
}

int Journal::Suspend(bool evenWritten) {
    const int depth = depth_;
    if (depth_ == 0 || (stepWritten_ && !evenWritten)) return 0;
    depth_ = 1;
    EndStep(true);
    return depth;
}

void Journal::Resume(int depth, const std::string& command) {
    if (depth <= 0) return;
    BeginStep(command);
    depth_ = depth;
}

uint64_t Journal::HashRanges(const uint8_t* bytes, uint64_t length,
                             const std::vector<std::pair<uint64_t, uint64_t>>& ranges) {
    uint64_t h = length;
    for (auto [from, to] : ranges) {
        to = std::min(to, length);
        if (from >= to || !bytes) continue;
        h = Hash64(bytes + from, size_t(to - from), h ^ from);
    }
    return h;
}

int Journal::EndStep(bool ok) {
    if (depth_ == 0) return ok;
    if (!ok) spoilt_ = true;
    if (--depth_ > 0) return ok;
    if (spoilt_) {
        spoilt_ = false;
        if (stepWritten_) Abort();
        touched_.clear();
        stepWritten_ = false;
        return 0;
    }
    return Commit();
}

int Journal::Commit() {
    int ok = 1;
    if (stepWritten_) {
        // Everything the step wrote reaches the disk before the step is marked committed.
        std::vector<uint8_t> body;
        Put64(body, nextId_ - 1);
        Put32(body, uint32_t(touched_.size()));
        std::vector<uint64_t> after;  // per file: the length and the hash of what was written
        for (Touched& t : touched_) {
            auto& w = t.written;
            std::sort(w.begin(), w.end());
            std::vector<std::pair<uint64_t, uint64_t>> merged;
            for (auto r : w) {
                if (!merged.empty() && r.first <= merged.back().second)
                    merged.back().second = std::max(merged.back().second, r.second);
                else
                    merged.push_back(r);
            }
            // The hash is taken over the file as it is on disk now (an append leaves the
            // mapping short until it is renewed).
            if (t.file->IsMapped() && t.file->DiskSize() != t.file->FileSize()) t.file->Remap();
            if (!merged.empty() && t.file->IsMapped()) {
                const uint64_t from = merged.front().first;
                const uint64_t to = std::min<uint64_t>(merged.back().second, t.file->FileSize());
                if (from < to && !t.file->SyncRange(from, to - from)) ok = 0;
            }
            const uint64_t length = t.file->IsMapped() ? t.file->FileSize() : t.file->DiskSize();
            after.push_back(length);
            after.push_back(HashRanges(t.file->View(), t.file->IsMapped() ? length : 0, merged));
            Put32(body, t.number);
            Put32(body, uint32_t(merged.size()));
            for (auto [a, b] : merged) {
                Put64(body, a);
                Put64(body, b);
            }
        }
        for (uint64_t v : after) Put64(body, v);
        if (ok && !AppendEntry(kDone, body, false)) ok = 0;
        // A step whose data did not all reach the disk is undone at once.
        if (!ok) Abort();
    }
    touched_.clear();
    pending_.clear();
    stepWritten_ = false;
    return ok;
}

void Journal::Abort() {
    pending_.clear();
    std::vector<uint8_t> bytes(size_t(end_ - stepStart_));
    bool ok = ::pread(fd_, bytes.data(), bytes.size(), off_t(stepStart_)) == ssize_t(bytes.size());
    JournalContents c = Parse(std::move(bytes));
    ok = ok && c.steps.size() == 1 && c.steps[0].files.size() == touched_.size();
    if (ok) {
        const JournalStepInfo& s = c.steps[0];
        for (size_t k = 0; k < touched_.size(); ++k) {
            std::vector<std::pair<uint64_t, const uint8_t*>> pieces;
            std::vector<uint64_t> sizes;
            for (auto p = s.pres.rbegin(); p != s.pres.rend(); ++p) {
                if (p->file != k) continue;
                pieces.push_back({p->offset, c.bytes.data() + p->at});
                sizes.push_back(p->length);
            }
            if (!touched_[k].file->Restore(s.files[k].length, pieces, sizes)) ok = false;
        }
    }
    std::vector<uint8_t> body;
    Put64(body, nextId_ - 1);
    // Without its UNDO the step stays unfinished in the journal, and no further step may follow
    // it: the set takes no more changes until it is opened again (and the step rolled back).
    if (!ok || !AppendEntry(kUndo, body, true)) {
        failed_ = true;
        failure_ = "A change could not be undone; open the database set again.";
    }
}

bool Journal::EnsureRoom(uint64_t bytes) {
    // Small entries go into space already holding zeros, so that flushing them changes no
    // file length; large ones simply extend the file.
    if (end_ + bytes <= alloc_ || bytes >= kZeroChunk / 4) return true;
    std::vector<uint8_t> zeros(kZeroChunk, 0);
    const uint64_t at = std::max(alloc_, end_);
    if (!WriteAll(fd_, zeros.data(), zeros.size(), at)) return false;
    alloc_ = at + kZeroChunk;
    return true;
}

bool Journal::AppendEntry(uint32_t tag, const std::vector<uint8_t>& body, bool sync) {
    const size_t at = pending_.size();
    Put32(pending_, tag);
    Put32(pending_, uint32_t(body.size()));
    pending_.insert(pending_.end(), body.begin(), body.end());
    Put32(pending_, Checksum(pending_.data() + at, kHead + body.size(), 0));
    return WritePending(sync);
}

bool Journal::WritePending(bool sync) {
    if (pending_.empty()) return true;
    if (fd_ < 0 || !EnsureRoom(pending_.size()) ||
        !WriteAll(fd_, pending_.data(), pending_.size(), end_))
        return false;
    end_ += pending_.size();
    alloc_ = std::max(alloc_, end_);
    pending_.clear();
    return !sync || SyncData(fd_);
}

Journal::Touched* Journal::Touch(RecordFile& f) {
    if (fd_ < 0 || depth_ == 0) return nullptr;
    if (lastTouched_ < touched_.size() && touched_[lastTouched_].file == &f)
        return &touched_[lastTouched_];
    for (size_t k = 0; k < touched_.size(); ++k)
        if (touched_[k].file == &f) {
            lastTouched_ = k;
            return &touched_[k];
        }
    if (!stepWritten_) {
        // Between steps, the history is cut back once the journal has grown past its bound.
        // An undo or a redo lets it grow to twice the bound first, so that the steps before
        // the one it is about stay undoable.
        const uint64_t bound = kind_ == StepKind::Edit ? limit_ : 2 * limit_;
        if (pending_.empty() && end_ > bound) Compact();
        stepStart_ = end_ + pending_.size();
        std::vector<uint8_t> body;
        Put64(body, nextId_++);
        Put64(body, uint64_t(std::time(nullptr)));
        PutText(body, command_);
        Put32(body, uint32_t(kind_));
        Put64(body, target_);
        const size_t at = pending_.size();
        Put32(pending_, kStep);
        Put32(pending_, uint32_t(body.size()));
        pending_.insert(pending_.end(), body.begin(), body.end());
        Put32(pending_, Checksum(pending_.data() + at, kHead + body.size(), 0));
        stepWritten_ = true;
    }
    Touched t;
    t.file = &f;
    t.number = uint32_t(touched_.size());
    t.length0 = f.DiskSize();
    uint32_t header = 0, recordSize = 0;
    f.RecordLayout(header, recordSize);
    std::vector<uint8_t> body;
    Put32(body, t.number);
    Put64(body, t.length0);
    Put32(body, f.GenericCount());
    Put32(body, header);
    Put32(body, recordSize);
    PutText(body, AbsolutePath(f.Path()));
    PutText(body, f.Desc().name);
    const size_t at = pending_.size();
    Put32(pending_, kFile);
    Put32(pending_, uint32_t(body.size()));
    pending_.insert(pending_.end(), body.begin(), body.end());
    Put32(pending_, Checksum(pending_.data() + at, kHead + body.size(), 0));
    touched_.push_back(std::move(t));
    lastTouched_ = touched_.size() - 1;
    return &touched_.back();
}

bool Journal::SavePiece(Touched& t, uint64_t from, uint64_t to) {
    const uint8_t* v = t.file->View();
    to = std::min<uint64_t>(to, t.file->FileSize());
    if (from >= to) return true;
    if (!v) return false;
    std::vector<uint8_t> body;
    body.reserve(size_t(12 + to - from));
    Put32(body, t.number);
    Put64(body, from);
    body.insert(body.end(), v + from, v + to);
    const size_t at = pending_.size();
    Put32(pending_, kPre);
    Put32(pending_, uint32_t(body.size()));
    pending_.insert(pending_.end(), body.begin(), body.end());
    Put32(pending_, Checksum(pending_.data() + at, kHead + body.size(), 0));
    // Kept pieces are merged with their neighbours, so a lookup finds one interval.
    auto next = t.saved.lower_bound(from);
    if (next != t.saved.begin()) {
        auto prev = std::prev(next);
        if (prev->second == from) {
            from = prev->first;
            t.saved.erase(prev);
        }
    }
    if (next != t.saved.end() && next->first == to) {
        to = next->second;
        t.saved.erase(next);
    }
    t.saved[from] = to;
    t.savedBytes += to - from;
    return true;
}

bool Journal::Refuse(Ui* ui) {
    if (!failure_.empty() && ui) ui->Show(failure_);
    failure_.clear();
    return false;
}

bool Journal::Save(RecordFile& f, uint64_t offset, uint64_t length, bool grow, Ui* ui) {
    if (failed_) return Refuse(ui);
    ++changes_;
    if (fd_ < 0) return true;  // a set that was never attached: not journalled
    Touched* tp = Touch(f);
    if (!tp) return false;
    Touched& t = *tp;
    const uint64_t end = std::min(offset + length, t.length0);
    uint64_t pos = offset;
    auto it = t.saved.upper_bound(pos);
    if (it != t.saved.begin()) {
        auto prev = std::prev(it);
        pos = std::max(pos, prev->second);
    }
    bool added = false;
    while (pos < end) {
        const uint64_t limit = it != t.saved.end() ? it->first : t.length0;
        uint64_t to = std::min(end, limit);
        if (grow) to = std::min(limit, std::max(to, pos + std::max(kGrowMin, t.savedBytes)));
        if (to > pos) {
            if (!SavePiece(t, pos, to)) return false;
            added = true;
            // SavePiece may have merged with the next interval: look it up afresh.
            it = t.saved.upper_bound(pos);
            pos = std::prev(it)->second;
            continue;
        }
        if (it == t.saved.end()) break;
        pos = std::max(pos, it->second);
        ++it;
    }
    // The old bytes are on the disk before the new ones reach the file.
    if (added || !pending_.empty()) return WritePending(true);
    return true;
}

bool Journal::Resize(RecordFile& f, uint64_t newLength, Ui* ui) {
    if (failed_) return Refuse(ui);
    ++changes_;
    if (fd_ < 0) return true;
    Touched* t = Touch(f);
    if (!t) return false;
    const uint64_t now = f.DiskSize();
    if (newLength < now) return Save(f, newLength, now - newLength, false, ui);
    return WritePending(true);
}

void Journal::Wrote(RecordFile& f, uint64_t offset, uint64_t length) {
    if (fd_ < 0 || depth_ == 0 || length == 0) return;
    Touched* t = Touch(f);
    if (!t) return;
    auto& w = t->written;
    if (!w.empty() && offset <= w.back().second && offset + length >= w.back().first) {
        w.back().first = std::min(w.back().first, offset);
        w.back().second = std::max(w.back().second, offset + length);
    } else {
        w.push_back({offset, offset + length});
    }
}

void Journal::Compact() {
    // Keeps the most recent committed steps that fit in a quarter of the limit, written to a
    // new file that replaces the journal in one rename; and, however large they are, what the
    // step about to start needs: an operation keeps the one before it (the last operation
    // stays undoable), an undo or a redo keeps the step it is about and the one before that.
    JournalContents c = Parse(ReadWhole(fd_));
    if (c.end == 0) return;
    size_t keepFrom = size_t(c.end);
    for (auto s = c.steps.rbegin(); s != c.steps.rend(); ++s) {
        if (c.end - s->start > limit_ / 4) break;
        keepFrom = s->start;
    }
    // The step an undo or a redo is about (the end for an operation), and the operation before
    // it, so that the last two stay undoable.
    size_t k = c.steps.size();
    if (kind_ != StepKind::Edit) {
        while (k > 0 && c.steps[k - 1].id != target_) --k;
        if (k > 0) keepFrom = std::min(keepFrom, size_t(c.steps[--k].start));
    }
    while (k > 0 &&
           !(c.steps[k - 1].kind == StepKind::Edit && c.steps[k - 1].state == StepState::Committed))
        --k;
    if (k > 0) keepFrom = std::min(keepFrom, size_t(c.steps[k - 1].start));
    const std::string path = folder_ + "/" + kFileName, fresh = path + ".new";
    const int nfd = ::open(fresh.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (nfd < 0) return;
    const size_t n = size_t(c.end) - keepFrom;
    if ((n && !WriteAll(nfd, c.bytes.data() + keepFrom, n, 0)) || !SyncData(nfd) ||
        ::rename(fresh.c_str(), path.c_str()) != 0) {
        ::close(nfd);
        ::unlink(fresh.c_str());
        return;
    }
    const int dfd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    ::close(fd_);
    fd_ = nfd;
    ::flock(fd_, LOCK_EX | LOCK_NB);
    end_ = n;
    alloc_ = n;
}

JournalStep::JournalStep(Database& db, const std::string& command) : journal_(&db.GetJournal()) {
    journal_->BeginStep(command);
}

JournalStep::~JournalStep() {
    journal_->EndStep();
}

WriteStep::WriteStep(Journal* journal, const char* what, const char* file) : journal_(journal) {
    Begin(journal, what, file);
    if (journal_) changes_ = journal_->Changes();
}

int WriteStep::Finish(int ok) {
    Journal* j = journal_;
    journal_ = nullptr;
    if (!j) return ok;
    // A write refused before it changed anything spoils nothing.
    return j->EndStep(ok || j->Changes() == changes_) && ok ? 1 : 0;
}

void WriteStep::Begin(Journal* journal, const char* what, const char* file) {
    if (!journal) return;
    if (journal->InStep())
        journal->BeginStep({});
    else
        journal->BeginStep(std::string(what) + " " + file);
}

}  // namespace tablon
