// The rules' interfaces with typed numbers: nobody is an empty optional, a number out of range is
// refused before anything is written (also 0 and -1, which only nobody stands for now), and a link
// stored as 0 where -1 is written reads as nobody like -1.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "model/Messages.h"
#include "model/RecordLinks.h"
#include "rules/Placement.h"
#include "rules/RuleMessages.h"
#include "rules/Rulers.h"
#include "tests/rules/PlacementTestSupport.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::testing {
namespace {

// Scenario 0 of smallValidSet: force 1 (ruler 1) holds 洛阳 (11: 1, 2 strategist, 3) and 弘农 (12: 4, 5);
// force 2 (ruler 6) holds 吴 (34: 6, 7) and 建业 (33, no governor); force 3 is not in use; free officers
// 8 and 9 in city 5 and 10 in city 11; waiting officers 11 to 13.
TEST(TypedNumbers, NumbersOutOfRangeAreRefusedAndLeaveTheSetAsItWas) {
  const struct {
    const char* what;
    std::function<void(ScenarioSet&)> call;
    const char* message;
  } cases[] = {
      {"owner 0", [](ScenarioSet& set) { setCityOwner(set, 0, CityNumber{33}, ForceNumber{0}); }, kForceNumberWrong},
      {"owner -1", [](ScenarioSet& set) { setCityOwner(set, 0, CityNumber{33}, ForceNumber{-1}); }, kForceNumberWrong},
      {"owner 22", [](ScenarioSet& set) { setCityOwner(set, 0, CityNumber{33}, ForceNumber{22}); }, kForceNumberWrong},
      {"handed to force 0", [](ScenarioSet& set) { handCityOver(set, 0, CityNumber{33}, ForceNumber{0}); },
       kNoSuchForce},
      {"handed to an unused force", [](ScenarioSet& set) { handCityOver(set, 0, CityNumber{33}, ForceNumber{3}); },
       kNoSuchForce},
      {"city 0 handed over", [](ScenarioSet& set) { handCityOver(set, 0, CityNumber{0}, std::nullopt); },
       kCityNumberOutOfRange},
      {"linked to officer 0", [](ScenarioSet& set) { linkOfficers(set, 0, OfficerNumber{8}, OfficerNumber{0}); },
       kOfficerNumberBroken},
      {"ruler 0", [](ScenarioSet& set) { changeRuler(set, 0, ForceNumber{1}, OfficerNumber{0}); }, kNewRulerNotServing},
      {"force 0 founded", [](ScenarioSet& set) { foundForce(set, 0, ForceNumber{0}, OfficerNumber{8}); },
       kForceNumberWrong},
  };
  for (const auto& c : cases) {
    ScenarioSet set = smallValidSet();
    const ScenarioSet before = set;
    EXPECT_EQ(errorText([&] { c.call(set); }), c.message) << c.what;
    EXPECT_TRUE(set == before) << c.what;
  }
}

TEST(TypedNumbers, NobodyIsAnEmptyOptional) {
  ScenarioSet set = smallValidSet();
  Scenario& scenario = set.scenarios[0];
  const ScenarioSet before = set;
  linkOfficers(set, 0, std::nullopt, std::nullopt);
  EXPECT_TRUE(set == before) << "nobody linked to nobody";

  // An item goes to nobody when given to nobody, and, as ever, to a number that is no officer.
  for (const std::optional<OfficerNumber> holder :
       {std::optional<OfficerNumber>{}, std::optional(OfficerNumber{0}), std::optional(OfficerNumber{14})}) {
    setItemHolder(set, 0, 3, OfficerNumber{2});
    setItemHolder(set, 0, 3, holder);
    EXPECT_EQ(scenario.trailer.get(trailer::itemHolder, 3), -1);
    EXPECT_EQ(scenario.officerState(2).get(state::items) & (1u << 3), 0u);
  }

  // 建业 (33), owned by force 2 without anybody in it, handed to nobody.
  handCityOver(set, 0, CityNumber{33}, std::nullopt);
  EXPECT_EQ(scenario.city(33).get(city::owner), -1);
  EXPECT_EQ(chainOf(scenario, 2), (std::vector<int>{34}));
  EXPECT_EQ(validationError(set), "");
}

// Links that should be -1 but are written 0 read as nobody: a city with owner 0 is taken like one nobody
// owns, and a force slot with ruler 0 is free for a new force.
TEST(TypedNumbers, AZeroWhereMinusOneBelongsReadsAsNobody) {
  ScenarioSet set = smallValidSet();
  Scenario& scenario = set.scenarios[0];
  scenario.city(20).set(city::owner, 0);
  moveOfficer(set, 0, OfficerNumber{3}, CityNumber{20}, true);
  EXPECT_EQ(scenario.city(20).get(city::owner), 1);
  EXPECT_EQ(scenario.city(20).get(city::governor), 3);
  EXPECT_EQ(chainOf(scenario, 1), (std::vector<int>{11, 12, 20}));

  scenario.force(3).set(force::ruler, 0);
  foundForce(set, 0, ForceNumber{3}, OfficerNumber{8});
  EXPECT_EQ(scenario.force(3).get(force::ruler), 8);
  EXPECT_EQ(chainOf(scenario, 3), (std::vector<int>{5}));
  EXPECT_EQ(validationError(set), "");
}

}  // namespace
}  // namespace vorandel::testing
