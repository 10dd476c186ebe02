#pragma once
// Tables that undo one another. An exported table carries the old value of every cell it switches on,
// so a table applied after another may set a field back to what it was before the other changed it
// (an officer table's 新姓名 undoing the name list). Each table's changes are held against the value
// every field had before the first table of the run that changed it; a change back to that value is
// told, never silent. Each field also keeps the table of the run that changed it last, and the rows
// that table applied, so that a later table refused at a cell that still holds the value from before
// is told which earlier table and row changed it.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "app/SetDiff.h"
#include "tables/AppliedRows.h"
#include "tables/TableKind.h"

namespace vorandel {

class TableUndoCheck {
 public:
  // The changes of the run's next table (in the order compareSets gives them) that set a field back to
  // its value before an earlier table changed it; the tables so far stay as they are.
  std::vector<FieldChange> undoneBy(const std::vector<FieldChange>& changes) const;

  // Takes in the changes that the run's next table made, with its name, kind and applied rows (see add).
  void take(const std::vector<FieldChange>& changes, const std::string& table,
            std::optional<BatchKind> kind = std::nullopt, std::vector<AppliedRow> rows = {});

  // Takes the changes of the run's next table, in the order compareSets gives them. Returns the warning
  // (its first line, then the first cells with both values) when the table set fields back to their
  // values before an earlier table changed them; empty when it set none. table: how the warning names
  // the table ("武将表 ruv5_officer.txt"); hint: the last line, what to do instead; kind and rows: the
  // table's kind and the rows it applied (AppliedRows), by which a later refusal finds the row that
  // changed a field.
  std::string add(const std::vector<FieldChange>& changes, const std::string& table, const char* hint,
                  std::optional<BatchKind> kind = std::nullopt, std::vector<AppliedRow> rows = {});

  // Whether an earlier table of the run changed the field of a cell of a later table of the kind (the
  // scenario and the record number of its row, its column's header) and the cell holds the field's
  // value from before: a cell of a table exported before that table, not a value the player wrote.
  bool holdsValueBefore(BatchKind kind, std::size_t scenario, int number, const std::string& field,
                        std::string_view cell) const;

  // The lines below the refusal of a cell of a later table of the kind (the scenario and the record
  // number of its row, its column's header and its value) when an earlier table of the run changed the
  // field and the cell still holds the value from before: which table (and row, where one row of it
  // stands for the change) changed it to what, and that the row can be switched off. None otherwise.
  std::vector<std::string> earlierChange(BatchKind kind, std::size_t scenario, int number, const std::string& field,
                                         std::string_view cell) const;

  // Forgets the tables so far: the next table is the first of a run.
  void clear() {
    fields_.clear();
    tables_.clear();
  }

 private:
  using Field = std::tuple<std::size_t, ChangedRecord, int, std::string>;  // scenario, record, number, column
  struct FieldHistory {
    std::string original;   // the value before the first table that changed it
    std::size_t table = 0;  // the table that changed it last (in tables_)
    std::string value;      // the value that table gave it
  };
  struct RunTable {
    std::string name;
    std::optional<BatchKind> kind;
    std::vector<AppliedRow> rows;
  };
  // The field's history when an earlier table changed it and the cell holds its value from before.
  const std::pair<const Field, FieldHistory>* heldBefore(BatchKind kind, std::size_t scenario, int number,
                                                         const std::string& field, std::string_view cell) const;
  // The row of the table that stands for its change of the field to `value`.
  static std::optional<std::uint32_t> rowOf(const RunTable& table, const Field& field, const std::string& value);

  std::map<Field, FieldHistory> fields_;
  std::vector<RunTable> tables_;
};

// The cells that a table set back, as the warning lists them: its first line (kTablesUndid), then the
// first cells with both values, then the count when more were set back than are listed.
std::string undoneCells(const std::vector<FieldChange>& undone, const std::string& table);

}  // namespace vorandel
