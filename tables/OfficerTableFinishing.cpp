#include "tables/OfficerTableFinishing.h"

#include <bit>

#include "model/CellError.h"
#include "tables/Vocabulary.h"
#include "rules/GameRules.h"

namespace vorandel {

namespace {

constexpr unsigned kMaxLearned = 6;
constexpr unsigned kStrategistIntelligence = 90;
constexpr unsigned kStrategistPolitics = 80;

// The first learnedCount learnable skills are the ones he has learned; each slot names a skill (0..31)
// and no skill twice.
std::uint32_t learnedFromSlots(const OfficerProfile& profile, unsigned learnedCount) {
  std::uint32_t learned = 0;
  for (std::size_t slot = 0; slot < profile::learnableSkills.count; ++slot) {
    const unsigned code = profile.get(profile::learnableSkills, slot);
    if (code > 31) failCell("技能代码超过范围");
    if (slot < learnedCount) learned |= 1u << code;
    for (std::size_t earlier = 0; earlier < slot; ++earlier)
      if (profile.get(profile::learnableSkills, earlier) == code) failCell("技能出现重复");
  }
  return learned;
}

void raiseExperience(OfficerState& officer, const OfficerProfile& profile) {
  const unsigned growth = profile.get(profile::growth);
  if (growth > 15) failCell("成长值必须小于16");
  const std::uint16_t least = experienceTable[growth][officer.get(state::learnedCount)];
  if (officer.get(state::experience) < least) officer.set(state::experience, least);
}

void checkDuties(OfficerState& officer) {
  if (officer.get(state::status) == kRuler) {
    officer.set(state::duties, kRulerDuties);
    return;
  }
  if (std::popcount(officer.get(state::duties)) > 1) failCell("非君主只能主管一项工作");
}

void raiseToStrategistMinimums(OfficerState& officer) {
  if (officer.get(state::intelligence) < kStrategistIntelligence)
    officer.set(state::intelligence, kStrategistIntelligence);
  if (officer.get(state::politics) < kStrategistPolitics) officer.set(state::politics, kStrategistPolitics);
}

void promoteToStrategist(OfficerState& officer) {
  if (officer.get(state::status) == kOrdinary && officer.get(state::intelligence) >= kStrategistIntelligence &&
      officer.get(state::politics) >= kStrategistPolitics)
    officer.set(state::status, kStrategist);
}

}  // namespace

void checkItemRule(const OfficerState& officer, int id) {
  const unsigned status = officer.get(state::status);
  if (status == kRuler) return;
  const std::uint32_t items = officer.get(state::items);
  if (!isSpecialId(id)) {
    for (int kind = 1; kind <= 4; ++kind)
      if (std::popcount(items & itemKindMask(kind)) > 1) failCell("普通武将只能拥有一类型的宝物。");
    if ((items & itemKindMask(kSealKind)) != 0) failCell("普通武将只能拥有一类型的宝物。");
  }
  if (status == kWaiting && items != 0) failCell("待命武将不能带宝物");
}

void finishOfficerRow(OfficerImport& import, const OfficerRow& row) {
  Scenario& scenario = import.set.scenario(row.s);
  OfficerState& officer = scenario.officerState(row.number());
  const OfficerProfile& profile = scenario.officerProfile(row.number());

  if (officer.get(state::learnedCount) > kMaxLearned) officer.set(state::learnedCount, kMaxLearned);
  const std::uint32_t learned = learnedFromSlots(profile, officer.get(state::learnedCount));
  officer.set(state::learnedSkills, learned | row.namedSkills | row.extraSkills);
  raiseExperience(officer, profile);
  checkDuties(officer);

  const unsigned status = officer.get(state::status);
  if (status >= kInTraining) {
    officer.set(state::soldiers, 0);
    officer.set(state::training, 0);
  }
  if (status != kRuler) {
    checkItemRule(officer, row.id);
    if (status == kStrategist) raiseToStrategistMinimums(officer);
  }
  promoteToStrategist(officer);
}

}  // namespace vorandel
