#include "tables/OfficerTableColumns.h"

#include <cstdint>
#include <optional>

#include "tables/BatchTable.h"
#include "model/CellError.h"
#include "tables/CellParsers.h"
#include "tables/OfficerTable.h"
#include "tables/Vocabulary.h"
#include "rules/GameRules.h"

namespace vorandel {

namespace {

constexpr const char* kUnknownName = "输入文件存在错误数据，请检查非数字文本串。";

std::uint8_t byteValue(std::string_view cell, std::int32_t high) {
  return static_cast<std::uint8_t>(parseBounded(cell, high));
}

std::uint16_t wordValue(std::string_view cell, std::int32_t high) {
  return static_cast<std::uint16_t>(parseBounded(cell, high));
}

void writeNewId(OfficerImport& import, OfficerRow& row, OfficerProfile& profile, std::string_view cell) {
  const int id = parseBounded(cell, kIdLimit - 1);
  std::uint8_t& count = import.newIdCount[row.s][static_cast<std::size_t>(id)];
  if (count != 0) failCell("ID重复");
  count = 1;
  profile.set(profile::id, static_cast<std::uint16_t>(id));
}

void writeName(OfficerProfile& profile, std::string_view cell) {
  if (cell.size() >= kOfficerNameWidth) failCell("武将名过长");
  profile.setText(profile::name, cell, kOfficerNameWidth);
}

// Six skill names, in the order of the officer's six learnable slots.
void writeLearnableSkills(OfficerProfile& profile, std::string_view cell) {
  if (cell == "---") failCell("技能不能为空值");
  const std::vector<std::string_view> names = splitList(cell, ',');
  if (names.size() != profile::learnableSkills.count) failCell("技能个数必须为6个");
  for (std::size_t slot = 0; slot < names.size(); ++slot) {
    const std::optional<int> code = skillTable().find(names[slot]);
    if (!code) failCell(kUnknownName);
    profile.set(profile::learnableSkills, slot, static_cast<std::uint8_t>(*code));
  }
}

// "---" gives every field of work that a ruler has; a name gives only its own field.
void writeDuties(OfficerState& officer, std::string_view cell) {
  if (cell == "---") {
    officer.set(state::duties, kRulerDuties);
    return;
  }
  const std::optional<int> code = dutyTable().find(cell);
  if (!code) failCell(kUnknownName);
  officer.set(state::duties, static_cast<unsigned>(*code));
}

}  // namespace

const ColumnDictionary& officerColumnTable() {
  static const ColumnDictionary columns(kOfficerColumnNames);
  return columns;
}

void applyValueColumn(OfficerImport& import, OfficerRow& row, int column, std::string_view cell) {
  Scenario& scenario = import.set.scenario(row.s);
  OfficerState& officer = scenario.officerState(row.number());
  OfficerProfile& profile = scenario.officerProfile(row.number());
  switch (column) {
    case kNewIdColumn: writeNewId(import, row, profile, cell); break;
    case kNewNameColumn: writeName(profile, cell); break;
    case kGenderColumn: profile.set(profile::gender, parseSwitch(cell) ? 1u : 0u); break;
    case kParentIdColumn:
      profile.set(profile::parentId, static_cast<std::uint16_t>(parseUnsigned(cell, 10)));  // low 16 bits
      break;
    case kBirthYearColumn:
      profile.set(profile::birthYear, static_cast<std::uint8_t>(parseRanged(cell, kYearBase, kHighestYear, 10) - kYearBase));
      break;
    case kLifespanColumn: officer.set(state::lifespan, static_cast<unsigned>(parseBounded(cell, 7))); break;
    case kFamilyColumn: profile.set(profile::family, byteValue(cell, 255)); break;
    case kGrowthColumn: profile.set(profile::growth, byteValue(cell, 15)); break;
    case kAffinityColumn: profile.set(profile::affinity, byteValue(cell, 150)); break;
    case kGoodEvilColumn: officer.set(state::goodEvil, static_cast<unsigned>(parseBounded(cell, 3))); break;
    case kWarColumn: officer.set(state::war, byteValue(cell, 255)); break;
    case kIntelligenceColumn: officer.set(state::intelligence, byteValue(cell, 255)); break;
    case kPoliticsColumn: officer.set(state::politics, byteValue(cell, 255)); break;
    case kCharismaColumn: officer.set(state::charisma, byteValue(cell, 255)); break;
    case kRighteousnessColumn:
      profile.set(profile::righteousness, static_cast<unsigned>(parseBounded(cell, 15)));
      break;
    case kAmbitionColumn: profile.set(profile::ambition, static_cast<unsigned>(parseBounded(cell, 15))); break;
    case kBraveryColumn: profile.set(profile::bravery, static_cast<unsigned>(parseBounded(cell, 7))); break;
    case kCalmnessColumn: profile.set(profile::calmness, static_cast<unsigned>(parseBounded(cell, 7))); break;
    case kFormationsColumn:
      // Bit 0 (no formation) is always set; "---" leaves only it.
      profile.set(profile::formations, static_cast<std::uint16_t>(parseNameSet(formationTable(), cell, ',') | 1u));
      break;
    case kLearnableSkillsColumn: writeLearnableSkills(profile, cell); break;
    case kLearnedCountColumn: officer.set(state::learnedCount, static_cast<unsigned>(parseBounded(cell, 6))); break;
    case kLearnedSkillsColumn: row.namedSkills = parseNameSet(skillTable(), cell, ','); break;
    case kExtraSkillsColumn: row.extraSkills = parseUnsigned(cell, 16); break;
    case kFameColumn: officer.set(state::fame, wordValue(cell, 10000)); break;
    case kExperienceColumn: officer.set(state::experience, wordValue(cell, 60000)); break;
    case kLoyaltyColumn: officer.set(state::loyalty, byteValue(cell, 100)); break;
    case kRebelColumn: officer.set(state::rebel, parseSwitch(cell) ? 1u : 0u); break;
    case kActedColumn: officer.set(state::acted, parseSwitch(cell) ? 1u : 0u); break;
    case kTraitColumn: officer.set(state::trait, parseSwitch(cell) ? 1u : 0u); break;
    case kAllegianceColumn: officer.set(state::allegiance, static_cast<unsigned>(parseBounded(cell, 3))); break;
    case kSoldiersColumn: officer.set(state::soldiers, wordValue(cell, 20000)); break;
    case kTrainingColumn: officer.set(state::training, byteValue(cell, 100)); break;
    case kMoraleColumn: officer.set(state::morale, byteValue(cell, 100)); break;
    case kDutiesColumn: writeDuties(officer, cell); break;
    default:
      // 父母姓名, 身份, 年龄, 势力, 君主, 将军 and the list columns are shown for the player's orientation.
      break;
  }
}

}  // namespace vorandel
