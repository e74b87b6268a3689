// Moving records between databases through export files ("*.vte"): a plain sequence of
// entries (type code, data size, record index, the record's bytes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/FileSet.h"

namespace tablon {

class Database;
class Ui;

constexpr uint32_t kExportLodColour = 16;
constexpr uint32_t kExportParent = 20;

// The import table: type code to file and the name used in the question.
struct ExportType {
    uint32_t code;
    const char* name;
    FileId file;
};
const ExportType* ExportTypeByCode(uint32_t code);

// The export save dialog and the import open dialog.
std::optional<std::string> ChooseExportFile(Ui& ui);
std::optional<std::string> ChooseImportFile(Ui& ui);

// "Export Item": asks for the file and appends the record; "Export failed" on failure.
// Returns true when an entry was written. The model header file's records are its parents
// (code 20).
bool ExportItem(Database& db, FileId file, int index, Ui& ui);
// "Export Item" of a LOD colour (code 16).
bool ExportLodColour(Database& db, int index, Ui& ui);

// What an import went through: the whole entries read, the records written, and the bytes
// at the end of the file that do not make a whole entry (a file cut short).
struct ImportTally {
    int entries = 0;
    int written = 0;
    uint64_t leftover = 0;
    bool cancelled = false;
};

// "Import Data" on a chosen file: offers every entry in turn. Returns the number of records
// written; the tally, when given, says what the import went through.
int ImportFile(Database& db, const std::string& path, Ui& ui, ImportTally* tally = nullptr);
// "Import Data" with the open dialog first.
int ImportData(Database& db, Ui& ui);

}  // namespace tablon
