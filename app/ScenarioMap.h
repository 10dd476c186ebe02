#pragma once
// A picture of who holds what: each scenario's 47 cities at their small-map positions, a line for every
// pair of neighbours, every city in its owner's colour with its name and the number of officers serving
// there, and a legend of the forces that own cities. Cities that stand too close for their circles are
// drawn apart, each whole and with its name clear of the others (app/MapLayout.h). Written as an SVG
// document in UTF-8.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/ScenarioSet.h"

namespace vorandel {

// The fill of the force's cities: a fixed colour per force number 1..21, the same in every scenario;
// kUnownedColour for a city without owner.
std::string_view forceColour(int f);
inline constexpr std::string_view kUnownedColour = "#c8c8c8";

// The maps of the given scenarios of the set, one below the other, as one SVG document. Every number
// must be a scenario of the set.
std::string scenarioMapSvg(const ScenarioSet& set, const std::vector<std::size_t>& scenarios);

}  // namespace vorandel
