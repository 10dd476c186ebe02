// A new ruler leaves the strategist's post of his force to whoever holds it, unless he held it himself; a city
// handed to another force brings its officers into that force as ordinary officers.
#include "rules/Rulers.h"

#include <gtest/gtest.h>

#include "tests/support/ScenarioBuilder.h"

namespace vorandel::testing {
namespace {

TEST(Rulers, ANewRulerClearsTheStrategistPostOnlyWhenHeHeldIt) {
  for (const int newRuler : {2, 3}) {  // 2 holds the post, 3 does not
    ScenarioSet set = smallValidSet();
    set.scenarios[0].force(1).set(force::namedOfficer, 2);
    changeRuler(set, 0, ForceNumber{1}, OfficerNumber{newRuler});
    EXPECT_EQ(set.scenarios[0].force(1).get(force::namedOfficer), newRuler == 2 ? -1 : 2) << newRuler;
  }
}

TEST(Rulers, ACityHandedOverBringsItsStrategistInAsAnOrdinaryOfficer) {
  // City 12 of force 1 has officers 13 and 14 (by id); 13 is made a strategist, 14 stays ordinary.
  ScenarioSet set = smallValidSet();
  Scenario& scenario = set.scenarios[0];
  const OfficerNumber strategist = set.officerIndexOf(0, 13)->officerNumber();
  const OfficerNumber ordinary = set.officerIndexOf(0, 14)->officerNumber();
  scenario.officerState(strategist).set(state::status, kStrategist);

  handCityOver(set, 0, CityNumber{12}, ForceNumber{2});
  for (const OfficerNumber o : {strategist, ordinary}) {
    EXPECT_EQ(scenario.officerState(o).get(state::status), kOrdinary) << o.value();
    EXPECT_EQ(scenario.officerState(o).get(state::force), 2) << o.value();
  }
  EXPECT_EQ(scenario.city(12).get(city::owner), 2);
}

}  // namespace
}  // namespace vorandel::testing
