#include "store/Diff.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>

#include "models/ModelDiff.h"
#include "shell/CliVerbs.h"
#include "shell/Registry.h"
#include "shell/ScriptedUi.h"
#include "store/Database.h"
#include "store/FieldTable.h"
#include "store/RecordFile.h"

namespace tablon {

const char* DiffKindName(DiffEntry::Kind k) {
    switch (k) {
        case DiffEntry::Kind::Changed:
            return "changed";
        case DiffEntry::Kind::Added:
            return "added";
        case DiffEntry::Kind::Removed:
            return "removed";
        case DiffEntry::Kind::FileAdded:
            return "file added";
        case DiffEntry::Kind::FileRemoved:
            return "file removed";
        case DiffEntry::Kind::Entry:
            return "changed";
        case DiffEntry::Kind::Bytes:
            return "bytes";
    }
    return "";
}

namespace {

void DiffFile(FileId id, const RecordFile& a, const RecordFile& b, std::vector<DiffEntry>& out) {
    const FieldTable& table = FieldTableOf(id);
    const uint32_t countA = a.GenericCount();
    const uint32_t countB = b.GenericCount();
    const uint32_t common = std::min(countA, countB);
    Bytes ra, rb;
    for (uint32_t i = 0; i < common; ++i) {
        const int index = static_cast<int>(i);
        if (!a.GenericGet(index, ra) || !b.GenericGet(index, rb)) continue;
        if (ra.size() == rb.size() && std::memcmp(ra.data(), rb.data(), ra.size()) == 0) continue;
        // Only records that differ somewhere are taken apart field by field.
        for (const Field& f : table.fields) {
            const size_t width = FieldWidth(f);
            if (f.offset + width > ra.size() || f.offset + width > rb.size()) continue;
            if (std::memcmp(ra.data() + f.offset, rb.data() + f.offset, width) == 0) continue;
            out.push_back({DiffEntry::Kind::Changed, id, index, f.name, FormatJson(f, ra.data()),
                           FormatJson(f, rb.data()),
                           Bytes(ra.begin() + f.offset, ra.begin() + f.offset + width),
                           Bytes(rb.begin() + f.offset, rb.begin() + f.offset + width)});
        }
    }
    for (uint32_t i = common; i < countB; ++i) {
        DiffEntry e{DiffEntry::Kind::Added, id, static_cast<int>(i), "", "", "", {}, {}};
        b.GenericGet(e.index, e.afterBytes);
        out.push_back(std::move(e));
    }
    for (uint32_t i = common; i < countA; ++i) {
        DiffEntry e{DiffEntry::Kind::Removed, id, static_cast<int>(i), "", "", "", {}, {}};
        a.GenericGet(e.index, e.beforeBytes);
        out.push_back(std::move(e));
    }
}

bool IsModelFile(FileId id) {
    return id == FileId::Hdr || id == FileId::Lod || id == FileId::Tex;
}

// The runs of bytes where two files differ (runs closer than a few bytes taken as one), and
// where their lengths differ, a last run that reaches the end of both.
void DiffBytes(FileId id, const RecordFile& a, const RecordFile& b, std::vector<DiffEntry>& out) {
    constexpr uint64_t kGap = 32, kBlock = 64;
    const uint8_t* x = a.View();
    const uint8_t* y = b.View();
    const uint64_t na = x ? a.FileSize() : 0, nb = y ? b.FileSize() : 0;
    const uint64_t common = std::min(na, nb);
    bool open = false;
    uint64_t from = 0, to = 0;
    auto emit = [&](uint64_t endA, uint64_t endB) {
        DiffEntry e{DiffEntry::Kind::Bytes,   id, -1, "", "", "", Bytes(x + from, x + endA),
                    Bytes(y + from, y + endB)};
        e.offset = from;
        out.push_back(std::move(e));
    };
    for (uint64_t at = 0; at < common; at += kBlock) {
        const uint64_t n = std::min(kBlock, common - at);
        if (std::memcmp(x + at, y + at, size_t(n)) == 0) continue;
        for (uint64_t i = at; i < at + n; ++i) {
            if (x[i] == y[i]) continue;
            if (open && i - to < kGap) {
                to = i + 1;
                continue;
            }
            if (open) emit(to, to);
            open = true;
            from = i;
            to = i + 1;
        }
    }
    if (na != nb) {
        if (!open || common - to >= kGap) {
            if (open) emit(to, to);
            from = common;
        }
        emit(na, nb);
    } else if (open) {
        emit(to, to);
    }
}

}  // namespace

std::vector<DiffEntry> DiffDatabases(const Database& a, const Database& b) {
    std::vector<DiffEntry> out;
    for (int i = 0; i < kFileCount; ++i) {
        const FileId id = static_cast<FileId>(i);
        const bool inA = a.File(id).IsOpen();
        const bool inB = b.File(id).IsOpen();
        if (inA && inB) {
            DiffFile(id, a.File(id), b.File(id), out);
            if (IsModelFile(id)) DiffBytes(id, a.File(id), b.File(id), out);
        } else if (inA != inB) {
            out.push_back({inB ? DiffEntry::Kind::FileAdded : DiffEntry::Kind::FileRemoved,
                           id,
                           -1,
                           "",
                           "",
                           "",
                           {},
                           {}});
        }
    }
    DiffModelEntries(a, b, out);
    return out;
}

bool OpenForReading(Database& db, const std::string& dir, std::string& error, bool writable) {
    const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    for (int i = 0; i < kFileCount; ++i) {
        const FileId id = static_cast<FileId>(i);
        RecordFile& f = db.File(id);
        const std::string path = prefix + f.Desc().name;
        if (i >= kRequiredFileCount) {
            MappedFile probe;
            if (!probe.Open(path, false)) continue;
        }
        if (!f.Open(path, dir, writable ? 1 : 0) && i < kRequiredFileCount) {
            error = "Can't open file " + path;
            return false;
        }
    }
    return true;
}

void WriteDiffTsv(const std::vector<DiffEntry>& diff, std::ostream& out) {
    // Equal sets print nothing, as a line-by-line comparison of equal files does.
    if (diff.empty()) return;
    out << "File\tRecord\tChange\tField\tOld\tNew\n";
    for (const DiffEntry& e : diff) {
        if (!DiffShown(e)) continue;
        out << DescOf(e.file).name << '\t';
        if (e.index >= 0) out << e.index;
        out << '\t' << DiffKindName(e.kind) << '\t' << e.field << '\t' << e.before << '\t'
            << e.after << '\n';
    }
}

void WriteDiffJson(const std::vector<DiffEntry>& diff, std::ostream& out) {
    out << "[";
    bool first = true;
    for (const DiffEntry& e : diff) {
        if (!DiffShown(e)) continue;
        out << (first ? "\n" : ",\n") << "  {\"file\": " << JsonQuote(DescOf(e.file).name)
            << ", \"record\": " << e.index << ", \"change\": " << JsonQuote(DiffKindName(e.kind));
        if (e.kind == DiffEntry::Kind::Changed || e.kind == DiffEntry::Kind::Entry)
            out << ", \"field\": " << JsonQuote(e.field) << ", \"old\": " << e.before
                << ", \"new\": " << e.after;
        out << "}";
        first = false;
    }
    out << (first ? "]\n" : "\n]\n");
}

namespace {

std::string Hex(const Bytes& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    s.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

bool Unhex(std::string_view s, Bytes& out) {
    if (s.size() % 2) return false;
    out.clear();
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    for (size_t i = 0; i < s.size(); i += 2) {
        const int hi = digit(s[i]), lo = digit(s[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(uint8_t(hi << 4 | lo));
    }
    return true;
}

// The text of "key": "text" on a patch line (texts of a patch hold no quotes of their own).
bool TextOf(const std::string& line, const std::string& key, std::string& out) {
    const std::string mark = "\"" + key + "\": \"";
    const size_t at = line.find(mark);
    if (at == std::string::npos) return false;
    const size_t from = at + mark.size();
    const size_t to = line.find('"', from);
    if (to == std::string::npos) return false;
    out = line.substr(from, to - from);
    return true;
}

std::string Where(const DiffEntry& e) {
    if (e.kind == DiffEntry::Kind::Bytes)
        return std::string(DescOf(e.file).name) + " bytes at " + std::to_string(e.offset);
    std::string s = std::string(DescOf(e.file).name) + " record " + std::to_string(e.index);
    if (!e.field.empty()) s += " field " + e.field;
    return s;
}

}  // namespace

void WritePatch(const std::vector<DiffEntry>& diff, std::ostream& out) {
    out << "{\"patch\": 1, \"changes\": [";
    bool first = true;
    for (const DiffEntry& e : diff) {
        // The runs of bytes carry every change of a model file, its parents' fields too.
        if (e.kind == DiffEntry::Kind::FileAdded || e.kind == DiffEntry::Kind::FileRemoved ||
            e.kind == DiffEntry::Kind::Entry ||
            (e.kind == DiffEntry::Kind::Changed && IsModelFile(e.file)))
            continue;
        out << (first ? "\n" : ",\n") << "  {\"file\": " << JsonQuote(DescOf(e.file).name)
            << ", \"record\": " << e.index << ", \"change\": " << JsonQuote(DiffKindName(e.kind));
        if (e.kind == DiffEntry::Kind::Bytes) out << ", \"offset\": " << e.offset;
        if (e.kind == DiffEntry::Kind::Changed)
            out << ", \"field\": " << JsonQuote(e.field) << ", \"old\": " << e.before
                << ", \"new\": " << e.after;
        out << ", \"old_bytes\": \"" << Hex(e.beforeBytes) << "\", \"new_bytes\": \""
            << Hex(e.afterBytes) << "\"}";
        first = false;
    }
    out << "\n]}\n";
}

bool ReadPatch(std::istream& in, std::vector<DiffEntry>& diff, std::string& error) {
    std::string line;
    bool header = false;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.rfind("{\"patch\": 1", 0) == 0) {
            header = true;
            continue;
        }
        if (line.find("\"file\"") == std::string::npos) continue;
        DiffEntry e{DiffEntry::Kind::Changed, FileId::Fed, -1, "", "", "", {}, {}};
        std::string file, change, oldHex, newHex;
        const size_t rec = line.find("\"record\": ");
        const bool ok = TextOf(line, "file", file) && TextOf(line, "change", change) &&
                        TextOf(line, "old_bytes", oldHex) && TextOf(line, "new_bytes", newHex) &&
                        rec != std::string::npos && Unhex(oldHex, e.beforeBytes) &&
                        Unhex(newHex, e.afterBytes);
        const auto id = ok ? FileIdByName(file) : std::nullopt;
        // The number after "key": on the line, within [low, high].
        auto numberOf = [&](const char* key, long long low, long long high, long long& v) {
            const std::string mark = std::string("\"") + key + "\": ";
            const size_t at = line.find(mark);
            if (at == std::string::npos) return false;
            const size_t from = at + mark.size();
            const size_t to = line.find(',', from);
            return ParseCliInt(line.substr(from, to - from), low, high, v);
        };
        long long index = -1, offset = -1;
        if (ok && !numberOf("record", 0, 0xFFFFFFF, index)) index = -1;
        if (change == "changed" && !TextOf(line, "field", e.field)) change.clear();
        if (change == "bytes" && (!numberOf("offset", 0, 0xFFFFFFFFLL, offset) ||
                                  e.beforeBytes.size() + offset > 0xFFFFFFFFLL ||
                                  e.afterBytes.size() + offset > 0xFFFFFFFFLL))
            change.clear();
        if (!ok || !id || (index < 0 && change != "bytes") ||
            (change != "changed" && change != "added" && change != "removed" &&
             change != "bytes")) {
            error = "line " + std::to_string(number) + " is not a change of a patch";
            return false;
        }
        e.file = *id;
        e.index = static_cast<int>(index);
        e.kind = change == "changed" ? DiffEntry::Kind::Changed
                 : change == "added" ? DiffEntry::Kind::Added
                 : change == "bytes" ? DiffEntry::Kind::Bytes
                                     : DiffEntry::Kind::Removed;
        if (e.kind == DiffEntry::Kind::Bytes) {
            e.index = -1;
            e.offset = uint64_t(offset);
        }
        diff.push_back(std::move(e));
    }
    if (!header) {
        error = "not a patch";
        return false;
    }
    return true;
}

bool ApplyPatch(Database& db, const std::vector<DiffEntry>& diff, bool force,
                std::vector<std::string>& problems) {
    // Every change is checked before anything is written.
    Bytes rec;
    for (const DiffEntry& e : diff) {
        RecordFile& f = db.File(e.file);
        const Field* field =
            e.kind == DiffEntry::Kind::Changed ? FieldTableOf(e.file).Find(e.field) : nullptr;
        if (!f.Writable()) {
            problems.push_back(Where(e) + ": the file is not open for writing");
        } else if (e.kind == DiffEntry::Kind::Changed) {
            if (!field || FieldWidth(*field) != e.afterBytes.size() ||
                e.beforeBytes.size() != e.afterBytes.size() || !f.GenericGet(e.index, rec) ||
                field->offset + e.afterBytes.size() > rec.size())
                problems.push_back(Where(e) + ": no such field in the set");
            else if (!force && std::memcmp(rec.data() + field->offset, e.beforeBytes.data(),
                                           e.beforeBytes.size()) != 0) {
                Bytes expected = rec;
                std::memcpy(expected.data() + field->offset, e.beforeBytes.data(),
                            e.beforeBytes.size());
                problems.push_back(Where(e) + ": holds " + FormatJson(*field, rec.data()) +
                                   ", not " + FormatJson(*field, expected.data()));
            }
        } else if (e.kind == DiffEntry::Kind::Bytes) {
            // A run of equal lengths lies within the file; a longer or shorter one reaches its end.
            const uint64_t length = f.IsMapped() ? f.FileSize() : 0;
            const uint64_t end = e.offset + e.beforeBytes.size();
            const bool tail = e.beforeBytes.size() != e.afterBytes.size();
            if (!f.IsMapped() || end > length || (tail && end != length && !force))
                problems.push_back(
                    Where(e) + ": the file holds " + std::to_string(length) +
                    " bytes, the patch expects " +
                    (tail ? std::to_string(end) : "at least " + std::to_string(end)));
            else if (!force && !e.beforeBytes.empty() &&
                     std::memcmp(f.View() + e.offset, e.beforeBytes.data(), e.beforeBytes.size()) !=
                         0)
                problems.push_back(Where(e) + ": holds other bytes than the patch expects");
        } else if (!db.Table(e.file) ||
                   e.afterBytes.size() + e.beforeBytes.size() != db.Table(e.file)->MemSize()) {
            problems.push_back(Where(e) + ": records cannot be added or removed here");
        }
    }
    // Records added must follow on from the end, and records removed must be the last ones.
    for (int i = 0; i < kFileCount; ++i) {
        const FileId id = static_cast<FileId>(i);
        const TableFile* t = db.Table(id);
        if (!t) continue;
        int64_t count = t->RecordCount();
        for (const DiffEntry& e : diff)
            if (e.file == id && e.kind == DiffEntry::Kind::Added && e.index != count++)
                problems.push_back(Where(e) + ": the set holds " + std::to_string(count - 1) +
                                   " records, the patch adds at " + std::to_string(e.index));
        int removed = 0;
        for (const DiffEntry& e : diff)
            if (e.file == id && e.kind == DiffEntry::Kind::Removed) ++removed;
        for (const DiffEntry& e : diff)
            if (e.file == id && e.kind == DiffEntry::Kind::Removed &&
                (e.index < int64_t(t->RecordCount()) - removed ||
                 e.index >= int64_t(t->RecordCount())))
                problems.push_back(Where(e) + ": not among the last records of the set");
    }
    if (!problems.empty()) return false;
    if (diff.empty()) return true;

    // The changed fields of each file are written in one batch.
    std::vector<std::unique_ptr<WriteBatch>> batches;
    std::vector<bool> batched(kFileCount, false);
    for (const DiffEntry& e : diff)
        if (e.kind == DiffEntry::Kind::Changed && !batched[size_t(e.file)]) {
            batched[size_t(e.file)] = true;
            batches.push_back(std::make_unique<WriteBatch>(db.File(e.file)));
        }
    for (const DiffEntry& e : diff) {
        if (e.kind != DiffEntry::Kind::Changed) continue;
        const Field& field = *FieldTableOf(e.file).Find(e.field);
        RecordFile& f = db.File(e.file);
        if (!f.GenericGet(e.index, rec)) return false;
        std::memcpy(rec.data() + field.offset, e.afterBytes.data(), e.afterBytes.size());
        if (!f.GenericSet(e.index, rec)) {
            problems.push_back(Where(e) + ": the write failed");
            return false;
        }
    }
    for (auto& batch : batches)
        if (!batch->Finish()) {
            problems.push_back("the changes could not be written");
            return false;
        }
    for (const DiffEntry& e : diff) {
        if (e.kind != DiffEntry::Kind::Bytes) continue;
        RecordFile& f = db.File(e.file);
        const uint64_t end = e.offset + e.afterBytes.size();
        const bool resized = (e.beforeBytes.size() != e.afterBytes.size() || end > f.FileSize()) &&
                             !f.SetLength(uint32_t(end));
        if (resized || (!e.afterBytes.empty() &&
                        !f.WriteAt(e.offset, e.afterBytes.data(), e.afterBytes.size()))) {
            problems.push_back(Where(e) + ": the write failed");
            return false;
        }
    }
    for (const DiffEntry& e : diff) {
        if (e.kind != DiffEntry::Kind::Added) continue;
        int index = -1;
        if (!db.Table(e.file)->AppendRecord(index, e.afterBytes.data())) {
            problems.push_back(Where(e) + ": the record could not be added");
            return false;
        }
    }
    for (auto it = diff.rbegin(); it != diff.rend(); ++it) {
        if (it->kind != DiffEntry::Kind::Removed) continue;
        if (!db.Table(it->file)->DeleteLastRecord(it->index)) {
            problems.push_back(Where(*it) + ": the record could not be removed");
            return false;
        }
    }
    return true;
}

namespace {

int RunDiff(CliSession& s, const CliArgs& args) {
    if (args.positional.size() != 2) return s.Usage("diff needs two directories");
    const std::string format = args.Opt("--format", "tsv");
    if (format != "tsv" && format != "json") return s.Usage("--format is tsv or json");
    // Both sets are only read: neither is mapped for writing.
    ScriptedUi uiA, uiB;
    auto a = std::make_unique<Database>(uiA);
    auto b = std::make_unique<Database>(uiB);
    std::string error;
    if (!OpenForReading(*a, args.positional[0], error) ||
        !OpenForReading(*b, args.positional[1], error)) {
        s.Err() << "tablon-cli: " << error << "\n";
        return 2;
    }
    const std::vector<DiffEntry> diff = DiffDatabases(*a, *b);
    const std::string patch = args.Opt("--patch");
    if (!patch.empty()) {
        std::ofstream out(patch, std::ios::binary);
        WritePatch(diff, out);
        out.close();
        if (!out) {
            s.Err() << "tablon-cli: Can't write the patch " << patch << "\n";
            return 2;
        }
    } else if (format == "json") {
        WriteDiffJson(diff, s.Out());
    } else {
        WriteDiffTsv(diff, s.Out());
    }
    return diff.empty() ? 0 : 1;
}

int RunApply(CliSession& s, const CliArgs& args) {
    if (args.positional.size() != 1) return s.Usage("apply needs a patch file");
    std::ifstream in(args.positional[0], std::ios::binary);
    if (!in) return s.Usage("Can't open the patch " + args.positional[0]);
    std::vector<DiffEntry> diff;
    std::string error;
    if (!ReadPatch(in, diff, error)) return s.Usage(args.positional[0] + ": " + error);
    Database* db = s.Open();
    if (!db) return 1;
    std::vector<std::string> problems;
    if (!ApplyPatch(*db, diff, args.Has("--force"), problems)) {
        for (const std::string& p : problems) s.Err() << "tablon-cli: " << p << "\n";
        s.Err() << "tablon-cli: the patch was not applied\n";
        return 1;
    }
    s.Out() << diff.size() << (diff.size() == 1 ? " change" : " changes") << " applied\n";
    return 0;
}

}  // namespace

void RegisterDiffVerbs(CliVerbTable& verbs) {
    verbs.Register(CliVerb{"diff",
                           "diff DIR_A DIR_B [--format tsv|json] [--patch OUT.json]",
                           {"--format", "--patch"},
                           RunDiff});
    verbs.Register(CliVerb{"apply", "apply PATCH.json [--force]", {}, RunApply});
}

}  // namespace tablon
