// What the fuzz targets share: a small database set in memory, a scripted person, and the walk
// over every list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "shell/ScriptedUi.h"
#include "store/FileSet.h"
#include "store/MemorySet.h"

namespace tablon {
class Database;
}

namespace tablon::fuzz {

// The sample set with every file of records cut to its first few records, made once.
const MemoryFiles& BaseSet();

// A person who answers every question with the given answer and cancels every dialog.
class QuietUi : public ScriptedUi {
  public:
    explicit QuietUi(Answer answer = Answer::Yes) { SetDefaultAnswer(answer); }
};

// Fills every category of the tree and reads every cell of every row; with dialogs, also
// opens (and cancels) the detail dialog of each row. Returns the rows seen.
int WalkLists(Database& db, Ui& ui, bool dialogs);

// The categories (by path, "Vehicles/Aircraft") whose lists show something of a file: found
// once, by walking the base set with the file's records garbled and comparing every cell; the
// lists that are empty for the base set, and for the class table every list, besides.
const std::set<std::string>& CategoriesShowing(FileId id);
// Fills those categories of a file and reads every cell of every row. Returns the rows seen.
int WalkListsShowing(Database& db, Ui& ui, FileId id);

}  // namespace tablon::fuzz
