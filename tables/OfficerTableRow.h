#pragma once
// The working data of one officer-table import, shared by its steps: where each column stands in the
// file and whether it is switched on, the counters that keep ids and items unique per scenario, and the
// row being applied.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/CellError.h"
#include "model/ScenarioSet.h"
#include "rules/GameRules.h"
#include "tables/BatchTable.h"
#include "tables/ColumnInfo.h"
#include "tables/TableReport.h"
#include "tables/TableText.h"
#include "tables/TableWalker.h"

namespace vorandel {

// Column ids of the officer table; the order in which a row applies its value columns.
enum OfficerColumn : int {
  kNewIdColumn = 0,
  kNewNameColumn,
  kGenderColumn,
  kParentIdColumn,
  kParentNameColumn,
  kBirthYearColumn,
  kAppearYearColumn,
  kStatusColumn,
  kLifespanColumn,
  kFamilyColumn,
  kGrowthColumn,
  kAffinityColumn,
  kGoodEvilColumn,
  kWarColumn,
  kIntelligenceColumn,
  kPoliticsColumn,
  kCharismaColumn,
  kRighteousnessColumn,
  kAmbitionColumn,
  kBraveryColumn,
  kCalmnessColumn,
  kFormationsColumn,
  kLearnableSkillsColumn,
  kLearnedCountColumn,
  kLearnedSkillsColumn,
  kExtraSkillsColumn,
  kFameColumn,
  kExperienceColumn,
  kAgeColumn,
  kLoyaltyColumn,
  kRebelColumn,
  kActedColumn,
  kTraitColumn,
  kAllegianceColumn,
  kSoldiersColumn,
  kTrainingColumn,
  kMoraleColumn,
  kLocationColumn,
  kForceColumn,
  kRulerColumn,
  kGovernorColumn,
  kDutiesColumn,
  kGeneralColumn,
  kItemsColumn,
  kCityNumberColumn,
  kPrevColumn,
  kPrevOfficerColumn,
  kNextColumn,
  kNextOfficerColumn,
  kOfficerColumnCount
};

inline constexpr std::size_t kKeyCells = 5;

// A value column that rows apply, and the cell where it stands.
struct AppliedColumn {
  int column = 0;
  std::size_t slot = 0;
};

// Everything one import keeps between its rows; discarded when it ends.
struct OfficerImport {
  OfficerImport(ScenarioSet& target, TableWalker& reader, TableReport report = {})
      : set(target),
        walker(reader),
        table(reader.table()),
        warnings(report.warnings),
        problems(report.problems),
        scenarioInfo{"剧本", CellForm::Number, ColumnRange{0, kMaxScenarios}, nullptr} {}

  ScenarioSet& set;
  TableWalker& walker;  // the header's cells, and the one way of meeting a bad cell
  TableText table;
  ImportWarnings* warnings;  // where the import tells what it did silently; may be null
  // When set, the import only lists: every bad cell is noted here and reading goes on, officers are not
  // moved between cities and lists, and the set is a scratch copy.
  ProblemList* problems;
  ColumnInfo scenarioInfo;                                    // the scenario numbers a row may hold
  std::array<std::size_t, kOfficerColumnCount> columnSlot{};  // cell index of each column, 0 when absent
  std::vector<int> columnWeight;                              // per cell: 0 key, 1 switched off, 2 on
  // The value columns a row applies, in ascending id with the cell of each: those switched on, and, for
  // a row that created its officer, every column the table has.
  std::vector<AppliedColumn> switchedOn;
  std::vector<AppliedColumn> inTable;
  bool releaseEmptyCity = false;
  // Per scenario, per id: the 1-based line of the first row naming it, 0 for none yet.
  std::vector<std::vector<std::uint32_t>> idFirstRow;
  std::vector<std::vector<std::uint32_t>> newIdFirstRow;  // per scenario, per id: the 新ID row writing it
  // Per scenario, per item: the 1-based line of the row that handed it out, 0 for none yet.
  std::vector<std::array<std::uint32_t, kItemCount>> itemFirstRow;
};

// The data row being applied.
struct OfficerRow {
  std::uint32_t line = 0;                   // 0-based line of the table
  std::span<const std::string_view> cells;  // views into the table's line, as many as the header's
  CellPosition at;                          // the cell the row is at, which a bad value in the row is reported at
  std::optional<CellPosition> blame;        // the cell really at fault, when it is not `at`
  std::size_t s = 0;                        // scenario
  int id = 0;
  int rowMode = 0;
  std::uint32_t orderKey = 0;  // the 编号 cell
  int index = -1;              // the officer's 0-based index in the scenario
  bool justAdded = false;
  std::uint32_t namedSkills = 0;  // 已学技能, or the skills beside the learned slots when not applied
  std::uint32_t extraSkills = 0;
  // The officer's records, looked up by the first column that reads them and kept for the next ones.
  // Bringing a waiting officer onto the map reorders the records: that happens before the value columns,
  // and the records are forgotten after every column that runs the placement steps.
  OfficerState* state = nullptr;
  OfficerProfile* profile = nullptr;

  int number() const { return index + 1; }
  void forgetRecords() {
    state = nullptr;
    profile = nullptr;
  }
};

// The row's officer's records, looked up on first use and kept until the row forgets them.
inline OfficerState& stateOf(OfficerImport& import, OfficerRow& row) {
  if (row.state == nullptr) row.state = &import.set.scenario(row.s).officerState(row.number());
  return *row.state;
}
inline OfficerProfile& profileOf(OfficerImport& import, OfficerRow& row) {
  if (row.profile == nullptr) row.profile = &import.set.scenario(row.s).officerProfile(row.number());
  return *row.profile;
}

// The officer table's leading cells and the messages about its shape.
const TableLayout& officerTableLayout();

// Reads the header and the switch row: where each value column stands, which are switched on, and
// whether a city that loses its last serving officer loses its owner.
void readOfficerColumns(OfficerImport& import);

// Reads the key cells (scenario, id, row mode, order key), which every row must have right.
void readKeyCells(const OfficerImport& import, OfficerRow& row);

// What cell j of the table holds, for messages: null for a column the table does not describe.
const ColumnInfo* officerCellInfo(const OfficerImport& import, std::size_t j);

// Whether the row applies the column: switched on, or switched off but the row created the officer.
bool appliesColumn(const OfficerImport& import, const OfficerRow& row, int column);

// Moves the row to the column's cell and returns the cell without enclosing quotes (kept in `room` when
// the cell has them).
std::string_view enterCell(const OfficerImport& import, OfficerRow& row, int column, std::string& room);

}  // namespace vorandel
