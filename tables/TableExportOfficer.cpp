// The officer table of the current data: one row per officer, every value column switched on, each
// cell in the form the officer table reads and holding the value the officer has, so that the row
// writes back what is there. An officer whose values the row would change is written switched off.
#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <tuple>

#include "tables/OfficerTable.h"
#include "tables/OfficerTableFinishing.h"
#include "tables/OfficerTableRow.h"
#include "tables/TableExport.h"
#include "tables/TableExportCells.h"
#include "tables/Vocabulary.h"
#include "rules/GameRules.h"

namespace vorandel {

using namespace tableexport;

namespace {

constexpr std::uint16_t kNoFormationBit = 1;
constexpr std::uint16_t kNamedFormationBits = 0x1FFE;  // bits 1..12

std::string numeral(long value) { return std::to_string(value); }

std::string_view officerName(const OfficerProfile& profile) {
  return writableName(profile.bytes.data() + profile::name.offset, kOfficerNameWidth);
}

// The name of officer n of the scenario for an informative cell; "-" when there is none.
std::string nameOfNumber(const Scenario& scenario, int n) {
  if (!scenario.isOfficerNumber(n)) return kNoCell;
  return informative(scenario.officerProfile(n).text(profile::name));
}

// The waiting queue's entry of a waiting officer; nullptr when the queue does not hold him there.
const WaitingEntry* queueEntry(const ScenarioSet& set, std::size_t s, int index, int id) {
  const Scenario& scenario = set.scenario(s);
  const long slot = static_cast<long>(index) - static_cast<long>(scenario.onMapCount);
  if (slot < 0 || s >= set.waitingQueue.size()) return nullptr;
  const std::deque<WaitingEntry>& queue = set.waitingQueue[s];
  if (static_cast<std::size_t>(slot) >= queue.size()) return nullptr;
  const WaitingEntry& entry = queue[static_cast<std::size_t>(slot)];
  return entry.id == id ? &entry : nullptr;
}

// The skills that the first learnedCount learnable slots stand for, which every applied row adds to the
// learned skills; nothing when a slot holds no skill or a skill twice (the row would be refused).
std::optional<std::uint32_t> learnedFromSlots(const OfficerProfile& profile, unsigned learnedCount) {
  std::uint32_t learned = 0, seen = 0;
  for (std::size_t slot = 0; slot < profile::learnableSkills.count; ++slot) {
    const unsigned code = profile.get(profile::learnableSkills, slot);
    if (code > 31 || ((seen >> code) & 1u)) return std::nullopt;
    seen |= 1u << code;
    if (slot < learnedCount) learned |= 1u << code;
  }
  return learned;
}

// Everything about the officer that a row with all columns switched on would change or refuse.
Obstacles obstaclesOf(const ScenarioSet& set, std::size_t s, int number) {
  const Scenario& scenario = set.scenario(s);
  const OfficerState& o = scenario.officerState(number);
  const OfficerProfile& p = scenario.officerProfile(number);
  const int id = p.get(profile::id);
  const unsigned status = o.get(state::status);
  const bool inWaitingPart = static_cast<std::uint32_t>(number) > scenario.onMapCount;
  Obstacles obstacles;

  if (set.officerIndexOf(s, id) != number - 1) obstacles.add("ID");
  if (officerName(p).empty()) obstacles.add("新姓名");
  if (nameOf(statusTable(), static_cast<int>(status)).empty() || inWaitingPart != (status == kWaiting))
    obstacles.add("身份");
  if (inWaitingPart) {
    const WaitingEntry* entry = queueEntry(set, s, number - 1, id);
    if (entry == nullptr || entry->appearYear < 0 || entry->appearYear > 255) obstacles.add("上场年份");
    if (entry != nullptr && entry->orderKey > static_cast<std::uint32_t>(kMaxOrderKey)) obstacles.add("编号");
  }

  const unsigned growth = p.get(profile::growth);
  if (growth > 15) obstacles.add("成长");
  if (p.get(profile::affinity) > 150) obstacles.add("相性");
  const std::uint16_t formations = p.get(profile::formations);
  if ((formations & kNoFormationBit) == 0 || (formations & ~(kNamedFormationBits | kNoFormationBit)) != 0)
    obstacles.add("阵形");
  const unsigned learnedCount = o.get(state::learnedCount);
  const std::optional<std::uint32_t> fromSlots = learnedFromSlots(p, learnedCount);
  if (!fromSlots) obstacles.add("可学技能");
  if (learnedCount > 6) obstacles.add("已学技能数");
  if (fromSlots && (*fromSlots & ~o.get(state::learnedSkills)) != 0) obstacles.add("已学技能");
  if (o.get(state::fame) > 10000) obstacles.add("勇名");
  const unsigned experience = o.get(state::experience);
  if (experience > 60000 ||
      (growth <= 15 && experience < experienceTable[growth][std::min(learnedCount, 6u)]))
    obstacles.add("经验");
  if (o.get(state::loyalty) > 100) obstacles.add("忠诚度");
  // From in training on, troops and their training are cleared by every applied row.
  if (o.get(state::soldiers) > 20000 || (status >= kInTraining && o.get(state::soldiers) != 0)) obstacles.add("士兵");
  if (o.get(state::training) > 100 || (status >= kInTraining && o.get(state::training) != 0)) obstacles.add("训练");
  if (o.get(state::morale) > 100) obstacles.add("士气");
  if (!isCityNumber(o.get(state::location))) obstacles.add("所在地");

  const unsigned duties = o.get(state::duties);
  if (status == kRuler ? duties != kRulerDuties : std::popcount(duties) != 1) obstacles.add("主管");
  const bool clever = o.get(state::intelligence) >= 90 && o.get(state::politics) >= 80;
  if (status == kStrategist && o.get(state::intelligence) < 90) obstacles.add("智力");
  if (status == kStrategist && o.get(state::politics) < 80) obstacles.add("政治");
  if (status == kOrdinary && clever) obstacles.add("身份");  // would be promoted to strategist

  const std::uint32_t items = o.get(state::items);
  if (status != kRuler) {
    const bool special = isSpecialId(id);
    for (int kind = 1; kind <= 4 && !special; ++kind)
      if (std::popcount(items & itemKindMask(kind)) > 1) obstacles.add("宝物");
    if (!special && (items & itemKindMask(kSealKind)) != 0) obstacles.add("宝物");
    if (status == kWaiting && items != 0) obstacles.add("宝物");
  }
  if (!set.longTrailer) {
    for (int i = 0; i < kItemCount; ++i)
      if (((items >> i) & 1u) && scenario.trailer.get(trailer::itemHolder, static_cast<std::size_t>(i)) != number)
        obstacles.add("宝物");  // naming the item would make him its holder
  }
  return obstacles;
}

std::array<std::string, kOfficerColumnCount> valueCells(const ScenarioSet& set, std::size_t s, int number) {
  const Scenario& scenario = set.scenario(s);
  const OfficerState& o = scenario.officerState(number);
  const OfficerProfile& p = scenario.officerProfile(number);
  const unsigned status = o.get(state::status);
  const int startYear = scenario.block.get(block::startYear);
  const int birthYear = p.get(profile::birthYear) + kYearBase;
  const int location = o.get(state::location);
  const int forceNumber = o.get(state::force);
  const WaitingEntry* entry = queueEntry(set, s, number - 1, p.get(profile::id));

  std::array<std::string, kOfficerColumnCount> cells;
  cells[kNewIdColumn] = numeral(p.get(profile::id));
  cells[kNewNameColumn] = informative(officerName(p));
  cells[kGenderColumn] = numeral(p.get(profile::gender));
  cells[kParentIdColumn] = numeral(p.get(profile::parentId));
  cells[kParentNameColumn] = nameOfNumber(scenario, set.officerIndexOf(s, p.get(profile::parentId)) + 1);
  cells[kBirthYearColumn] = numeral(birthYear);
  // An officer on the map has no year of appearance; the scenario's start year stands for "in play".
  cells[kAppearYearColumn] = numeral(entry != nullptr ? entry->appearYear + kYearBase : startYear);
  cells[kStatusColumn] = informative(nameOf(statusTable(), static_cast<int>(status)));
  cells[kLifespanColumn] = numeral(o.get(state::lifespan));
  cells[kFamilyColumn] = numeral(p.get(profile::family));
  cells[kGrowthColumn] = numeral(p.get(profile::growth));
  cells[kAffinityColumn] = numeral(p.get(profile::affinity));
  cells[kGoodEvilColumn] = numeral(o.get(state::goodEvil));
  cells[kWarColumn] = numeral(o.get(state::war));
  cells[kIntelligenceColumn] = numeral(o.get(state::intelligence));
  cells[kPoliticsColumn] = numeral(o.get(state::politics));
  cells[kCharismaColumn] = numeral(o.get(state::charisma));
  cells[kRighteousnessColumn] = numeral(p.get(profile::righteousness));
  cells[kAmbitionColumn] = numeral(p.get(profile::ambition));
  cells[kBraveryColumn] = numeral(p.get(profile::bravery));
  cells[kCalmnessColumn] = numeral(p.get(profile::calmness));
  cells[kFormationsColumn] = nameList(formationTable(), p.get(profile::formations) & kNamedFormationBits);
  std::vector<std::string> learnable;
  for (std::size_t slot = 0; slot < profile::learnableSkills.count; ++slot)
    learnable.push_back(informative(nameOf(skillTable(), p.get(profile::learnableSkills, slot))));
  cells[kLearnableSkillsColumn] = joinCells(learnable, ",");
  cells[kLearnedCountColumn] = numeral(o.get(state::learnedCount));
  cells[kLearnedSkillsColumn] = nameList(skillTable(), o.get(state::learnedSkills));
  cells[kExtraSkillsColumn] = "0";  // every skill has a name, so 已学技能 carries them all
  cells[kFameColumn] = numeral(o.get(state::fame));
  cells[kExperienceColumn] = numeral(o.get(state::experience));
  cells[kAgeColumn] = startYear >= birthYear ? numeral(startYear - birthYear) : kNoCell;
  cells[kLoyaltyColumn] = numeral(o.get(state::loyalty));
  cells[kRebelColumn] = numeral(o.get(state::rebel));
  cells[kActedColumn] = numeral(o.get(state::acted));
  cells[kTraitColumn] = numeral(o.get(state::trait));
  cells[kAllegianceColumn] = numeral(o.get(state::allegiance));
  cells[kSoldiersColumn] = numeral(o.get(state::soldiers));
  cells[kTrainingColumn] = numeral(o.get(state::training));
  cells[kMoraleColumn] = numeral(o.get(state::morale));
  cells[kLocationColumn] = informative(nameOf(cityTable(), location));
  cells[kForceColumn] = isForceNumber(forceNumber) ? numeral(forceNumber) : kNoCell;
  cells[kRulerColumn] =
      isForceNumber(forceNumber) ? nameOfNumber(scenario, scenario.force(forceNumber).get(force::ruler)) : kNoCell;
  // 1 only for the head of his city's serving list, for whom appointing him again changes nothing.
  const bool governs = status <= kOrdinary && isCityNumber(location) && scenario.city(location).get(city::governor) == number;
  cells[kGovernorColumn] = governs ? "1" : "0";
  const unsigned duties = o.get(state::duties);
  cells[kDutiesColumn] = status != kRuler && std::popcount(duties) == 1
                             ? std::string(nameOf(dutyTable(), static_cast<int>(duties)))
                             : std::string("---");
  cells[kGeneralColumn] = kNoCell;
  cells[kItemsColumn] = nameList(itemTable(), o.get(state::items));
  cells[kCityNumberColumn] = isCityNumber(location) ? numeral(location) : kNoCell;
  cells[kPrevColumn] = numeral(o.get(state::prevOfficer));
  cells[kPrevOfficerColumn] = nameOfNumber(scenario, o.get(state::prevOfficer));
  cells[kNextColumn] = numeral(o.get(state::nextOfficer));
  cells[kNextOfficerColumn] = nameOfNumber(scenario, o.get(state::nextOfficer));
  return cells;
}

// The waiting order step that ends every officer table sorts each scenario's waiting officers by year
// of appearance and order key; a scenario whose officers stand otherwise is re-ordered by any table.
bool waitingInOrder(const ScenarioSet& set, std::size_t s) {
  if (s >= set.waitingQueue.size()) return false;
  const std::deque<WaitingEntry>& queue = set.waitingQueue[s];
  const std::uint32_t onMap = set.scenario(s).onMapCount;
  for (std::size_t j = 0; j < queue.size(); ++j) {
    if (queue[j].index != static_cast<std::int32_t>(onMap + j)) return false;
    if (j > 0 && std::tie(queue[j].appearYear, queue[j].orderKey) < std::tie(queue[j - 1].appearYear, queue[j - 1].orderKey))
      return false;
  }
  return true;
}


}  // namespace

ExportedTable exportOfficerTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios) {
  buildVocabularyTables();
  ExportedTable table;
  std::vector<std::string> header{"剧本", "ID", "姓名", "设置", "编号"};
  std::vector<std::string> switches{kNoCell, kNoCell, kNoCell, "1", kNoCell};  // releaseEmptyCity 1
  for (const char* column : kOfficerColumnNames) {
    header.emplace_back(column);
    switches.emplace_back("1");
  }
  table.text = tableLine(header) + tableLine(switches);

  for (const std::size_t s : scenarioList(set.scenarioCount(), scenarios)) {
    const Scenario& scenario = set.scenario(s);
    for (int n = 1; n <= static_cast<int>(scenario.officerCount); ++n) {
      const OfficerProfile& p = scenario.officerProfile(n);
      const int id = p.get(profile::id);
      const WaitingEntry* entry = queueEntry(set, s, n - 1, id);
      const Obstacles obstacles = obstaclesOf(set, s, n);
      if (!obstacles.empty())
        table.problems.push_back(obstacles.problem(
            formatMessage("剧本%zu 武将ID %d（%s）", s, id, informative(p.text(profile::name)).c_str())));
      std::vector<std::string> cells{numeral(static_cast<long>(s)), numeral(id), informative(p.text(profile::name)),
                                     obstacles.empty() ? "1" : "0",
                                     numeral(entry != nullptr ? static_cast<long>(entry->orderKey) : n)};
      const std::array<std::string, kOfficerColumnCount> values = valueCells(set, s, n);
      cells.insert(cells.end(), values.begin(), values.end());
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
