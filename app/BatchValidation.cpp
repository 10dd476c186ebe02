#include "app/BatchValidation.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "model/Writer.h"
#include "rules/NeighbourLinks.h"
#include "rules/Validator.h"
#include "tables/BatchTable.h"
#include "tables/OfficerColumns.h"
#include "tables/OfficerTableRow.h"

namespace vorandel {

namespace {

// A data row that is not switched off: its line (from 0), its scenario and the number in its cell 1
// (a city table's city, an officer table's id).
struct TableRow {
  std::size_t line = 0;
  std::size_t scenario = 0;
  long long number = 0;
};

std::optional<long long> numberIn(std::string_view cell) {
  long long value = 0;
  const auto [end, fault] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (fault != std::errc{} || end != cell.data() + cell.size()) return std::nullopt;
  return value;
}

// The last row of the scenario, not switched off (cell 3), whose cell 1 holds a or b.
std::optional<TableRow> lastRowOf(std::string_view text, std::size_t scenario, long long a, long long b) {
  std::optional<TableRow> found;
  TableLines lines(text);
  std::size_t line = 0;
  for (std::optional<std::string_view> next = lines.next(); next; next = lines.next(), ++line) {
    if (line < 2) continue;
    LineCells cells(*next);
    std::optional<std::string_view> leading[4];
    for (auto& cell : leading) cell = cells.next();
    if (!leading[3] || numberIn(unquoteCell(*leading[3])).value_or(0) == 0) continue;
    const std::optional<long long> s = numberIn(unquoteCell(*leading[0]));
    const std::optional<long long> n = numberIn(unquoteCell(*leading[1]));
    if (!s || !n || *s != static_cast<long long>(scenario) || (*n != a && *n != b)) continue;
    found = TableRow{line, scenario, *n};
  }
  return found;
}

bool headerHas(std::string_view text, std::string_view column) {
  std::optional<std::string_view> header = TableLines(text).next();
  if (!header) return false;
  LineCells cells(*header);
  for (std::optional<std::string_view> cell = cells.next(); cell; cell = cells.next())
    if (unquoteCell(*cell) == column) return true;
  return false;
}

// A one-sided neighbour link: the row that last set the neighbours of one of its two cities.
void addCityRow(EditError& error, const ScenarioSet& working, std::size_t s, std::string_view text) {
  const std::optional<OneSidedLink> link = firstOneSidedLink(working.scenarios[s]);
  if (!link) return;
  // Without its own row, the scenario took its geography from scenario 0.
  std::optional<TableRow> row = lastRowOf(text, s, link->city.value(), link->neighbour.value());
  if (!row && s != 0) row = lastRowOf(text, 0, link->city.value(), link->neighbour.value());
  if (!row) return;
  const int c = static_cast<int>(row->number);
  const std::string name = shownGbk(working.scenarios[row->scenario].cityName(c).text(cityName::name));
  error.addDetail(formatMessage(kOneSidedLinkRow, row->line + 1, row->scenario, c, name.c_str()));
}

// A waiting officer who waits in no city: the row that made him, and the column that places him.
void addWaitingOfficerRow(EditError& error, const ScenarioSet& working, std::size_t s, std::string_view text) {
  const Scenario& scenario = working.scenarios[s];
  const int o = error.officer().value_or(0);
  if (!scenario.isOfficerNumber(o) || scenario.isOnMapNumber(o) ||
      isCityNumber(scenario.officerState(o).get(state::location)))
    return;
  const int id = scenario.officerProfile(o).get(profile::id);
  const std::optional<TableRow> row = lastRowOf(text, s, id, id);
  if (!row) return;
  error.addDetail(formatMessage(kWaitingOfficerRow, row->line + 1, row->scenario, id));
  const bool hasPlace = headerHas(text, officerColumns()[kLocationColumn].info.header);
  error.addDetail(hasPlace ? kWaitingOfficerNeedsPlace : kWaitingOfficerNeedsPlaceColumn);
}

}  // namespace

void validateBatchResult(const ScenarioSet& working, BatchKind kind, std::string_view tableText) {
  try {
    validateScenarios(working, 0, kAllScenarios);
  } catch (EditError& error) {
    const std::optional<std::size_t> s = error.context().scenario;
    if (s && *s < working.scenarioCount()) {
      if (kind == BatchKind::CityTable) addCityRow(error, working, *s, tableText);
      if (kind == BatchKind::OfficerTable) addWaitingOfficerRow(error, working, *s, tableText);
    }
    throw;
  }
}

}  // namespace vorandel
