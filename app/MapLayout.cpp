#include "app/MapLayout.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string_view>

#include "app/CircleSpreading.h"
#include "model/GbkText.h"
#include "rules/GameRules.h"

namespace vorandel {

namespace {

constexpr double kNameEdge = 4;  // the least room between a name and the panel's edge or the legend

// The width of a name in the map's font: a Chinese character is a square, an ASCII character half.
double nameWidth(std::string_view utf8, double fontSize) {
  double width = 0;
  for (const char byte : utf8) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80)
      width += fontSize * 0.6;
    else if ((c & 0xC0) != 0x80)
      width += fontSize;
  }
  return width;
}

Point spotOf(const MapFrame& frame, const Scenario& scenario, int c) {
  const ConstCityNameRecord names = scenario.cityName(c);
  return {double(kMapMargin + std::lround(names.get(cityName::smallMapX) * frame.scale)),
          double(kMapTitleHeight + kMapMargin + std::lround(names.get(cityName::smallMapY) * frame.scale))};
}

// Every pair of neighbours once, whichever of the two names the other.
std::vector<std::pair<int, int>> neighbourPairs(const Scenario& scenario) {
  std::set<std::pair<int, int>> pairs;
  for (int c = 1; c <= kCityCount; ++c) {
    for (std::size_t i = 0; i < kNeighbourSlots; ++i) {
      const int n = scenario.cityName(c).get(cityName::neighbours, i);
      if (isCityNumber(n) && n != c) pairs.insert({std::min(c, n), std::max(c, n)});
    }
  }
  return {pairs.begin(), pairs.end()};
}

std::optional<Segment> pointerOf(Point spot, Point centre) {
  const double d = distance(spot, centre);
  if (d <= kCityRadius) return std::nullopt;
  const double edge = kCityRadius / d;
  return Segment{{centre.x + (spot.x - centre.x) * edge, centre.y + (spot.y - centre.y) * edge}, spot};
}

std::optional<Segment> nameLineOf(const std::vector<CityLayout>& cities, std::size_t i) {
  const Box& box = cities[i].name.box;
  const Point centre = cities[i].centre;
  const double own = distance(centre, box);
  bool far = own - kCityRadius > kLabelGap + kLabelRingStep + 0.5;
  for (std::size_t j = 0; j < cities.size() && !far; ++j) far = j != i && distance(cities[j].centre, box) <= own;
  if (!far) return std::nullopt;
  const Point near{std::clamp(centre.x, box.left, box.right), std::clamp(centre.y, box.top, box.bottom)};
  const double edge = kCityRadius / own;
  return Segment{near, {centre.x + (near.x - centre.x) * edge, centre.y + (near.y - centre.y) * edge}};
}

}  // namespace

int MapFrame::panelWidth() const { return kMapMargin + mapWidth + kMapNameRoom + kMapLegendWidth; }

int MapFrame::panelHeight() const {
  const int legend = kMapLegendLine * (kForceCount + 5);
  return kMapTitleHeight + kMapMargin + std::max(mapHeight, legend) + kMapMargin;
}

int MapFrame::legendX() const { return kMapMargin + mapWidth + kMapNameRoom; }

Box MapFrame::circleArea() const {
  const double r = kCityRadius + 2;
  return {r, kMapTitleHeight + r, legendX() - r - kNameEdge, panelHeight() - r};
}

Box MapFrame::nameArea() const {
  return {kNameEdge, kMapTitleHeight, legendX() - kNameEdge, panelHeight() - kNameEdge};
}

MapFrame mapFrameOf(const ScenarioSet& set) {
  int maxX = 1, maxY = 1;
  for (const Scenario& scenario : set.scenarios) {
    for (int c = 1; c <= kCityCount; ++c) {
      maxX = std::max<int>(maxX, scenario.cityName(c).get(cityName::smallMapX));
      maxY = std::max<int>(maxY, scenario.cityName(c).get(cityName::smallMapY));
    }
  }
  MapFrame frame;
  const double fit = std::min(double{kMapWidth} / maxX, double{kMapHeight} / maxY);
  frame.scale = std::max(1.0, std::floor(fit * 2) / 2);
  frame.mapWidth = static_cast<int>(std::lround(maxX * frame.scale));
  frame.mapHeight = static_cast<int>(std::lround(maxY * frame.scale));
  return frame;
}

ScenarioMapLayout layOutScenarioMap(const ScenarioSet& set, const MapFrame& frame, std::size_t s) {
  const Scenario& scenario = set.scenario(s);
  ScenarioMapLayout layout;
  layout.roads = neighbourPairs(scenario);

  std::vector<Point> spots;
  for (int c = 1; c <= kCityCount; ++c) spots.push_back(spotOf(frame, scenario, c));
  const std::vector<Point> centres = spreadCircles(spots, kCityRadius, kCityGap, frame.circleArea());

  std::vector<Mark> marks;
  LabelGround ground;
  ground.area = frame.nameArea();
  for (int c = 1; c <= kCityCount; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    const double width = nameWidth(shownGbk(scenario.cityName(c).text(cityName::name)), kCityNameSize);
    marks.push_back({centres[i].x, centres[i].y, double{kCityRadius}, width, kCityNameSize + 3});
    layout.cities.push_back({spots[i], centres[i], {}, pointerOf(spots[i], centres[i]), std::nullopt});
    if (layout.cities.back().pointer) ground.pointers.push_back(*layout.cities.back().pointer);
  }
  for (const auto& [a, b] : layout.roads)
    ground.roads.push_back({centres[static_cast<std::size_t>(a - 1)], centres[static_cast<std::size_t>(b - 1)]});
  const std::vector<LabelPlace> names = placeLabels(marks, ground);
  for (std::size_t i = 0; i < names.size(); ++i) layout.cities[i].name = names[i];
  for (std::size_t i = 0; i < names.size(); ++i) layout.cities[i].nameLine = nameLineOf(layout.cities, i);
  return layout;
}

}  // namespace vorandel
