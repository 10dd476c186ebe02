#pragma once
// The value columns of the city table, each described once: the importer, the exporter and the
// exporter's checks all read this list.
#include <optional>
#include <span>
#include <vector>

#include "tables/RecordColumn.h"

namespace vorandel {

// The codes of the city table's value columns: their places in cityColumns().
enum CityColumn {
  kCityNewName,
  kCityDefence,
  kCityFloodControl,
  kCityAgriculture,
  kCityCommerce,
  kCityPopulation,
  kCityLoyalty,
  kCityReserveTroops,
  kCityMorale,
  kCityTraining,
  kCityStatusBits,
  kCityAgricultureLimit,
  kCityCommerceLimit,
  kCityMarket,
  kCityByWater,
  kCityClimate,
  kCityUnknownFlag,
  kCitySmallMapX,
  kCitySmallMapY,
  kCityLargeMapX,
  kCityLargeMapY,
  kCityNeighbours,
  kCityOwner,
  kCityRulerName,
  kCityColumnCount
};

// Bits of cityOptions, the number in the 设置 cell of the switch row.
inline constexpr unsigned kApplyTerrainFlags = 4;       // 靠水, 气候 and 未知
inline constexpr unsigned kApplyMapPositions = 8;       // the four map coordinates
inline constexpr unsigned kApplyNeighbours = 16;        // 相邻城ID
inline constexpr unsigned kKeepScenarioGeography = 32;  // no copying of the first scenario's geography
inline constexpr std::int32_t kHighestCityOptions = 64;

// The 24 value columns in the order of their codes.
std::span<const RecordColumn> cityColumns();

// The headers of cityColumns(), each giving its code.
const ColumnDictionary& cityColumnDictionary();

// The filled neighbour slots of a city, when every slot before the first empty one holds a city number
// and every slot after it is empty: the only lists a city can have.
std::optional<std::vector<int>> neighbourList(ConstCityNameRecord names);

}  // namespace vorandel
