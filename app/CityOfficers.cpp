#include "app/CityOfficers.h"

#include <algorithm>

namespace vorandel {

namespace {

int headOf(const Scenario& scenario, int c, CityList list) {
  const ConstCityRecord record = scenario.city(c);
  switch (list) {
    case CityList::Serving: return record.get(city::governor);
    case CityList::Training: return record.get(city::trainingHead);
    case CityList::Unaffiliated: return record.get(city::unaffiliatedHead);
    case CityList::Hermits: return record.get(city::hermitHead);
  }
  return -1;
}

}  // namespace

std::vector<int> cityOfficers(const Scenario& scenario, int c, CityList list) {
  std::vector<int> officers;
  std::vector<bool> seen(scenario.states.size() + 1, false);
  for (int o = headOf(scenario, c, list); scenario.isOfficerNumber(o) && !seen[o];
       o = scenario.officerState(o).get(state::nextOfficer)) {
    seen[o] = true;
    officers.push_back(o);
  }
  return officers;
}

std::vector<int> forceCities(const Scenario& scenario, int f) {
  std::vector<int> cities;
  std::vector<bool> seen(kCityCount + 1, false);
  for (int c = scenario.force(f).get(force::firstCity); isCityNumber(c) && !seen[c];
       c = scenario.city(c).get(city::nextCity)) {
    if (scenario.city(c).get(city::owner) != f) break;
    seen[c] = true;
    cities.push_back(c);
  }
  for (int c = 1; c <= kCityCount; ++c)
    if (!seen[c] && scenario.city(c).get(city::owner) == f) cities.push_back(c);
  return cities;
}

int rulerOf(const Scenario& scenario, int f) {
  const int ruler = scenario.force(f).get(force::ruler);
  return scenario.isOfficerNumber(ruler) ? ruler : 0;
}

}  // namespace vorandel
