#include "rules/Placement.h"

#include <cstdint>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/Messages.h"
#include "rules/RuleMessages.h"

namespace vorandel {

namespace {

constexpr const char* kOfficerListLoop = "武将链表首尾相接，数据已损坏";  // an officer list runs in a circle
constexpr const char* kCityChainLoop = "城市链表首尾相接，数据已损坏";    // a force's chain of cities runs in a circle
constexpr std::uint16_t kOwnerChangeBits = (1u << 9) | (1u << 10);

std::int16_t officerLink(int n) { return static_cast<std::int16_t>(n); }
std::int8_t cityLink(int c) { return static_cast<std::int8_t>(c); }

bool isServing(unsigned status) { return status <= kOrdinary; }
bool isFree(unsigned status) { return status == kInTraining || status == kUnaffiliated || status == kHermit; }

// The head of the city's list that an officer of the status belongs to (statuses 0 to 5).
int listHead(CityRecord city, unsigned status) {
  switch (status) {
    case kInTraining: return city.get(city::trainingHead);
    case kUnaffiliated: return city.get(city::unaffiliatedHead);
    case kHermit: return city.get(city::hermitHead);
    default: return city.get(city::governor);
  }
}

void setListHead(CityRecord city, unsigned status, int head) {
  const std::int16_t value = officerLink(head > 0 ? head : -1);
  switch (status) {
    case kInTraining: city.set(city::trainingHead, value); break;
    case kUnaffiliated: city.set(city::unaffiliatedHead, value); break;
    case kHermit: city.set(city::hermitHead, value); break;
    default: city.set(city::governor, value); break;
  }
}

}  // namespace

void linkOfficers(ScenarioSet& set, std::size_t s, int a, int b) {
  require(a != b, "必须是不同的目标");
  Scenario& scenario = set.scenario(s);
  // Both numbers are checked before either officer is written.
  OfficerState* first = a > 0 ? &scenario.officerState(a) : nullptr;
  OfficerState* second = b > 0 ? &scenario.officerState(b) : nullptr;
  if (first) first->set(state::nextOfficer, officerLink(b));
  if (second) second->set(state::prevOfficer, officerLink(a));
}

void makeGovernor(ScenarioSet& set, std::size_t s, int o, int c) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  OfficerState& officer = scenario.officerState(o);
  require(officer.get(state::location) == c, kLocationWrong);
  CityRecord city = scenario.city(c);
  const int oldGovernor = city.get(city::governor);
  require(oldGovernor != o, "同一武将");

  city.set(city::governor, officerLink(o));
  officer.set(state::isGovernor, 1);
  officer.set(state::prevOfficer, 0);
  if (oldGovernor > 0) {
    // The old governor becomes second; the rest of the list follows him unchanged.
    scenario.officerState(oldGovernor).set(state::isGovernor, 0);
    linkOfficers(set, s, o, oldGovernor);
  } else {
    officer.set(state::nextOfficer, -1);
  }
}

void setItemHolder(ScenarioSet& set, std::size_t s, int i, int o) {
  Scenario& scenario = set.scenario(s);
  require(i >= 0 && i < kItemCount, "物品编号错误");
  const auto item = static_cast<std::size_t>(i);
  const std::uint32_t bit = std::uint32_t{1} << i;
  const int holder = scenario.trailer.get(trailer::itemHolder, item);
  if (scenario.isOfficerNumber(holder)) {
    OfficerState& previous = scenario.officerState(holder);
    previous.set(state::items, previous.get(state::items) & ~bit);
  }
  if (scenario.isOfficerNumber(o)) {
    OfficerState& officer = scenario.officerState(o);
    officer.set(state::items, officer.get(state::items) | bit);
    scenario.trailer.set(trailer::itemHolder, item, officerLink(o));
  } else {
    scenario.trailer.set(trailer::itemHolder, item, -1);
  }
}

void setCityOwner(ScenarioSet& set, std::size_t s, int c, int f) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  // A force number that does not fit is refused before anything is written.
  if (f > 0) require(isForceNumber(f), kForceNumberWrong);
  CityRecord city = scenario.city(c);
  city.set(city::statusBits, static_cast<std::uint16_t>(city.get(city::statusBits) & ~kOwnerChangeBits));
  city.set(city::ownerChangeMark, 0xFF);

  if (city.get(city::owner) > 0) {
    const int prev = city.get(city::prevCity);
    const int next = city.get(city::nextCity);
    if (prev > 0) scenario.city(prev).set(city::nextCity, cityLink(next));
    if (next > 0) scenario.city(next).set(city::prevCity, cityLink(prev));
    city.set(city::prevCity, -1);
    city.set(city::nextCity, -1);
  }

  if (f <= 0) {
    // The city's officers are not touched.
    city.set(city::owner, -1);
    city.set(city::governor, -1);
    return;
  }
  city.set(city::owner, cityLink(f));

  ForceRecord owner = scenario.force(f);
  const int first = owner.get(force::firstCity);
  require(first != c, kTakeCityMisused);
  if (first <= 0) {
    owner.set(force::firstCity, cityLink(c));
    city.set(city::prevCity, 0);
    city.set(city::nextCity, -1);
    return;
  }
  // A newly taken city always goes to the end of the chain.
  int last = first;
  for (int steps = 0;; ++steps) {
    require(steps < kCityCount, kCityChainLoop);
    const int next = scenario.city(last).get(city::nextCity);
    if (next <= 0) break;
    require(next != c, kTakeCityMisused);
    last = next;
  }
  scenario.city(last).set(city::nextCity, cityLink(c));
  city.set(city::prevCity, cityLink(last));
  city.set(city::nextCity, -1);
}

void detachOfficer(ScenarioSet& set, std::size_t s, int o, bool releaseEmptyCity) {
  Scenario& scenario = set.scenario(s);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  OfficerState& officer = scenario.officerState(o);
  const int c = officer.get(state::location);
  require(isCityNumber(c), kLocationWrong);
  const unsigned status = officer.get(state::status);
  require(status <= kHermit, "待命的武将不在城内不能移出");

  const int forceNumber = officer.get(state::force);
  const int next = officer.get(state::nextOfficer);
  CityRecord city = scenario.city(c);
  const int governor = city.get(city::governor);

  const int prev = officer.get(state::prevOfficer);
  if (prev > 0) scenario.officerState(prev).set(state::nextOfficer, officerLink(next));
  if (next > 0) scenario.officerState(next).set(state::prevOfficer, officerLink(prev));
  officer.set(state::prevOfficer, 0);
  officer.set(state::nextOfficer, -1);
  if (listHead(city, status) == o) setListHead(city, status, next);

  if (isFree(status)) {
    require(forceNumber == -1, "自由武将不应属于任何势力，数据已损坏");
    return;
  }

  ForceRecord served = scenario.force(forceNumber);
  if (served.get(force::namedOfficer) == o) served.set(force::namedOfficer, -1);
  if (governor != o) return;

  // He was the governor. A ruler keeps his flag: he governs whichever city he goes to.
  if (served.get(force::ruler) != o) officer.set(state::isGovernor, 0);
  if (next > 0) {
    scenario.officerState(next).set(state::isGovernor, 1);
    return;
  }
  // Nobody serving is left in the city.
  if (!releaseEmptyCity) return;
  if (served.get(force::firstCity) == c) served.set(force::firstCity, city.get(city::nextCity));
  setCityOwner(set, s, c, -1);
}

void appendToCity(ScenarioSet& set, std::size_t s, int o, int c) {
  Scenario& scenario = set.scenario(s);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  require(isCityNumber(c), kLocationNumberWrong);
  OfficerState& officer = scenario.officerState(o);
  officer.set(state::location, cityLink(c));

  // A ruler is placed only as governor; waiting and dead officers belong to no list.
  const unsigned status = officer.get(state::status);
  if (status == kRuler || status == kWaiting || status == kDead) return;

  CityRecord city = scenario.city(c);
  const int head = listHead(city, status);
  if (head == o) failCell(kCannotMoveIn);
  if (head <= 0) {
    // A serving officer can only join a city that has a governor.
    require(isFree(status), "不应该再处理占空城");
    setListHead(city, status, o);
    officer.set(state::prevOfficer, 0);
    officer.set(state::nextOfficer, -1);
    return;
  }

  // Officers always join at the end.
  int last = head;
  for (std::uint32_t steps = 0;; ++steps) {
    require(steps < scenario.officerCount, kOfficerListLoop);
    if (last == o) failCell(kCannotMoveIn);
    const int next = scenario.officerState(last).get(state::nextOfficer);
    if (next <= 0) break;
    last = next;
  }
  scenario.officerState(last).set(state::nextOfficer, officerLink(o));
  officer.set(state::prevOfficer, officerLink(last));
  officer.set(state::nextOfficer, -1);
}

void placeOfficer(ScenarioSet& set, std::size_t s, int o, int c) {
  Scenario& scenario = set.scenario(s);
  require(isCityNumber(c), kCityNumberOutOfRange);
  require(scenario.isOfficerNumber(o), kOfficerNumberBroken);
  OfficerState& officer = scenario.officerState(o);
  const int owner = scenario.city(c).get(city::owner);
  const int forceNumber = officer.get(state::force);
  const unsigned status = officer.get(state::status);

  if (owner >= 0 && owner != forceNumber && forceNumber >= 0 && !isFree(status))
    failCell("无法移动武将到其它势力的城市");
  officer.set(state::location, cityLink(c));

  if (owner <= 0 && isServing(status)) {
    // A serving officer who enters a city nobody owns takes it for his force and governs it.
    require(forceNumber > 0, "数据出错");
    setCityOwner(set, s, c, forceNumber);
    makeGovernor(set, s, o, c);
    return;
  }
  if (forceNumber > 0 && scenario.force(forceNumber).get(force::ruler) == o) {
    // The ruler always governs the city he is in.
    makeGovernor(set, s, o, c);
    return;
  }
  require(status != kWaiting, "待命武将不要调用该函数");
  appendToCity(set, s, o, c);
}

void moveOfficer(ScenarioSet& set, std::size_t s, int o, int c, bool releaseEmptyCity) {
  if (set.scenario(s).officerState(o).get(state::location) == c) return;
  detachOfficer(set, s, o, releaseEmptyCity);
  placeOfficer(set, s, o, c);
}

void appointGovernor(ScenarioSet& set, std::size_t s, int o) {
  require(s < set.scenarioCount(), "剧本超出范围");
  Scenario& scenario = set.scenario(s);
  OfficerState& officer = scenario.officerState(o);
  const int c = officer.get(state::location);
  if (!isCityNumber(c)) failCell(kLocationWrong);
  CityRecord city = scenario.city(c);
  const int governor = city.get(city::governor);
  if (governor == o) return;

  const int owner = city.get(city::owner);
  if (!isForceNumber(owner)) failCell(kForceNumberWrong);
  const int ruler = scenario.force(owner).get(force::ruler);
  if (!scenario.isOfficerNumber(ruler)) failCell("君主的编号错误");

  if (governor == ruler) {
    // The ruler stays governor of his own city; o moves to second place.
    linkOfficers(set, s, officer.get(state::prevOfficer), officer.get(state::nextOfficer));
    linkOfficers(set, s, o, scenario.officerState(ruler).get(state::nextOfficer));
    linkOfficers(set, s, ruler, o);
    return;
  }

  if (o == ruler) failCell("不可能手动设置君主为太守。");
  if (scenario.officerState(ruler).get(state::location) == c) failCell("君主所在城错误");
  officer.set(state::isGovernor, 1);
  city.set(city::governor, officerLink(o));
  if (governor <= 0) failCell("不可能任命为某个空城的太守");

  // o takes the head of the list; the old governor becomes second and the rest keeps its order.
  OfficerState& oldGovernor = scenario.officerState(governor);
  oldGovernor.set(state::isGovernor, 0);
  linkOfficers(set, s, officer.get(state::prevOfficer), officer.get(state::nextOfficer));
  linkOfficers(set, s, oldGovernor.get(state::prevOfficer), o);
  linkOfficers(set, s, o, governor);
}

}  // namespace vorandel
