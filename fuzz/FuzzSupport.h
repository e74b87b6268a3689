// What the fuzz targets share: a small database set in memory, a scripted person, and the walk
// over every list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/ScriptedUi.h"
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

}  // namespace tablon::fuzz
