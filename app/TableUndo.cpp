#include "app/TableUndo.h"

#include "app/AppMessages.h"
#include "model/EditError.h"

namespace vorandel {

namespace {

constexpr std::size_t kCellsShown = 10;

}  // namespace

std::vector<FieldChange> TableUndoCheck::undoneBy(const std::vector<FieldChange>& changes) const {
  std::vector<FieldChange> undone;
  for (const FieldChange& change : changes) {
    if (change.field == kWholeRecord) continue;  // an officer added: no earlier value of his fields
    // An earlier table changed the field, and this one sets it back to what it was before.
    const auto original = originals_.find(Field{change.scenario, change.record, change.number, change.field});
    if (original != originals_.end() && change.after == original->second) undone.push_back(change);
  }
  return undone;
}

void TableUndoCheck::take(const std::vector<FieldChange>& changes) {
  for (const FieldChange& change : changes)
    if (change.field != kWholeRecord)
      originals_.try_emplace(Field{change.scenario, change.record, change.number, change.field}, change.before);
}

std::string TableUndoCheck::add(const std::vector<FieldChange>& changes, const std::string& table, const char* hint) {
  const std::vector<FieldChange> undone = undoneBy(changes);
  take(changes);
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

}  // namespace vorandel
