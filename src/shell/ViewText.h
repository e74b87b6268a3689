// A list view as text: its column titles and rows exactly as the detail mode shows them, for
// the command line's "list".
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "shell/Form.h"

namespace tablon {

class CMvView;
struct ListColumn;
struct ListRow;
class Database;
class Ui;

enum class TableFormat { Tsv, Csv, Json };

// TSV: a line of column titles, then one line per row, cells separated by tabs. CSV: the same
// with quoting where a cell needs it. JSON: the titles and every row's record index, icon and
// cells.
void WriteViewTable(const CMvView& view, TableFormat format, std::ostream& out);
// The same for a dialog's list: its columns, and its rows with their item data as the index.
void WriteListTable(const std::vector<ListColumn>& columns, const std::vector<ListRow>& rows,
                    TableFormat format, std::ostream& out);
// The same for some of the rows shown (positions in display order).
void WriteViewRows(const CMvView& view, TableFormat format, const std::vector<int>& rows,
                   std::ostream& out);

// A dialog's list (its columns and rows) written as WriteViewTable writes a view; the index is
// each row's item data.
void WriteListTable(const std::vector<ListColumn>& columns, const std::vector<ListRow>& rows,
                    TableFormat format, std::ostream& out);

// A column named by its number or its title (exact, else ignoring case); -1 when none.
int FindColumn(const CMvView& view, const std::string& name);

// A column filter given as "COL=EXPR" (the column by number or title) set on a view; false
// with the reason when the column or the filter is unknown.
bool ApplyFilterArgument(CMvView& view, const std::string& argument, std::string& error);

// Opens a category's view as the window does (the tree path of labels, e.g.
// "Vehicles/Aircraft"), sets the filters ("COL=EXPR"), clicks the given column headers in turn,
// makes the order descending when asked, and writes the rows. Returns the exit status (2 for a
// filter that is no filter); errors go to err.
int ListCategory(Database& db, Ui& ui, const std::string& path,
                 const std::vector<std::string>& sortColumns, bool descending, TableFormat format,
                 std::ostream& out, std::ostream& err,
                 const std::vector<std::string>& filters = {});

}  // namespace tablon
