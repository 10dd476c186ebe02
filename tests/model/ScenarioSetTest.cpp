#include "model/ScenarioSet.h"

#include <gtest/gtest.h>

#include "model/EditError.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

TEST(ScenarioSet, FieldsAreLittleEndianAtTheGameOffsets) {
  Scenario scenario;
  scenario.force(21).set(force::firstCity, 5);
  EXPECT_EQ(scenario.block.bytes[3901 + 77 * 20 + 22], 5);
  EXPECT_EQ(3901 + 77 * 21, static_cast<int>(kBlockSize));  // the last force ends the block
  scenario.city(2).set(city::governor, 0x1234);
  EXPECT_EQ(scenario.block.bytes[987 + 30 + 4], 0x34);
  EXPECT_EQ(scenario.block.bytes[987 + 30 + 5], 0x12);

  OfficerState state{};
  state.bytes[10] = 0xFF;
  state.set(state::status, 2);
  EXPECT_EQ(state.bytes[10], 0xFA);  // only bits 0..2 change
  EXPECT_EQ(state.get(state::lifespan), 7u);
  OfficerProfile profile{};
  profile.set(profile::id, 499);
  EXPECT_EQ(profile.bytes[30], 499 & 0xFF);
  EXPECT_EQ(profile.bytes[31], 499 >> 8);
}

TEST(ScenarioSet, LocatorsRefuseNumbersOutsideTheirRange) {
  Scenario scenario = testing::smallValidSet().scenarios[0];
  EXPECT_THROW(scenario.city(0), EditError);
  EXPECT_THROW(scenario.city(48), EditError);
  EXPECT_THROW(scenario.cityName(-1), EditError);
  EXPECT_THROW(scenario.force(0), EditError);
  EXPECT_THROW(scenario.force(22), EditError);
  EXPECT_THROW(scenario.officerState(0), EditError);
  EXPECT_THROW(scenario.officerState(-1), EditError);
  EXPECT_THROW(scenario.officerProfile(static_cast<int>(scenario.officerCount) + 1), EditError);
  EXPECT_NO_THROW(scenario.officerProfile(static_cast<int>(scenario.officerCount)));
  EXPECT_THROW(scenario.trailer.get(trailer::itemHolder, 32), EditError);
  EXPECT_THROW(scenario.cityName(1).get(cityName::neighbours, 6), EditError);
  // A count that runs ahead of the records does not open a way past them.
  scenario.officerCount += 5;
  EXPECT_THROW(scenario.officerState(static_cast<int>(scenario.states.size()) + 1), EditError);
}

// The officer record vectors copy with one memcpy: into a longer vector, a shorter one, an empty one and
// itself, each copy is equal and its own.
TEST(ScenarioSet, OfficerRecordCopiesAreWholeAndTheirOwn) {
  auto records = [](std::size_t n, std::uint8_t first) {
    OfficerStates states;
    for (std::size_t k = 0; k < n; ++k) {
      OfficerState state{};
      state.bytes.fill(static_cast<std::uint8_t>(first + k));
      states.push_back(state);
    }
    return states;
  };
  const OfficerStates source = records(5, 10);
  for (const std::size_t before : {std::size_t{0}, std::size_t{2}, std::size_t{9}}) {
    OfficerStates target = records(before, 200);
    target = source;
    EXPECT_EQ(target, source) << before;
    target[4].bytes[30] = 0;
    EXPECT_EQ(source[4].bytes[30], 14) << "a copy shares nothing with its source";
  }
  OfficerStates copied(source);
  EXPECT_EQ(copied, source);
  const OfficerStates& same = copied;
  copied = same;
  EXPECT_EQ(copied, source) << "a copy onto itself keeps the records";
  copied = OfficerStates{};
  EXPECT_TRUE(copied.empty());
}

}  // namespace
}  // namespace vorandel
