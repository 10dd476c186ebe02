#pragma once
// The shape of the generated scenario set: eleven scenarios in ascending start years, how many officers
// each has on the map and waiting, and how many forces divide the land. The officer counts make the
// files exactly as long as the game's own pair (sndata.s5 213,891 bytes, taiki.s5 165,254 bytes).
#include <array>
#include <cstdint>

namespace vorandel::gendata {

struct ScenarioShape {
  int startYear;
  int startMonth;
  int onMap;
  int waiting;
  int forces;
};

inline constexpr int kScenarioCount = 11;
inline constexpr int kPersonCount = 500;  // ids 0..499; every one of them appears in the first scenario

// Every person has a debut rank: the earliest come first. In each scenario the last `waiting` ranks
// wait to appear, the `onMap` ranks before them are on the map, and the ranks before those are gone.
inline constexpr std::array<ScenarioShape, kScenarioCount> kScenarioShapes{{
    {184, 1, 148, 352, 12},
    {190, 1, 188, 312, 14},
    {194, 3, 200, 280, 15},
    {198, 12, 215, 250, 13},
    {201, 1, 215, 226, 12},
    {205, 6, 210, 204, 10},
    {208, 1, 210, 186, 9},
    {212, 12, 210, 170, 8},
    {216, 1, 208, 154, 7},
    {221, 4, 204, 140, 5},
    {225, 1, 201, 120, 4},
}};

// The first rank that still waits to appear in the scenario.
constexpr int firstWaitingRank(const ScenarioShape& shape) { return kPersonCount - shape.waiting; }
// The first rank on the map in the scenario.
constexpr int firstOnMapRank(const ScenarioShape& shape) { return firstWaitingRank(shape) - shape.onMap; }

}  // namespace vorandel::gendata
