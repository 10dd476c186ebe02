#pragma once
// The neighbour relation of a scenario's map is symmetric: a city that lists another as its neighbour is
// listed by it in turn. The validator holds the map to that; a batch that breaks it names the link.
#include <optional>

#include "model/RecordNumbers.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// City `city` lists `neighbour`, and `neighbour` does not list `city`.
struct OneSidedLink {
  CityNumber city;
  CityNumber neighbour;
};

// The first one-sided link, in the order of the cities and of their neighbour slots; a slot's list ends
// at its first -1, and a number that is no city is passed over.
std::optional<OneSidedLink> firstOneSidedLink(const Scenario& scenario);

// Whether city a lists city b among its neighbours (up to its first empty slot).
bool listsNeighbour(const Scenario& scenario, CityNumber a, CityNumber b);

}  // namespace vorandel
