#include "tools/CityGeography.h"

#include <algorithm>
#include <cstdint>

#include "rules/CityNames.h"

namespace vorandel::gendata {

namespace {

struct Place {
  int longitude;  // tenths of a degree east
  int latitude;   // tenths of a degree north
};

// The places of the historical cities, in the order of the game's city list (rules/CityNames.h).
constexpr std::array<Place, kCityCount> kPlaces{{
    {1232, 413}, {1164, 399}, {1129, 391}, {1125, 379}, {1167, 380}, {1164, 372}, {1144, 363}, {1191, 367},
    {1150, 357}, {1146, 348}, {1124, 346}, {1109, 345}, {1089, 343}, {1067, 355}, {1057, 346}, {1026, 379},
    {1182, 340}, {1172, 345}, {1138, 340}, {1158, 339}, {1144, 330}, {1125, 330}, {1124, 325}, {1121, 320},
    {1102, 323}, {1143, 306}, {1122, 303}, {1117, 290}, {1130, 282}, {1130, 258}, {1116, 262}, {1168, 326},
    {1188, 321}, {1206, 313}, {1206, 300}, {1169, 314}, {1159, 287}, {1070, 331}, {1059, 337}, {1051, 316},
    {1041, 307}, {1095, 310}, {1065, 296}, {1038, 255}, {1005, 250}, {1150, 271}, {1167, 290},
}};

constexpr int kMostNeighbours = kNeighbourSlots;

std::int64_t squaredDistance(const CitySite& a, const CitySite& b) {
  const std::int64_t dx = a.largeMapX - b.largeMapX;
  const std::int64_t dy = a.largeMapY - b.largeMapY;
  return dx * dx + dy * dy;
}

// Two cities are neighbours when no third city lies within the circle whose diameter joins them.
bool nothingBetween(const std::vector<CitySite>& sites, std::size_t a, std::size_t b) {
  const std::int64_t ab = squaredDistance(sites[a], sites[b]);
  for (std::size_t c = 0; c < sites.size(); ++c) {
    if (c == a || c == b) continue;
    if (squaredDistance(sites[a], sites[c]) + squaredDistance(sites[b], sites[c]) <= ab) return false;
  }
  return true;
}

void removeNeighbour(CitySite& site, int other) {
  site.neighbours.erase(std::find(site.neighbours.begin(), site.neighbours.end(), other));
}

}  // namespace

std::vector<CitySite> makeCityGeography(Prng& prng) {
  std::vector<CitySite> sites;
  for (std::size_t i = 0; i < kPlaces.size(); ++i) {
    const Place& place = kPlaces[i];
    CitySite site;
    site.name = kCityNames[i];
    site.largeMapX = (place.longitude - 990) * 31 / 10;
    site.largeMapY = (425 - place.latitude) * 32 / 10;
    site.smallMapX = 20 + site.largeMapX * 3 / 10;
    site.smallMapY = 20 + site.largeMapY * 3 / 10;
    site.agricultureLimit = prng.between(300, 999);
    site.commerceLimit = prng.between(300, 999);
    site.byWater = prng.chance(45);
    site.climate = place.latitude < 300;  // the warm south
    site.market = prng.chance(20);
    sites.push_back(site);
  }
  for (std::size_t a = 0; a < sites.size(); ++a)
    for (std::size_t b = a + 1; b < sites.size(); ++b)
      if (nothingBetween(sites, a, b)) {
        sites[a].neighbours.push_back(static_cast<int>(b + 1));
        sites[b].neighbours.push_back(static_cast<int>(a + 1));
      }
  // A city has room for six neighbours: a crowded city gives up its longest roads first, keeping every
  // city joined to at least one other.
  for (std::size_t a = 0; a < sites.size(); ++a) {
    while (static_cast<int>(sites[a].neighbours.size()) > kMostNeighbours) {
      int farthest = 0;
      std::int64_t farthestDistance = -1;
      for (int b : sites[a].neighbours) {
        const std::int64_t d = squaredDistance(sites[a], sites[static_cast<std::size_t>(b - 1)]);
        if (sites[static_cast<std::size_t>(b - 1)].neighbours.size() > 1 && d > farthestDistance) {
          farthest = b;
          farthestDistance = d;
        }
      }
      removeNeighbour(sites[a], farthest);
      removeNeighbour(sites[static_cast<std::size_t>(farthest - 1)], static_cast<int>(a + 1));
    }
  }
  return sites;
}

}  // namespace vorandel::gendata
