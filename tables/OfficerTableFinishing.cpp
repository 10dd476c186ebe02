#include "tables/OfficerTableFinishing.h"

#include <algorithm>
#include <array>

#include "rules/GameRules.h"
#include "tables/OfficerTableRow.h"
#include "tables/TableMessages.h"

namespace vorandel {

namespace {

constexpr const char* kExperienceRaised = "「经验」按成长和已学技能数提高到最低值的武将";
constexpr const char* kTroopsCleared = "不能带兵（修行、在野、隐居、待命）而「士兵」「训练」被清零的武将";
constexpr const char* kStrategistRaised = "军师的「智力」「政治」提高到军师最低值的武将";
constexpr const char* kPromoted = "因「智力」「政治」够高而升为军师的武将";

using Found = FindingCallback;

void refuse(Found found, int column, const char* fault) { found(RuleFinding{column, fault, nullptr}); }
void changed(Found found, int column, const char* counted = nullptr) { found(RuleFinding{column, nullptr, counted}); }

// The skills that the first learnedCount learnable slots stand for. Each slot must name a skill (0..31)
// and no skill may stand twice; otherwise the message of the first slot that does not.
struct SlotSkills {
  std::uint32_t learned = 0;
  const char* fault = nullptr;
};

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

// An officer who is not a ruler holds at most one item of each kind (books, medicine books, weapons,
// horses) and never the seal, unless his id is one of 492..499; a waiting officer holds no item at all.
constexpr std::array<std::uint32_t, kSealKind + 1> kItemKindMasks = [] {
  std::array<std::uint32_t, kSealKind + 1> masks{};
  for (int kind = 1; kind <= kSealKind; ++kind) masks[static_cast<std::size_t>(kind)] = itemKindMask(kind);
  return masks;
}();

// Whether more than one bit is set. Written out: std::popcount is a library call on machines without the
// instruction, and this test runs several times per row.
constexpr bool hasSeveralBits(std::uint32_t bits) { return (bits & (bits - 1)) != 0; }

const char* itemRuleFault(const OfficerState& officer, int id) {
  const std::uint32_t items = officer.get(state::items);
  if (!isSpecialId(id)) {
    for (int kind = 1; kind < kSealKind; ++kind)
      if (hasSeveralBits(items & kItemKindMasks[static_cast<std::size_t>(kind)])) return kOneItemKind;
    if ((items & kItemKindMasks[kSealKind]) != 0) return kOneItemKind;
  }
  if (officer.get(state::status) == kWaiting && items != 0) return kWaitingHoldsNoItems;
  return nullptr;
}

void finishSkills(OfficerState& officer, const OfficerProfile& profile, RowSkills skills, Found found) {
  if (officer.get(state::learnedCount) > kMaxLearnedSkills) {
    officer.set(state::learnedCount, kMaxLearnedSkills);
    changed(found, kLearnedCountColumn);
  }
  const SlotSkills fromSlots = learnedFromSlots(profile, officer.get(state::learnedCount));
  if (fromSlots.fault != nullptr) {
    refuse(found, kLearnableSkillsColumn, fromSlots.fault);
    return;
  }
  const std::uint32_t learned = fromSlots.learned | skills.named | skills.extra;
  if (officer.get(state::learnedSkills) != learned) {
    officer.set(state::learnedSkills, learned);
    changed(found, kLearnedSkillsColumn);
  }
}

void finishExperience(OfficerState& officer, const OfficerProfile& profile, Found found) {
  const unsigned growth = profile.get(profile::growth);
  if (growth >= experienceTable.size()) {
    refuse(found, kGrowthColumn, kGrowthBelow16);
    return;
  }
  const std::uint16_t least = experienceTable[growth][std::min(officer.get(state::learnedCount), kMaxLearnedSkills)];
  if (officer.get(state::experience) < least) {
    officer.set(state::experience, least);
    changed(found, kExperienceColumn, kExperienceRaised);
  }
}

// A ruler heads every field of work but 内政; anybody else heads at most one.
void finishDuties(OfficerState& officer, Found found) {
  if (officer.get(state::status) == kRuler) {
    if (officer.get(state::duties) != kRulerDuties) {
      officer.set(state::duties, kRulerDuties);
      changed(found, kDutiesColumn);
    }
    return;
  }
  if (hasSeveralBits(officer.get(state::duties))) refuse(found, kDutiesColumn, kOneDutyOnly);
}

// From in training on, an officer leads no troops.
void finishTroops(OfficerState& officer, Found found) {
  if (officer.get(state::status) < kInTraining) return;
  if (officer.get(state::soldiers) != 0) {
    officer.set(state::soldiers, 0);
    changed(found, kSoldiersColumn, kTroopsCleared);
  }
  if (officer.get(state::training) != 0) {
    officer.set(state::training, 0);
    changed(found, kTrainingColumn, kTroopsCleared);
  }
}

// A strategist has the strategist's minimums; an ordinary officer who has them becomes a strategist.
void finishRank(OfficerState& officer, Found found) {
  const unsigned status = officer.get(state::status);
  if (status == kStrategist) {
    if (officer.get(state::intelligence) < kStrategistIntelligence) {
      officer.set(state::intelligence, kStrategistIntelligence);
      changed(found, kIntelligenceColumn, kStrategistRaised);
    }
    if (officer.get(state::politics) < kStrategistPolitics) {
      officer.set(state::politics, kStrategistPolitics);
      changed(found, kPoliticsColumn, kStrategistRaised);
    }
  }
  if (status == kOrdinary && officer.get(state::intelligence) >= kStrategistIntelligence &&
      officer.get(state::politics) >= kStrategistPolitics) {
    officer.set(state::status, kStrategist);
    changed(found, kStatusColumn, kPromoted);
  }
}

}  // namespace

std::uint32_t skillsBesideSlots(const OfficerState& officer, const OfficerProfile& profile) {
  const unsigned learnedCount = std::min(officer.get(state::learnedCount), kMaxLearnedSkills);
  std::uint32_t slots = 0;
  for (std::size_t slot = 0; slot < learnedCount; ++slot) {
    const unsigned code = profile.get(profile::learnableSkills, slot);
    if (code <= 31) slots |= 1u << code;
  }
  return officer.get(state::learnedSkills) & ~slots;
}

void finishOfficer(OfficerState& officer, const OfficerProfile& profile, int id, RowSkills skills, Found found) {
  finishSkills(officer, profile, skills, found);
  finishExperience(officer, profile, found);
  finishDuties(officer, found);
  finishTroops(officer, found);
  if (officer.get(state::status) != kRuler)
    if (const char* fault = itemRuleFault(officer, id)) refuse(found, kItemsColumn, fault);
  finishRank(officer, found);
}

}  // namespace vorandel
