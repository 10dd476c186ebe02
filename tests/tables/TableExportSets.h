#pragma once
// A busy valid set whose officers hold values that the officer table can write (the builder leaves
// formations, learnable skills and duties at 0, which no table row can carry): the other data the
// exported tables are tried on; and the built-in set as loaded.
#include "model/BuiltInData.h"
#include "model/Loader.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::testing {

inline ScenarioSet builtInSet() {
  ScenarioSet set;
  loadScenarioSet(set, builtInData().sndata, builtInData().taiki);
  return set;
}

inline ScenarioSet tableReadySet() {
  ScenarioSet set = busyValidSet();
  for (Scenario& scenario : set.scenarios) {
    for (int n = 1; n <= static_cast<int>(scenario.officerCount); ++n) {
      OfficerState& officer = scenario.officerState(n);
      OfficerProfile& profile = scenario.officerProfile(n);
      profile.set(profile::formations, static_cast<std::uint16_t>(0x0003 + (n % 7) * 0x0100));
      for (std::size_t slot = 0; slot < 6; ++slot)
        profile.set(profile::learnableSkills, slot, static_cast<std::uint8_t>((n + 5 * slot) % 32));
      const unsigned status = officer.get(state::status);
      officer.set(state::duties, status == kRuler ? 0x3Bu : 1u << (n % 6));
      if (status == kStrategist) {
        officer.set(state::intelligence, 95);
        officer.set(state::politics, 85);
      }
    }
  }
  return set;
}

}  // namespace vorandel::testing
