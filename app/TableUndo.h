#pragma once
// Tables that undo one another. An exported table carries the old value of every cell it switches on,
// so a table applied after another may set a field back to what it was before the other changed it
// (an officer table's 新姓名 undoing the name list). Each table's changes are held against the value
// every field had before the first table of the run that changed it; a change back to that value is
// told, never silent.
#include <cstddef>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/SetDiff.h"

namespace vorandel {

class TableUndoCheck {
 public:
  // The changes of the run's next table (in the order compareSets gives them) that set a field back to
  // its value before an earlier table changed it; the tables so far stay as they are.
  std::vector<FieldChange> undoneBy(const std::vector<FieldChange>& changes) const;

  // Takes in the changes that the run's next table made.
  void take(const std::vector<FieldChange>& changes);

  // Takes the changes of the run's next table, in the order compareSets gives them. Returns the warning
  // (its first line, then the first cells with both values) when the table set fields back to their
  // values before an earlier table changed them; empty when it set none. table: how the warning names
  // the table ("武将表 ruv5_officer.txt"); hint: the last line, what to do instead.
  std::string add(const std::vector<FieldChange>& changes, const std::string& table, const char* hint);

  // Forgets the tables so far: the next table is the first of a run.
  void clear() { originals_.clear(); }

 private:
  using Field = std::tuple<std::size_t, ChangedRecord, int, std::string>;  // scenario, record, number, column
  std::map<Field, std::string> originals_;  // each field's value before the first table that changed it
};

// The cells that a table set back, as the warning lists them: its first line (kTablesUndid), then the
// first cells with both values, then the count when more were set back than are listed.
std::string undoneCells(const std::vector<FieldChange>& undone, const std::string& table);

}  // namespace vorandel
