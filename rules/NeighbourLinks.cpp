#include "rules/NeighbourLinks.h"

namespace vorandel {

bool listsNeighbour(const Scenario& scenario, int a, int b) {
  const ConstCityNameRecord names = scenario.cityName(a);
  for (int slot = 0; slot < kNeighbourSlots; ++slot) {
    const int v = names.get(cityName::neighbours, slot);
    if (v == -1) return false;
    if (v == b) return true;
  }
  return false;
}

std::optional<OneSidedLink> firstOneSidedLink(const Scenario& scenario) {
  for (int m = 1; m <= kCityCount; ++m) {
    const ConstCityNameRecord names = scenario.cityName(m);
    for (int slot = 0; slot < kNeighbourSlots; ++slot) {
      const int v = names.get(cityName::neighbours, slot);
      if (v == -1) break;
      if (isCityNumber(v) && !listsNeighbour(scenario, v, m)) return OneSidedLink{m, v};
    }
  }
  return std::nullopt;
}

}  // namespace vorandel
