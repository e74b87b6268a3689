#include "objectives/Runs.h"

#include "objectives/ObjectiveRecord.h"
#include "objectives/PointRecords.h"
#include "shell/Ui.h"
#include "store/Database.h"

namespace tablon {

const RunLayout& EntryRuns() {
    static const RunLayout layout{FileId::Ocd,
                                  FileId::Fed,
                                  ObjectiveRecord::kFirstFeatureEntry,
                                  ObjectiveRecord::kFeatureEntryCount,
                                  "Failed to add new FED record",
                                  "feature entries",
                                  true};
    return layout;
}

const RunLayout& PointRuns() {
    static const RunLayout layout{FileId::Phd,
                                  FileId::Pd,
                                  PointHeaderRecord::kFirstPoint,
                                  PointHeaderRecord::kPointCount,
                                  "Failed to add new PD record",
                                  "points",
                                  false};
    return layout;
}

Run RunOf(const RunLayout& layout, const uint8_t* owner) {
    return {LoadLE<uint16_t>(owner + layout.firstOffset), owner[layout.countOffset]};
}

void StoreRun(const RunLayout& layout, uint8_t* owner, Run run) {
    StoreLE<uint16_t>(owner + layout.firstOffset, run.first);
    owner[layout.countOffset] = run.count;
}

bool RunCountFits(const RunLayout& layout, uint32_t n, std::string& message) {
    if (n <= uint32_t(kMaxRunCount)) return true;
    message = Format("A run holds at most %d %s; the list has %u: nothing was changed",
                     kMaxRunCount, layout.memberWord, n);
    return false;
}

uint32_t PositionBehindEarlierRun(const Database& db, const RunLayout& layout, int owner) {
    const TableFile* owners = db.Table(layout.owner);
    if (!owners) return 0;
    Bytes record;
    for (int k = owner - 1; k >= 0; --k) {
        if (!owners->GetRecord(k, record)) continue;
        const Run run = RunOf(layout, record.data());
        if (run.count != 0) return run.End();
    }
    return 0;
}

bool DraftNewOwner(Database& db, const RunLayout& layout, std::optional<int> copyOf, Bytes& record,
                   std::string& message) {
    TableFile& owners = *db.Table(layout.owner);
    TableFile& members = *db.Table(layout.member);
    record.assign(owners.MemSize(), 0);
    const uint32_t end = members.RecordCount();
    if (!copyOf) {
        uint32_t first = end;
        if (layout.emptyRunBehindEarlier) {
            const int next = int(owners.RecordCount());
            if (const uint32_t behind = PositionBehindEarlierRun(db, layout, next); behind != 0)
                first = behind;
        }
        StoreRun(layout, record.data(), {uint16_t(first), 0});
        return true;
    }
    if (!owners.GetRecord(*copyOf, record)) {
        message = Format("Can't read record %d", *copyOf);
        return false;
    }
    const Run source = RunOf(layout, record.data());
    if (end + source.count > kMaxFileRecords) {
        message = Format("%s cannot hold more than %u records", members.Desc().name,
                         unsigned(kMaxFileRecords));
        return false;
    }
    std::vector<Bytes> copies(source.count);
    for (uint32_t i = 0; i < source.count; ++i)
        if (!members.GetRecord(int(source.first + i), copies[i])) {
            message = Format("Can't read record %u of %s", unsigned(source.first + i),
                             members.Desc().name);
            return false;
        }
    WriteBatch batch(members);
    uint32_t written = 0;
    for (const Bytes& c : copies) {
        if (!members.InsertRecord(int(members.RecordCount()), c.data())) break;
        ++written;
    }
    StoreRun(layout, record.data(), {uint16_t(end), uint8_t(written)});
    if (!batch.Finish() || written != source.count) {
        DiscardDraft(db, layout, record);
        message = layout.addFailed;
        return false;
    }
    return true;
}

void DiscardDraft(Database& db, const RunLayout& layout, const Bytes& record) {
    TableFile& members = *db.Table(layout.member);
    const Run run = RunOf(layout, record.data());
    if (run.count == 0 || run.End() != members.RecordCount()) return;
    WriteBatch batch(members);
    for (uint32_t i = 0; i < run.count; ++i)
        if (!members.DeleteRecord(int(members.RecordCount()) - 1)) break;
    batch.Finish();
}

bool AppendDraft(Database& db, const RunLayout& layout, const Bytes& record, int& index) {
    if (db.Table(layout.owner)->AppendRecord(index, record.data())) return true;
    DiscardDraft(db, layout, record);
    return false;
}

RunEditor::RunEditor(Database& db, const RunLayout& layout)
    : layout_(layout), owners_(*db.Table(layout.owner)), members_(*db.Table(layout.member)) {
    ownerBatch_.emplace(owners_);
    memberBatch_.emplace(members_);
}

RunEditor::~RunEditor() = default;

bool RunEditor::Finish() {
    bool ok = true;
    if (memberBatch_) ok = memberBatch_->Finish() && ok;
    if (ownerBatch_) ok = ownerBatch_->Finish() && ok;
    memberBatch_.reset();
    ownerBatch_.reset();
    return ok;
}

bool RunEditor::Room(uint32_t more, std::string& message) const {
    if (members_.RecordCount() + more <= kMaxFileRecords) return true;
    message = Format("%s cannot hold more than %u records", members_.Desc().name,
                     unsigned(kMaxFileRecords));
    return false;
}

bool RunEditor::Reindex(int owner, int delta) {
    if (delta == 0) return true;
    Bytes record;
    const int count = int(owners_.RecordCount());
    for (int k = owner + 1; k < count; ++k) {
        if (!owners_.GetRecord(k, record)) return false;
        Run run = RunOf(layout_, record.data());
        run.first = uint16_t(run.first + delta);  // 16-bit arithmetic: wraps modulo 65,536
        StoreRun(layout_, record.data(), run);
        if (!owners_.SetRecord(k, record)) return false;
    }
    return true;
}

bool RunEditor::Commit(int owner, uint8_t* ownerCopy, Run run) {
    StoreRun(layout_, ownerCopy, run);
    // An owner not yet in the file (a record being added) keeps its run in the copy alone.
    if (owner < 0 || uint32_t(owner) >= owners_.RecordCount()) return true;
    Bytes record;
    if (!owners_.GetRecord(owner, record)) return false;
    StoreRun(layout_, record.data(), run);
    return owners_.SetRecord(owner, record) != 0;
}

bool RunEditor::Insert(int owner, uint8_t* ownerCopy, uint32_t pos, const uint8_t* record,
                       std::string& message) {
    Run run = RunOf(layout_, ownerCopy);
    if (run.count >= kMaxRunCount) {
        message = Format("A run holds at most %d %s: nothing was added", kMaxRunCount,
                         layout_.memberWord);
        return false;
    }
    if (!Room(1, message)) return false;
    // An empty run has no row to add at: it takes the position it is given.
    const uint32_t from = run.count ? run.first : pos;
    if (pos < from || pos > from + run.count || pos > members_.RecordCount()) {
        message = Format("Position %u is outside the run (%u to %u)", pos, from,
                         unsigned(from + run.count));
        return false;
    }
    if (!members_.InsertRecord(int(pos), record)) {
        message = layout_.addFailed;
        return false;
    }
    if (run.count == 0) run.first = uint16_t(pos);
    ++run.count;
    if (!Reindex(owner, +1) || !Commit(owner, ownerCopy, run)) {
        message = "Update Failed";
        return false;
    }
    return true;
}

bool RunEditor::Delete(int owner, uint8_t* ownerCopy, uint32_t pos, std::string& message) {
    Run run = RunOf(layout_, ownerCopy);
    if (run.count == 0 || pos < run.first || pos >= run.End()) {
        message = run.count ? Format("Position %u is outside the run (%u to %u)", pos,
                                     unsigned(run.first), unsigned(run.End() - 1))
                            : std::string("The run is empty");
        return false;
    }
    if (!members_.DeleteRecord(int(pos))) {
        message = "Delete record failed";
        return false;
    }
    --run.count;
    if (!Reindex(owner, -1) || !Commit(owner, ownerCopy, run)) {
        message = "Update Failed";
        return false;
    }
    return true;
}

bool RunEditor::Replace(int owner, uint8_t* ownerCopy, const std::vector<Bytes>& records,
                        const ReplaceMessages& texts, std::string& message) {
    Run run = RunOf(layout_, ownerCopy);
    const uint32_t n = uint32_t(records.size()), old = run.count;
    if (!RunCountFits(layout_, n, message)) return false;
    if (n > old && !Room(n - old, message)) return false;
    if (run.End() > members_.RecordCount()) {
        message = Format("The run (%u to %u) lies beyond the end of %s: nothing was changed",
                         unsigned(run.first), unsigned(run.End() - 1), members_.Desc().name);
        return false;
    }
    for (const Bytes& r : records)
        if (r.size() < members_.MemSize()) {
            message = "Update Failed";
            return false;
        }

    // The count and the later owners follow what was actually done, even when a write fails.
    uint32_t count = old;
    auto settle = [&](const char* failure) {
        const bool ok = Reindex(owner, int(count) - int(old)) &&
                        Commit(owner, ownerCopy, {run.first, uint8_t(count)});
        if (failure) {
            message = failure;
            return false;
        }
        if (!ok) message = "Update Failed";
        return ok;
    };
    while (count > n) {
        if (!members_.DeleteRecord(int(run.first + n))) return settle(texts.deleteFailed);
        --count;
    }
    const uint32_t overwrite = std::min(n, old);
    for (uint32_t i = 0; i < overwrite; ++i)
        if (!members_.SetRecord(int(run.first + i), records[i].data()))
            return settle(texts.setFailed);
    for (uint32_t i = old; i < n; ++i) {
        if (!members_.InsertRecord(int(run.first + i), records[i].data()))
            return settle(texts.insertFailed);
        ++count;
    }
    return settle(nullptr);
}

}  // namespace tablon

namespace tablon {

bool InsertMember(Database& db, const RunLayout& layout, int owner, uint8_t* ownerCopy,
                  uint32_t pos, const uint8_t* record, std::string& message) {
    RunEditor editor(db, layout);
    const bool ok = editor.Insert(owner, ownerCopy, pos, record, message);
    if (editor.Finish() || !ok) return ok;
    message = layout.addFailed;
    return false;
}

bool DeleteMember(Database& db, const RunLayout& layout, int owner, uint8_t* ownerCopy,
                  uint32_t pos, std::string& message) {
    RunEditor editor(db, layout);
    const bool ok = editor.Delete(owner, ownerCopy, pos, message);
    if (editor.Finish() || !ok) return ok;
    message = "Delete record failed";
    return false;
}

}  // namespace tablon
