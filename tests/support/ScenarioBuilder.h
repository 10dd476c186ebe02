#pragma once
// Builds small, valid scenario sets for the tests: a ring map of 47 cities, a few forces with their
// rulers, serving and free officers, and waiting officers. Each add returns the officer number (or the
// force number) so that a test can then break exactly the rule it is about.
#include <cstdint>
#include <string>
#include <vector>

#include "model/ScenarioSet.h"

namespace vorandel::testing {

class ScenarioBuilder {
 public:
  explicit ScenarioBuilder(std::uint16_t startYear = 190, std::uint8_t startMonth = 1);

  // A force whose ruler (a new officer with the id) governs the city; returns the force number.
  int addForce(int city, std::uint16_t rulerId);
  // Appends the city to the force's chain, without a governor.
  void addCity(int force, int city);
  // A strategist or ordinary officer at the end of the city's serving list (its governor when the list
  // is empty). The city must belong to a force.
  int addServing(int city, std::uint16_t id, unsigned status = 2);
  // An unaffiliated (4) or hermit (5) officer at the end of the city's list for that status.
  int addFree(int city, std::uint16_t id, unsigned status = 4);
  // A waiting officer; returns his officer number in the finished scenario.
  int addWaiting(std::uint16_t id, int location, std::uint8_t appearYear);

  Scenario build() const;

  // The ruler's officer number of a force.
  int rulerOf(int force) const;

 private:
  int addOnMap(std::uint16_t id, unsigned status, int location, int force);
  void appendToList(std::int16_t& head, int officer);

  Scenario scenario_;
  std::vector<OfficerState> waitingStates_;
  std::vector<OfficerProfile> waitingProfiles_;
  std::vector<std::uint8_t> appearYears_;
  int forces_ = 0;
};

// A set of the given scenarios with their derived indexes built, as the loader leaves it.
ScenarioSet makeSet(std::vector<Scenario> scenarios);

// A set of two scenarios with two forces, serving, free and waiting officers; passes the validator.
ScenarioSet smallValidSet();

// Writes the set into the two files' bytes.
struct FileBytes {
  std::string sndata;
  std::string taiki;
};
FileBytes writeToBytes(const ScenarioSet& set);

// Writes the pair into the folder (made when missing) as sndata.s5 and taiki.s5.
void writePair(const std::string& dir, const FileBytes& files);

}  // namespace vorandel::testing

namespace vorandel::testing {

// Empty when officerIndexById and waitingQueue agree with the officer records of every scenario (every
// officer registered under his id at his index, no entry pointing elsewhere, queue entry j naming the
// id and index of waiting officer onMapCount + j); otherwise a description of the first disagreement.
std::string derivedIndexMismatch(const ScenarioSet& set);

// Two scenarios with six forces of several cities each (one city of each force without a governor),
// many serving, unaffiliated and hermit officers, and forty waiting officers spread over owned and
// unowned cities; passes the validator.
ScenarioSet busyValidSet();

}  // namespace vorandel::testing
