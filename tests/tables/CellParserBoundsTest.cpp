#include "tables/CellParsers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "model/CellError.h"

namespace vorandel {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// The value a cell gives, or nothing when it is refused.
template <class Parse>
std::optional<std::int64_t> valueOf(Parse&& parse) {
  try {
    return parse();
  } catch (const CellFault&) {
    return std::nullopt;
  }
}

struct RangedCase {
  const char* cell;
  std::int32_t low, high;
  int base;
  std::optional<std::int64_t> value;
};

// Both ends of a range are inside it, one step beyond either is not; in plain decimal (the fast way), in
// other forms (the standard conversion) and at the ends of 32 bits, where numbers saturate.
const RangedCase kRangedCases[] = {
    {"0", 0, 9, 10, 0},
    {"9", 0, 9, 10, 9},
    {"10", 0, 9, 10, std::nullopt},
    {"-1", 0, 9, 10, std::nullopt},
    {"-5", -5, 5, 10, -5},
    {"-6", -5, 5, 10, std::nullopt},
    {"+5", -5, 5, 10, 5},
    {"999999999", 0, 999999999, 10, 999999999},
    {"1000000000", 0, 999999999, 10, std::nullopt},
    {"0999999999", 0, 999999999, 10, 999999999},
    {"2147483647", 0, kMax, 10, kMax},
    {"2147483648", 0, kMax, 10, kMax},
    {"99999999999", 0, kMax, 10, kMax},
    {"-2147483648", kMin, 0, 10, kMin},
    {"-2147483649", kMin, 0, 10, kMin},
    {"2147483648", 0, kMax - 1, 10, std::nullopt},
    {"-2147483649", kMin + 1, 0, 10, std::nullopt},
    {"ff", 0, 255, 16, 255},
    {"100", 0, 255, 16, std::nullopt},
    {"0x10", 16, 16, 16, 16},
};

TEST(CellParserBounds, RangesIncludeBothEndsAndNothingBeyond) {
  for (const RangedCase& c : kRangedCases)
    EXPECT_EQ(valueOf([&] { return parseRanged(c.cell, c.low, c.high, c.base); }), c.value)
        << c.cell << " in " << c.low << ".." << c.high << " base " << c.base;
}

struct UnsignedCase {
  const char* cell;
  int base;
  std::uint32_t value;
};

// 32 bits without a sign: the largest number stays, anything larger saturates, a negative one wraps.
const UnsignedCase kUnsignedCases[] = {
    {"4294967295", 10, 4294967295u},
    {"4294967296", 10, 4294967295u},
    {"4294967294", 10, 4294967294u},
    {"ffffffff", 16, 4294967295u},
    {"100000000", 16, 4294967295u},
    {"-1", 10, 4294967295u},
    {"-4294967295", 10, 1u},
    {"0", 10, 0u},
    {"1A0", 16, 0x1A0u},
};

TEST(CellParserBounds, UnsignedNumbersSaturateAtThirtyTwoBits) {
  for (const UnsignedCase& c : kUnsignedCases) EXPECT_EQ(parseUnsigned(c.cell, c.base), c.value) << c.cell;
}

}  // namespace
}  // namespace vorandel
