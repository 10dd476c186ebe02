#include "rules/Placement.h"

#include <cstdint>
#include <optional>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/Messages.h"
#include "model/RecordLinks.h"
#include "rules/GameRules.h"
#include "rules/RuleMessages.h"

namespace vorandel {

namespace {

constexpr const char* kOfficerListLoop = "武将链表首尾相接，数据已损坏";  // an officer list runs in a circle
constexpr const char* kCityChainLoop = "城市链表首尾相接，数据已损坏";    // a force's chain of cities runs in a circle
constexpr std::uint16_t kOwnerChangeBits = (1u << 9) | (1u << 10);

// The head of the city's list that an officer of the status belongs to (statuses 0 to 5).
std::optional<OfficerNumber> listHead(CityRecord city, unsigned status) {
  switch (status) {
    case kInTraining: return officerLink(city.get(city::trainingHead));
    case kUnaffiliated: return officerLink(city.get(city::unaffiliatedHead));
    case kHermit: return officerLink(city.get(city::hermitHead));
    default: return officerLink(city.get(city::governor));
  }
}

void setListHead(CityRecord city, unsigned status, std::optional<OfficerNumber> head) {
  const std::int16_t value = storedOfficerLink(head);
  switch (status) {
    case kInTraining: city.set(city::trainingHead, value); break;
    case kUnaffiliated: city.set(city::unaffiliatedHead, value); break;
    case kHermit: city.set(city::hermitHead, value); break;
    default: city.set(city::governor, value); break;
  }
}

CityNumber locationOf(const OfficerState& officer) { return CityNumber{officer.get(state::location)}; }

}  // namespace

void linkOfficers(ScenarioSet& set, std::size_t s, std::optional<OfficerNumber> a, std::optional<OfficerNumber> b) {
  require(!a || a != b, "必须是不同的目标");
  Scenario& scenario = set.scenario(s);
  // Both numbers are checked before either officer is written.
  OfficerState* first = a ? &scenario.officerState(*a) : nullptr;
  OfficerState* second = b ? &scenario.officerState(*b) : nullptr;
  if (first) first->set(state::nextOfficer, storedOfficerLink(b));
  if (second) second->set(state::prevOfficer, storedPreviousOfficer(a));
}

void makeGovernor(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  OfficerState& officer = scenario.officerState(o);
  require(locationOf(officer) == c, kLocationWrong);
  CityRecord city = scenario.city(c);
  const std::optional<OfficerNumber> oldGovernor = officerLink(city.get(city::governor));
  require(oldGovernor != o, "同一武将");

  city.set(city::governor, storedOfficerLink(o));
  officer.set(state::isGovernor, 1);
  officer.set(state::prevOfficer, 0);
  if (oldGovernor) {
    // The old governor becomes second; the rest of the list follows him unchanged.
    scenario.officerState(*oldGovernor).set(state::isGovernor, 0);
    linkOfficers(set, s, o, oldGovernor);
  } else {
    officer.set(state::nextOfficer, -1);
  }
}

void setItemHolder(ScenarioSet& set, std::size_t s, int i, std::optional<OfficerNumber> o) {
  Scenario& scenario = set.scenario(s);
  require(i >= 0 && i < kItemCount, "物品编号错误");
  const auto item = static_cast<std::size_t>(i);
  const std::uint32_t bit = std::uint32_t{1} << i;
  const std::optional<OfficerNumber> holder = officerLink(scenario.trailer.get(trailer::itemHolder, item));
  if (holder && scenario.isOfficerNumber(*holder)) {
    OfficerState& previous = scenario.officerState(*holder);
    previous.set(state::items, previous.get(state::items) & ~bit);
  }
  if (o && scenario.isOfficerNumber(*o)) {
    OfficerState& officer = scenario.officerState(*o);
    officer.set(state::items, officer.get(state::items) | bit);
    scenario.trailer.set(trailer::itemHolder, item, storedOfficerLink(o));
  } else {
    scenario.trailer.set(trailer::itemHolder, item, -1);
  }
}

void setCityOwner(ScenarioSet& set, std::size_t s, CityNumber c, std::optional<ForceNumber> f) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  // A force number that does not fit is refused before anything is written.
  if (f) require(isForceNumber(*f), kForceNumberWrong);
  CityRecord city = scenario.city(c);
  city.set(city::statusBits, static_cast<std::uint16_t>(city.get(city::statusBits) & ~kOwnerChangeBits));
  city.set(city::ownerChangeMark, 0xFF);

  if (forceLink(city.get(city::owner))) {
    const std::optional<CityNumber> prev = cityLink(city.get(city::prevCity));
    const std::optional<CityNumber> next = cityLink(city.get(city::nextCity));
    if (prev) scenario.city(*prev).set(city::nextCity, storedCityLink(next));
    if (next) scenario.city(*next).set(city::prevCity, storedPreviousCity(prev));
    city.set(city::prevCity, -1);
    city.set(city::nextCity, -1);
  }

  if (!f) {
    // The city's officers are not touched.
    city.set(city::owner, -1);
    city.set(city::governor, -1);
    return;
  }
  city.set(city::owner, storedForceLink(f));

  ForceRecord owner = scenario.force(*f);
  const std::optional<CityNumber> first = cityLink(owner.get(force::firstCity));
  require(first != c, kTakeCityMisused);
  if (!first) {
    owner.set(force::firstCity, storedCityLink(c));
    city.set(city::prevCity, 0);
    city.set(city::nextCity, -1);
    return;
  }
  // A newly taken city always goes to the end of the chain.
  CityNumber last = *first;
  for (int steps = 0;; ++steps) {
    require(steps < kCityCount, kCityChainLoop);
    const std::optional<CityNumber> next = cityLink(scenario.city(last).get(city::nextCity));
    if (!next) break;
    require(next != c, kTakeCityMisused);
    last = *next;
  }
  scenario.city(last).set(city::nextCity, storedCityLink(c));
  city.set(city::prevCity, storedPreviousCity(last));
  city.set(city::nextCity, -1);
}

void detachOfficer(ScenarioSet& set, std::size_t s, OfficerNumber o, bool releaseEmptyCity) {
  Scenario& scenario = set.scenario(s);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  OfficerState& officer = scenario.officerState(o);
  const CityNumber c = locationOf(officer);
  require(isCityNumber(c), kLocationWrong);
  const unsigned status = officer.get(state::status);
  require(status <= kHermit, "待命的武将不在城内不能移出");

  const std::optional<ForceNumber> forceNumber = forceLink(officer.get(state::force));
  const std::optional<OfficerNumber> next = officerLink(officer.get(state::nextOfficer));
  CityRecord city = scenario.city(c);
  const std::optional<OfficerNumber> governor = officerLink(city.get(city::governor));

  const std::optional<OfficerNumber> prev = officerLink(officer.get(state::prevOfficer));
  if (prev) scenario.officerState(*prev).set(state::nextOfficer, storedOfficerLink(next));
  if (next) scenario.officerState(*next).set(state::prevOfficer, storedPreviousOfficer(prev));
  officer.set(state::prevOfficer, 0);
  officer.set(state::nextOfficer, -1);
  if (listHead(city, status) == o) setListHead(city, status, next);

  if (isFree(status)) {
    require(!forceNumber, "自由武将不应属于任何势力，数据已损坏");
    return;
  }

  // A serving officer without a force is refused as the force's locator refuses a number out of range.
  require(forceNumber.has_value(), kForceNumberWrong);
  ForceRecord served = scenario.force(*forceNumber);
  if (officerLink(served.get(force::namedOfficer)) == o) served.set(force::namedOfficer, -1);
  if (governor != o) return;

  // He was the governor. A ruler keeps his flag: he governs whichever city he goes to.
  if (officerLink(served.get(force::ruler)) != o) officer.set(state::isGovernor, 0);
  if (next) {
    scenario.officerState(*next).set(state::isGovernor, 1);
    return;
  }
  // Nobody serving is left in the city.
  if (!releaseEmptyCity) return;
  if (cityLink(served.get(force::firstCity)) == c)
    served.set(force::firstCity, storedCityLink(cityLink(city.get(city::nextCity))));
  setCityOwner(set, s, c, std::nullopt);
}

void appendToCity(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c) {
  Scenario& scenario = set.scenario(s);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  require(isCityNumber(c), kLocationNumberWrong);
  OfficerState& officer = scenario.officerState(o);
  officer.set(state::location, storedCityLink(c));

  // A ruler is placed only as governor; waiting and dead officers belong to no list.
  const unsigned status = officer.get(state::status);
  if (status == kRuler || status == kWaiting || status == kDead) return;

  CityRecord city = scenario.city(c);
  const std::optional<OfficerNumber> head = listHead(city, status);
  if (head == o) failCell(kCannotMoveIn);
  if (!head) {
    // A serving officer can only join a city that has a governor.
    require(isFree(status), "不应该再处理占空城");
    setListHead(city, status, o);
    officer.set(state::prevOfficer, 0);
    officer.set(state::nextOfficer, -1);
    return;
  }

  // Officers always join at the end.
  OfficerNumber last = *head;
  for (std::uint32_t steps = 0;; ++steps) {
    require(steps < scenario.officerCount, kOfficerListLoop);
    if (last == o) failCell(kCannotMoveIn);
    const std::optional<OfficerNumber> next = officerLink(scenario.officerState(last).get(state::nextOfficer));
    if (!next) break;
    last = *next;
  }
  scenario.officerState(last).set(state::nextOfficer, storedOfficerLink(o));
  officer.set(state::prevOfficer, storedPreviousOfficer(last));
  officer.set(state::nextOfficer, -1);
}

void placeOfficer(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  OfficerState& officer = scenario.officerState(o);
  const std::optional<ForceNumber> owner = forceLink(scenario.city(c).get(city::owner));
  const std::optional<ForceNumber> forceNumber = forceLink(officer.get(state::force));
  const unsigned status = officer.get(state::status);

  if (owner && forceNumber && owner != forceNumber && !isFree(status)) failCell("无法移动武将到其它势力的城市");
  officer.set(state::location, storedCityLink(c));

  if (!owner && isServing(status)) {
    // A serving officer who enters a city nobody owns takes it for his force and governs it.
    require(forceNumber.has_value(), "数据出错");
    setCityOwner(set, s, c, forceNumber);
    makeGovernor(set, s, o, c);
    return;
  }
  if (forceNumber && officerLink(scenario.force(*forceNumber).get(force::ruler)) == o) {
    // The ruler always governs the city he is in.
    makeGovernor(set, s, o, c);
    return;
  }
  require(status != kWaiting, "待命武将不要调用该函数");
  appendToCity(set, s, o, c);
}

void moveOfficer(ScenarioSet& set, std::size_t s, OfficerNumber o, CityNumber c, bool releaseEmptyCity) {
  if (locationOf(set.scenario(s).officerState(o)) == c) return;
  detachOfficer(set, s, o, releaseEmptyCity);
  placeOfficer(set, s, o, c);
}

void appointGovernor(ScenarioSet& set, std::size_t s, OfficerNumber o) {
  require(s < set.scenarioCount(), "剧本超出范围");
  Scenario& scenario = set.scenario(s);
  OfficerState& officer = scenario.officerState(o);
  const CityNumber c = locationOf(officer);
  if (!isCityNumber(c)) failCell(kLocationWrong);
  CityRecord city = scenario.city(c);
  const std::optional<OfficerNumber> governor = officerLink(city.get(city::governor));
  if (governor == o) return;

  const std::optional<ForceNumber> owner = forceLink(city.get(city::owner));
  if (!owner || !isForceNumber(*owner)) failCell(kForceNumberWrong);
  const std::optional<OfficerNumber> ruler = officerLink(scenario.force(*owner).get(force::ruler));
  if (!ruler || !scenario.isOfficerNumber(*ruler)) failCell("君主的编号错误");

  if (governor == ruler) {
    // The ruler stays governor of his own city; o moves to second place.
    linkOfficers(set, s, officerLink(officer.get(state::prevOfficer)), officerLink(officer.get(state::nextOfficer)));
    linkOfficers(set, s, o, officerLink(scenario.officerState(*ruler).get(state::nextOfficer)));
    linkOfficers(set, s, ruler, o);
    return;
  }

  if (o == *ruler) failCell("不可能手动设置君主为太守。");
  if (locationOf(scenario.officerState(*ruler)) == c) failCell("君主所在城错误");
  officer.set(state::isGovernor, 1);
  city.set(city::governor, storedOfficerLink(o));
  if (!governor) failCell("不可能任命为某个空城的太守");

  // o takes the head of the list; the old governor becomes second and the rest keeps its order.
  OfficerState& oldGovernor = scenario.officerState(*governor);
  oldGovernor.set(state::isGovernor, 0);
  linkOfficers(set, s, officerLink(officer.get(state::prevOfficer)), officerLink(officer.get(state::nextOfficer)));
  linkOfficers(set, s, officerLink(oldGovernor.get(state::prevOfficer)), o);
  linkOfficers(set, s, o, governor);
}

}  // namespace vorandel
