#pragma once
// The city table: names, economy and military values, limits, terrain flags, map positions and
// neighbours of chosen cities of chosen scenarios. Afterwards the geography of every scenario is made
// equal to that of the first scenario, unless the table's options say otherwise.
#include <array>
#include <string>

#include "model/ScenarioSet.h"

namespace vorandel {

// The value columns of the city table, in the order of their codes.
inline constexpr std::array<const char*, 22> kCityColumnNames{
    "新名称", "城防", "治水", "农业", "商业", "人口", "民忠", "预备兵", "士气", "训练", "状态值",
    "农业上限", "商业上限", "商城", "靠水", "气候", "未知", "小地图横坐标", "小地图纵坐标",
    "大地图横坐标", "大地图纵坐标", "相邻城ID"};

// Bits of cityOptions, the number in the 设置 cell of the switch row.
inline constexpr unsigned kApplyTerrainFlags = 4;    // 靠水, 气候 and 未知
inline constexpr unsigned kApplyMapPositions = 8;    // the four map coordinates
inline constexpr unsigned kApplyNeighbours = 16;     // 相邻城ID
inline constexpr unsigned kKeepScenarioGeography = 32;  // no copying of the first scenario's geography

// Applies the city table at path to the set, row by row, then copies the first scenario's geography to
// the others; raises an EditError on the first problem.
void importCityTable(ScenarioSet& set, const std::string& path);

// Checks the neighbour list of every city of the first scenario and copies its terrain flags, map
// positions and neighbours into the same city of every other scenario.
void copyFirstScenarioGeography(ScenarioSet& set);

}  // namespace vorandel
