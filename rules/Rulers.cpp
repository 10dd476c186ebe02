#include "rules/Rulers.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/Messages.h"
#include "model/RecordLinks.h"
#include "rules/GameRules.h"
#include "rules/Placement.h"
#include "rules/RuleMessages.h"

namespace vorandel {

namespace {

constexpr std::uint8_t kChangedForce = 0xFF;  // changeMarker of an officer who changed force or was freed

CityNumber locationOf(const OfficerState& officer) { return CityNumber{officer.get(state::location)}; }

// The serving officers of city c, governor first; the walk stops with an error on a list that runs in
// a circle.
std::vector<OfficerNumber> servingOfficers(const Scenario& scenario, CityNumber c) {
  std::vector<OfficerNumber> officers;
  for (std::optional<OfficerNumber> o = officerLink(scenario.city(c).get(city::governor)); o;
       o = officerLink(scenario.officerState(*o).get(state::nextOfficer))) {
    require(scenario.isOnMapNumber(*o) && officers.size() < scenario.onMapCount, kCityListBroken);
    officers.push_back(*o);
  }
  return officers;
}

// Clears force f's strategist post when officer o holds it.
void clearStrategistPost(Scenario& scenario, ForceNumber f, OfficerNumber o) {
  if (!isForceNumber(f)) return;
  ForceRecord force = scenario.force(f);
  if (officerLink(force.get(force::namedOfficer)) == o) force.set(force::namedOfficer, -1);
}

// Whether force f is a force in use: its ruler is on the map.
bool hasRulerOnMap(const Scenario& scenario, ForceNumber f) {
  const std::optional<OfficerNumber> ruler = officerLink(scenario.force(f).get(force::ruler));
  return ruler && scenario.isOnMapNumber(*ruler);
}

}  // namespace

void changeRuler(ScenarioSet& set, std::size_t s, ForceNumber f, OfficerNumber r) {
  Scenario& scenario = set.scenario(s);
  require(isForceNumber(f), kForceNumberWrong);
  ForceRecord force = scenario.force(f);
  const std::optional<OfficerNumber> old = officerLink(force.get(force::ruler));
  require(old && scenario.isOnMapNumber(*old), kOfficerNumberWrong);
  if (r == *old) return;
  if (!scenario.isOnMapNumber(r)) failCell(kNewRulerNotServing);
  OfficerState& ruler = scenario.officerState(r);
  const unsigned status = ruler.get(state::status);
  if (forceLink(ruler.get(state::force)) != f || (status != kStrategist && status != kOrdinary))
    failCell(kNewRulerNotServing);
  const CityNumber c = locationOf(ruler);
  require(isCityNumber(c) && forceLink(scenario.city(c).get(city::owner)) == f, kLocationWrong);

  // The old ruler serves on where he is; he governs his city until r takes it over below.
  OfficerState& former = scenario.officerState(*old);
  former.set(state::status, kOrdinary);
  former.set(state::duties, kSpecialDuty);

  clearStrategistPost(scenario, f, r);
  if (officerLink(scenario.city(c).get(city::governor)) != r) {
    detachOfficer(set, s, r, false);
    makeGovernor(set, s, r, c);
  }
  ruler.set(state::status, kRuler);
  ruler.set(state::duties, kRulerDuties);
  force.set(force::ruler, storedOfficerLink(r));
}

void foundForce(ScenarioSet& set, std::size_t s, ForceNumber f, OfficerNumber x) {
  Scenario& scenario = set.scenario(s);
  require(isForceNumber(f), kForceNumberWrong);
  ForceRecord force = scenario.force(f);
  require(!officerLink(force.get(force::ruler)), kTakeCityMisused);
  if (!scenario.isOnMapNumber(x)) failCell(kFounderNotOnMap);
  OfficerState& founder = scenario.officerState(x);
  if (!isFree(founder.get(state::status))) failCell(kFounderNotFree);
  const CityNumber c = locationOf(founder);
  require(isCityNumber(c), kLocationWrong);
  if (forceLink(scenario.city(c).get(city::owner))) failCell(kFounderCityOwned);

  detachOfficer(set, s, x, false);
  founder.set(state::status, kRuler);
  founder.set(state::force, storedForceLink(f));
  founder.set(state::duties, kRulerDuties);
  founder.set(state::changeMarker, kChangedForce);
  force.set(force::ruler, storedOfficerLink(x));
  force.set(force::namedOfficer, -1);
  force.set(force::firstCity, -1);
  setCityOwner(set, s, c, f);
  makeGovernor(set, s, x, c);
}

void handCityOver(ScenarioSet& set, std::size_t s, CityNumber c, std::optional<ForceNumber> f) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  if (f && (!isForceNumber(*f) || !hasRulerOnMap(scenario, *f))) failCell(kNoSuchForce);
  CityRecord city = scenario.city(c);
  const std::optional<ForceNumber> old = forceLink(city.get(city::owner));
  if (old == f) return;
  if (!old) {
    // A city nobody owns joins the force's chain without a governor; its free officers stay free.
    setCityOwner(set, s, c, f);
    return;
  }
  require(isForceNumber(*old), kCityOwnerWrong);
  ForceRecord oldForce = scenario.force(*old);
  const std::optional<OfficerNumber> oldRuler = officerLink(oldForce.get(force::ruler));
  if (oldRuler && scenario.isOnMapNumber(*oldRuler) && locationOf(scenario.officerState(*oldRuler)) == c)
    failCell(kRulerCityCannotChange);

  const std::vector<OfficerNumber> officers = servingOfficers(scenario, c);
  for (const OfficerNumber o : officers) clearStrategistPost(scenario, *old, o);
  if (officers.empty()) {
    // A city that is owned but has nobody serving in it.
    if (cityLink(oldForce.get(force::firstCity)) == c)
      oldForce.set(force::firstCity, storedCityLink(cityLink(city.get(city::nextCity))));
    setCityOwner(set, s, c, f);
    return;
  }
  if (!f) {
    // Everybody leaves the serving list, the last one releasing the city, and joins the city's
    // unaffiliated officers in the list's order.
    for (const OfficerNumber o : officers) detachOfficer(set, s, o, true);
    for (const OfficerNumber o : officers) {
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

  if (cityLink(oldForce.get(force::firstCity)) == c)
    oldForce.set(force::firstCity, storedCityLink(cityLink(city.get(city::nextCity))));
  setCityOwner(set, s, c, f);
  for (const OfficerNumber o : officers) {
    OfficerState& officer = scenario.officerState(o);
    if (officer.get(state::status) == kStrategist) officer.set(state::status, kOrdinary);
    officer.set(state::force, storedForceLink(f));
    officer.set(state::duties, kSpecialDuty);
    officer.set(state::changeMarker, kChangedForce);
  }
}

}  // namespace vorandel
