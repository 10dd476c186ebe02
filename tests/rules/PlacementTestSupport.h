#pragma once
// Helpers shared by the tests of the placement and waiting-officer operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CellError.h"
#include "model/ScenarioSet.h"
#include "tests/support/ErrorText.h"
#include "tests/support/Text.h"

namespace vorandel::testing {

// The officer numbers of a list from its head, following nextOfficer (at most officerCount steps).
inline std::vector<int> listFrom(const Scenario& scenario, int head) {
  std::vector<int> officers;
  for (int o = head; o > 0 && officers.size() <= scenario.officerCount;
       o = scenario.officerState(o).get(state::nextOfficer))
    officers.push_back(o);
  return officers;
}

inline std::vector<int> servingList(const Scenario& scenario, int c) {
  return listFrom(scenario, scenario.city(c).get(city::governor));
}

// The cities of a force's chain from its first city, following nextCity (at most 47 steps).
inline std::vector<int> chainOf(const Scenario& scenario, int f) {
  std::vector<int> cities;
  for (int c = scenario.force(f).get(force::firstCity); c > 0 && cities.size() <= 47;
       c = scenario.city(c).get(city::nextCity))
    cities.push_back(c);
  return cities;
}

// The message of the cell fault that the call raises, which a table names with the cell it applied;
// fails the test when the call raises no cell fault.
template <class Call>
std::string cellFaultOf(Call call) {
  try {
    call();
  } catch (const CellFault& fault) {
    return fault.text();
  } catch (const EditError& error) {
    ADD_FAILURE() << "not a cell fault: " << error.text();
    return error.text();
  }
  ADD_FAILURE() << "no cell fault was raised";
  return std::string();
}

}  // namespace vorandel::testing
