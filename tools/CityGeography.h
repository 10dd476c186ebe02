#pragma once
// The 47 cities of the generated scenarios: their names in the game's order, their places on the two
// maps, the neighbour relation between them, and the lasting traits of their land (limits of farming and
// trade, water, climate, market). All of it is the same in every scenario.
#include <array>
#include <string>
#include <vector>

#include "model/Records.h"
#include "tools/Prng.h"

namespace vorandel::gendata {

struct CitySite {
  std::string name;  // UTF-8; the record holds it in GBK
  int largeMapX = 0, largeMapY = 0;
  int smallMapX = 0, smallMapY = 0;
  std::vector<int> neighbours;                  // city numbers, ascending; one to six of them
  int agricultureLimit = 0, commerceLimit = 0;  // up to 999
  bool byWater = false, climate = false, market = false;
};

// City c is element c-1. Neighbours join cities that lie next to each other on the map (no third city
// between them), are mutual, and number one to six per city.
std::vector<CitySite> makeCityGeography(Prng& prng);

}  // namespace vorandel::gendata
