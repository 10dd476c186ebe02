#pragma once
// The officers of a city as the game keeps them: four lists whose heads are in the city record (the
// serving officers headed by the governor, those in training, the unaffiliated and the hermits), each
// linked through the officers' nextOfficer. And the cities of a force, in the chain of its cities.
#include <vector>

#include "model/ScenarioSet.h"

namespace vorandel {

enum class CityList { Serving, Training, Unaffiliated, Hermits };

// Officer numbers of the list, in list order. A link that leaves the officers or comes back to an
// officer already listed ends the list there, so that a broken list is never followed for ever.
std::vector<int> cityOfficers(const Scenario& scenario, int c, CityList list);

// The cities the force owns, in the order of its chain from firstCity; cities that name the force as
// owner but are off the chain follow in number order.
std::vector<int> forceCities(const Scenario& scenario, int f);

// The force's ruler, or 0 when the force slot is empty.
int rulerOf(const Scenario& scenario, int f);

}  // namespace vorandel
