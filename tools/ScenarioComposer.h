#pragma once
// Composes one generated scenario from the persons and the land: who is on the map and who waits, which
// forces hold which cities, where every officer stands and in which list, his values at the start of the
// scenario, and who holds which item.
#include <vector>

#include "model/ScenarioSet.h"
#include "tools/CityGeography.h"
#include "tools/PersonPool.h"
#include "tools/Prng.h"
#include "tools/ScenarioPlan.h"

namespace vorandel::gendata {

class ScenarioComposer {
 public:
  ScenarioComposer(const ScenarioShape& shape, const std::vector<Person>& persons, const std::vector<CitySite>& land,
                   Prng& prng);

  Scenario compose();

 private:
  struct ForcePlan {
    int slot = 0;             // force number 1..21
    int ruler = 0;            // officer number
    std::vector<int> cities;  // the chain, capital first
  };
  struct Placement {
    unsigned status = kOrdinary;
    int city = 0;
    int force = -1;
    bool governor = false;
  };

  void chooseOfficers();
  void chooseRulers();
  void divideLand();
  void placeOthers();
  void linkLists();
  void writeLand();
  void writeForces();
  void writeOnMapOfficers();
  void writeWaitingOfficers();
  void handOutItems();
  void writeCounts();

  const Person& onMapPerson(int officer) const { return *onMap_[static_cast<std::size_t>(officer - 1)]; }
  std::vector<int> officersOf(int city, unsigned status) const;  // ascending officer numbers
  int ownerOf(int city) const { return owner_[static_cast<std::size_t>(city)]; }

  const ScenarioShape& shape_;
  const std::vector<Person>& persons_;
  const std::vector<CitySite>& land_;
  Prng& prng_;

  Scenario scenario_;
  std::vector<const Person*> onMap_;    // by officer number - 1: ascending ids
  std::vector<const Person*> waiting_;  // in order of appearance
  std::vector<Placement> placement_;    // by officer number - 1
  std::vector<ForcePlan> forces_;
  std::vector<int> owner_;  // by city number: force number, -1 none
};

}  // namespace vorandel::gendata
