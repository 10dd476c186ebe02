#include "tools/CityGeography.h"

#include <algorithm>
#include <cstdint>

namespace vorandel::gendata {

namespace {

struct Place {
  const char* name;
  int longitude;  // tenths of a degree east
  int latitude;   // tenths of a degree north
};

// The game's city list, in its order, with the places of the historical cities.
constexpr std::array<Place, kCityCount> kPlaces{{
    {"襄平", 1232, 413}, {"北平", 1164, 399}, {"代县", 1129, 391}, {"晋阳", 1125, 379}, {"南皮", 1167, 380},
    {"平原", 1164, 372}, {"邺", 1144, 363},   {"北海", 1191, 367}, {"濮阳", 1150, 357}, {"陈留", 1146, 348},
    {"洛阳", 1124, 346}, {"弘农", 1109, 345}, {"长安", 1089, 343}, {"安定", 1067, 355}, {"天水", 1057, 346},
    {"西凉", 1026, 379}, {"下邳", 1182, 340}, {"徐州", 1172, 345}, {"许昌", 1138, 340}, {"谯", 1158, 339},
    {"汝南", 1144, 330}, {"宛", 1125, 330},   {"新野", 1124, 325}, {"襄阳", 1121, 320}, {"上庸", 1102, 323},
    {"江夏", 1143, 306}, {"江陵", 1122, 303}, {"武陵", 1117, 290}, {"长沙", 1130, 282}, {"桂阳", 1130, 258},
    {"零陵", 1116, 262}, {"寿春", 1168, 326}, {"建业", 1188, 321}, {"吴", 1206, 313},   {"会稽", 1206, 300},
    {"庐江", 1169, 314}, {"豫章", 1159, 287}, {"汉中", 1070, 331}, {"下弁", 1059, 337}, {"梓潼", 1051, 316},
    {"成都", 1041, 307}, {"永安", 1095, 310}, {"江州", 1065, 296}, {"建宁", 1038, 255}, {"云南", 1005, 250},
    {"庐陵", 1150, 271}, {"鄱阳", 1167, 290},
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
  for (const Place& place : kPlaces) {
    CitySite site;
    site.name = place.name;
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
