#include "rules/NeighbourLinks.h"

namespace vorandel {

bool listsNeighbour(const Scenario& scenario, CityNumber a, CityNumber b) {
  const ConstCityNameRecord names = scenario.cityName(a);
  for (int slot = 0; slot < kNeighbourSlots; ++slot) {
    const int v = names.get(cityName::neighbours, slot);
    if (v == -1) return false;
    if (CityNumber{v} == b) return true;
  }
  return false;
}

std::optional<OneSidedLink> firstOneSidedLink(const Scenario& scenario) {
  for (int m = 1; m <= kCityCount; ++m) {
    const CityNumber city{m};
    const ConstCityNameRecord names = scenario.cityName(city);
    for (int slot = 0; slot < kNeighbourSlots; ++slot) {
      const int v = names.get(cityName::neighbours, slot);
      if (v == -1) break;
      const CityNumber neighbour{v};
      if (isCityNumber(neighbour) && !listsNeighbour(scenario, neighbour, city)) return OneSidedLink{city, neighbour};
    }
  }
  return std::nullopt;
}

}  // namespace vorandel
