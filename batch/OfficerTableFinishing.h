#pragma once
// The rules that end every applied row of the officer table: they bring the officer's skills,
// experience, duties, troops, items and rank back in line with the game's rules after his values were
// overwritten, or refuse the row.
#include <array>
#include <cstdint>

#include "batch/OfficerTableRow.h"

namespace vorandel {

// The least experience an officer has by growth (0..15) and number of learned skills (0..6).
inline constexpr std::array<std::array<std::uint16_t, 7>, 16> experienceTable{{
    {0, 700, 1300, 2600, 5200, 8000, 12000},
    {0, 1000, 2000, 4000, 8000, 16000, 32000},
    {0, 1000, 2000, 3000, 4000, 5000, 50000},
    {0, 1200, 2400, 4800, 9600, 14400, 28800},
    {0, 1300, 2600, 5200, 8000, 12000, 16000},
    {0, 2400, 4800, 9600, 12000, 18000, 24000},
    {0, 3000, 6000, 9000, 12000, 15000, 18000},
    {0, 6000, 12000, 18000, 27000, 36000, 45000},
    {0, 10000, 13000, 16000, 19000, 22000, 25000},
    {0, 10000, 11000, 12000, 30000, 31000, 32000},
    {0, 11000, 12000, 21000, 22000, 41000, 42000},
    {0, 12000, 18000, 24000, 36000, 48000, 60000},
    {0, 15000, 21000, 27000, 33000, 39000, 51000},
    {0, 20000, 25000, 30000, 35000, 40000, 45000},
    {0, 24000, 28000, 32000, 36000, 40000, 48000},
    {0, 30000, 35000, 40000, 45000, 50000, 60000},
}};

// Runs the finishing rules on the row's officer, in the game's order: learned count, learnable skills,
// learned skills, growth, experience, duties, troops, items and the strategist's minimums, promotion.
// Errors name the last cell the row applied.
void finishOfficerRow(OfficerImport& import, const OfficerRow& row);

// The item rule: an officer who is not a ruler holds at most one item of each kind (books, medicine
// books, weapons, horses) and never the seal, unless his id is one of 492..499; a waiting officer holds
// no item at all.
void checkItemRule(const OfficerState& officer, int id);

}  // namespace vorandel
