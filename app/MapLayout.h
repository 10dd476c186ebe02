#pragma once
// Where the parts of a scenario's map lie, in the pixels of its panel: the frame that every scenario of
// a set shares, the roads, and for each city its small-map spot, its circle and its name. Where cities
// stand so close that their circles would cover one another, the circles move apart and a pointer leads
// from a circle that left its spot back to it; every name lies clear of every circle and every other
// name, and of the pointers where there is room, with a line to its circle when it had to go further
// out. The SVG is drawn from this.
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "app/LabelPlacement.h"
#include "app/MapGeometry.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// The parts of a panel: its margins, the title's band above the map, the room right of the
// easternmost city for its name, the legend's column, a city's circle and the names' font size.
inline constexpr int kMapMargin = 30;
inline constexpr int kMapTitleHeight = 50;
inline constexpr int kMapNameRoom = 50;
inline constexpr int kMapLegendWidth = 250;
inline constexpr int kMapLegendLine = 22;
inline constexpr int kCityRadius = 11;
inline constexpr int kCityNameSize = 14;
// The least room between two circles' edges.
inline constexpr double kCityGap = 4;

// How the small map's coordinates become a panel's: one scale for every scenario of the set, the
// largest (in steps of a half) at which all cities of all scenarios fit the small map's extent. The
// origin stays the small map's corner, so that moving one city moves nothing far from it, and the maps of
// all scenarios can be laid over one another.
struct MapFrame {
  double scale = 1;
  int mapWidth = 0;  // the drawn part of the map
  int mapHeight = 0;
  int panelWidth() const;
  int panelHeight() const;
  int legendX() const;
  // Where the centres of the circles may lie, and where the names must stay: the map's part of the
  // panel, below the title and left of the legend.
  Box circleArea() const;
  Box nameArea() const;
};

MapFrame mapFrameOf(const ScenarioSet& set);

struct CityLayout {
  Point spot;       // the city's small-map position
  Point centre;     // its circle's, on whole pixels: the spot unless other cities crowd it
  LabelPlace name;  // its name at kCityNameSize
  // The line from the circle's edge to the spot, for a circle moved so far that it no longer covers
  // its spot.
  std::optional<Segment> pointer;
  // The line from the name to the circle's edge, for a name that found room only further out than the
  // nearest two rings of places or nearer another circle than its own (in a crowd).
  std::optional<Segment> nameLine;
};

struct ScenarioMapLayout {
  std::vector<CityLayout> cities;          // city c at c - 1
  std::vector<std::pair<int, int>> roads;  // every pair of neighbours once, the lower number first
};

// The layout of scenario s of the set in the frame.
ScenarioMapLayout layOutScenarioMap(const ScenarioSet& set, const MapFrame& frame, std::size_t s);

}  // namespace vorandel
