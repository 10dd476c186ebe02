#include "rules/WaitingOfficers.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/Messages.h"
#include "rules/RuleMessages.h"
#include "tests/rules/PlacementTestSupport.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::testing {
namespace {

using Officers = std::vector<int>;

void expectConsistent(const ScenarioSet& set) {
  EXPECT_EQ(validationError(set), "") << "the set no longer passes the validator";
  EXPECT_EQ(derivedIndexMismatch(set), "");
}

// Scenario 0 of smallValidSet starts in January 190; its waiting officers are 11 (id 40, 洛阳, 191),
// 12 (id 41, 吴, 192) and 13 (id 42, 谯, which nobody owns, 192).
class WaitingOfficersTest : public ::testing::Test {
 protected:
  ScenarioSet set = smallValidSet();
  Scenario& scenario() { return set.scenarios[0]; }
};

TEST_F(WaitingOfficersTest, FirstWaitingOfficerEntersWithoutExchangingAnyone) {
  scenario().officerProfile(11).set(profile::birthYear, 200);
  EXPECT_EQ(activateWaitingOfficer(set, 0, 40, kOrdinary), OfficerIndex{10});
  const Scenario& sc = scenario();
  EXPECT_EQ(sc.onMapCount, 11u);
  EXPECT_EQ(sc.waitingCount, 2u);
  EXPECT_EQ(sc.officerCount, 13u);
  EXPECT_EQ(sc.block.get(block::storedOnMapCount), 11);
  EXPECT_EQ(sc.block.get(block::storedWaitingCount), 2);
  EXPECT_EQ(sc.profiles[10].get(profile::id), 40);
  EXPECT_EQ(sc.officerProfile(11).get(profile::birthYear), 75) << "at least 15 years old in 190";
  const OfficerState& officer = sc.officerState(11);
  EXPECT_EQ(officer.get(state::status), kOrdinary);
  EXPECT_EQ(officer.get(state::force), 1);
  EXPECT_EQ(servingList(sc, 11), (Officers{1, 2, 3, 11}));
  EXPECT_EQ(set.waitingQueue[0].front().id, 41);
  // The appearance bytes are laid out again by the officer table, not here.
  EXPECT_EQ(sc.block.get(block::appearYear, 0), 91);
  expectConsistent(set);
}

TEST_F(WaitingOfficersTest, FifthWaitingOfficerExchangesPlacesWithTheFirst) {
  ScenarioBuilder b(190, 1);
  b.addForce(11, 10);
  b.addServing(11, 11);
  const int cities[] = {11, 11, 20, 34, 11, 5};
  for (int i = 0; i < 6; ++i)
    b.addWaiting(static_cast<std::uint16_t>(50 + i), cities[i], static_cast<std::uint8_t>(91 + i));
  ScenarioSet local = makeSet({b.build()});
  const OfficerState firstState = local.scenarios[0].states[2];

  EXPECT_EQ(activateWaitingOfficer(local, 0, 54, kStrategist), OfficerIndex{2});
  const Scenario& sc = local.scenarios[0];
  EXPECT_EQ(sc.profiles[2].get(profile::id), 54);
  EXPECT_EQ(sc.profiles[6].get(profile::id), 50);
  EXPECT_EQ(sc.states[6], firstState);
  EXPECT_EQ(local.officerIndexOf(0, 54), OfficerIndex{2});
  EXPECT_EQ(local.officerIndexOf(0, 50), OfficerIndex{6});
  const std::vector<WaitingEntry>& queue = local.waitingQueue[0];
  ASSERT_EQ(queue.size(), 5u);
  EXPECT_EQ(queue[3], (WaitingEntry{50, 6, 3, 91})) << "the first officer's entry moved with him";
  EXPECT_EQ(queue[0].id, 51);
  EXPECT_EQ(servingList(sc, 11), (Officers{1, 2, 3}));
  EXPECT_EQ(sc.officerState(3).get(state::status), kStrategist);
  expectConsistent(local);
}

TEST_F(WaitingOfficersTest, WhereTheOfficerEntersDecidesWhatHeBecomes) {
  // Nobody owns 谯: a strategist asked for becomes an unaffiliated officer there.
  scenario().officerState(13).set(state::duties, 7);
  EXPECT_EQ(activateWaitingOfficer(set, 0, 42, kStrategist), OfficerIndex{10});
  const OfficerState& free = scenario().officerState(11);
  EXPECT_EQ(free.get(state::status), kUnaffiliated);
  EXPECT_EQ(free.get(state::force), -1);
  EXPECT_EQ(free.get(state::changeMarker), 0xFF);
  EXPECT_EQ(free.get(state::duties), 32u);
  EXPECT_EQ(scenario().city(20).get(city::unaffiliatedHead), 11);
  expectConsistent(set);

  // Unaffiliated by request in a city of force 2: no force, good/evil kept.
  ScenarioSet other = smallValidSet();
  other.scenarios[0].officerState(12).set(state::goodEvil, 2);
  other.scenarios[0].officerState(12).set(state::allegiance, 3);
  EXPECT_EQ(activateWaitingOfficer(other, 0, 41, kUnaffiliated), OfficerIndex{10});
  const OfficerState& unaffiliated = other.scenarios[0].officerState(11);
  EXPECT_EQ(unaffiliated.get(state::force), -1);
  EXPECT_EQ(unaffiliated.get(state::duties), 32u);
  EXPECT_EQ(unaffiliated.get(state::goodEvil), 2u);
  EXPECT_EQ(unaffiliated.get(state::allegiance), 0u);
  EXPECT_EQ(other.scenarios[0].city(34).get(city::unaffiliatedHead), 11);
  expectConsistent(other);

  // Serving in a city of force 2, and a hermit whose location is no city enters city 1.
  ScenarioSet third = smallValidSet();
  EXPECT_EQ(activateWaitingOfficer(third, 0, 41, kStrategist), OfficerIndex{10});
  EXPECT_EQ(third.scenarios[0].officerState(11).get(state::force), 2);
  EXPECT_EQ(servingList(third.scenarios[0], 34), (Officers{6, 7, 11}));
  third.scenarios[0].officerState(12).set(state::location, 0);
  EXPECT_EQ(activateWaitingOfficer(third, 0, 40, kHermit), OfficerIndex{11});
  EXPECT_EQ(third.scenarios[0].city(1).get(city::hermitHead), 12);
  EXPECT_EQ(third.scenarios[0].officerState(12).get(state::location), 1);
  expectConsistent(third);
}

TEST_F(WaitingOfficersTest, NothingHappensForOfficersWhoAreNotWaitingOrOtherStatuses) {
  scenario().officerState(12).set(state::status, kDead);
  const ScenarioSet before = set;
  for (int status : {-1, 0, 3, 6, 7, 8}) EXPECT_EQ(activateWaitingOfficer(set, 0, 40, status), std::nullopt);
  EXPECT_EQ(activateWaitingOfficer(set, 0, 10, kOrdinary), std::nullopt);  // on the map
  EXPECT_EQ(activateWaitingOfficer(set, 0, 35, kOrdinary), std::nullopt);  // no officer has the id
  EXPECT_EQ(activateWaitingOfficer(set, 0, 41, kOrdinary), std::nullopt);  // dead
  EXPECT_EQ(activateWaitingOfficer(set, 0, 43, kOrdinary), std::nullopt);  // the first id outside the index
  EXPECT_EQ(activateWaitingOfficer(set, 0, 100000, kOrdinary), std::nullopt);
  EXPECT_EQ(activateWaitingOfficer(set, 0, -1, kOrdinary), std::nullopt);
  EXPECT_EQ(set, before);
}

TEST_F(WaitingOfficersTest, AnIndexThatNoLongerMatchesTheRecordsIsReported) {
  const ScenarioSet before = set;
  set.officerIndexById[0].pop_back();
  EXPECT_EQ(editErrorOf([&] { activateWaitingOfficer(set, 0, 40, kOrdinary); }), "索引出错1");
  EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(set, 0, 60); }), kIdIndexBroken);

  set = before;
  set.officerIndexById[0][40] = -1;  // nobody is registered at the first waiting place
  EXPECT_EQ(editErrorOf([&] { activateWaitingOfficer(set, 0, 42, kOrdinary); }), "索引出错2");

  set = before;
  set.waitingQueue[0].pop_back();
  EXPECT_EQ(editErrorOf([&] { activateWaitingOfficer(set, 0, 41, kOrdinary); }), kWaitingListBroken);
  EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(set, 0, 60); }), kWaitingListBroken);

  // Derived lists with fewer scenarios than the set (none at all, or the first only), made anew so that
  // nothing lies beyond their end: the first scenario without them is refused instead of being looked up.
  for (const std::size_t kept : {0u, 1u}) {
    set = before;
    set.waitingQueue = decltype(set.waitingQueue)(before.waitingQueue.begin(), before.waitingQueue.begin() + kept);
    EXPECT_EQ(editErrorOf([&] { activateWaitingOfficer(set, kept, 41, kOrdinary); }), kWaitingListBroken);
    EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(set, kept, 60); }), kWaitingListBroken);
    set = before;
    set.officerIndexById =
        decltype(set.officerIndexById)(before.officerIndexById.begin(), before.officerIndexById.begin() + kept);
    EXPECT_EQ(editErrorOf([&] { activateWaitingOfficer(set, kept, 41, kOrdinary); }), "索引出错1");
    EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(set, kept, 60); }), kIdIndexBroken);
  }
}

TEST_F(WaitingOfficersTest, NoMoreThan292OfficersOnTheMap) {
  for (int onMap : {291, 292}) {
    ScenarioBuilder b(190, 1);
    b.addForce(11, 1);
    for (int i = 1; i < onMap; ++i) b.addFree(1 + i % kCityCount, static_cast<std::uint16_t>(1 + i));
    b.addWaiting(600, 11, 91);
    ScenarioSet local = makeSet({b.build()});
    if (onMap == 291) {
      EXPECT_EQ(activateWaitingOfficer(local, 0, 600, kOrdinary), OfficerIndex{291});
      EXPECT_EQ(local.scenarios[0].onMapCount, 292u);
      expectConsistent(local);
    } else {
      const std::string text = cellFaultOf([&] { activateWaitingOfficer(local, 0, 600, kOrdinary); });
      EXPECT_EQ(text, "已上场人数过多， 添加失败");
    }
  }
}

// The template as the game reads it: a waiting officer with fixed average values who, placed anywhere,
// keeps the set valid.
TEST_F(WaitingOfficersTest, NewOfficerFollowsTheTemplate) {
  addWaitingOfficer(set, 0, 0x1234 % 2999);
  const Scenario& sc = scenario();
  ASSERT_EQ(sc.officerCount, 14u);
  const OfficerState& officer = sc.states[13];
  EXPECT_EQ(officer.get(state::status), kWaiting);
  EXPECT_EQ(officer.get(state::prevOfficer), 0);
  EXPECT_EQ(officer.get(state::nextOfficer), -1);
  EXPECT_EQ(officer.get(state::force), -1);
  EXPECT_EQ(officer.get(state::lifespan), 7u);
  EXPECT_EQ(officer.get(state::war), 90u);
  EXPECT_EQ(officer.get(state::intelligence), 90u);
  EXPECT_EQ(officer.get(state::politics), 90u);
  EXPECT_EQ(officer.get(state::charisma), 90u);
  EXPECT_EQ(officer.get(state::changeMarker), 0xFFu);
  EXPECT_EQ(officer.get(state::duties), 0x20u) << "one duty, 特殊, as a non-ruler may hold";
  EXPECT_EQ(officer.get(state::goodEvil), 3u);
  EXPECT_EQ(officer.get(state::items), 0u);
  EXPECT_EQ(officer.get(state::soldiers), 0u);
  // The template has no location: the table's 所在地 gives him one before anything else can hold.
  EXPECT_EQ(officer.get(state::location), 0);
  ScenarioSet placed = set;
  placed.scenarios[0].states[13].set(state::location, 1);
  EXPECT_EQ(validationError(placed), "");
  ASSERT_TRUE(activateWaitingOfficer(placed, 0, 0x1234 % 2999, kOrdinary).has_value());
  EXPECT_EQ(validationError(placed), "");

  const int id = 0x1234 % 2999;  // 1664
  std::uint8_t expectedProfile[kOfficerProfileSize] = {};
  const char* name = "\xD0\xC2\xCE\xE4\xBD\xAB";  // 新武将 in GBK, as the game shows it
  std::memcpy(expectedProfile, name, std::strlen(name));
  expectedProfile[21] = 92 - 15;  // the year of the last waiting officer, 192
  for (int i = 0; i < 6; ++i) expectedProfile[24 + i] = static_cast<std::uint8_t>(i);
  expectedProfile[30] = static_cast<std::uint8_t>(id & 0xFF);
  expectedProfile[31] = static_cast<std::uint8_t>(id >> 8);
  expectedProfile[32] = expectedProfile[33] = 0xFF;
  expectedProfile[34] = 0xCC;
  expectedProfile[35] = 0x36;
  expectedProfile[36] = 0x03;
  EXPECT_EQ(std::memcmp(sc.profiles[13].bytes.data(), expectedProfile, kOfficerProfileSize), 0);

  EXPECT_EQ(sc.waitingCount, 4u);
  EXPECT_EQ(sc.block.get(block::storedWaitingCount), 4);
  EXPECT_EQ(sc.block.get(block::appearYear, 3), 92);
  EXPECT_EQ(set.waitingQueue[0].back(), (WaitingEntry{id, 13, 14, 92}));
  EXPECT_EQ(set.idCapacity, static_cast<std::uint32_t>(id + 1));
  EXPECT_EQ(derivedIndexMismatch(set), "");
  // He waits in no city yet; the caller gives him one.
  scenario().officerState(14).set(state::location, 33);
  expectConsistent(set);
}

TEST_F(WaitingOfficersTest, FirstNewOfficerOfADecemberScenarioAppearsTheNextYear) {
  for (std::uint8_t month : {11, 12}) {
    ScenarioBuilder b(200, month);
    b.addForce(11, 10);
    ScenarioSet local = makeSet({b.build()});
    addWaitingOfficer(local, 0, 7);
    const int expectedYear = month == 12 ? 101 : 100;
    EXPECT_EQ(local.scenarios[0].block.get(block::appearYear, 0), expectedYear);
    EXPECT_EQ(local.scenarios[0].profiles[1].get(profile::birthYear), expectedYear - 15);
    EXPECT_EQ(local.waitingQueue[0].front(), (WaitingEntry{7, 1, 2, expectedYear}));

    // Brought onto the map, an officer born too late is made 15 at the start.
    local.scenarios[0].officerProfile(2).set(profile::birthYear, 150);
    local.scenarios[0].officerState(2).set(state::location, 11);
    EXPECT_EQ(activateWaitingOfficer(local, 0, 7, kOrdinary), OfficerIndex{1});
    EXPECT_EQ(local.scenarios[0].profiles[1].get(profile::birthYear), expectedYear - 15);
    expectConsistent(local);
  }
}

TEST_F(WaitingOfficersTest, LargeIdGrowsTheIndexOfEveryScenario) {
  std::vector<Scenario> scenarios;
  for (int i = 0; i < 2; ++i) {
    ScenarioBuilder b(190, 1);
    b.addForce(11, static_cast<std::uint16_t>(i == 0 ? 499 : 10));
    b.addWaiting(20, 11, 91);
    scenarios.push_back(b.build());
  }
  ScenarioSet local = makeSet(std::move(scenarios));
  ASSERT_EQ(local.idCapacity, 500u);
  addWaitingOfficer(local, 0, 600);
  EXPECT_EQ(local.idCapacity, 601u);
  for (const auto& index : local.officerIndexById) EXPECT_EQ(index.size(), 601u);
  EXPECT_EQ(local.officerIndexOf(0, 600), OfficerIndex{2});
  EXPECT_EQ(local.officerIndexOf(1, 600), std::nullopt);
  EXPECT_EQ(local.officerIndexOf(0, 499), OfficerIndex{0});
  addWaitingOfficer(local, 1, 550);  // below the capacity now: nothing grows
  EXPECT_EQ(local.idCapacity, 601u);
  EXPECT_EQ(local.officerIndexOf(1, 550), OfficerIndex{2});
  EXPECT_EQ(derivedIndexMismatch(local), "");

  // The new officer can be brought on the map at once, exchanging places with the first waiting one.
  local.scenarios[0].officerState(3).set(state::location, 11);
  EXPECT_EQ(activateWaitingOfficer(local, 0, 600, kOrdinary), OfficerIndex{1});
  EXPECT_EQ(local.officerIndexOf(0, 20), OfficerIndex{2});
  local.scenarios[1].officerState(3).set(state::location, 12);
  expectConsistent(local);
}

TEST_F(WaitingOfficersTest, NoMoreThan380WaitingOfficers) {
  for (int waiting : {379, 380}) {
    ScenarioBuilder b(190, 1);
    b.addForce(11, 1);
    for (int i = 0; i < waiting; ++i) b.addWaiting(static_cast<std::uint16_t>(1000 + i), 1 + i % kCityCount, 91);
    ScenarioSet local = makeSet({b.build()});
    if (waiting == 379) {
      addWaitingOfficer(local, 0, 5);
      local.scenarios[0].officerState(381).set(state::location, 3);
      expectConsistent(local);
    } else {
      const std::string text = cellFaultOf([&] { addWaitingOfficer(local, 0, 5); });
      EXPECT_EQ(text, "待上场人数过多， 添加失败");
    }
  }
}

TEST_F(WaitingOfficersTest, AddRefusesBadArgumentsAndDamagedCounts) {
  // Ids run from 0 to 2999; the index (43 places in smallValidSet) grows to hold the new one.
  const struct {
    int id;
    std::uint32_t capacity;  // afterwards; 0 when refused
  } ids[] = {{-1, 0}, {0, 43}, {43, 44}, {2999, 3000}, {3000, 0}};
  for (const auto& c : ids) {
    ScenarioSet local = smallValidSet();
    if (c.capacity == 0) {
      EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(local, 1, c.id); }), kPortraitOutOfRange) << c.id;
      continue;
    }
    EXPECT_EQ(errorText([&] { addWaitingOfficer(local, 1, c.id); }), "") << c.id;
    EXPECT_EQ(local.idCapacity, c.capacity) << c.id;
    EXPECT_EQ(local.officerIndexOf(1, c.id), OfficerIndex{13}) << c.id;
    EXPECT_EQ(derivedIndexMismatch(local), "") << c.id;
    EXPECT_EQ(activateWaitingOfficer(local, 1, c.id, kOrdinary), OfficerIndex{10}) << c.id << ": brought on the map";
  }
  EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(set, 2, 60); }), kScenarioNumberWrong);

  const ScenarioSet before = set;
  scenario().officerCount = 12;
  EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(set, 0, 60); }), kOfficerTotalWrong);
  set = before;
  scenario().block.set(block::storedWaitingCount, 2);
  EXPECT_EQ(editErrorOf([&] { addWaitingOfficer(set, 0, 60); }), kOfficersBroken);
}

TEST_F(WaitingOfficersTest, NewOfficerAppearsWithTheLastWaitingOfficerAlsoAfterAnActivation) {
  // Years 191, 192, 195; the first officer is brought on the map, which leaves the block's appearance
  // bytes as they were until the officer table lays them out again.
  scenario().block.set(block::appearYear, 2, 95);
  set.waitingQueue[0][2].appearYear = 95;
  ASSERT_EQ(activateWaitingOfficer(set, 0, 40, kOrdinary), OfficerIndex{10});
  addWaitingOfficer(set, 0, 60);
  EXPECT_EQ(set.waitingQueue[0].back().appearYear, 95);
  EXPECT_EQ(scenario().profiles[13].get(profile::birthYear), 80);
  EXPECT_EQ(derivedIndexMismatch(set), "");
}

TEST_F(WaitingOfficersTest, NewOfficerAppearsInTheLatestYearOfTheQueue) {
  // Bringing the last waiting officer (id 42, 192) onto the map swaps the first one (id 40, 191) to the
  // end of the queue; the latest year left is that of id 41, 192.
  ASSERT_EQ(activateWaitingOfficer(set, 0, 42, kOrdinary), OfficerIndex{10});
  ASSERT_EQ(set.waitingQueue[0].back().id, 40);
  addWaitingOfficer(set, 0, 60);
  EXPECT_EQ(set.waitingQueue[0].back(), (WaitingEntry{60, 13, 14, 92}));
  EXPECT_EQ(scenario().block.get(block::appearYear, 2), 92);
  EXPECT_EQ(scenario().profiles[13].get(profile::birthYear), 77);
  EXPECT_EQ(derivedIndexMismatch(set), "");

  // A year changed in the queue only (as 上场年份 does), on an officer who is not the last one.
  set.waitingQueue[0][0].appearYear = 99;
  addWaitingOfficer(set, 0, 61);
  EXPECT_EQ(set.waitingQueue[0].back().appearYear, 99);
  EXPECT_EQ(scenario().profiles[14].get(profile::birthYear), 84);
}

TEST_F(WaitingOfficersTest, NewOfficerIsNeverBornBeforeTheYear100) {
  ScenarioBuilder b(105, 1);
  b.addForce(11, 10);
  ScenarioSet local = makeSet({b.build()});
  addWaitingOfficer(local, 0, 7);
  EXPECT_EQ(local.waitingQueue[0].front().appearYear, 5);
  EXPECT_EQ(local.scenarios[0].profiles[1].get(profile::birthYear), 0);
}

}  // namespace
}  // namespace vorandel::testing
