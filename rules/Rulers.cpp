#include "rules/Rulers.h"

#include <cstdint>
#include <vector>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/Messages.h"
#include "rules/GameRules.h"
#include "rules/Placement.h"
#include "rules/RuleMessages.h"

namespace vorandel {

namespace {

constexpr std::uint8_t kChangedForce = 0xFF;  // changeMarker of an officer who changed force or was freed

bool isFree(unsigned status) { return status == kInTraining || status == kUnaffiliated || status == kHermit; }

// The serving officers of city c, governor first; the walk stops with an error on a list that runs in
// a circle.
std::vector<int> servingOfficers(const Scenario& scenario, int c) {
  std::vector<int> officers;
  for (int o = scenario.city(c).get(city::governor); o > 0; o = scenario.officerState(o).get(state::nextOfficer)) {
    require(scenario.isOnMapNumber(o) && officers.size() < scenario.onMapCount, kCityListBroken);
    officers.push_back(o);
  }
  return officers;
}

// Clears force f's strategist post when officer o holds it.
void clearStrategistPost(Scenario& scenario, int f, int o) {
  if (!isForceNumber(f)) return;
  ForceRecord force = scenario.force(f);
  if (force.get(force::namedOfficer) == o) force.set(force::namedOfficer, -1);
}

}  // namespace

void changeRuler(ScenarioSet& set, std::size_t s, int f, int r) {
  Scenario& scenario = set.scenario(s);
  require(isForceNumber(f), kForceNumberWrong);
  ForceRecord force = scenario.force(f);
  const int old = force.get(force::ruler);
  require(scenario.isOnMapNumber(old), kOfficerNumberWrong);
  if (r == old) return;
  if (!scenario.isOnMapNumber(r)) failCell(kNewRulerNotServing);
  OfficerState& ruler = scenario.officerState(r);
  const unsigned status = ruler.get(state::status);
  if (ruler.get(state::force) != f || (status != kStrategist && status != kOrdinary)) failCell(kNewRulerNotServing);
  const int c = ruler.get(state::location);
  require(isCityNumber(c) && scenario.city(c).get(city::owner) == f, kLocationWrong);

  // The old ruler serves on where he is; he governs his city until r takes it over below.
  OfficerState& former = scenario.officerState(old);
  former.set(state::status, kOrdinary);
  former.set(state::duties, kSpecialDuty);

  clearStrategistPost(scenario, f, r);
  if (scenario.city(c).get(city::governor) != r) {
    detachOfficer(set, s, r, false);
    makeGovernor(set, s, r, c);
  }
  ruler.set(state::status, kRuler);
  ruler.set(state::duties, kRulerDuties);
  force.set(force::ruler, static_cast<std::int16_t>(r));
}

void foundForce(ScenarioSet& set, std::size_t s, int f, int x) {
  Scenario& scenario = set.scenario(s);
  require(isForceNumber(f), kForceNumberWrong);
  ForceRecord force = scenario.force(f);
  require(force.get(force::ruler) == -1, kTakeCityMisused);
  if (!scenario.isOnMapNumber(x)) failCell(kFounderNotOnMap);
  OfficerState& founder = scenario.officerState(x);
  if (!isFree(founder.get(state::status))) failCell(kFounderNotFree);
  const int c = founder.get(state::location);
  require(isCityNumber(c), kLocationWrong);
  if (scenario.city(c).get(city::owner) > 0) failCell(kFounderCityOwned);

  detachOfficer(set, s, x, false);
  founder.set(state::status, kRuler);
  founder.set(state::force, static_cast<std::int8_t>(f));
  founder.set(state::duties, kRulerDuties);
  founder.set(state::changeMarker, kChangedForce);
  force.set(force::ruler, static_cast<std::int16_t>(x));
  force.set(force::namedOfficer, -1);
  force.set(force::firstCity, -1);
  setCityOwner(set, s, c, f);
  makeGovernor(set, s, x, c);
}

void handCityOver(ScenarioSet& set, std::size_t s, int c, int f) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  if (f != 0 && (!isForceNumber(f) || !scenario.isOnMapNumber(scenario.force(f).get(force::ruler))))
    failCell(kNoSuchForce);
  CityRecord city = scenario.city(c);
  const int old = city.get(city::owner) > 0 ? city.get(city::owner) : 0;
  if (old == f) return;
  if (old == 0) {
    // A city nobody owns joins the force's chain without a governor; its free officers stay free.
    setCityOwner(set, s, c, f);
    return;
  }
  require(isForceNumber(old), kCityOwnerWrong);
  ForceRecord oldForce = scenario.force(old);
  const int oldRuler = oldForce.get(force::ruler);
  if (scenario.isOnMapNumber(oldRuler) && scenario.officerState(oldRuler).get(state::location) == c)
    failCell(kRulerCityCannotChange);

  const std::vector<int> officers = servingOfficers(scenario, c);
  for (const int o : officers) clearStrategistPost(scenario, old, o);
  if (officers.empty()) {
    // A city that is owned but has nobody serving in it.
    if (oldForce.get(force::firstCity) == c) oldForce.set(force::firstCity, city.get(city::nextCity));
    setCityOwner(set, s, c, f);
    return;
  }
  if (f == 0) {
    // Everybody leaves the serving list, the last one releasing the city, and joins the city's
    // unaffiliated officers in the list's order.
    for (const int o : officers) detachOfficer(set, s, o, true);
    for (const int o : officers) {
      OfficerState& officer = scenario.officerState(o);
      officer.set(state::status, kUnaffiliated);
      officer.set(state::force, -1);
      officer.set(state::isGovernor, 0);
      officer.set(state::duties, kSpecialDuty);
      officer.set(state::changeMarker, kChangedForce);
      appendToCity(set, s, o, c);
    }
    return;
  }

  if (oldForce.get(force::firstCity) == c) oldForce.set(force::firstCity, city.get(city::nextCity));
  setCityOwner(set, s, c, f);
  for (const int o : officers) {
    OfficerState& officer = scenario.officerState(o);
    if (officer.get(state::status) == kStrategist) officer.set(state::status, kOrdinary);
    officer.set(state::force, static_cast<std::int8_t>(f));
    officer.set(state::duties, kSpecialDuty);
    officer.set(state::changeMarker, kChangedForce);
  }
}

}  // namespace vorandel
