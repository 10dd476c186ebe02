#pragma once
// The rules that end every applied row of the officer table: they bring the officer's skills,
// experience, duties, troops, items and rank back in line with the game's rules after his values were
// overwritten, or refuse the row.
#include <cstdint>

#include "tables/OfficerTableRow.h"

namespace vorandel {

// Runs the finishing rules on the row's officer, in the game's order: learned count, learnable skills,
// learned skills, growth, experience, duties, troops, items and the strategist's minimums, promotion.
// Errors name the last cell the row applied.
void finishOfficerRow(OfficerImport& import, const OfficerRow& row);

// The item rule: an officer who is not a ruler holds at most one item of each kind (books, medicine
// books, weapons, horses) and never the seal, unless his id is one of 492..499; a waiting officer holds
// no item at all. The message of the rule he breaks, or nullptr when he keeps it.
const char* itemRuleFault(const OfficerState& officer, int id);

// The skills that the first learnedCount learnable slots stand for, which every applied row adds to the
// learned skills. Each slot must name a skill (0..31) and no skill may stand twice; otherwise `fault`
// holds the message of the first slot that does not.
struct SlotSkills {
  std::uint32_t learned = 0;
  const char* fault = nullptr;
};
SlotSkills learnedFromSlots(const OfficerProfile& profile, unsigned learnedCount);

}  // namespace vorandel
