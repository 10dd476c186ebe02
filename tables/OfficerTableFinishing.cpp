#include "tables/OfficerTableFinishing.h"

#include <bit>

#include "model/CellError.h"
#include "rules/GameRules.h"
#include "tables/TableMessages.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

void count(const OfficerImport& import, const char* what) {
  if (import.warnings != nullptr) import.warnings->count(what);
}

void raiseExperience(const OfficerImport& import, OfficerState& officer, const OfficerProfile& profile) {
  const unsigned growth = profile.get(profile::growth);
  if (growth > 15) failCell(kGrowthBelow16);
  const std::uint16_t least = experienceTable[growth][officer.get(state::learnedCount)];
  if (officer.get(state::experience) < least) {
    officer.set(state::experience, least);
    count(import, "「经验」按成长和已学技能数提高到最低值的武将");
  }
}

void checkDuties(OfficerState& officer) {
  if (officer.get(state::status) == kRuler) {
    officer.set(state::duties, kRulerDuties);
    return;
  }
  if (std::popcount(officer.get(state::duties)) > 1) failCell(kOneDutyOnly);
}

void raiseToStrategistMinimums(const OfficerImport& import, OfficerState& officer) {
  bool raised = false;
  if (officer.get(state::intelligence) < kStrategistIntelligence) {
    officer.set(state::intelligence, kStrategistIntelligence);
    raised = true;
  }
  if (officer.get(state::politics) < kStrategistPolitics) {
    officer.set(state::politics, kStrategistPolitics);
    raised = true;
  }
  if (raised) count(import, "军师的「智力」「政治」提高到军师最低值的武将");
}

void promoteToStrategist(const OfficerImport& import, OfficerState& officer) {
  if (officer.get(state::status) == kOrdinary && officer.get(state::intelligence) >= kStrategistIntelligence &&
      officer.get(state::politics) >= kStrategistPolitics) {
    officer.set(state::status, kStrategist);
    count(import, "因「智力」「政治」够高而升为军师的武将");
  }
}

}  // namespace

SlotSkills learnedFromSlots(const OfficerProfile& profile, unsigned learnedCount) {
  SlotSkills skills;
  std::uint32_t seen = 0;
  for (std::size_t slot = 0; slot < profile::learnableSkills.count; ++slot) {
    const unsigned code = profile.get(profile::learnableSkills, slot);
    if (code > 31) return {0, kSkillCodeOutOfRange};
    if ((seen >> code) & 1u) return {0, kSkillRepeated};
    seen |= 1u << code;
    if (slot < learnedCount) skills.learned |= 1u << code;
  }
  return skills;
}

const char* itemRuleFault(const OfficerState& officer, int id) {
  const unsigned status = officer.get(state::status);
  if (status == kRuler) return nullptr;
  const std::uint32_t items = officer.get(state::items);
  if (!isSpecialId(id)) {
    for (int kind = 1; kind < kSealKind; ++kind)
      if (std::popcount(items & itemKindMask(kind)) > 1) return kOneItemKind;
    if ((items & itemKindMask(kSealKind)) != 0) return kOneItemKind;
  }
  if (status == kWaiting && items != 0) return kWaitingHoldsNoItems;
  return nullptr;
}

void finishOfficerRow(OfficerImport& import, const OfficerRow& row) {
  Scenario& scenario = import.set.scenario(row.s);
  OfficerState& officer = scenario.officerState(row.number());
  const OfficerProfile& profile = scenario.officerProfile(row.number());

  if (officer.get(state::learnedCount) > kMaxLearnedSkills) officer.set(state::learnedCount, kMaxLearnedSkills);
  const SlotSkills fromSlots = learnedFromSlots(profile, officer.get(state::learnedCount));
  if (fromSlots.fault != nullptr) failCell(fromSlots.fault);
  officer.set(state::learnedSkills, fromSlots.learned | row.namedSkills | row.extraSkills);
  raiseExperience(import, officer, profile);
  checkDuties(officer);

  const unsigned status = officer.get(state::status);
  if (status >= kInTraining) {
    if (officer.get(state::soldiers) != 0 || officer.get(state::training) != 0)
      count(import, "不能带兵（修行、在野、隐居、待命）而「士兵」「训练」被清零的武将");
    officer.set(state::soldiers, 0);
    officer.set(state::training, 0);
  }
  if (status != kRuler) {
    if (const char* fault = itemRuleFault(officer, row.id)) failCell(fault);
    if (status == kStrategist) raiseToStrategistMinimums(import, officer);
  }
  promoteToStrategist(import, officer);
}

}  // namespace vorandel
