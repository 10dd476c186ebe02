#pragma once
// What the data says about one city or one force of a scenario, as text for a person to read: the
// record's values, and the officers in the game's own lists in list order. UTF-8 text; the front end
// converts it where it is shown.
#include <cstddef>
#include <string>
#include <string_view>

#include "model/ScenarioSet.h"

namespace vorandel {

// The city the word names in scenario s: its number 1..47, or its name there. Raises an EditError
// naming the word when there is none.
int findCity(const ScenarioSet& set, std::size_t s, std::string_view word);

// The force the word names in scenario s: its number 1..21, or its ruler's name. Raises an EditError
// when there is none, also for the number of an empty force slot.
int findForce(const ScenarioSet& set, std::size_t s, std::string_view word);

// The city's values, its owner and governor, then its serving officers, those in training, the
// unaffiliated and the hermits: name, id, status, 武力, 智力, 政治 and 魅力, one officer a line.
std::string cityView(const ScenarioSet& set, std::size_t s, int c);

// The force's ruler and values, its cities, then its officers city by city.
std::string forceView(const ScenarioSet& set, std::size_t s, int f);

}  // namespace vorandel
