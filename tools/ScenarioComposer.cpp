#include "tools/ScenarioComposer.h"
#include "model/GbkText.h"
#include "rules/GameRules.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vorandel::gendata {

namespace {

constexpr int kSeal = 31;
constexpr int kTwinSwords = 19;
constexpr int kSevenStarSword = 20;

// The item kinds: books, medical books, weapons, horses, and the seal alone.
std::uint32_t kindMaskOf(int item) {
  if (item <= 9) return 0x000003FFu;
  if (item <= 11) return 0x00000C00u;
  if (item <= 26) return 0x07FFF000u;
  if (item <= 30) return 0x78000000u;
  return 0x80000000u;
}

template <class T>
void shuffle(std::vector<T>& values, Prng& prng) {
  for (int i = static_cast<int>(values.size()) - 1; i > 0; --i)
    std::swap(values[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(prng.between(0, i))]);
}

}  // namespace

ScenarioComposer::ScenarioComposer(const ScenarioShape& shape, const std::vector<Person>& persons,
                                   const std::vector<CitySite>& land, Prng& prng)
    : shape_(shape), persons_(persons), land_(land), prng_(prng), owner_(kCityCount + 1, -1) {}

Scenario ScenarioComposer::compose() {
  chooseOfficers();
  chooseRulers();
  divideLand();
  placeOthers();
  writeLand();
  writeForces();
  writeOnMapOfficers();
  linkLists();
  writeWaitingOfficers();
  handOutItems();
  writeCounts();
  return scenario_;
}

void ScenarioComposer::chooseOfficers() {
  for (int rank = firstOnMapRank(shape_); rank < firstWaitingRank(shape_); ++rank)
    onMap_.push_back(&persons_[static_cast<std::size_t>(rank)]);
  for (int rank = firstWaitingRank(shape_); rank < kPersonCount; ++rank)
    waiting_.push_back(&persons_[static_cast<std::size_t>(rank)]);
  std::sort(onMap_.begin(), onMap_.end(), [](const Person* a, const Person* b) { return a->id < b->id; });
  std::sort(waiting_.begin(), waiting_.end(), [](const Person* a, const Person* b) {
    return a->debutYear != b->debutYear ? a->debutYear < b->debutYear : a->id < b->id;
  });
  placement_.assign(onMap_.size(), Placement{});
}

// The most charismatic officers on the map lead the forces; each keeps a force slot of his own when it
// is free, so that slots stay with their rulers from one scenario to the next.
void ScenarioComposer::chooseRulers() {
  std::vector<int> candidates;
  for (int n = 1; n <= static_cast<int>(onMap_.size()); ++n) candidates.push_back(n);
  std::sort(candidates.begin(), candidates.end(), [this](int a, int b) {
    const Person& pa = onMapPerson(a);
    const Person& pb = onMapPerson(b);
    return pa.charisma != pb.charisma ? pa.charisma > pb.charisma : pa.id < pb.id;
  });
  std::array<bool, kForceCount + 1> slotTaken{};
  for (int i = 0; i < shape_.forces; ++i) {
    ForcePlan plan;
    plan.ruler = candidates[static_cast<std::size_t>(i)];
    plan.slot = onMapPerson(plan.ruler).id % kForceCount + 1;
    while (slotTaken[static_cast<std::size_t>(plan.slot)]) plan.slot = plan.slot % kForceCount + 1;
    slotTaken[static_cast<std::size_t>(plan.slot)] = true;
    Placement& ruler = placement_[static_cast<std::size_t>(plan.ruler - 1)];
    ruler.status = kRuler;
    ruler.force = plan.slot;
    ruler.governor = true;
    forces_.push_back(plan);
  }
}

// Every ruler holds a capital near his home, away from the other capitals where the land allows; then
// the forces take neighbouring cities in turns until their appetite is met, leaving some cities empty.
void ScenarioComposer::divideLand() {
  auto bordersOwnedCity = [this](int c) {
    for (int v : land_[static_cast<std::size_t>(c - 1)].neighbours)
      if (ownerOf(v) != -1) return true;
    return false;
  };
  for (ForcePlan& plan : forces_) {
    const int home = onMapPerson(plan.ruler).homeCity;
    int capital = -1;
    for (int step = 0; step < kCityCount && capital == -1; ++step) {
      const int c = (home - 1 + step) % kCityCount + 1;
      if (ownerOf(c) == -1 && !bordersOwnedCity(c)) capital = c;
    }
    for (int step = 0; step < kCityCount && capital == -1; ++step) {
      const int c = (home - 1 + step) % kCityCount + 1;
      if (ownerOf(c) == -1) capital = c;
    }
    plan.cities.push_back(capital);
    owner_[static_cast<std::size_t>(capital)] = plan.slot;
    Placement& ruler = placement_[static_cast<std::size_t>(plan.ruler - 1)];
    ruler.city = capital;
  }

  std::vector<int> appetite;
  for (std::size_t f = 0; f < forces_.size(); ++f) appetite.push_back(prng_.between(1, 9));
  const int ownedTarget = kCityCount - prng_.between(4, 9);
  int owned = static_cast<int>(forces_.size());
  for (bool grew = true; grew && owned < ownedTarget;) {
    grew = false;
    for (std::size_t f = 0; f < forces_.size() && owned < ownedTarget; ++f) {
      ForcePlan& plan = forces_[f];
      if (static_cast<int>(plan.cities.size()) >= appetite[f]) continue;
      std::vector<int> frontier;
      for (int c : plan.cities)
        for (int v : land_[static_cast<std::size_t>(c - 1)].neighbours)
          if (ownerOf(v) == -1 && std::find(frontier.begin(), frontier.end(), v) == frontier.end())
            frontier.push_back(v);
      if (frontier.empty()) continue;
      std::sort(frontier.begin(), frontier.end());
      const int c = frontier[static_cast<std::size_t>(prng_.below(static_cast<int>(frontier.size())))];
      plan.cities.push_back(c);
      owner_[static_cast<std::size_t>(c)] = plan.slot;
      ++owned;
      grew = true;
    }
  }
}

// Most officers serve a force; a few roam free as unaffiliated officers or hermits. Every city of a
// force gets a governor of its own before the rest are spread over the force's cities.
void ScenarioComposer::placeOthers() {
  std::vector<int> serving;
  for (int n = 1; n <= static_cast<int>(onMap_.size()); ++n) {
    Placement& place = placement_[static_cast<std::size_t>(n - 1)];
    if (place.status == kRuler) continue;
    const int roll = prng_.below(100);
    if (roll < 20) {
      place.status = roll < 6 ? kHermit : kUnaffiliated;
      place.city = prng_.chance(50) ? onMapPerson(n).homeCity : prng_.between(1, kCityCount);
      continue;
    }
    place.status = onMapPerson(n).isStrategist() ? kStrategist : kOrdinary;
    serving.push_back(n);
  }
  shuffle(serving, prng_);

  std::vector<int> ownedCities, ungoverned;
  for (const ForcePlan& plan : forces_)
    for (std::size_t i = 0; i < plan.cities.size(); ++i) {
      ownedCities.push_back(plan.cities[i]);
      if (i > 0) ungoverned.push_back(plan.cities[i]);
    }
  if (serving.size() < ungoverned.size()) throw std::logic_error("too few officers to govern every city");
  for (std::size_t i = 0; i < serving.size(); ++i) {
    Placement& place = placement_[static_cast<std::size_t>(serving[i] - 1)];
    if (i < ungoverned.size()) {
      place.city = ungoverned[i];
      place.governor = true;
    } else {
      place.city = ownedCities[static_cast<std::size_t>(prng_.below(static_cast<int>(ownedCities.size())))];
    }
    place.force = ownerOf(place.city);
  }
}

std::vector<int> ScenarioComposer::officersOf(int city, unsigned status) const {
  std::vector<int> officers;
  for (int n = 1; n <= static_cast<int>(onMap_.size()); ++n) {
    const Placement& place = placement_[static_cast<std::size_t>(n - 1)];
    if (place.city != city) continue;
    const bool serves = place.status <= kOrdinary;
    if ((status <= kOrdinary && serves) || place.status == status) officers.push_back(n);
  }
  return officers;
}

// Links each city's lists: the serving officers headed by the governor, the unaffiliated officers and
// the hermits, each in ascending officer numbers after its head.
void ScenarioComposer::linkLists() {
  auto link = [this](std::vector<int> officers) -> std::int16_t {
    if (officers.empty()) return -1;
    for (std::size_t i = 0; i < officers.size(); ++i) {
      OfficerState& state = scenario_.officerState(officers[i]);
      state.set(state::prevOfficer, static_cast<std::int16_t>(i == 0 ? 0 : officers[i - 1]));
      state.set(state::nextOfficer, static_cast<std::int16_t>(i + 1 < officers.size() ? officers[i + 1] : -1));
    }
    return static_cast<std::int16_t>(officers.front());
  };
  for (int c = 1; c <= kCityCount; ++c) {
    std::vector<int> serving = officersOf(c, kOrdinary);
    std::stable_partition(serving.begin(), serving.end(),
                          [this](int n) { return placement_[static_cast<std::size_t>(n - 1)].governor; });
    CityRecord city = scenario_.city(c);
    city.set(city::governor, link(serving));
    city.set(city::unaffiliatedHead, link(officersOf(c, kUnaffiliated)));
    city.set(city::hermitHead, link(officersOf(c, kHermit)));
    city.set(city::trainingHead, -1);
  }
}

void ScenarioComposer::writeLand() {
  for (int c = 1; c <= kCityCount; ++c) {
    const CitySite& site = land_[static_cast<std::size_t>(c - 1)];
    CityNameRecord names = scenario_.cityName(c);
    names.setText(cityName::name, utf8ToGbk(site.name).value(), cityName::name.length);
    for (int slot = 0; slot < kNeighbourSlots; ++slot)
      names.set(cityName::neighbours, static_cast<std::size_t>(slot),
                static_cast<std::int8_t>(slot < static_cast<int>(site.neighbours.size())
                                             ? site.neighbours[static_cast<std::size_t>(slot)]
                                             : -1));
    names.set(cityName::agricultureLimit, static_cast<std::uint16_t>(site.agricultureLimit));
    names.set(cityName::commerceLimit, static_cast<std::uint16_t>(site.commerceLimit));
    names.set(cityName::smallMapX, static_cast<std::uint16_t>(site.smallMapX));
    names.set(cityName::smallMapY, static_cast<std::uint16_t>(site.smallMapY));
    names.set(cityName::largeMapX, static_cast<std::uint16_t>(site.largeMapX));
    names.set(cityName::largeMapY, static_cast<std::uint16_t>(site.largeMapY));
    names.set(cityName::byWater, site.byWater ? 1u : 0u);
    names.set(cityName::climate, site.climate ? 1u : 0u);
    names.set(cityName::market, site.market ? 1u : 0u);

    const bool owned = ownerOf(c) != -1;
    CityRecord city = scenario_.city(c);
    city.set(city::reserveTroops,
             static_cast<std::uint32_t>(owned ? prng_.between(2000, 60000) : prng_.between(0, 5000)));
    city.set(city::population, static_cast<std::uint16_t>(prng_.between(300, 9000)));
    city.set(city::defence, static_cast<std::uint16_t>(prng_.between(100, 999)));
    city.set(city::statusBits, 0);
    city.set(city::agriculture,
             static_cast<std::uint16_t>(prng_.between(site.agricultureLimit / 3, site.agricultureLimit)));
    city.set(city::commerce, static_cast<std::uint16_t>(prng_.between(site.commerceLimit / 3, site.commerceLimit)));
    city.set(city::prevCity, -1);
    city.set(city::nextCity, -1);
    city.set(city::owner, static_cast<std::int8_t>(ownerOf(c)));
    city.set(city::floodControl, static_cast<std::uint8_t>(prng_.between(20, 100)));
    city.set(city::loyalty, static_cast<std::uint8_t>(prng_.between(30, 100)));
    city.set(city::morale, static_cast<std::uint8_t>(owned ? prng_.between(40, 100) : 0));
    city.set(city::training, static_cast<std::uint8_t>(owned ? prng_.between(30, 100) : 0));
    city.set(city::ownerChangeMark, static_cast<std::uint8_t>(owned ? 0xFF : 0));
  }
  for (const ForcePlan& plan : forces_)
    for (std::size_t i = 0; i < plan.cities.size(); ++i) {
      CityRecord city = scenario_.city(plan.cities[i]);
      city.set(city::prevCity, static_cast<std::int8_t>(i == 0 ? 0 : plan.cities[i - 1]));
      city.set(city::nextCity, static_cast<std::int8_t>(i + 1 < plan.cities.size() ? plan.cities[i + 1] : -1));
    }
}

void ScenarioComposer::writeForces() {
  for (int f = 1; f <= kForceCount; ++f) {
    ForceRecord record = scenario_.force(f);
    record.set(force::ruler, -1);
    record.set(force::namedOfficer, -1);
    record.set(force::firstCity, -1);
  }
  for (const ForcePlan& plan : forces_) {
    ForceRecord record = scenario_.force(plan.slot);
    const int size = static_cast<int>(plan.cities.size());
    record.set(force::ruler, static_cast<std::int16_t>(plan.ruler));
    record.set(force::weapons, static_cast<unsigned>(prng_.below(64)));
    record.set(force::fame, static_cast<std::uint16_t>(std::min(1000, 80 * size + prng_.between(50, 300))));
    record.set(force::money, prng_.between(2000, 40000) * size);
    record.set(force::food, prng_.between(20000, 150000) * size);
    record.set(force::firstCity, static_cast<std::int8_t>(plan.cities.front()));
  }
}

void ScenarioComposer::writeOnMapOfficers() {
  // Three rulers carry the allegiance values, each value once.
  std::vector<int> allegiance(onMap_.size() + 1, 0);
  for (std::size_t f = 0; f < forces_.size() && f < 3; ++f)
    allegiance[static_cast<std::size_t>(forces_[f].ruler)] = static_cast<int>(f) + 1;

  for (int n = 1; n <= static_cast<int>(onMap_.size()); ++n) {
    const Person& p = onMapPerson(n);
    const Placement& place = placement_[static_cast<std::size_t>(n - 1)];
    const bool serves = place.status <= kOrdinary;
    const int years = shape_.startYear - p.debutYear;
    OfficerState state{};
    state.set(state::prevOfficer, 0);
    state.set(state::nextOfficer, -1);
    state.set(state::fame,
              static_cast<std::uint16_t>(std::min(10000, p.fame + 40 * years + (place.status == kRuler ? 2000 : 0))));
    const int least = experienceTable[static_cast<std::size_t>(p.growth)][static_cast<std::size_t>(p.learnedCount)];
    state.set(state::experience, static_cast<std::uint16_t>(std::min(60000, least + p.extraExperience + 60 * years)));
    int soldiers = 0;
    if (place.status == kRuler)
      soldiers = prng_.between(10000, 20000);
    else if (serves)
      soldiers = std::min(20000, prng_.between(500, 2000) + 100 * p.war);
    state.set(state::soldiers, static_cast<std::uint16_t>(soldiers));
    state.set(state::status, place.status);
    state.set(state::lifespan, static_cast<unsigned>(p.lifespan));
    state.set(state::trait, p.trait ? 1u : 0u);
    state.set(state::isGovernor, place.governor ? 1u : 0u);
    state.set(state::learnedCount, static_cast<unsigned>(p.learnedCount));
    state.set(state::allegiance, static_cast<unsigned>(allegiance[static_cast<std::size_t>(n)]));
    state.set(state::war, static_cast<std::uint8_t>(p.war));
    state.set(state::intelligence, static_cast<std::uint8_t>(p.intelligence));
    state.set(state::politics, static_cast<std::uint8_t>(p.politics));
    state.set(state::charisma, static_cast<std::uint8_t>(p.charisma));
    state.set(state::training, static_cast<std::uint8_t>(serves ? prng_.between(30, 100) : 0));
    state.set(state::morale, static_cast<std::uint8_t>(serves ? prng_.between(40, 100) : 0));
    state.set(state::loyalty, static_cast<std::uint8_t>(place.status == kRuler ? 100
                                                        : serves               ? prng_.between(40, 100)
                                                                               : 0));
    state.set(state::location, static_cast<std::int8_t>(place.city));
    state.set(state::force, static_cast<std::int8_t>(place.force));
    state.set(state::duties, place.status == kRuler ? kRulerDuties : p.duty);
    state.set(state::goodEvil, static_cast<unsigned>(p.goodEvil));
    state.set(state::items, 0u);
    state.set(state::learnedSkills, p.learnedSkills());
    scenario_.states.push_back(state);
    scenario_.profiles.push_back(p.profile());
  }
  scenario_.onMapCount = static_cast<std::uint32_t>(onMap_.size());
  scenario_.officerCount = scenario_.onMapCount;
}

void ScenarioComposer::writeWaitingOfficers() {
  for (std::size_t j = 0; j < waiting_.size(); ++j) {
    const Person& p = *waiting_[j];
    OfficerState state{};
    state.set(state::prevOfficer, 0);
    state.set(state::nextOfficer, -1);
    state.set(state::fame, static_cast<std::uint16_t>(p.fame));
    const int least = experienceTable[static_cast<std::size_t>(p.growth)][static_cast<std::size_t>(p.learnedCount)];
    state.set(state::experience, static_cast<std::uint16_t>(std::min(60000, least + p.extraExperience)));
    state.set(state::status, kWaiting);
    state.set(state::lifespan, static_cast<unsigned>(p.lifespan));
    state.set(state::trait, p.trait ? 1u : 0u);
    state.set(state::learnedCount, static_cast<unsigned>(p.learnedCount));
    state.set(state::war, static_cast<std::uint8_t>(p.war));
    state.set(state::intelligence, static_cast<std::uint8_t>(p.intelligence));
    state.set(state::politics, static_cast<std::uint8_t>(p.politics));
    state.set(state::charisma, static_cast<std::uint8_t>(p.charisma));
    state.set(state::location, static_cast<std::int8_t>(p.homeCity));
    state.set(state::force, -1);
    state.set(state::duties, p.duty);
    state.set(state::goodEvil, static_cast<unsigned>(p.goodEvil));
    state.set(state::learnedSkills, p.learnedSkills());
    scenario_.states.push_back(state);
    scenario_.profiles.push_back(p.profile());
    scenario_.block.set(block::appearYear, j, static_cast<std::uint8_t>(p.debutYear - kYearBase));
  }
  scenario_.waitingCount = static_cast<std::uint32_t>(waiting_.size());
  scenario_.officerCount = scenario_.onMapCount + scenario_.waitingCount;
}

// Most items are held by someone on the map. A ruler may hold anything and alone holds the seal; any
// other officer holds at most one item of each kind, except the persons 492..499, who may hold any: the
// first of them on the map who is no ruler carries two swords.
void ScenarioComposer::handOutItems() {
  auto give = [this](int item, int holder) {
    OfficerState& state = scenario_.officerState(holder);
    state.set(state::items, state.get(state::items) | (1u << item));
    scenario_.trailer.set(trailer::itemHolder, static_cast<std::size_t>(item), static_cast<std::int16_t>(holder));
  };
  for (int i = 0; i < kItemCount; ++i) scenario_.trailer.set(trailer::itemHolder, static_cast<std::size_t>(i), -1);
  for (int n = 1; n <= static_cast<int>(onMap_.size()); ++n) {
    const int id = onMapPerson(n).id;
    if (placement_[static_cast<std::size_t>(n - 1)].status != kRuler && isSpecialId(id)) {
      give(kTwinSwords, n);
      give(kSevenStarSword, n);
      break;
    }
  }
  for (int item = 0; item < kItemCount; ++item) {
    if (scenario_.trailer.get(trailer::itemHolder, static_cast<std::size_t>(item)) != -1 || !prng_.chance(75)) continue;
    int holder = -1;
    if (item == kSeal) {
      holder = forces_[static_cast<std::size_t>(prng_.below(static_cast<int>(forces_.size())))].ruler;
    } else {
      for (int attempt = 0; attempt < 100 && holder == -1; ++attempt) {
        const int n = prng_.between(1, static_cast<int>(onMap_.size()));
        const int id = onMapPerson(n).id;
        const bool anyItem = placement_[static_cast<std::size_t>(n - 1)].status == kRuler || (isSpecialId(id));
        if (anyItem || (scenario_.officerState(n).get(state::items) & kindMaskOf(item)) == 0) holder = n;
      }
    }
    if (holder != -1) give(item, holder);
  }
}

void ScenarioComposer::writeCounts() {
  ScenarioBlock& data = scenario_.block;
  data.set(block::startYear, static_cast<std::uint16_t>(shape_.startYear));
  data.set(block::startMonth, static_cast<std::uint8_t>(shape_.startMonth));
  data.set(block::storedOnMapCount, static_cast<std::uint16_t>(scenario_.onMapCount));
  data.set(block::storedWaitingCount, static_cast<std::uint16_t>(scenario_.waitingCount));
}

}  // namespace vorandel::gendata
