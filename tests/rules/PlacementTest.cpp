#include "rules/Placement.h"

#include <gtest/gtest.h>

#include "model/Messages.h"
#include "rules/RuleMessages.h"
#include "tests/rules/PlacementTestSupport.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::testing {
namespace {

// Scenario 0 of smallValidSet: force 1 (ruler 1) holds 洛阳 (11: 1, 2 strategist, 3) and 弘农 (12: 4, 5);
// force 2 (ruler 6) holds 吴 (34: 6, 7) and 建业 (33, no governor); free officers 8 and 9 in city 5 and
// 10 in city 11; waiting officers 11 to 13.
class PlacementTest : public ::testing::Test {
 protected:
  ScenarioSet set = smallValidSet();
  Scenario& scenario() { return set.scenarios[0]; }
  const OfficerState& officer(int n) { return scenario().officerState(n); }
  void expectValid() { EXPECT_EQ(validationError(set), "") << "the set no longer passes the validator"; }
};

using Officers = std::vector<int>;

TEST_F(PlacementTest, ServingOfficerJoinsTheEndOfHisForcesCityAndTheGovernorStays) {
  moveOfficer(set, 0, OfficerNumber{5}, CityNumber{11}, true);
  EXPECT_EQ(servingList(scenario(), 11), (Officers{1, 2, 3, 5}));
  EXPECT_EQ(servingList(scenario(), 12), (Officers{4}));
  EXPECT_EQ(officer(5).get(state::location), 11);
  EXPECT_EQ(officer(5).get(state::isGovernor), 0u);
  expectValid();
}

TEST_F(PlacementTest, RulerEnteringACityOfHisForceGovernsItAndKeepsHisFlagWhenLeaving) {
  moveOfficer(set, 0, OfficerNumber{1}, CityNumber{12}, false);
  EXPECT_EQ(servingList(scenario(), 12), (Officers{1, 4, 5}));
  EXPECT_EQ(officer(4).get(state::isGovernor), 0u);
  EXPECT_EQ(officer(1).get(state::isGovernor), 1u);
  // The city he left is governed by the next officer of its list.
  EXPECT_EQ(servingList(scenario(), 11), (Officers{2, 3}));
  EXPECT_EQ(officer(2).get(state::isGovernor), 1u);
  expectValid();

  // Taken out of his list alone, the ruler still carries the governor flag.
  detachOfficer(set, 0, OfficerNumber{6}, true);
  EXPECT_EQ(officer(6).get(state::isGovernor), 1u);
  EXPECT_EQ(servingList(scenario(), 34), (Officers{7}));
  EXPECT_EQ(officer(7).get(state::isGovernor), 1u);
}

TEST_F(PlacementTest, UnownedCityTakenByAServingOfficerGoesToTheEndOfTheChain) {
  CityRecord city = scenario().city(20);
  city.set(city::statusBits, 0xFFFF);
  city.set(city::ownerChangeMark, 0);
  moveOfficer(set, 0, OfficerNumber{3}, CityNumber{20}, true);
  EXPECT_EQ(chainOf(scenario(), 1), (Officers{11, 12, 20}));
  EXPECT_EQ(city.get(city::owner), 1);
  EXPECT_EQ(city.get(city::prevCity), 12);
  EXPECT_EQ(city.get(city::nextCity), -1);
  EXPECT_EQ(city.get(city::governor), 3);
  EXPECT_EQ(officer(3).get(state::isGovernor), 1u);
  EXPECT_EQ(city.get(city::statusBits), 0xF9FF);
  EXPECT_EQ(city.get(city::ownerChangeMark), 0xFF);
  EXPECT_EQ(servingList(scenario(), 11), (Officers{1, 2}));
  expectValid();
}

TEST_F(PlacementTest, OnlyFreeOfficersEnterACityOfAnotherForce) {
  // A cell fault: the table names it with the cell it applied.
  const std::string refused = cellFaultOf([&] { moveOfficer(set, 0, OfficerNumber{3}, CityNumber{34}, true); });
  EXPECT_EQ(refused, "无法移动武将到其它势力的城市");

  ScenarioSet fresh = smallValidSet();
  moveOfficer(fresh, 0, OfficerNumber{8}, CityNumber{34}, true);
  moveOfficer(fresh, 0, OfficerNumber{10}, CityNumber{34}, true);
  EXPECT_EQ(listFrom(fresh.scenarios[0], fresh.scenarios[0].city(34).get(city::unaffiliatedHead)), (Officers{8, 10}));
  EXPECT_EQ(fresh.scenarios[0].city(5).get(city::unaffiliatedHead), -1);
  EXPECT_EQ(fresh.scenarios[0].city(11).get(city::unaffiliatedHead), -1);
  EXPECT_EQ(validationError(fresh), "");
}

TEST_F(PlacementTest, LastServingOfficerLeavingReleasesTheCityOnlyWhenAsked) {
  ScenarioSet kept = set;
  moveOfficer(set, 0, OfficerNumber{4}, CityNumber{11}, true);
  moveOfficer(set, 0, OfficerNumber{5}, CityNumber{11}, true);
  const CityRecord city = scenario().city(12);
  EXPECT_EQ(city.get(city::owner), -1);
  EXPECT_EQ(city.get(city::governor), -1);
  EXPECT_EQ(city.get(city::prevCity), -1);
  EXPECT_EQ(city.get(city::nextCity), -1);
  EXPECT_EQ(city.get(city::ownerChangeMark), 0xFF);
  EXPECT_EQ(chainOf(scenario(), 1), (Officers{11}));
  expectValid();

  moveOfficer(kept, 0, OfficerNumber{4}, CityNumber{11}, false);
  moveOfficer(kept, 0, OfficerNumber{5}, CityNumber{11}, false);
  EXPECT_EQ(kept.scenarios[0].city(12).get(city::owner), 1);
  EXPECT_EQ(kept.scenarios[0].city(12).get(city::governor), -1);
  EXPECT_EQ(chainOf(kept.scenarios[0], 1), (Officers{11, 12}));
  EXPECT_EQ(validationError(kept), "");
  // A serving officer other than the ruler cannot enter the city that has no governor now.
  EXPECT_TRUE(contains(editErrorOf([&] { moveOfficer(kept, 0, OfficerNumber{2}, CityNumber{12}, false); }),
                       "不应该再处理占空城"));
}

TEST_F(PlacementTest, ReleasingTheFirstCityOfAChainMovesTheChainsHeadOn) {
  moveOfficer(set, 0, OfficerNumber{2}, CityNumber{12}, true);
  moveOfficer(set, 0, OfficerNumber{3}, CityNumber{12}, true);
  moveOfficer(set, 0, OfficerNumber{1}, CityNumber{12}, true);  // the ruler leaves 洛阳 empty
  EXPECT_EQ(scenario().force(1).get(force::firstCity), 12);
  EXPECT_EQ(scenario().city(12).get(city::prevCity), 0);
  EXPECT_EQ(scenario().city(11).get(city::owner), -1);
  EXPECT_EQ(servingList(scenario(), 12), (Officers{1, 4, 5, 2, 3}));
  expectValid();
}

TEST_F(PlacementTest, GovernorLeavingHandsTheCityToTheNextOfficer) {
  moveOfficer(set, 0, OfficerNumber{4}, CityNumber{11}, true);
  EXPECT_EQ(servingList(scenario(), 12), (Officers{5}));
  EXPECT_EQ(officer(5).get(state::isGovernor), 1u);
  EXPECT_EQ(officer(5).get(state::prevOfficer), 0);
  EXPECT_EQ(officer(4).get(state::isGovernor), 0u);
  expectValid();
}

TEST_F(PlacementTest, MovingIntoTheCityWhereTheOfficerIsChangesNothing) {
  const ScenarioSet before = set;
  moveOfficer(set, 0, OfficerNumber{4}, CityNumber{12}, true);
  moveOfficer(set, 0, OfficerNumber{1}, CityNumber{11}, true);
  moveOfficer(set, 0, OfficerNumber{11}, CityNumber{11}, true);  // a waiting officer "in" his city
  EXPECT_EQ(set, before);
}

TEST_F(PlacementTest, AppointedGovernorHeadsTheListOrFollowsTheRuler) {
  appointGovernor(set, 0, OfficerNumber{3});  // in the ruler's city
  EXPECT_EQ(servingList(scenario(), 11), (Officers{1, 3, 2}));
  EXPECT_EQ(officer(3).get(state::isGovernor), 0u);
  expectValid();

  moveOfficer(set, 0, OfficerNumber{2}, CityNumber{12}, true);  // 12: 4, 5, 2
  appointGovernor(set, 0, OfficerNumber{5});
  EXPECT_EQ(servingList(scenario(), 12), (Officers{5, 4, 2}));
  EXPECT_EQ(officer(5).get(state::isGovernor), 1u);
  EXPECT_EQ(officer(4).get(state::isGovernor), 0u);
  expectValid();
  appointGovernor(set, 0, OfficerNumber{2});  // from the end of the list
  EXPECT_EQ(servingList(scenario(), 12), (Officers{2, 5, 4}));
  expectValid();

  const ScenarioSet before = set;
  appointGovernor(set, 0, OfficerNumber{2});  // already governor
  appointGovernor(set, 0, OfficerNumber{1});  // the ruler governs already
  EXPECT_EQ(set, before);
}

TEST_F(PlacementTest, AppointGovernorRefusesWhatItCannotDo) {
  EXPECT_TRUE(contains(editErrorOf([&] { appointGovernor(set, 2, OfficerNumber{3}); }), "剧本超出范围"));
  const std::string unowned =
      cellFaultOf([&] { appointGovernor(set, 0, OfficerNumber{8}); });  // free officer, unowned city
  EXPECT_EQ(unowned, kForceNumberWrong);
  scenario().force(1).set(force::ruler, 40);
  EXPECT_TRUE(contains(editErrorOf([&] { appointGovernor(set, 0, OfficerNumber{5}); }), "君主的编号错误"));
}

TEST_F(PlacementTest, ItemsHaveOneHolderAtMost) {
  setItemHolder(set, 0, 3, OfficerNumber{2});
  EXPECT_EQ(officer(2).get(state::items), 1u << 3);
  setItemHolder(set, 0, 31, OfficerNumber{2});
  setItemHolder(set, 0, 3, OfficerNumber{4});  // taken from officer 2
  EXPECT_EQ(officer(2).get(state::items), 1u << 31);
  EXPECT_EQ(officer(4).get(state::items), 1u << 3);
  EXPECT_EQ(scenario().trailer.get(trailer::itemHolder, 3), 4);
  setItemHolder(set, 0, 3, std::nullopt);  // nobody
  setItemHolder(set, 0, 31, OfficerNumber{9999});
  EXPECT_EQ(officer(4).get(state::items), 0u);
  EXPECT_EQ(officer(2).get(state::items), 0u);
  EXPECT_EQ(scenario().trailer.get(trailer::itemHolder, 3), -1);
  EXPECT_EQ(scenario().trailer.get(trailer::itemHolder, 31), -1);
  EXPECT_TRUE(contains(editErrorOf([&] { setItemHolder(set, 0, 32, OfficerNumber{2}); }), "物品编号错误"));
  EXPECT_TRUE(contains(editErrorOf([&] { setItemHolder(set, 0, -1, OfficerNumber{2}); }), "物品编号错误"));
}

TEST_F(PlacementTest, PreconditionsRaiseTheirMessages) {
  EXPECT_EQ(editErrorOf([&] { detachOfficer(set, 0, OfficerNumber{11}, true); }), "待命的武将不在城内不能移出");
  EXPECT_EQ(editErrorOf([&] { linkOfficers(set, 0, OfficerNumber{3}, OfficerNumber{3}); }), "必须是不同的目标");
  EXPECT_EQ(editErrorOf([&] { makeGovernor(set, 0, OfficerNumber{3}, CityNumber{12}); }), kLocationWrong);
  EXPECT_EQ(editErrorOf([&] { makeGovernor(set, 0, OfficerNumber{1}, CityNumber{11}); }), "同一武将");
  EXPECT_EQ(editErrorOf([&] { appendToCity(set, 0, OfficerNumber{3}, CityNumber{48}); }), kLocationNumberWrong);
  EXPECT_EQ(editErrorOf([&] { placeOfficer(set, 0, OfficerNumber{3}, CityNumber{0}); }), kCityNumberOutOfRange);
  EXPECT_EQ(editErrorOf([&] { placeOfficer(set, 0, OfficerNumber{11}, CityNumber{11}); }), "待命武将不要调用该函数");
  // A city that already heads its new owner's chain.
  EXPECT_EQ(editErrorOf([&] { setCityOwner(set, 0, CityNumber{11}, ForceNumber{1}); }), kTakeCityMisused);
  // An officer already in the list he is appended to would close it into a circle.
  EXPECT_TRUE(contains(editErrorOf([&] { appendToCity(set, 0, OfficerNumber{2}, CityNumber{11}); }), kCannotMoveIn));
  EXPECT_TRUE(contains(editErrorOf([&] { appendToCity(set, 0, OfficerNumber{3}, CityNumber{11}); }), kCannotMoveIn));
  // A free officer out of his list must not serve a force.
  scenario().officerState(8).set(state::force, 1);
  EXPECT_EQ(editErrorOf([&] { detachOfficer(set, 0, OfficerNumber{8}, true); }),
            "自由武将不应属于任何势力，数据已损坏");

  // A ruler is only ever placed as governor: appending him gives him the location and nothing else.
  const Officers before = servingList(scenario(), 12);
  appendToCity(set, 0, OfficerNumber{1}, CityNumber{12});
  EXPECT_EQ(officer(1).get(state::location), 12);
  EXPECT_EQ(servingList(scenario(), 12), before);
}

TEST_F(PlacementTest, NumbersOutsideTheRecordsRaiseInsteadOfReachingOutside) {
  const ScenarioSet before = set;
  EXPECT_EQ(editErrorOf([&] { linkOfficers(set, 0, OfficerNumber{1}, OfficerNumber{14}); }), kOfficerNumberBroken);
  EXPECT_EQ(set, before) << "the first officer is not linked to a number that is no officer";
  EXPECT_EQ(editErrorOf([&] { moveOfficer(set, 0, OfficerNumber{0}, CityNumber{12}, true); }), kOfficerNumberBroken);
  EXPECT_EQ(editErrorOf([&] { moveOfficer(set, 0, OfficerNumber{14}, CityNumber{12}, true); }), kOfficerNumberBroken);
  EXPECT_EQ(editErrorOf([&] { detachOfficer(set, 0, OfficerNumber{-1}, true); }), kOfficerNumberBroken);
  EXPECT_EQ(editErrorOf([&] { appointGovernor(set, 0, OfficerNumber{14}); }), kOfficerNumberBroken);
  EXPECT_EQ(editErrorOf([&] { makeGovernor(set, 0, OfficerNumber{3}, CityNumber{48}); }), kCityNumberOutOfRange);
  EXPECT_EQ(editErrorOf([&] { setCityOwner(set, 0, CityNumber{0}, ForceNumber{1}); }), kCityNumberOutOfRange);

  EXPECT_EQ(editErrorOf([&] { setCityOwner(set, 0, CityNumber{20}, ForceNumber{22}); }), kForceNumberWrong);
  EXPECT_EQ(set, before);

  // Links that point outside the records: a next officer, a force and a chain's next city.
  scenario().officerState(5).set(state::nextOfficer, 300);
  EXPECT_EQ(editErrorOf([&] { appendToCity(set, 0, OfficerNumber{3}, CityNumber{12}); }), kOfficerNumberBroken);
  set = before;
  scenario().officerState(3).set(state::force, 99);
  EXPECT_EQ(editErrorOf([&] { detachOfficer(set, 0, OfficerNumber{3}, true); }), kForceNumberWrong);
  set = before;
  scenario().city(12).set(city::nextCity, 60);
  EXPECT_EQ(editErrorOf([&] { moveOfficer(set, 0, OfficerNumber{3}, CityNumber{20}, true); }), kCityNumberOutOfRange);
}

TEST_F(PlacementTest, ListsThatRunInACircleStopTheWalkWithAnError) {
  const ScenarioSet before = set;
  // 洛阳's serving list 1, 2, 3 with 3 pointing back to 2.
  scenario().officerState(3).set(state::nextOfficer, 2);
  const std::string officerLoop = editErrorOf([&] { moveOfficer(set, 0, OfficerNumber{4}, CityNumber{11}, true); });
  EXPECT_EQ(officerLoop, "武将链表首尾相接，数据已损坏");

  set = before;
  scenario().officerState(10).set(state::nextOfficer, 10);  // 洛阳's unaffiliated list points to itself
  EXPECT_EQ(editErrorOf([&] { moveOfficer(set, 0, OfficerNumber{8}, CityNumber{11}, true); }),
            "武将链表首尾相接，数据已损坏");

  set = before;
  scenario().city(12).set(city::nextCity, 11);  // force 1's chain 11, 12, 11, ...
  EXPECT_EQ(editErrorOf([&] { moveOfficer(set, 0, OfficerNumber{3}, CityNumber{20}, true); }),
            "城市链表首尾相接，数据已损坏");
}

}  // namespace
}  // namespace vorandel::testing
