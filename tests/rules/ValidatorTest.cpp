#include "rules/Validator.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/EditError.h"
#include "model/Messages.h"
#include "rules/GameRules.h"
#include "rules/NeighbourLinks.h"
#include "rules/RuleMessages.h"
#include "tests/support/ErrorText.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

constexpr std::size_t kAll = static_cast<std::size_t>(-1);

// The message the validator raises for the set, or "" when it passes.
std::string validationMessage(const ScenarioSet& set) { return testing::validationError(set); }

// In smallValidSet, scenario 0: force 1 rules cities 11 -> 12 with officers 1 (ruler), 2 (strategist),
// 3 in city 11 and 4 (governor), 5 in city 12; force 2 rules 34 -> 33 with officers 6 (ruler) and 7 in
// city 34; officer 8 is unaffiliated and 9 a hermit in city 5, 10 unaffiliated in city 11; 11..13 wait.
// Gives the city, in its first free slot, a neighbour that does not list it back.
void addOneSidedLink(Scenario& s, int from) {
  int slot = 0;
  while (slot < kNeighbourSlots && s.cityName(from).get(cityName::neighbours, slot) != -1) ++slot;
  ASSERT_LT(slot, kNeighbourSlots);
  for (int to = 1; to <= kCityCount; ++to) {
    if (to == from || listsNeighbour(s, CityNumber{from}, CityNumber{to}) ||
        listsNeighbour(s, CityNumber{to}, CityNumber{from}))
      continue;
    s.cityName(from).set(cityName::neighbours, slot, static_cast<std::int8_t>(to));
    return;
  }
  FAIL() << "no city to link " << from << " to";
}

struct BrokenCase {
  const char* what;
  std::function<void(Scenario&)> breakIt;
  std::string message;
};

OfficerState& officer(Scenario& s, int n) { return s.officerState(n); }

const BrokenCase kBrokenCases[] = {
    {"too many on the map", [](Scenario& s) { s.onMapCount = 293; }, "剧本已上场武将人数过多"},
    {"too many waiting", [](Scenario& s) { s.waitingCount = 381; }, kTooManyWaiting},
    {"total", [](Scenario& s) { ++s.officerCount; }, kOfficerTotalWrong},
    {"stored on-map count", [](Scenario& s) { s.block.set(block::storedOnMapCount, 9); }, kOfficersBroken},
    {"stored waiting count", [](Scenario& s) { s.block.set(block::storedWaitingCount, 2); }, kOfficersBroken},
    {"state records", [](Scenario& s) { s.states.pop_back(); }, kOfficersBroken},
    {"profile records", [](Scenario& s) { s.profiles.pop_back(); }, kOfficersBroken},
    {"waiting status", [](Scenario& s) { officer(s, 12).set(state::status, kOrdinary); }, "待命武将身份错误"},
    {"waiting force", [](Scenario& s) { officer(s, 12).set(state::force, 1); }, "待命武将所属势力错误"},
    {"waiting links", [](Scenario& s) { officer(s, 13).set(state::nextOfficer, 12); }, "待命武将：数据结构错误"},
    {"waiting location", [](Scenario& s) { officer(s, 11).set(state::location, 48); }, "待命武将所在地错误"},
    {"empty force slot with a city", [](Scenario& s) { s.force(5).set(force::firstCity, 7); }, "--ERROR!--\n"},
    {"ruler is a waiting officer", [](Scenario& s) { s.force(1).set(force::ruler, 11); }, kOfficerNumberWrong},
    {"ruler number 0", [](Scenario& s) { s.force(2).set(force::ruler, 0); }, kOfficerNumberWrong},
    {"ruler status", [](Scenario& s) { officer(s, 1).set(state::status, kStrategist); }, "君主状态错误"},
    {"ruler not governor", [](Scenario& s) { officer(s, 6).set(state::isGovernor, 0); }, "君主必须是太守"},
    {"ruler location", [](Scenario& s) { officer(s, 1).set(state::location, 0); }, kLocationNumberWrong},
    {"ruler's city owner", [](Scenario& s) { s.city(11).set(city::owner, 2); }, kCityOwnerWrong},
    {"ruler's city governor", [](Scenario& s) { s.city(34).set(city::governor, 7); }, "城市太守错误"},
    {"chain leaves the map", [](Scenario& s) { s.city(33).set(city::nextCity, 48); }, "势力的城市链中有无效的城市编号"},
    {"chain loops", [](Scenario& s) { s.city(12).set(city::nextCity, 11); }, kCityListBroken},
    {"chain city of another force", [](Scenario& s) { s.city(12).set(city::owner, 2); }, kCityOwnerWrong},
    {"chain head prevCity", [](Scenario& s) { s.city(11).set(city::prevCity, 5); }, kCityListBroken},
    {"training in an owned city", [](Scenario& s) { s.city(12).set(city::trainingHead, 5); }, kOfficerInTraining},
    {"serving list leaves the map", [](Scenario& s) { officer(s, 5).set(state::nextOfficer, 11); },
     "城市的武将链中有无效的武将编号"},
    {"officer in two serving lists", [](Scenario& s) { officer(s, 5).set(state::nextOfficer, 3); },
     kOfficerNumberWrong},
    {"serving list loops", [](Scenario& s) { officer(s, 3).set(state::nextOfficer, 2); }, kOfficerNumberWrong},
    {"head with ruler status", [](Scenario& s) { officer(s, 4).set(state::status, kRuler); }, "武将应该是君主"},
    {"head in training", [](Scenario& s) { officer(s, 4).set(state::status, kInTraining); }, kOfficerStatusWrong},
    {"head not governor", [](Scenario& s) { officer(s, 4).set(state::isGovernor, 0); }, "武将应该标记为太守"},
    {"head with a predecessor", [](Scenario& s) { officer(s, 4).set(state::prevOfficer, 7); }, "应该是第一个武将"},
    {"second with free status", [](Scenario& s) { officer(s, 5).set(state::status, kUnaffiliated); },
     kOfficerStatusWrong},
    {"second marked governor", [](Scenario& s) { officer(s, 3).set(state::isGovernor, 1); }, "武将03不该标记为太守"},
    {"serving officer's force", [](Scenario& s) { officer(s, 7).set(state::force, 1); }, "武将所属势力错误"},
    {"serving officer's location", [](Scenario& s) { officer(s, 3).set(state::location, 12); }, "武将所在地错误"},
    {"free list leaves the map", [](Scenario& s) { s.city(6).set(city::hermitHead, 14); }, "--ERROR!--\n"},
    {"officer in two free lists", [](Scenario& s) { s.city(6).set(city::unaffiliatedHead, 8); },
     "隐士/在野武将：数据结构错误"},
    {"free officer's location", [](Scenario& s) { officer(s, 8).set(state::location, 6); }, "--ERROR!--\n"},
    {"hermit in the unaffiliated list", [](Scenario& s) { s.city(5).set(city::unaffiliatedHead, 9); }, "--ERROR!--\n"},
    {"free officer serving a force", [](Scenario& s) { officer(s, 10).set(state::force, 1); }, "--ERROR!--\n"},
    {"free officer marked governor", [](Scenario& s) { officer(s, 9).set(state::isGovernor, 1); }, "--ERROR!--\n"},
    {"free list head with a predecessor", [](Scenario& s) { officer(s, 8).set(state::prevOfficer, 3); },
     "--ERROR!--\n"},
    {"empty city prevCity", [](Scenario& s) { s.city(1).set(city::prevCity, 0); }, kEmptyCityListBroken},
    {"empty city nextCity", [](Scenario& s) { s.city(1).set(city::nextCity, 2); }, kEmptyCityListBroken},
    {"city owned outside the chain", [](Scenario& s) { s.city(7).set(city::owner, 2); }, "对空城设置了所属势力和太守"},
    {"empty city governor", [](Scenario& s) { s.city(7).set(city::governor, 8); }, "对空城设置了所属势力和太守"},
    {"training in an empty city", [](Scenario& s) { s.city(7).set(city::trainingHead, 8); }, kOfficerInTraining},
    {"officer in no list", [](Scenario& s) { s.city(11).set(city::unaffiliatedHead, -1); }, "存在无效的武将"},
    {"allegiance twice",
     [](Scenario& s) {
       officer(s, 3).set(state::allegiance, 2);
       officer(s, 9).set(state::allegiance, 2);
     },
     "归属值重复"},
    {"duplicate waiting id", [](Scenario& s) { s.officerProfile(13).set(profile::id, 40); }, "id重复"},
    {"id out of range", [](Scenario& s) { s.officerProfile(2).set(profile::id, 3000); },
     "武将ID超出范围（必须小于3000）"},
    {"city its own neighbour", [](Scenario& s) { s.cityName(3).set(cityName::neighbours, 1, 3); },
     kNeighbourNumberWrong},
    {"neighbour 48", [](Scenario& s) { s.cityName(3).set(cityName::neighbours, 1, 48); }, kNeighbourNumberWrong},
    {"neighbour listed twice", [](Scenario& s) { s.cityName(3).set(cityName::neighbours, 1, 2); },
     kNeighbourNumberWrong},
    {"isolated city",
     [](Scenario& s) {
       s.cityName(3).set(cityName::neighbours, 0, -1);
       s.cityName(3).set(cityName::neighbours, 1, -1);
     },
     "存在孤城"},
    {"slot after the end", [](Scenario& s) { s.cityName(3).set(cityName::neighbours, 3, 5); }, kNeighbourNumberWrong},
    {"one-sided neighbour", [](Scenario& s) { s.cityName(1).set(cityName::neighbours, 2, 20); }, kNeighbourNumberWrong},
    // Listed only by the first or the last city: the check must reach both ends of the cities.
    {"one-sided neighbour of the last city", [](Scenario& s) { addOneSidedLink(s, kCityCount); },
     kNeighbourNumberWrong},
    {"one-sided neighbour of the first city", [](Scenario& s) { addOneSidedLink(s, 1); }, kNeighbourNumberWrong},
};

TEST(Validator, EachBrokenRuleIsReportedWithItsMessageAndScenario) {
  const ScenarioSet valid = testing::smallValidSet();
  ASSERT_EQ(validationMessage(valid), "");
  for (const BrokenCase& c : kBrokenCases) {
    for (std::size_t s : {0u, 1u}) {
      ScenarioSet set = valid;
      c.breakIt(set.scenarios[s]);
      const std::string prefix = s == 0 ? "剧本 0存在错误\n" : "剧本 1存在错误\n";
      EXPECT_EQ(validationMessage(set), prefix + c.message) << c.what << " in scenario " << s;
      try {
        validateScenarios(set, 0, kAll);
      } catch (const EditError& e) {
        EXPECT_EQ(e.context().scenario, s) << c.what;
      }
    }
  }
}

TEST(Validator, AcceptsWhatTheRulesAllow) {
  ScenarioSet set = testing::smallValidSet();
  Scenario& s = set.scenarios[0];
  // Waiting officers may share an allegiance value; only on-map officers may not.
  s.officerState(11).set(state::allegiance, 3);
  s.officerState(12).set(state::allegiance, 3);
  s.officerState(3).set(state::allegiance, 1);
  // Six neighbours and no empty slot.
  for (int v : {3, 4, 5, 6}) {
    s.cityName(1).set(cityName::neighbours, v - 1, static_cast<std::int8_t>(v));
    s.cityName(v).set(cityName::neighbours, 2, 1);
  }
  // An owned city may have no governor.
  EXPECT_EQ(s.city(33).get(city::governor), -1);
  EXPECT_EQ(validationMessage(set), "");
}

TEST(Validator, AcceptsTheLargestScenarios) {
  testing::ScenarioBuilder b;
  b.addForce(1, 0);
  std::uint16_t id = 1;
  while (id < kMaxOnMap) b.addFree(2 + id % 40, id), ++id;
  for (int j = 0; j < kMaxWaiting; ++j) b.addWaiting(id++, 3, 90);
  ScenarioSet set = testing::makeSet({b.build()});
  EXPECT_EQ(set.scenarios[0].onMapCount, 292u);
  EXPECT_EQ(validationMessage(set), "");
  b.addFree(2, id++);
  EXPECT_EQ(validationMessage(testing::makeSet({b.build()})), "剧本 0存在错误\n剧本已上场武将人数过多");
}

// Below the message: the scenario with its start year, and the force, city and officer under check.
TEST(Validator, DetailsNameTheScenarioAndWhatIsAtFault) {
  ScenarioSet set = testing::smallValidSet();
  set.scenarios[1].officerState(5).set(state::isGovernor, 1);  // the second officer of city 12
  try {
    validateScenarios(set, 0, kAll);
    ADD_FAILURE() << "no error";
  } catch (const EditError& e) {
    EXPECT_EQ(e.text(), "剧本 1存在错误\n武将05不该标记为太守");
    EXPECT_EQ(e.details().joined(),
              "剧本 1（200年开始）\n出错的是：势力 1（君主 W10），城市 12（C12），武将 5（ID 14，W14）");
  }
  set = testing::smallValidSet();
  set.scenarios[0].cityName(7).set(cityName::neighbours, 0, 7);  // a city next to itself
  try {
    validateScenarios(set, 0, kAll);
    ADD_FAILURE() << "no error";
  } catch (const EditError& e) {
    EXPECT_EQ(e.details().joined(), "剧本 0（190年开始）\n出错的是：城市 7（C7）");
  }
}

// The checks that go over every officer name the one they fail on.
TEST(Validator, TheChecksOfEveryOfficerNameTheOneAtFault) {
  const struct {
    std::function<void(Scenario&)> breakIt;
    int officer;
  } cases[] = {
      {[](Scenario& s) { officer(s, 12).set(state::status, kOrdinary); }, 12},
      {[](Scenario& s) { officer(s, 11).set(state::location, 48); }, 11},
      {[](Scenario& s) { s.city(11).set(city::unaffiliatedHead, -1); }, 10},
      {[](Scenario& s) {
         officer(s, 3).set(state::allegiance, 2);
         officer(s, 9).set(state::allegiance, 2);
       },
       9},
      {[](Scenario& s) { s.officerProfile(13).set(profile::id, s.officerProfile(4).get(profile::id)); }, 13},
      {[](Scenario& s) { s.officerProfile(2).set(profile::id, 3000); }, 2},
  };
  for (const auto& [breakIt, number] : cases) {
    ScenarioSet set = testing::smallValidSet();
    breakIt(set.scenarios[0]);
    try {
      validateScenarios(set, 0, kAll);
      ADD_FAILURE() << "no error for officer " << number;
    } catch (const EditError& e) {
      EXPECT_EQ(e.officer(), number) << e.text();
      EXPECT_NE(e.details().joined().find("出错的是：武将 " + std::to_string(number) + "（"), std::string::npos)
          << e.details().joined();
    }
  }
}

TEST(Validator, ChecksOnlyTheRangeAskedFor) {
  ScenarioSet set = testing::smallValidSet();
  set.scenarios[1].onMapCount = 999;
  EXPECT_NO_THROW(validateScenarios(set, 0, 1));
  EXPECT_THROW(validateScenarios(set, 1, 2), EditError);
  EXPECT_NO_THROW(validateScenarios(set, 5, kAll));
}

}  // namespace
}  // namespace vorandel
