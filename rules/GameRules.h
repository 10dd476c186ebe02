#pragma once
// The game's constants and tables that more than one part of the editor needs: what a ruler's duties
// are, which ids may hold any items, how years and names are stored, how items fall into kinds, and how
// much experience a growth and a number of learned skills require. Each is defined here and nowhere else.
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "model/Records.h"

namespace vorandel {

// A ruler heads every field of work but 内政 (军事, 人事, 计谋, 外交, 特殊); anybody else heads one.
inline constexpr unsigned kRulerDuties = 0x3B;
// What an officer who enters a force without an assigned job heads: 特殊.
inline constexpr unsigned kSpecialDuty = 0x20;

// Officers with these ids may hold any items, also the seal.
inline constexpr int kSpecialIdFirst = 492;
inline constexpr int kSpecialIdLast = 499;
constexpr bool isSpecialId(int id) { return id >= kSpecialIdFirst && id <= kSpecialIdLast; }

// Years are stored as the year minus 100 in one byte.
inline constexpr int kYearBase = 100;
inline constexpr int kHighestYear = kYearBase + 255;
// An officer appears on the map at 15 at the earliest.
inline constexpr int kMinAgeOnMap = 15;

// Names: at most this many GBK bytes of text (a Chinese character takes two), written into the record
// with a terminating NUL.
inline constexpr std::size_t kOfficerNameLength = 8;
inline constexpr std::size_t kCityNameLength = 4;
inline constexpr std::size_t kOfficerNameWidth = kOfficerNameLength + 1;
inline constexpr std::size_t kCityNameWidth = kCityNameLength + 1;

// A ruler, a strategist and an ordinary officer serve a force: they stand in their city's serving list.
constexpr bool isServing(unsigned status) { return status <= kOrdinary; }
// Officers in training, unaffiliated officers and hermits serve no force: they stand in their city's free
// lists.
constexpr bool isFree(unsigned status) { return status == kInTraining || status == kUnaffiliated || status == kHermit; }

// At most this many officers are on the map in a scenario. (How many may wait is the format's: the
// scenario block has room for the appearance years of kMaxWaiting officers.)
inline constexpr int kMaxOnMap = 292;

// The extent of the small and the large map: the most a city's coordinates can say.
inline constexpr int kMapWidth = 800;
inline constexpr int kMapHeight = 600;

// The waiting order's key: any non-negative 32-bit number.
inline constexpr std::int32_t kMaxOrderKey = std::numeric_limits<std::int32_t>::max();

// Item kinds: 1 books (items 0..9), 2 medicine books (10, 11), 3 weapons (12..26), 4 horses (27..30),
// 5 the seal (31); 0 for a number that is no item.
inline constexpr int kItemKindCount = 5;
inline constexpr int kSealKind = 5;
constexpr int itemKind(int item) {
  if (item < 0 || item >= kItemCount) return 0;
  if (item <= 9) return 1;
  if (item <= 11) return 2;
  if (item <= 26) return 3;
  if (item <= 30) return 4;
  return kSealKind;
}
// The bits of the 32-bit item set that belong to a kind 1..5; 0 for any other kind.
constexpr std::uint32_t itemKindMask(int kind) {
  std::uint32_t mask = 0;
  for (int item = 0; item < kItemCount; ++item)
    if (kind != 0 && itemKind(item) == kind) mask |= std::uint32_t{1} << item;
  return mask;
}
static_assert(itemKindMask(1) == 0x000003FFu && itemKindMask(3) == 0x07FFF000u && itemKindMask(5) == 0x80000000u);

// An officer has learned at most this many skills.
inline constexpr unsigned kMaxLearnedSkills = 6;

// A strategist has at least this intelligence and politics; an ordinary officer who has both is a
// strategist.
inline constexpr unsigned kStrategistIntelligence = 90;
inline constexpr unsigned kStrategistPolitics = 80;

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

}  // namespace vorandel
