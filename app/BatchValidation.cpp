#include "app/BatchValidation.h"

#include <optional>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "model/Writer.h"
#include "rules/NeighbourLinks.h"
#include "rules/Validator.h"
#include "tables/AppliedRows.h"
#include "tables/OfficerColumns.h"
#include "tables/OfficerTableRow.h"

namespace vorandel {

namespace {

// The last row of the scenario that the table applies whose record number is a or b.
std::optional<AppliedRow> lastRowOf(BatchKind kind, std::string_view text, std::size_t scenario, long long a,
                                    long long b) {
  std::optional<AppliedRow> found;
  forEachAppliedRow(kind, text, [&](const AppliedRow& row) {
    if (row.scenario == static_cast<long long>(scenario) && (row.record == a || row.record == b)) found = row;
  });
  return found;
}

// A one-sided neighbour link: the row that last set the neighbours of one of its two cities.
void addCityRow(EditError& error, const ScenarioSet& working, std::size_t s, std::string_view text) {
  const std::optional<OneSidedLink> link = firstOneSidedLink(working.scenarios[s]);
  if (!link) return;
  // Without its own row, the scenario took its geography from scenario 0.
  std::optional<AppliedRow> row = lastRowOf(BatchKind::CityTable, text, s, link->city.value(), link->neighbour.value());
  if (!row && s != 0) row = lastRowOf(BatchKind::CityTable, text, 0, link->city.value(), link->neighbour.value());
  if (!row) return;
  const auto scenario = static_cast<std::size_t>(row->scenario);
  const int c = static_cast<int>(row->record);
  const std::string name = shownGbk(working.scenarios[scenario].cityName(c).text(cityName::name));
  error.addDetail(formatMessage(kOneSidedLinkRow, static_cast<std::size_t>(row->line) + 1, scenario, c, name.c_str()));
}

// A waiting officer who waits in no city: the row that made him, and the column that places him.
void addWaitingOfficerRow(EditError& error, const ScenarioSet& working, std::size_t s, std::string_view text) {
  const Scenario& scenario = working.scenarios[s];
  const int o = error.officer().value_or(0);
  if (!scenario.isOfficerNumber(o) || scenario.isOnMapNumber(o) ||
      isCityNumber(scenario.officerState(o).get(state::location)))
    return;
  const int id = scenario.officerProfile(o).get(profile::id);
  const std::optional<AppliedRow> row = lastRowOf(BatchKind::OfficerTable, text, s, id, id);
  if (!row) return;
  error.addDetail(formatMessage(kWaitingOfficerRow, static_cast<std::size_t>(row->line) + 1, s, id));
  const bool hasPlace = headerNamesColumn(text, officerColumns()[kLocationColumn].info.header);
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
