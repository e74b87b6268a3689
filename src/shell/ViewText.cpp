#include "shell/ViewText.h"

#include <strings.h>

#include <cstdlib>
#include <ostream>

#include "shell/GenericView.h"
#include "shell/MainFrame.h"
#include "store/FieldTable.h"

namespace tablon {

namespace {

std::string CsvCell(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos &&
        (s.empty() || (s.front() != ' ' && s.back() != ' ')))
        return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

namespace {

// The one table writer: any list shaped like a view's, read through its accessors.
template <typename Title, typename Index, typename IconOf, typename Cell>
void WriteTable(int columns, int rows, Title title, Index index, IconOf icon, Cell cellText,
                TableFormat format, std::ostream& out) {
    if (format == TableFormat::Json) {
        out << "{\"columns\": [";
        for (int c = 0; c < columns; ++c) out << (c ? ", " : "") << JsonQuote(title(c));
        out << "],\n \"rows\": [";
        for (int r = 0; r < rows; ++r) {
            out << (r ? ",\n  " : "\n  ") << "{\"index\": " << index(r) << ", \"icon\": " << icon(r)
                << ", \"cells\": [";
            for (int c = 0; c < columns; ++c) out << (c ? ", " : "") << JsonQuote(cellText(r, c));
            out << "]}";
        }
        out << (rows ? "\n ]}\n" : "]}\n");
        return;
    }
    const char sep = format == TableFormat::Tsv ? '\t' : ',';
    auto cell = [&](const std::string& s) { return format == TableFormat::Csv ? CsvCell(s) : s; };
    std::string line;
    for (int c = 0; c < columns; ++c) {
        if (c) line += sep;
        line += cell(title(c));
    }
    out << line << '\n';
    for (int r = 0; r < rows; ++r) {
        line.clear();
        for (int c = 0; c < columns; ++c) {
            if (c) line += sep;
            line += cell(cellText(r, c));
        }
        out << line << '\n';
    }
}

}  // namespace

void WriteViewTable(const CMvView& view, TableFormat format, std::ostream& out) {
    WriteTable(
        view.ColumnCount(), view.RowCount(), [&](int c) { return view.Column(c).title; },
        [&](int r) { return int64_t(view.ItemData(r)); }, [&](int r) { return view.Icon(r); },
        [&](int r, int c) { return view.CellText(r, c); }, format, out);
}

void WriteViewRows(const CMvView& view, TableFormat format, const std::vector<int>& shown,
                   std::ostream& out) {
    auto row = [&](int k) { return shown[size_t(k)]; };
    WriteTable(
        view.ColumnCount(), int(shown.size()), [&](int c) { return view.Column(c).title; },
        [&](int k) { return int64_t(view.ItemData(row(k))); },
        [&](int k) { return view.Icon(row(k)); },
        [&](int k, int c) { return view.CellText(row(k), c); }, format, out);
}

void WriteListTable(const std::vector<ListColumn>& columns, const std::vector<ListRow>& rows,
                    TableFormat format, std::ostream& out) {
    static const std::string kEmpty;
    WriteTable(
        int(columns.size()), int(rows.size()), [&](int c) { return columns[size_t(c)].title; },
        [&](int r) { return rows[size_t(r)].data; }, [&](int r) { return rows[size_t(r)].icon; },
        [&](int r, int c) -> const std::string& {
            const auto& cells = rows[size_t(r)].cells;
            return size_t(c) < cells.size() ? cells[size_t(c)] : kEmpty;
        },
        format, out);
}

int FindColumn(const CMvView& view, const std::string& name) {
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos) {
        long c = std::strtol(name.c_str(), nullptr, 10);
        return c < view.ColumnCount() ? int(c) : -1;
    }
    for (int c = 0; c < view.ColumnCount(); ++c)
        if (view.Column(c).title == name) return c;
    for (int c = 0; c < view.ColumnCount(); ++c)
        if (strcasecmp(view.Column(c).title.c_str(), name.c_str()) == 0) return c;
    return -1;
}

bool ApplyFilterArgument(CMvView& view, const std::string& argument, std::string& error) {
    // The column is the text before the first "=" that names one (a title may hold "=").
    for (size_t eq = argument.find('='); eq != std::string::npos; eq = argument.find('=', eq + 1)) {
        const int c = FindColumn(view, argument.substr(0, eq));
        if (c < 0) continue;
        std::string why;
        if (view.SetFilter(c, argument.substr(eq + 1), &why)) return true;
        error = "bad filter " + argument + ": " + why;
        return false;
    }
    error = argument.find('=') == std::string::npos
                ? "a filter is COL=EXPR, not " + argument
                : "no column " + argument.substr(0, argument.find('='));
    return false;
}

int ListCategory(Database& db, Ui& ui, const std::string& path,
                 const std::vector<std::string>& sortColumns, bool descending, TableFormat format,
                 std::ostream& out, std::ostream& err, const std::vector<std::string>& filters) {
    CTablonApp app(db, ui);
    CMainFrame& frame = app.Frame();
    frame.Tree().Build(db);
    std::string error;
    const int item = frame.Tree().FindPath(path, error);
    if (item < 0) {
        err << "tablon-cli: " << error << "\n";
        return 1;
    }
    frame.OnTreeSelectionChanged(item);
    CMvView* view = frame.View() ? frame.View()->AsList() : nullptr;
    // A category whose view is a form lists its records as the generic list shows them.
    std::unique_ptr<PaneView> generic;
    if (!view && frame.View()) {
        generic = MakeGenericView(app.Context(), *frame.Tree().ItemAt(item).node);
        if (generic) {
            generic->OnInitialUpdate();
            view = generic->AsList();
        }
    }
    if (!view) {
        err << "tablon-cli: " << path << " shows no list\n";
        return 1;
    }
    for (const auto& f : filters) {
        std::string error;
        if (!ApplyFilterArgument(*view, f, error)) {
            err << "tablon-cli: " << error << "\n";
            return 2;
        }
    }
    for (const auto& name : sortColumns) {
        const int c = FindColumn(*view, name);
        if (c < 0) {
            err << "tablon-cli: " << path << " has no column " << name << "\n";
            return 1;
        }
        view->OnColumnClick(c);
    }
    if (descending) {
        const int c =
            view->LastSortColumn() >= 0 ? view->LastSortColumn() : view->StoredSortColumn();
        if (view->LastSortColumn() < 0) view->OnColumnClick(c);
        if (view->Ascending()) view->OnColumnClick(c);
    }
    WriteViewTable(*view, format, out);
    return 0;
}

}  // namespace tablon
