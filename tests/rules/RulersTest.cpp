// A new ruler leaves the strategist's post of his force to whoever holds it, unless he held it himself.
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

}  // namespace
}  // namespace vorandel::testing
