#pragma once
// An officer of a scenario as the exporter writes and checks his row: where he stands and the facts
// that several of his cells need.
#include <cstddef>
#include <string>
#include <string_view>

#include "model/ScenarioSet.h"

namespace vorandel {

struct OfficerAt {
  const ScenarioSet& set;
  std::size_t s = 0;
  int number = 0;  // 1-based

  const Scenario& scenario() const { return set.scenario(s); }
  const OfficerState& state() const { return scenario().officerState(number); }
  const OfficerProfile& profile() const { return scenario().officerProfile(number); }
  // His waiting queue's entry; nullptr when the queue does not hold him there.
  const WaitingEntry* queueEntry() const;
};

// The name in an officer's name field, when a cell writing it back reproduces the field; empty otherwise.
std::string officerName(const OfficerProfile& profile);

// The name of officer n of the scenario for an informative cell; "-" when there is none.
std::string nameOfNumber(const Scenario& scenario, int n);

}  // namespace vorandel
