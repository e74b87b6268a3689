#include "store/Diff.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>

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
                           FormatJson(f, rb.data())});
        }
    }
    for (uint32_t i = common; i < countB; ++i)
        out.push_back({DiffEntry::Kind::Added, id, static_cast<int>(i), "", "", ""});
    for (uint32_t i = common; i < countA; ++i)
        out.push_back({DiffEntry::Kind::Removed, id, static_cast<int>(i), "", "", ""});
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
        } else if (inA != inB) {
            out.push_back({inB ? DiffEntry::Kind::FileAdded : DiffEntry::Kind::FileRemoved, id, -1,
                           "", "", ""});
        }
    }
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
        out << (first ? "\n" : ",\n") << "  {\"file\": " << JsonQuote(DescOf(e.file).name)
            << ", \"record\": " << e.index << ", \"change\": " << JsonQuote(DiffKindName(e.kind));
        if (e.kind == DiffEntry::Kind::Changed)
            out << ", \"field\": " << JsonQuote(e.field) << ", \"old\": " << e.before
                << ", \"new\": " << e.after;
        out << "}";
        first = false;
    }
    out << (first ? "]\n" : "\n]\n");
}

void RegisterDiffVerbs(CliVerbTable& verbs) {
    verbs.Register(CliVerb{"diff",
                           "diff DIR_A DIR_B [--format tsv|json]",
                           {"--format"},
                           [](CliSession& s, const CliArgs& args) {
                               if (args.positional.size() != 2)
                                   return s.Usage("diff needs two directories");
                               const std::string format = args.Opt("--format", "tsv");
                               if (format != "tsv" && format != "json")
                                   return s.Usage("--format is tsv or json");
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
                               if (format == "json")
                                   WriteDiffJson(diff, s.Out());
                               else
                                   WriteDiffTsv(diff, s.Out());
                               return diff.empty() ? 0 : 1;
                           }});
}

}  // namespace tablon
