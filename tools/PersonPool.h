#pragma once
// The 500 persons of the generated scenarios. A person keeps his id, name, birth, abilities and skills
// in every scenario he appears in; only his place, rank and war-time values change between scenarios.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Records.h"
#include "rules/GameRules.h"
#include "tools/Prng.h"

namespace vorandel::gendata {

// The game's least intelligence and politics of a strategist, as the person's ability numbers.
inline constexpr int kLeastStrategistIntelligence = static_cast<int>(kStrategistIntelligence);
inline constexpr int kLeastStrategistPolitics = static_cast<int>(kStrategistPolitics);

struct Person {
  int rank = 0;       // debut order: 0 entered play first
  int id = 0;         // 0..499
  int debutYear = 0;  // the year he enters play
  int homeCity = 1;   // where he waits to appear, and where he lives while unaffiliated
  std::string name;   // UTF-8; the record holds it in GBK
  int family = 0;
  int birthYear = 0;
  int parentId = 0xFFFF;  // none
  bool female = false;
  int war = 0, intelligence = 0, politics = 0, charisma = 0;
  int lifespan = 0, goodEvil = 0, affinity = 0, growth = 0;
  int righteousness = 0, ambition = 0, calmness = 0, bravery = 0;
  bool trait = false;
  int learnedCount = 0;
  std::array<int, 6> learnableSkills{};
  std::uint16_t formations = 1;  // bit 0: may fight without a formation
  int fame = 0;                  // fame at his debut
  int extraExperience = 0;       // experience beyond the least for his growth and skills
  unsigned duty = 1;             // the one work field he attends to when not a ruler

  // A strategist's abilities: serves as a strategist, never as an ordinary officer.
  bool isStrategist() const {
    return intelligence >= kLeastStrategistIntelligence && politics >= kLeastStrategistPolitics;
  }
  std::uint32_t learnedSkills() const;
  OfficerProfile profile() const;
};

// Persons by rank, ranks 0..499, with the ids shuffled over the ranks.
std::vector<Person> makePersons(Prng& prng);

}  // namespace vorandel::gendata
