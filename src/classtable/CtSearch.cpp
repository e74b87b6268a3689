#include "classtable/CtSearch.h"

#include <algorithm>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "models/LodData.h"
#include "models/ModelFiles.h"
#include "shell/Ui.h"
#include "store/Database.h"

namespace tablon {

namespace {

using R = CtRecord;

const char* const kStateNames[R::kVisualStates] = {
    "Normal",         "Repaired",        "Damaged",       "Destroyed",
    "Left Destroyed", "Right Destroyed", "Both Destroyed"};

// A file whose records name a class-table record at offset 0, in search order.
struct Referrer {
    const char* type;
    FileId file;
    bool wide;       // the whole 32 bits are compared; otherwise 16 bits taken unsigned
    int nameOffset;  // -1: the row shows "n/a" and is listed whatever the record holds
    int nameLength;
};

constexpr Referrer kReferrers[] = {
    {"FCD", FileId::Fcd, false, 8, 20}, {"FED", FileId::Fed, false, -1, 0},
    {"OCD", FileId::Ocd, false, 2, 20}, {"UCD", FileId::Ucd, true, 230, 22},
    {"VCD", FileId::Vcd, false, 8, 14}, {"WCD", FileId::Wcd, false, 12, 18},
};

// Calls f(i, record) for class-table records 0 to count - 1; the index of the first record that
// cannot be read ends the walk and is returned.
template <typename F>
std::optional<int> EachCtRecord(const CtFile& ct, F f) {
    CtRecord r;
    const int count = int(ct.RecordCount());
    for (int i = 0; i < count; ++i) {
        if (!ct.GetRecord(i, r)) return i;
        f(i, r);
    }
    return std::nullopt;
}

}  // namespace

const char* VisualStateName(int state) {
    return state >= 0 && state < R::kVisualStates ? kStateNames[state] : "";
}

// ---- usage ----

std::vector<ListRow> CtUsageRows(const Database& db, uint32_t x) {
    std::vector<ListRow> rows;
    if (auto use = ProtectedUse(int(std::min<uint32_t>(x, INT32_MAX))))
        rows.push_back(
            {{"WARNING", *use, "Hardcoded CT Record usage", "Don't change this record !!"}, -1});
    Bytes record;
    for (const auto& ref : kReferrers) {
        const TableFile* file = db.Table(ref.file);
        if (!file) continue;
        for (int r = 0; file->GetRecord(r, record); ++r) {
            if (record.size() < 4) break;
            const uint32_t ct =
                ref.wide ? LoadLE<uint32_t>(record.data()) : LoadLE<uint16_t>(record.data());
            if (ct != x) continue;
            std::string name = "n/a";
            if (ref.nameOffset >= 0) {
                if (size_t(ref.nameOffset) >= record.size() || record[size_t(ref.nameOffset)] == 0)
                    continue;
                const size_t room = record.size() - size_t(ref.nameOffset);
                name = LoadText(record.data() + ref.nameOffset,
                                std::min(room, size_t(ref.nameLength)));
            }
            rows.push_back({{ref.type, name, std::to_string(r), ""}, r});
        }
    }
    return rows;
}

const std::vector<ListColumn>& CtUsageColumns() {
    static const std::vector<ListColumn> columns{
        {"Type", 100}, {"Name", 100}, {"Record number", 180}, {"Comments", 180}};
    return columns;
}

std::optional<FileId> UsageRowFile(const std::string& type) {
    for (const auto& ref : kReferrers)
        if (type == ref.type) return ref.file;
    return std::nullopt;
}

// ---- classification ----

bool ClassCriteria::Matches(uint8_t d, uint8_t c, uint8_t t, uint8_t s, uint8_t sp) const {
    auto ok = [](uint16_t criterion, uint8_t value) {
        return criterion == 0xFFFF || criterion == value;
    };
    return ok(domain, d) && ok(cls, c) && ok(type, t) && ok(subtype, s) && ok(specific, sp);
}

ClassSearchResult SearchCtByClass(const CtFile& ct, const ClassCriteria& criteria) {
    ClassSearchResult result;
    result.unreadable =
        EachCtRecord(ct, [&](int i, const CtRecord& r) {
            if (!criteria.Matches(r.Domain(), r.Class(), r.Type(), r.SubType(), r.Specific()))
                return;
            result.rows.push_back(
                {{std::to_string(i), Format("D %d, C %d, T %d, S %d, St %d", r.Domain(), r.Class(),
                                            r.Type(), r.SubType(), r.Specific())},
                 i});
        }).has_value();
    return result;
}

const std::vector<ListColumn>& ClassResultColumns() {
    static const std::vector<ListColumn> columns{{"Record number", 180}, {"Comments", 180}};
    return columns;
}

// ---- model links ----

std::string UnreadableCtMessage(int index) {
    return Format("Couldn't get CT record %d !", index);
}

namespace {

// What loading one LOD gives: the block is there and holds a LOD, its block cannot be read, or
// the bytes read are no LOD.
enum class LodVerdict : uint8_t { Unknown, Loads, NotLoaded, Bad };

LodVerdict LoadLod(LodFile& lodFile, const LodRecord& rec) {
    if (rec.Size() == 0 || !lodFile.BlockInFile(rec.Offset(), rec.Size()))
        return LodVerdict::NotLoaded;
    LodData data;
    return data.Open(lodFile, rec) ? LodVerdict::Loads : LodVerdict::Bad;
}

// The size of a parent's data block as the link check counts it: slots and LOD count signed
// 8-bit, dynamic positions signed 16-bit.
int64_t LinkBlockSize(const ParentRecord& p) {
    return p.LodRefsAt() + int64_t(static_cast<int8_t>(p.Lods())) * int64_t(kLodRefSize);
}

// The first failure of parent m's LOD references, given where its block starts; empty when
// every reference resolves. verdictOf(lodNumber, record) loads one LOD.
template <typename VerdictOf>
std::string ParentFailure(const HdrFile& hdr, const ParentRecord& p, int64_t blockOffset,
                          VerdictOf verdictOf) {
    const int64_t refsAt = blockOffset + p.LodRefsAt();
    const int lods = static_cast<int8_t>(p.Lods());
    std::vector<LodRef> ref;
    for (int j = 0; j < lods; ++j) {
        if (!hdr.ReadLodRefs(refsAt + int64_t(kLodRefSize) * j, 1, ref))
            return Format("Can't get lod resolution %d", j);
        const uint32_t number = ref[0].LodNumber();
        LodRecord rec;
        if (!hdr.GetLod(int(number), rec)) continue;  // no such LOD: passed over
        switch (verdictOf(number, rec)) {
            case LodVerdict::NotLoaded:
                return Format("Can't get lod resolution %d", j);
            case LodVerdict::Bad:
                return Format("BAD LOD for resolution %d", j);
            default:
                break;
        }
    }
    return {};
}

// Walks every class-table record and model slot, asking failureOf(model number) for the
// reason of a row (nothing: no row).
template <typename FailureOf>
ModelLinkResult EachModelSlot(const CtFile& ct, FailureOf failureOf) {
    ModelLinkResult result;
    result.unreadable = EachCtRecord(ct, [&](int i, const CtRecord& r) {
        for (int s = 0; s < R::kVisualStates; ++s)
            if (const std::string* reason = failureOf(r.Graphic(s)))
                result.rows.push_back({i, s, *reason});
    });
    return result;
}

const std::string kBadSize = "Bad Size entry";

}  // namespace

ModelLinkResult SearchBadModelLinks(const CtFile& ct, const HdrFile& hdr, LodFile& lod) {
    // Every parent's block start from one pass (the sum stops at the first unreadable parent,
    // after which no parent can be read anyway), and one verdict per parent and per LOD.
    const int parents = int(hdr.ParentCount());
    std::vector<int64_t> blockAt;
    std::vector<ParentRecord> parentRecs;
    blockAt.reserve(size_t(parents));
    parentRecs.reserve(size_t(parents));
    int64_t sum = 0;
    for (int k = 0; k < parents; ++k) {
        ParentRecord p;
        if (!hdr.GetParent(k, p)) break;
        blockAt.push_back(sum);
        parentRecs.push_back(p);
        sum += LinkBlockSize(p);
    }
    std::vector<LodVerdict> lodVerdicts(hdr.LodCount(), LodVerdict::Unknown);
    auto verdictOf = [&](uint32_t number, const LodRecord& rec) {
        LodVerdict& v = lodVerdicts[number];
        if (v == LodVerdict::Unknown) v = LoadLod(lod, rec);
        return v;
    };
    std::vector<std::string> failure(parentRecs.size());
    std::vector<bool> known(parentRecs.size(), false);
    return EachModelSlot(ct, [&](int16_t m) -> const std::string* {
        if (m < 0 || size_t(m) >= parentRecs.size()) return &kBadSize;
        const size_t k = size_t(m);
        if (!known[k]) {
            failure[k] = ParentFailure(hdr, parentRecs[k], blockAt[k], verdictOf);
            known[k] = true;
        }
        return failure[k].empty() ? nullptr : &failure[k];
    });
}

ModelLinkResult SearchBadModelLinksDirect(const CtFile& ct, const HdrFile& hdr, LodFile& lod) {
    std::string reason;
    auto verdictOf = [&](uint32_t, const LodRecord& rec) { return LoadLod(lod, rec); };
    return EachModelSlot(ct, [&](int16_t m) -> const std::string* {
        ParentRecord p;
        if (!hdr.GetParent(m, p)) return &kBadSize;
        int64_t blockOffset = 0;
        ParentRecord earlier;
        for (int k = 0; k < m && hdr.GetParent(k, earlier); ++k)
            blockOffset += LinkBlockSize(earlier);
        reason = ParentFailure(hdr, p, blockOffset, verdictOf);
        return reason.empty() ? nullptr : &reason;
    });
}

ModelLinkResult SearchParentReferences(const CtFile& ct, int parent) {
    static const std::string kNone;
    return EachModelSlot(
        ct, [&](int16_t m) -> const std::string* { return m == parent ? &kNone : nullptr; });
}

std::vector<ListColumn> ModelLinkColumns(bool withReason) {
    std::vector<ListColumn> columns{{"Graphics", 100}, {"CT-Index", 60}};
    if (withReason) columns.push_back({"Reason", 60});
    return columns;
}

std::vector<ListRow> ModelLinkRows(const ModelLinkResult& result, bool withReason) {
    std::vector<ListRow> rows;
    rows.reserve(result.rows.size());
    for (const auto& r : result.rows) {
        ListRow row{{VisualStateName(r.slot), std::to_string(r.ct)}, r.ct};
        if (withReason) row.cells.push_back(r.reason);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tablon
