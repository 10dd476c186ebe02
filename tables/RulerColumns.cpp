#include "tables/RulerColumns.h"

#include <optional>
#include <string>

#include "model/CellError.h"
#include "rules/RuleMessages.h"
#include "rules/Rulers.h"
#include "tables/BatchTable.h"
#include "tables/CellParsers.h"
#include "tables/TableExportCells.h"
#include "tables/TableMessages.h"

namespace vorandel {

namespace {

bool isWholeNumber(std::string_view cell) {
  if (cell.empty()) return false;
  for (const char c : cell)
    if (c < '0' || c > '9') return false;
  return true;
}

// The owner of city c as its cell holds it: 0 for nobody.
int ownerOf(const Scenario& scenario, int c) {
  const int owner = scenario.city(c).get(city::owner);
  return owner > 0 ? owner : 0;
}

// The ruler of force f when he is on the map; 0 otherwise (an empty slot).
int rulerOf(const Scenario& scenario, int f) {
  if (!isForceNumber(f)) return 0;
  const int ruler = scenario.force(f).get(force::ruler);
  return scenario.isOnMapNumber(ruler) ? ruler : 0;
}

std::string rulerName(const Scenario& scenario, int f) {
  const int ruler = rulerOf(scenario, f);
  if (ruler == 0) return tableexport::kNoCell;
  return tableexport::informative(shownGbk(scenario.officerProfile(ruler).text(profile::name)));
}

RecordColumn shownColumn(const char* header) {
  RecordColumn column;
  column.info = {header, CellForm::Shown, std::nullopt, nullptr};
  column.read = [](Scenario&, int, std::string_view) {};
  column.carries = [](const Scenario&, int) { return true; };
  return column;
}

}  // namespace

RecordColumn rulerIdColumn() {
  RecordColumn column;
  column.info = {"君主", CellForm::Number, ColumnRange{0, kIdLimit - 1}, nullptr};
  column.read = [](Scenario&, int, std::string_view) {};  // applied first, by applyRulerCell
  column.write = [](const Scenario& scenario, int f) {
    const int ruler = rulerOf(scenario, f);
    return ruler == 0 ? std::string("0") : std::to_string(scenario.officerProfile(ruler).get(profile::id));
  };
  column.carries = [](const Scenario& scenario, int f) { return rulerOf(scenario, f) != 0; };
  return column;
}

bool applyRulerCell(ScenarioSet& set, std::size_t s, int f, std::string_view cell) {
  if (!isWholeNumber(cell)) return false;
  const int id = parseRanged(cell, 0, kIdLimit - 1, 10);
  const Scenario& scenario = set.scenario(s);
  const bool exists = rulerOf(scenario, f) != 0;
  if (id == 0) {
    if (exists) failCell(kNoRulerGiven);
    return false;
  }
  const std::optional<OfficerIndex> index = set.officerIndexOf(s, id);
  if (!index) failCell(kOfficerIdUnknown);
  if (exists) {
    changeRuler(set, s, ForceNumber{f}, index->officerNumber());
    return false;
  }
  foundForce(set, s, ForceNumber{f}, index->officerNumber());
  return true;
}

const char* unreadRulerCell(const Scenario& scenario, int f, std::string_view cell) {
  if (cell.empty() || isWholeNumber(cell) || cell == tableexport::kNoCell) return nullptr;
  if (rulerOf(scenario, f) != 0 && cell == unquoteCell(rulerName(scenario, f))) return nullptr;
  return kRulerCellNotId;
}

RecordColumn ownerColumn() {
  RecordColumn column;
  column.info = {"势力", CellForm::Number, ColumnRange{0, kForceCount}, nullptr};
  column.read = [](Scenario&, int, std::string_view) {};  // applied first, by applyOwnerCell
  column.write = [](const Scenario& scenario, int c) { return std::to_string(ownerOf(scenario, c)); };
  column.carries = [](const Scenario& scenario, int c) {
    const int owner = scenario.city(c).get(city::owner);
    return owner == -1 || isForceNumber(owner);
  };
  return column;
}

bool applyOwnerCell(ScenarioSet& set, std::size_t s, int c, std::string_view cell) {
  const int f = parseRanged(cell, 0, kForceCount, 10);
  handCityOver(set, s, CityNumber{c}, f == 0 ? std::nullopt : std::optional(ForceNumber{f}));
  return false;
}

RecordColumn forceRulerNameColumn() {
  RecordColumn column = shownColumn("君主姓名");
  column.write = [](const Scenario& scenario, int f) { return rulerName(scenario, f); };
  return column;
}

RecordColumn cityRulerNameColumn() {
  RecordColumn column = shownColumn("君主姓名");
  column.write = [](const Scenario& scenario, int c) { return rulerName(scenario, ownerOf(scenario, c)); };
  return column;
}

}  // namespace vorandel
