#include "tables/OfficerTablePlacement.h"

#include <bit>
#include <optional>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "rules/CityNames.h"
#include "rules/GameRules.h"
#include "rules/Placement.h"
#include "rules/RuleMessages.h"
#include "rules/WaitingOfficers.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/CellParsers.h"
#include "tables/TableMessages.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

constexpr std::uint8_t kChangedForce = 0xFF;  // changeMarker of an officer who changed force or was freed

// The city a cell names. A name that only the scenario knows, the new name an earlier table of the run
// gave a city, is told as such: the column names cities by the game's own names.
int cityOfCell(const Scenario& scenario, std::string_view cell) {
  const std::optional<int> c = cityTable().find(cell);
  if (c) return *c;
  CellFault fault(kUnknownName, FaultKind::UnknownName, std::string(cell));
  if (const std::optional<std::string> gbk = utf8ToGbk(cell); gbk && !gbk->empty()) {
    for (int renamed = 1; renamed <= kCityCount; ++renamed) {
      if (scenario.cityName(renamed).text(cityName::name) != *gbk) continue;
      const std::string_view original = kCityNames[static_cast<std::size_t>(renamed - 1)];
      fault.withDetail(
          formatMessage(kLocationIsNewName, std::string(cell).c_str(), renamed, std::string(original).c_str()));
      break;
    }
  }
  throw fault;
}

bool keepsRank(unsigned status) { return status == kStrategist; }

// Row mode 4: the officer leaves his city and joins the force that owns c (or becomes unaffiliated when
// nobody owns it). A strategist stays strategist; everyone else serves as an ordinary officer.
void joinCityForce(OfficerImport& import, OfficerRow& row, int c, int owner) {
  ScenarioSet& set = import.set;
  detachOfficer(set, row.s, OfficerNumber{row.number()}, import.releaseEmptyCity);
  OfficerState& officer = set.scenario(row.s).officerState(row.number());
  const unsigned status = officer.get(state::status);
  if (owner > 0) {
    if (owner != officer.get(state::force)) {
      officer.set(state::force, static_cast<std::int8_t>(owner));
      officer.set(state::changeMarker, kChangedForce);
      officer.set(state::duties, kSpecialDuty);
    }
    if (!keepsRank(status)) officer.set(state::status, kOrdinary);
  } else {
    officer.set(state::force, static_cast<std::int8_t>(owner));
    officer.set(state::changeMarker, kChangedForce);
    officer.set(state::duties, kSpecialDuty);
    officer.set(state::status, kUnaffiliated);
  }
  placeOfficer(set, row.s, OfficerNumber{row.number()}, CityNumber{c});
}

// Row mode 5 against a city of another force: the serving officers of c retreat, governor after governor,
// to another city of the defending force, and c loses its owner when the last of them has left.
void retreatDefenders(OfficerImport& import, int c, int defender, std::size_t s) {
  Scenario& scenario = import.set.scenario(s);
  int refuge = scenario.force(defender).get(force::firstCity);
  if (refuge == c) refuge = scenario.city(c).get(city::nextCity);
  if (refuge <= 0) failCell("只剩一个城无法撤退。");
  for (int governor = scenario.city(c).get(city::governor); governor > 0;) {
    moveOfficer(import.set, s, OfficerNumber{governor}, CityNumber{refuge}, true);
    const int next = scenario.city(c).get(city::governor);
    // Data in which the governor cannot leave (for example one who already stands in the refuge
    // city) would otherwise hold the import here for ever.
    if (next == governor) failCell("守城武将无法撤退。");
    governor = next;
  }
}

// Gives every item that the officer holds under his own name to nobody, then empties his item set.
void takeAllItems(Scenario& scenario, OfficerImport& import, const OfficerRow& row) {
  // Only the items in his set are looked at, in ascending number; most officers hold none.
  for (std::uint32_t items = scenario.officerState(row.number()).get(state::items); items != 0; items &= items - 1) {
    const int i = std::countr_zero(items);
    if (scenario.trailer.get(trailer::itemHolder, static_cast<std::size_t>(i)) == row.number())
      setItemHolder(import.set, row.s, i, std::nullopt);
  }
  scenario.officerState(row.number()).set(state::items, 0);
}

}  // namespace

void addMissingOfficer(OfficerImport& import, OfficerRow& row) {
  ScenarioSet& set = import.set;
  if (set.officerIndexOf(row.s, row.id)) return;
  addWaitingOfficer(set, row.s, row.id);
  row.justAdded = true;
  // He enters the map, if 身份 brings him there, in the city of his location. A list reads the city
  // with the other cells, as it brings nobody onto the map.
  if (import.columnSlot[kLocationColumn] == 0 || import.problems != nullptr) return;
  std::string room;
  const int c = cityOfCell(set.scenario(row.s), enterCell(import, row, kLocationColumn, room));
  const OfficerIndex added = set.officerIndexOf(row.s, row.id).value();
  set.scenario(row.s).officerState(added.number()).set(state::location, static_cast<std::int8_t>(c));
}

void applyStatusColumn(OfficerImport& import, OfficerRow& row) {
  if (!appliesColumn(import, row, kStatusColumn)) return;
  std::string room;
  const std::string_view cell = enterCell(import, row, kStatusColumn, room);
  const std::optional<int> status = statusTable().find(cell);
  if (!status) failCell(kUnknownName, FaultKind::UnknownName, std::string(cell));
  if (import.problems != nullptr) return;
  if (const std::optional<OfficerIndex> placed = activateWaitingOfficer(import.set, row.s, row.id, *status))
    row.index = placed->value;
  const Scenario& scenario = import.set.scenario(row.s);
  require(import.set.officerIndexOf(row.s, row.id) == OfficerIndex{row.index} &&
              static_cast<std::uint32_t>(row.index) < scenario.officerCount,
          kIdIndexBroken);
}

void applyAppearYearColumn(OfficerImport& import, OfficerRow& row, std::string_view cell) {
  const Scenario& scenario = import.set.scenario(row.s);
  if (scenario.officerState(row.number()).get(state::status) != kWaiting) return;
  const int year = parseRanged(cell, kYearBase, kHighestYear, 10);
  std::vector<WaitingEntry>& queue = import.set.waitingQueue.at(row.s);
  const long slot = static_cast<long>(row.index) - static_cast<long>(scenario.onMapCount);
  if (slot < 0 || static_cast<std::size_t>(slot) >= queue.size() || queue[static_cast<std::size_t>(slot)].id != row.id)
    failCell(kWaitingListBroken);
  WaitingEntry& entry = queue[static_cast<std::size_t>(slot)];
  entry.appearYear = year - kYearBase;
  entry.orderKey = row.orderKey;
}

void applyLocationColumn(OfficerImport& import, OfficerRow& row, std::string_view cell) {
  Scenario& scenario = import.set.scenario(row.s);
  const int c = cityOfCell(scenario, cell);
  OfficerState& officer = scenario.officerState(row.number());
  const unsigned status = officer.get(state::status);
  if (status == kWaiting) {
    officer.set(state::location, static_cast<std::int8_t>(c));
    return;
  }
  if (import.problems != nullptr) return;
  const int owner = scenario.city(c).get(city::owner);
  if (isServing(status) && officer.get(state::location) == c) return;
  if (row.rowMode == 4 && status != kRuler) {
    joinCityForce(import, row, c, owner);
    return;
  }
  const int ownForce = officer.get(state::force);
  if (row.rowMode == 5 && ownForce > 0 && owner > 0 && owner != ownForce) retreatDefenders(import, c, owner, row.s);
  moveOfficer(import.set, row.s, OfficerNumber{row.number()}, CityNumber{c}, import.releaseEmptyCity);
}

void applyGovernorColumn(OfficerImport& import, OfficerRow& row, std::string_view cell) {
  if (!parseSwitch(cell) || import.problems != nullptr) return;
  const unsigned status = import.set.scenario(row.s).officerState(row.number()).get(state::status);
  if (status == kStrategist || status == kOrdinary) appointGovernor(import.set, row.s, OfficerNumber{row.number()});
}

void applyItemsColumn(OfficerImport& import, OfficerRow& row, std::string_view cell) {
  if (import.set.longTrailer) return;
  Scenario& scenario = import.set.scenario(row.s);
  if (cell == "---") {
    takeAllItems(scenario, import, row);
    return;
  }
  if (scenario.officerState(row.number()).get(state::status) == kWaiting) failCell(kWaitingHoldsNoItems);
  ListItems names(cell, ',');
  while (const std::optional<std::string_view> found = names.next()) {
    const std::string_view name = *found;
    const std::optional<int> item = itemTable().find(name);
    if (!item) failCell(kUnknownName, FaultKind::UnknownName, std::string(name));
    // The row that handed the item out first is named, not the officer who held it before.
    std::uint32_t& firstRow = import.itemFirstRow[row.s][static_cast<std::size_t>(*item)];
    if (firstRow != 0)
      failCellWith("同一宝物拥有者只能有一个", formatMessage(kItemFirstRow, std::string(name).c_str(), firstRow));
    firstRow = row.line + 1;
    setItemHolder(import.set, row.s, *item, OfficerNumber{row.number()});
  }
}

}  // namespace vorandel
