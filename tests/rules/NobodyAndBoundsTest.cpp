// The edges of the rules' numbers: 0 and -1 both mean nobody where a link or an owner may be empty, and
// the first and the last officer of a scenario are named as fully as any other.
#include <gtest/gtest.h>

#include <string>

#include "model/EditError.h"
#include "model/RecordLinks.h"
#include "rules/Placement.h"
#include "rules/RuleMessages.h"
#include "rules/Rulers.h"
#include "rules/Validator.h"
#include "rules/WaitingOfficers.h"
#include "tests/support/ErrorText.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::testing {
namespace {

// Scenario 0 of smallValidSet: officers 1..10 on the map (8 unaffiliated in city 5), 11..13 waiting;
// force 2 holds 吴 (34) and then 建业 (33).
// The links are given as stored, 0 and -1 both read as nobody; nobody is written back as the field's own
// nobody, 0 for a previous officer (the head of a list) and -1 for a next one (its end).
struct LinkCase {
  int a, b;
  int officer;       // the officer whose link is looked at
  bool next;         // his next link, else his previous link
  int expectedLink;  // what it holds afterwards
};

const LinkCase kLinkCases[] = {
    {0, 8, 8, false, 0},  {-1, 8, 8, false, 0}, {8, 0, 8, true, -1},
    {8, -1, 8, true, -1}, {9, 8, 8, false, 9},  {8, 9, 8, true, 9},
};

TEST(NobodyAndBounds, ALinkToNobodyWritesOnlyTheOtherOfficer) {
  for (const LinkCase& c : kLinkCases) {
    ScenarioSet set = smallValidSet();
    const ScenarioSet before = set;
    linkOfficers(set, 0, officerLink(c.a), officerLink(c.b));
    const OfficerState& officer = set.scenarios[0].officerState(c.officer);
    EXPECT_EQ(c.next ? officer.get(state::nextOfficer) : officer.get(state::prevOfficer), c.expectedLink)
        << c.a << " -> " << c.b;
    // Nobody else's links changed.
    for (int n = 1; n <= 13; ++n) {
      if (n == c.a || n == c.b) continue;
      EXPECT_TRUE(set.scenarios[0].officerState(n) == before.scenarios[0].officerState(n)) << "officer " << n;
    }
  }
}

TEST(NobodyAndBounds, AnOwnerOfZeroOrMinusOneReleasesTheCity) {
  for (const int nobody : {0, -1}) {
    ScenarioSet set = smallValidSet();
    setCityOwner(set, 0, CityNumber{33}, forceLink(nobody));
    const Scenario& scenario = set.scenarios[0];
    EXPECT_EQ(scenario.city(33).get(city::owner), -1) << nobody;
    EXPECT_EQ(scenario.city(33).get(city::governor), -1) << nobody;
    EXPECT_EQ(scenario.city(33).get(city::prevCity), -1) << nobody;
    EXPECT_EQ(scenario.city(34).get(city::nextCity), -1) << nobody << ": the chain ends before the city";
    EXPECT_EQ(validationError(set), "") << nobody;
  }
}

// A list whose end or whose empty head is written 0 instead of -1 is joined as if it were -1.
TEST(NobodyAndBounds, AListEndingInZeroIsJoinedAtItsEnd) {
  const struct {
    const char* what;
    void (*writeZero)(Scenario&);
    int officer, city;
    int after;  // the officer before him in the list; 0 when he heads it
  } cases[] = {
      {"a serving list ending in 0", [](Scenario& s) { s.officerState(3).set(state::nextOfficer, 0); }, 5, 11, 3},
      {"an empty unaffiliated list written 0", [](Scenario& s) { s.city(12).set(city::unaffiliatedHead, 0); }, 8, 12,
       0},
      {"an unaffiliated list ending in 0", [](Scenario& s) { s.officerState(10).set(state::nextOfficer, 0); }, 8, 11,
       10},
  };
  for (const auto& c : cases) {
    ScenarioSet set = smallValidSet();
    c.writeZero(set.scenarios[0]);
    moveOfficer(set, 0, OfficerNumber{c.officer}, CityNumber{c.city}, false);
    const Scenario& scenario = set.scenarios[0];
    EXPECT_EQ(scenario.officerState(c.officer).get(state::prevOfficer), c.after) << c.what;
    EXPECT_EQ(scenario.officerState(c.officer).get(state::nextOfficer), -1) << c.what;
    if (c.after != 0) {
      EXPECT_EQ(scenario.officerState(c.after).get(state::nextOfficer), c.officer) << c.what;
    }
  }
}

// The last officer leaving a list that ended in 0 leaves it empty, written -1.
TEST(NobodyAndBounds, TheLastOfficerLeavingAListEndingInZeroEmptiesIt) {
  ScenarioSet set = smallValidSet();
  set.scenarios[0].officerState(10).set(state::nextOfficer, 0);
  moveOfficer(set, 0, OfficerNumber{10}, CityNumber{5}, false);
  EXPECT_EQ(set.scenarios[0].city(11).get(city::unaffiliatedHead), -1);
}

// A force whose first city is written 0 has no city yet: the city it takes becomes its first.
TEST(NobodyAndBounds, AForceWithoutCitiesWrittenZeroTakesItsFirstCity) {
  for (const int none : {0, -1}) {
    ScenarioSet set = smallValidSet();
    Scenario& scenario = set.scenarios[0];
    setCityOwner(set, 0, CityNumber{33}, std::nullopt);  // force 2 keeps 吴 (34) alone
    scenario.force(3).set(force::firstCity, static_cast<std::int8_t>(none));
    setCityOwner(set, 0, CityNumber{33}, ForceNumber{3});
    EXPECT_EQ(scenario.force(3).get(force::firstCity), 33) << none;
    EXPECT_EQ(scenario.city(33).get(city::prevCity), 0) << none;
    EXPECT_EQ(scenario.city(33).get(city::nextCity), -1) << none;
  }
}

TEST(NobodyAndBounds, IdsOutsideTheIndexActivateNobody) {
  ScenarioSet set = smallValidSet();
  const ScenarioSet before = set;
  for (const int id : {-1, static_cast<int>(set.idCapacity), static_cast<int>(set.idCapacity) + 1, 3000}) {
    EXPECT_EQ(activateWaitingOfficer(set, 0, id, kOrdinary), std::nullopt) << id;
    EXPECT_TRUE(set == before) << id;
  }
  // The largest id of the index is still found: 42 waits in scenario 0.
  ASSERT_EQ(set.idCapacity, 43u);
  EXPECT_NE(activateWaitingOfficer(set, 0, 42, kOrdinary), std::nullopt);
}

// The lines below the validator's message.
std::string detailsOf(const ScenarioSet& set) {
  try {
    validateScenarios(set, 0, SIZE_MAX);
  } catch (const EditError& error) {
    return error.details().joined();
  }
  return "";
}

TEST(NobodyAndBounds, TheFirstAndTheLastOfficerAreNamedWithIdAndName) {
  const struct {
    const char* what;
    void (*breakIt)(Scenario&);
    std::string subject;
  } cases[] = {
      {"the first officer", [](Scenario& s) { s.officerState(1).set(state::status, kOrdinary); }, "武将 1（ID 10，"},
      {"the last officer", [](Scenario& s) { s.city(5).set(city::unaffiliatedHead, 13); }, "武将 13（ID 42，"},
      {"beyond the last officer", [](Scenario& s) { s.city(5).set(city::unaffiliatedHead, 14); }, "武将 14\n"},
  };
  for (const auto& c : cases) {
    ScenarioSet set = smallValidSet();
    c.breakIt(set.scenarios[0]);
    const std::string details = detailsOf(set) + "\n";
    EXPECT_NE(details.find(c.subject), std::string::npos) << c.what << ":\n" << details;
  }
}

// Every link, head and owner the rules follow treats 0 as nobody, as -1: nothing is looked up at 0.
TEST(NobodyAndBounds, NobodyWrittenZeroIsFollowedNowhere) {
  const struct {
    const char* what;
    void (*writeZero)(ScenarioSet&);
    void (*act)(ScenarioSet&);
    int (*result)(const Scenario&);
    int expected;
  } cases[] = {
      {"a ruler moving to his city whose governor is 0",
       [](ScenarioSet& set) { set.scenarios[0].city(33).set(city::governor, 0); },
       [](ScenarioSet& set) { moveOfficer(set, 0, OfficerNumber{6}, CityNumber{33}, false); },
       [](const Scenario& s) { return static_cast<int>(s.officerState(6).get(state::nextOfficer)); }, -1},
      {"a city taken by a force whose chain ends in 0",
       [](ScenarioSet& set) { set.scenarios[0].city(12).set(city::nextCity, 0); },
       [](ScenarioSet& set) { setCityOwner(set, 0, CityNumber{20}, ForceNumber{1}); },
       [](const Scenario& s) { return static_cast<int>(s.city(12).get(city::nextCity)); }, 20},
      {"the last city of a chain ending in 0 released",
       [](ScenarioSet& set) { set.scenarios[0].city(12).set(city::nextCity, 0); },
       [](ScenarioSet& set) { setCityOwner(set, 0, CityNumber{12}, std::nullopt); },
       [](const Scenario& s) { return static_cast<int>(s.city(12).get(city::owner)); }, -1},
      {"the last officer of a serving list ending in 0 leaving it",
       [](ScenarioSet& set) { set.scenarios[0].officerState(3).set(state::nextOfficer, 0); },
       [](ScenarioSet& set) { moveOfficer(set, 0, OfficerNumber{3}, CityNumber{12}, false); },
       [](const Scenario& s) { return static_cast<int>(s.officerState(3).get(state::prevOfficer)); }, 5},
      {"a governor alone in his city, his next 0, leaving it",
       [](ScenarioSet& set) {
         moveOfficer(set, 0, OfficerNumber{5}, CityNumber{11}, false);
         set.scenarios[0].officerState(4).set(state::nextOfficer, 0);
       },
       [](ScenarioSet& set) { moveOfficer(set, 0, OfficerNumber{4}, CityNumber{11}, true); },
       [](const Scenario& s) { return static_cast<int>(s.city(12).get(city::owner)); }, -1},
      {"a force founded in a city whose owner is 0",
       [](ScenarioSet& set) { set.scenarios[0].city(5).set(city::owner, 0); },
       [](ScenarioSet& set) { foundForce(set, 0, ForceNumber{3}, OfficerNumber{8}); },
       [](const Scenario& s) { return static_cast<int>(s.force(3).get(force::firstCity)); }, 5},
      {"a waiting officer entering a city whose owner is 0",
       [](ScenarioSet& set) { set.scenarios[0].city(20).set(city::owner, 0); },
       [](ScenarioSet& set) { activateWaitingOfficer(set, 0, 42, kOrdinary); },
       [](const Scenario& s) { return static_cast<int>(s.officerState(11).get(state::status)); },
       static_cast<int>(kUnaffiliated)},
  };
  for (const auto& c : cases) {
    ScenarioSet set = smallValidSet();
    c.writeZero(set);
    EXPECT_EQ(errorText([&] { c.act(set); }), "") << c.what;
    EXPECT_EQ(c.result(set.scenarios[0]), c.expected) << c.what;
  }
  // A serving officer whose force is 0 takes no city nobody owns: the data is damaged.
  ScenarioSet set = smallValidSet();
  set.scenarios[0].city(20).set(city::owner, 0);
  set.scenarios[0].officerState(3).set(state::force, 0);
  EXPECT_EQ(editErrorOf([&] { placeOfficer(set, 0, OfficerNumber{3}, CityNumber{20}); }), "数据出错");
}

// A neighbour list may use all its slots; the list of a full neighbour that lacks the city is still read
// to its end only.
TEST(NobodyAndBounds, AFullNeighbourListIsReadToItsLastSlot) {
  ScenarioSet set = smallValidSet();
  for (Scenario& scenario : set.scenarios) {
    int slot = 2;  // city 20 lists 19 and 21 already
    for (const int v : {5, 7, 9, 40}) {
      scenario.cityName(20).set(cityName::neighbours, static_cast<std::size_t>(slot++), static_cast<std::int8_t>(v));
      scenario.cityName(v).set(cityName::neighbours, 2, 20);
    }
  }
  ASSERT_EQ(kNeighbourSlots, 6);
  EXPECT_EQ(validationError(set), "");
  set.scenarios[0].cityName(30).set(cityName::neighbours, 2, 20);  // 20 does not list 30 back
  EXPECT_EQ(validationError(set), std::string("剧本 0存在错误\n") + kNeighbourNumberWrong);
  EXPECT_NE(detailsOf(set).find("（城市 30）的相邻城中有"), std::string::npos) << detailsOf(set);
}

}  // namespace
}  // namespace vorandel::testing
