// The officer table of the current data: one row per officer, every value column switched on (but the shown ones), each
// cell in the form the officer table reads and holding the value the officer has, so that the row
// writes back what is there. An officer whose values the row would change is written switched off.
#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

#include "rules/GameRules.h"
#include "tables/OfficerColumns.h"
#include "tables/OfficerTableFinishing.h"
#include "tables/OfficerTableRow.h"
#include "tables/TableExport.h"
#include "tables/TableExportCells.h"
#include "tables/Vocabulary.h"

namespace vorandel {

using namespace tableexport;

namespace {

std::string numeral(long value) { return std::to_string(value); }

const OfficerColumnSpec& column(int id) { return officerColumns()[static_cast<std::size_t>(id)]; }

// Everything about the officer that a row with all columns switched on would change or refuse.
Obstacles obstaclesOf(const OfficerAt& at) {
  const Scenario& scenario = at.scenario();
  const OfficerState& o = at.state();
  const OfficerProfile& p = at.profile();
  const int id = p.get(profile::id);
  const unsigned status = o.get(state::status);
  const bool inWaitingPart = static_cast<std::uint32_t>(at.number) > scenario.onMapCount;
  Obstacles obstacles;
  // Every applied row ends with the finishing rules; the row's 已学技能 cell names the learned skills.
  std::array<bool, kOfficerColumnCount> ruled{};
  OfficerState finished = o;
  finishOfficer(finished, p, id, RowSkills{o.get(state::learnedSkills), 0},
                [&](const RuleFinding& finding) { ruled[static_cast<std::size_t>(finding.column)] = true; });
  // The column's own limits, for each column that has some, and the rules about it.
  const auto checkColumn = [&](int value) {
    if ((column(value).carries && !column(value).carries(at)) || ruled[static_cast<std::size_t>(value)])
      obstacles.add(column(value).info.header);
  };

  if (at.set.officerIndexOf(at.s, id) != OfficerIndex::ofNumber(at.number)) obstacles.add("ID");
  checkColumn(kNewNameColumn);
  if (nameOf(statusTable(), static_cast<int>(status)).empty() || inWaitingPart != (status == kWaiting))
    obstacles.add(column(kStatusColumn).info.header);
  if (inWaitingPart) {
    const WaitingEntry* entry = at.queueEntry();
    const ColumnRange years = *column(kAppearYearColumn).info.range;
    if (entry == nullptr || entry->appearYear < years.min - kYearBase || entry->appearYear > years.max - kYearBase)
      obstacles.add(column(kAppearYearColumn).info.header);
    if (entry != nullptr && entry->orderKey > static_cast<std::uint32_t>(kMaxOrderKey)) obstacles.add("编号");
  }

  for (const int value : {kGrowthColumn, kAffinityColumn, kFormationsColumn, kLearnableSkillsColumn,
                          kLearnedCountColumn, kLearnedSkillsColumn, kFameColumn, kExperienceColumn, kLoyaltyColumn,
                          kSoldiersColumn, kTrainingColumn, kMoraleColumn, kLocationColumn, kDutiesColumn,
                          kIntelligenceColumn, kPoliticsColumn, kStatusColumn, kItemsColumn})
    checkColumn(value);
  const std::uint32_t items = o.get(state::items);
  if (!at.set.longTrailer) {
    for (int i = 0; i < kItemCount; ++i)
      if (((items >> i) & 1u) && scenario.trailer.get(trailer::itemHolder, static_cast<std::size_t>(i)) != at.number)
        obstacles.add(column(kItemsColumn).info.header);  // naming the item would make him its holder
  }
  return obstacles;
}

// The waiting order step that ends every officer table sorts each scenario's waiting officers by year
// of appearance and order key; a scenario whose officers stand otherwise is re-ordered by any table.
bool waitingInOrder(const ScenarioSet& set, std::size_t s) {
  if (s >= set.waitingQueue.size()) return false;
  const std::vector<WaitingEntry>& queue = set.waitingQueue[s];
  const std::uint32_t onMap = set.scenario(s).onMapCount;
  for (std::size_t j = 0; j < queue.size(); ++j) {
    if (queue[j].index != static_cast<std::int32_t>(onMap + j)) return false;
    if (j > 0 &&
        std::tie(queue[j].appearYear, queue[j].orderKey) < std::tie(queue[j - 1].appearYear, queue[j - 1].orderKey))
      return false;
  }
  return true;
}

}  // namespace

ExportedTable exportOfficerTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios,
                                 const ExportColumns& asked) {
  buildVocabularyTables();
  ExportedTable table;
  std::vector<std::string> header{"剧本", "ID", "姓名", "设置", "编号"};
  std::vector<std::string> switches{kNoCell, kNoCell, kNoCell, "1", kNoCell};  // releaseEmptyCity 1
  // A shown column is switched off: reading it changes nothing, and an import warns of one switched on.
  // So is every column not asked for, when some are.
  for (const OfficerColumnSpec& value : officerColumns()) {
    header.emplace_back(value.info.header);
    switches.emplace_back(switchedOn(asked, value.info.header, value.info.form) ? "1" : "0");
  }
  table.text = tableLine(header) + tableLine(switches);

  for (const std::size_t s : scenarioList(set.scenarioCount(), scenarios)) {
    const Scenario& scenario = set.scenario(s);
    for (int n = 1; n <= static_cast<int>(scenario.officerCount); ++n) {
      const OfficerProfile& p = scenario.officerProfile(n);
      const int id = p.get(profile::id);
      const OfficerAt at{set, s, n};
      const WaitingEntry* entry = at.queueEntry();
      const Obstacles obstacles = obstaclesOf(at);
      if (!obstacles.empty())
        table.problems.push_back(obstacles.problem(
            formatMessage("剧本%zu 武将ID %d（%s）", s, id, informative(shownGbk(p.text(profile::name))).c_str())));
      std::vector<std::string> cells{numeral(static_cast<long>(s)), numeral(id),
                                     informative(shownGbk(p.text(profile::name))), obstacles.empty() ? "1" : "0",
                                     numeral(entry != nullptr ? static_cast<long>(entry->orderKey) : n)};
      for (const OfficerColumnSpec& value : officerColumns()) cells.push_back(value.write(at));
      table.text += tableLine(cells);
    }
  }
  for (std::size_t s = 0; s < set.scenarioCount(); ++s)
    if (!waitingInOrder(set, s))
      table.problems.push_back(
          formatMessage("剧本%zu：待命武将没有按上场年份和编号排列，执行任何武将表都会重新排列。", s));
  return table;
}

}  // namespace vorandel
