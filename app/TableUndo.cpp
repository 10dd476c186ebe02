#include "app/TableUndo.h"

#include "app/AppMessages.h"
#include "model/EditError.h"

namespace vorandel {

namespace {

constexpr std::size_t kCellsShown = 10;

}  // namespace

std::string TableUndoCheck::add(const std::vector<FieldChange>& changes, const std::string& table, const char* hint) {
  std::vector<const FieldChange*> undone;
  for (const FieldChange& change : changes) {
    if (change.field == kWholeRecord) continue;  // an officer added: no earlier value of his fields
    const auto [original, first] =
        originals_.try_emplace(Field{change.scenario, change.record, change.number, change.field}, change.before);
    // An earlier table changed the field, and this one set it back to what it was before.
    if (!first && change.after == original->second) undone.push_back(&change);
  }
  if (undone.empty()) return {};
  std::string warning = formatMessage(kTablesUndid, table.c_str(), undone.size());
  for (std::size_t i = 0; i < undone.size() && i < kCellsShown; ++i) {
    const FieldChange& change = *undone[i];
    warning += '\n';
    warning += formatMessage(kTablesUndidCell, change.scenario, changedRecordName(change.record), change.number,
                             change.name.c_str(), change.field.c_str(), change.before.c_str(), change.after.c_str());
  }
  if (undone.size() > kCellsShown) {
    warning += '\n';
    warning += formatMessage(kTablesUndidMore, undone.size());
  }
  warning += '\n';
  return warning += hint;
}

}  // namespace vorandel
