#include "tools/PersonPool.h"

#include <algorithm>

#include "model/GbkText.h"
#include "rules/GameRules.h"
#include "tools/OfficerNames.h"
#include "tools/ScenarioPlan.h"

namespace vorandel::gendata {

namespace {

// The year of a rank's debut: ranks that are on the map in a scenario have debuted by its start year,
// ranks that wait in it debut after it; within one scenario's newcomers the years spread evenly.
int debutYearOfRank(int rank) {
  int lowYear = 150, highYear = kScenarioShapes[0].startYear;
  int lowRank = 0, highRank = firstWaitingRank(kScenarioShapes[0]);
  for (std::size_t s = 0; s < kScenarioShapes.size() && rank >= highRank; ++s) {
    lowYear = kScenarioShapes[s].startYear + 1;
    highYear = s + 1 < kScenarioShapes.size() ? kScenarioShapes[s + 1].startYear : lowYear + 24;
    lowRank = highRank;
    highRank = s + 1 < kScenarioShapes.size() ? firstWaitingRank(kScenarioShapes[s + 1]) : kPersonCount;
  }
  return lowYear + (rank - lowRank) * (highYear - lowYear + 1) / (highRank - lowRank);
}

// One work field, the one his best ability suits.
unsigned dutyFor(const Person& p, Prng& prng) {
  if (prng.chance(4)) return 0x20;  // 特殊
  const int best = std::max({p.war, p.intelligence, p.politics, p.charisma});
  if (best == p.war) return 0x01;                                // 军事
  if (best == p.intelligence) return 0x08;                       // 计谋
  if (best == p.politics) return prng.chance(50) ? 0x04 : 0x02;  // 内政 or 人事
  return 0x10;                                                   // 外交
}

void drawAbilities(Person& p, Prng& prng) {
  p.war = prng.between(15, 99);
  p.charisma = prng.between(15, 99);
  if (prng.chance(9)) {
    p.intelligence = prng.between(kLeastStrategistIntelligence, 100);
    p.politics = prng.between(kLeastStrategistPolitics, 98);
    return;
  }
  p.intelligence = prng.between(15, 97);
  p.politics = prng.between(15, 95);
  if (p.isStrategist()) p.politics = prng.between(30, kLeastStrategistPolitics - 1);
}

void drawSkills(Person& p, Prng& prng) {
  std::array<int, 32> codes{};
  for (int i = 0; i < 32; ++i) codes[static_cast<std::size_t>(i)] = i;
  for (int i = 0; i < 6; ++i) {
    std::swap(codes[static_cast<std::size_t>(i)], codes[static_cast<std::size_t>(prng.between(i, 31))]);
    p.learnableSkills[static_cast<std::size_t>(i)] = codes[static_cast<std::size_t>(i)];
  }
  p.learnedCount = prng.between(0, 6);
  p.growth = prng.between(0, 15);
  p.extraExperience = prng.between(0, 4000);
}

}  // namespace

std::uint32_t Person::learnedSkills() const {
  std::uint32_t bits = 0;
  for (int l = 0; l < learnedCount; ++l) bits |= 1u << learnableSkills[static_cast<std::size_t>(l)];
  return bits;
}

OfficerProfile Person::profile() const {
  OfficerProfile out{};
  out.setText(profile::name, utf8ToGbk(name).value(), profile::name.length);
  out.set(profile::affinity, static_cast<std::uint8_t>(affinity));
  out.set(profile::birthYear, static_cast<std::uint8_t>(birthYear - kYearBase));
  out.set(profile::family, static_cast<std::uint8_t>(family));
  out.set(profile::growth, static_cast<std::uint8_t>(growth));
  for (std::size_t l = 0; l < learnableSkills.size(); ++l)
    out.set(profile::learnableSkills, l, static_cast<std::uint8_t>(learnableSkills[l]));
  out.set(profile::id, static_cast<std::uint16_t>(id));
  out.set(profile::parentId, static_cast<std::uint16_t>(parentId));
  out.set(profile::righteousness, static_cast<unsigned>(righteousness));
  out.set(profile::ambition, static_cast<unsigned>(ambition));
  out.set(profile::calmness, static_cast<unsigned>(calmness));
  out.set(profile::bravery, static_cast<unsigned>(bravery));
  out.set(profile::gender, female ? 1u : 0u);
  out.set(profile::formations, formations);
  return out;
}

std::vector<Person> makePersons(Prng& prng) {
  std::vector<int> ids(kPersonCount);
  for (int i = 0; i < kPersonCount; ++i) ids[static_cast<std::size_t>(i)] = i;
  for (int i = kPersonCount - 1; i > 0; --i)
    std::swap(ids[static_cast<std::size_t>(i)], ids[static_cast<std::size_t>(prng.between(0, i))]);
  const std::vector<OfficerName> names = makeOfficerNames(prng, kPersonCount);

  std::vector<Person> persons(kPersonCount);
  for (int rank = 0; rank < kPersonCount; ++rank) {
    Person& p = persons[static_cast<std::size_t>(rank)];
    p.rank = rank;
    p.id = ids[static_cast<std::size_t>(rank)];
    p.debutYear = debutYearOfRank(rank);
    p.birthYear = p.debutYear - prng.between(15, 26);
    p.homeCity = prng.between(1, kCityCount);
    p.name = names[static_cast<std::size_t>(rank)].text;
    p.family = names[static_cast<std::size_t>(rank)].family;
    p.female = prng.chance(6);
    drawAbilities(p, prng);
    drawSkills(p, prng);
    p.lifespan = prng.between(0, 7);
    p.goodEvil = prng.between(0, 3);
    p.affinity = prng.between(0, 150);
    p.righteousness = prng.between(0, 15);
    p.ambition = prng.between(0, 15);
    p.calmness = prng.between(0, 7);
    p.bravery = prng.between(0, 7);
    p.trait = prng.chance(15);
    p.formations = 1;
    for (int f = 1; f <= 12; ++f)
      if (prng.chance(30)) p.formations = static_cast<std::uint16_t>(p.formations | (1u << f));
    p.fame = prng.between(50, 3000);
    p.duty = dutyFor(p, prng);
    // Some persons are the children of an older person of their family.
    if (prng.chance(25)) {
      for (int older = rank - 1; older >= 0; --older) {
        const Person& o = persons[static_cast<std::size_t>(older)];
        if (o.family == p.family && o.birthYear + 18 <= p.birthYear) {
          p.parentId = o.id;
          break;
        }
      }
    }
  }
  return persons;
}

}  // namespace vorandel::gendata
