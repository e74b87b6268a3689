// The command-line forms of the four searches: the same rows as their lists, as a table.
#include <ostream>

#include "classtable/CtFile.h"
#include "classtable/CtSearchDialogs.h"
#include "shell/CliVerbs.h"
#include "shell/ScriptedUi.h"
#include "shell/ViewText.h"
#include "store/Database.h"
#include "store/FieldTable.h"

namespace tablon {

namespace {

// The verb's table format and the open set; nullptr after the error was reported (status set).
Database* Prepare(CliSession& s, const CliArgs& a, TableFormat& format, int& status) {
    status = 2;
    if (!s.Format(a, format)) return nullptr;
    status = 1;
    return s.Open();
}

int SearchUsage(CliSession& s, const CliArgs& a) {
    long long x = 0;
    if (a.positional.size() != 1) return s.Usage("search usage takes one class-table index");
    if (!ParseCliInt(a.positional[0], 0, UINT32_MAX, x))
        return s.Usage("bad class-table index " + a.positional[0]);
    TableFormat format;
    int status = 0;
    Database* db = Prepare(s, a, format, status);
    if (!db) return status;
    const uint32_t count = db->Ct().RecordCount();
    if (uint64_t(x) > count) {
        s.UiOf().Show(Format("Max record number: %d", int(count)));
        return 1;
    }
    WriteListTable(CtUsageColumns(), CtUsageRows(*db, uint32_t(x)), format, s.Out());
    return 0;
}

int SearchClass(CliSession& s, const CliArgs& a) {
    if (!a.positional.empty()) return s.Usage("search class takes only options");
    // Each criterion is kept as a 16-bit number, as the dialog keeps what its fields hold.
    uint16_t values[5];
    const char* const names[5] = {"--domain", "--class", "--type", "--subtype", "--specific"};
    for (int k = 0; k < 5; ++k) {
        long long v = -1;
        if (a.Has(names[k]) && !ParseCliInt(a.Opt(names[k]), INT32_MIN, INT32_MAX, v))
            return s.Usage(std::string(names[k]) + " takes an integer");
        values[k] = uint16_t(v);
    }
    TableFormat format;
    int status = 0;
    Database* db = Prepare(s, a, format, status);
    if (!db) return status;
    const ClassCriteria criteria{values[0], values[1], values[2], values[3], values[4]};
    ClassSearchResult result = SearchCtByClass(db->Ct(), criteria);
    WriteListTable(ClassResultColumns(), result.rows, format, s.Out());
    if (!result.unreadable) return 0;
    s.UiOf().Show(kNoCombinationMessage);
    return 1;
}

// {"total": N, "rows": [...]}: each row with its cells and the same by name.
void WriteBadLinksJson(const ModelLinkResult& found, const std::vector<ListRow>& rows,
                       std::ostream& out) {
    out << "{\"total\": " << found.rows.size() << ",\n \"rows\": [";
    for (size_t r = 0; r < rows.size(); ++r) {
        const ModelLinkRow& link = found.rows[r];
        out << (r ? ",\n  " : "\n  ") << "{\"index\": " << link.ct << ", \"cells\": ["
            << JsonQuote(rows[r].cells[0]) << ", " << JsonQuote(rows[r].cells[1]) << ", "
            << JsonQuote(rows[r].cells[2]) << "], \"graphics\": " << JsonQuote(rows[r].cells[0])
            << ", \"slot\": " << link.slot << ", \"ct_index\": " << link.ct
            << ", \"reason\": " << JsonQuote(link.reason) << "}";
    }
    out << (rows.empty() ? "]}\n" : "\n ]}\n");
}

int SearchBadLinks(CliSession& s, const CliArgs& a) {
    if (!a.positional.empty()) return s.Usage("search bad-links takes no arguments");
    TableFormat format;
    int status = 0;
    Database* db = Prepare(s, a, format, status);
    if (!db) return status;
    const ModelLinkResult found = SearchBadModelLinks(db->Ct(), db->Hdr(), db->Lod());
    const std::vector<ListRow> rows = ModelLinkRows(found, true);
    if (format == TableFormat::Json)
        WriteBadLinksJson(found, rows, s.Out());
    else
        WriteListTable(ModelLinkColumns(true), rows, format, s.Out());
    if (!found.unreadable) return 0;
    s.UiOf().Show(UnreadableCtMessage(*found.unreadable));
    return 1;
}

int SearchParent(CliSession& s, const CliArgs& a) {
    long long p = 0;
    if (a.positional.size() != 1) return s.Usage("search parent takes one parent number");
    if (!ParseCliInt(a.positional[0], INT32_MIN, INT32_MAX, p))
        return s.Usage("bad parent number " + a.positional[0]);
    TableFormat format;
    int status = 0;
    Database* db = Prepare(s, a, format, status);
    if (!db) return status;
    const ModelLinkResult found = SearchParentReferences(db->Ct(), int(p));
    WriteListTable(ModelLinkColumns(false), ModelLinkRows(found, false), format, s.Out());
    if (!found.unreadable) return 0;
    s.UiOf().Show(UnreadableCtMessage(*found.unreadable));
    return 1;
}

}  // namespace

void RegisterSearchVerbs(CliVerbTable& verbs) {
    verbs.Register({"search usage",
                    "search usage CT [--format tsv|csv|json]   \"CT Record Usage\" of an index",
                    {"--format"},
                    SearchUsage});
    verbs.Register({"search class",
                    "search class [--domain N] [--class N] [--type N] [--subtype N] "
                    "[--specific N] [--format tsv|csv|json]   class-table records by class data",
                    {"--format", "--domain", "--class", "--type", "--subtype", "--specific"},
                    SearchClass});
    verbs.Register({"search bad-links",
                    "search bad-links [--format tsv|csv|json]   class-table model numbers that "
                    "lead to a missing parent or an unloadable LOD",
                    {"--format"},
                    SearchBadLinks});
    verbs.Register({"search parent",
                    "search parent P [--format tsv|csv|json]   class-table model slots naming "
                    "parent P",
                    {"--format"},
                    SearchParent});
}

}  // namespace tablon
