#include "app/TableUndo.h"

#include <charconv>
#include <utility>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"
#include "tables/CityColumns.h"

namespace vorandel {

namespace {

constexpr std::size_t kCellsShown = 10;

// The kind of record each row of a table of the kind stands for.
std::optional<ChangedRecord> recordOfRows(BatchKind kind) {
  switch (kind) {
    case BatchKind::OfficerTable: return ChangedRecord::Officer;
    case BatchKind::ForceTable: return ChangedRecord::Force;
    case BatchKind::CityTable: return ChangedRecord::City;
    case BatchKind::NameList: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<long long> numberIn(std::string_view text) {
  long long value = 0;
  const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (fault != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<FieldChange> TableUndoCheck::undoneBy(const std::vector<FieldChange>& changes) const {
  std::vector<FieldChange> undone;
  for (const FieldChange& change : changes) {
    if (change.field == kWholeRecord) continue;  // an officer added: no earlier value of his fields
    // An earlier table changed the field, and this one sets it back to what it was before.
    const auto history = fields_.find(Field{change.scenario, change.record, change.number, change.field});
    if (history != fields_.end() && change.after == history->second.original) undone.push_back(change);
  }
  return undone;
}

void TableUndoCheck::take(const std::vector<FieldChange>& changes, const std::string& table,
                          std::optional<BatchKind> kind, std::vector<AppliedRow> rows) {
  const std::size_t index = tables_.size();
  tables_.push_back(RunTable{table, kind, std::move(rows)});
  for (const FieldChange& change : changes) {
    if (change.field == kWholeRecord) continue;
    const auto [history, first] =
        fields_.try_emplace(Field{change.scenario, change.record, change.number, change.field},
                            FieldHistory{change.before, index, change.after});
    if (first) continue;
    history->second.table = index;
    history->second.value = change.after;
  }
}

std::string TableUndoCheck::add(const std::vector<FieldChange>& changes, const std::string& table, const char* hint,
                                std::optional<BatchKind> kind, std::vector<AppliedRow> rows) {
  const std::vector<FieldChange> undone = undoneBy(changes);
  take(changes, table, kind, std::move(rows));
  if (undone.empty()) return {};
  return undoneCells(undone, table) + '\n' + hint;
}

std::string undoneCells(const std::vector<FieldChange>& undone, const std::string& table) {
  std::string cells = formatMessage(kTablesUndid, table.c_str(), undone.size());
  for (std::size_t i = 0; i < undone.size() && i < kCellsShown; ++i) {
    const FieldChange& change = undone[i];
    cells += '\n';
    cells += formatMessage(kTablesUndidCell, change.scenario, changedRecordName(change.record), change.number,
                           change.name.c_str(), change.field.c_str(), change.before.c_str(), change.after.c_str());
  }
  if (undone.size() > kCellsShown) {
    cells += '\n';
    cells += formatMessage(kTablesUndidMore, undone.size());
  }
  return cells;
}

std::optional<std::uint32_t> TableUndoCheck::rowOf(const RunTable& table, const Field& field,
                                                   const std::string& value) {
  if (!table.kind) return std::nullopt;
  const auto& [scenario, record, number, column] = field;
  std::vector<std::pair<long long, long long>> wanted;  // scenario and record number of the rows that stand for it
  if (recordOfRows(*table.kind) == record) {
    wanted.emplace_back(static_cast<long long>(scenario), number);
    // A city table copies scenario 0's geography into the other scenarios.
    if (*table.kind == BatchKind::CityTable && scenario != 0) wanted.emplace_back(0, number);
  } else if (*table.kind == BatchKind::ForceTable && column == cityColumns()[kCityOwner].info.header) {
    // A force table hands cities (and their officers) to a force by founding it.
    if (const std::optional<long long> force = numberIn(value))
      wanted.emplace_back(static_cast<long long>(scenario), *force);
  }
  for (const auto& [s, n] : wanted) {
    std::optional<std::uint32_t> found;
    for (const AppliedRow& row : table.rows)
      if (row.scenario == s && row.record == n) found = row.line;
    if (found) return found;
  }
  return std::nullopt;
}

const std::pair<const TableUndoCheck::Field, TableUndoCheck::FieldHistory>* TableUndoCheck::heldBefore(
    BatchKind kind, std::size_t scenario, int number, const std::string& field, std::string_view cell) const {
  const std::optional<ChangedRecord> record = recordOfRows(kind);
  if (!record) return nullptr;
  const auto found = fields_.find(Field{scenario, *record, number, field});
  if (found == fields_.end()) return nullptr;
  // A cell that writes another value than the one from before was edited.
  const FieldHistory& history = found->second;
  if (history.value == history.original || unquoteCell(cell) != history.original) return nullptr;
  return &*found;
}

bool TableUndoCheck::holdsValueBefore(BatchKind kind, std::size_t scenario, int number, const std::string& field,
                                      std::string_view cell) const {
  return heldBefore(kind, scenario, number, field, cell) != nullptr;
}

std::vector<std::string> TableUndoCheck::earlierChange(BatchKind kind, std::size_t scenario, int number,
                                                       const std::string& field, std::string_view cell) const {
  const auto* held = heldBefore(kind, scenario, number, field, cell);
  if (held == nullptr) return {};
  const FieldHistory& history = held->second;
  const RunTable& table = tables_[history.table];
  const std::optional<std::uint32_t> line = rowOf(table, held->first, history.value);
  std::vector<std::string> lines;
  if (line)
    lines.push_back(formatMessage(kCellHeldBeforeTableRow, history.original.c_str(), table.name.c_str(), *line + 1,
                                  history.value.c_str()));
  else
    lines.push_back(
        formatMessage(kCellHeldBeforeTable, history.original.c_str(), table.name.c_str(), history.value.c_str()));
  lines.emplace_back(kHintSwitchRowOff);
  return lines;
}

}  // namespace vorandel
