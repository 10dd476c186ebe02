// The edge between the stored links and the typed numbers: which stored values are nobody, how nobody
// is written back, and that the number types do not mix with plain integers or with one another.
#include "model/RecordLinks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <type_traits>

#include "model/OfficerIndex.h"

namespace vorandel {
namespace {

static_assert(!std::is_convertible_v<int, OfficerNumber> && !std::is_convertible_v<OfficerNumber, int>);
static_assert(!std::is_convertible_v<CityNumber, ForceNumber> && !std::is_convertible_v<ForceNumber, CityNumber>);
static_assert(!std::is_convertible_v<OfficerNumber, CityNumber>);

// One stored value as each kind of link reads it: the number, or nothing for nobody.
struct ReadCase {
  int stored;
  std::optional<int> expected;
};

const ReadCase kReadCases[] = {
    {-128, std::nullopt}, {-2, std::nullopt}, {-1, std::nullopt}, {0, std::nullopt}, {1, 1}, {47, 47}, {48, 48},
    {127, 127},           {2999, 2999},       {32767, 32767},
};

template <class Number>
std::optional<int> shown(std::optional<Number> n) {
  if (!n) return std::nullopt;
  return n->value();
}

TEST(RecordLinks, ZeroAndNegativeValuesAreNobodyAndEveryPositiveValueIsKeptAsItsNumber) {
  for (const ReadCase& c : kReadCases) {
    EXPECT_EQ(shown(officerLink(c.stored)), c.expected) << c.stored;
    EXPECT_EQ(shown(cityLink(c.stored)), c.expected) << c.stored;
    EXPECT_EQ(shown(forceLink(c.stored)), c.expected) << c.stored;
  }
}

TEST(RecordLinks, NobodyIsWrittenMinusOneExceptAtTheHeadOfAList) {
  EXPECT_EQ(storedOfficerLink(std::nullopt), -1);
  EXPECT_EQ(storedCityLink(std::nullopt), -1);
  EXPECT_EQ(storedForceLink(std::nullopt), -1);
  EXPECT_EQ(storedPreviousOfficer(std::nullopt), 0);
  EXPECT_EQ(storedPreviousCity(std::nullopt), 0);

  // A number is written as it stands, whatever kind of link holds it.
  for (const int n : {1, 13, 47, 127}) {
    EXPECT_EQ(storedOfficerLink(OfficerNumber{n}), n);
    EXPECT_EQ(storedPreviousOfficer(OfficerNumber{n}), n);
    EXPECT_EQ(storedCityLink(CityNumber{n}), n);
    EXPECT_EQ(storedPreviousCity(CityNumber{n}), n);
    EXPECT_EQ(storedForceLink(ForceNumber{n}), n);
  }
  EXPECT_EQ(storedOfficerLink(OfficerNumber{2999}), 2999);
}

// Reading and writing back gives the stored bytes again for every value a valid scenario holds there.
TEST(RecordLinks, AValidLinkSurvivesReadingAndWritingBack) {
  for (const std::int16_t stored : {std::int16_t{-1}, std::int16_t{1}, std::int16_t{292}, std::int16_t{2999}})
    EXPECT_EQ(storedOfficerLink(officerLink(stored)), stored);
  for (const std::int16_t stored : {std::int16_t{0}, std::int16_t{1}, std::int16_t{2999}})
    EXPECT_EQ(storedPreviousOfficer(officerLink(stored)), stored);
  for (const std::int8_t stored : {std::int8_t{-1}, std::int8_t{1}, std::int8_t{47}}) {
    EXPECT_EQ(storedCityLink(cityLink(stored)), stored);
    EXPECT_EQ(storedForceLink(forceLink(stored)), stored);
  }
  for (const std::int8_t stored : {std::int8_t{0}, std::int8_t{1}, std::int8_t{47}})
    EXPECT_EQ(storedPreviousCity(cityLink(stored)), stored);
}

TEST(RecordLinks, NumbersCompareByValueAndTurnIntoOfficerIndexes) {
  EXPECT_EQ(CityNumber{11}, CityNumber{11});
  EXPECT_NE(CityNumber{11}, CityNumber{12});
  EXPECT_LT(ForceNumber{2}, ForceNumber{3});
  EXPECT_EQ(officerLink(5), OfficerNumber{5});
  EXPECT_NE(officerLink(0), OfficerNumber{0});
  EXPECT_EQ(OfficerIndex{0}.officerNumber(), OfficerNumber{1});
  EXPECT_EQ(OfficerIndex{291}.officerNumber(), OfficerNumber{292});
  EXPECT_EQ(OfficerIndex::ofNumber(OfficerNumber{292}), OfficerIndex{291});
  EXPECT_EQ(OfficerIndex::ofNumber(OfficerNumber{7}).number(), 7);
}

}  // namespace
}  // namespace vorandel
