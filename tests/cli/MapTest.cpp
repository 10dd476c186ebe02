// The scenario maps of the built-in data: a valid XML document whose marks, roads, colours and legend
// follow the records, in which a table's change to one city changes that city's mark and at most those
// of the cities it crowded, and in which every city and name shows whole.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "app/CircleSpreading.h"
#include "app/CityOfficers.h"
#include "app/LabelPlacement.h"
#include "app/MapLayout.h"
#include "app/ScenarioMap.h"
#include "cli/Cli.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "model/Loader.h"
#include "rules/Rulers.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

struct CityMark {
  int owner;
  int x, y;
  std::string fill;
  friend bool operator==(const CityMark&, const CityMark&) = default;
};

// What one scenario's panel of the SVG shows.
struct Panel {
  std::map<int, CityMark> cities;
  std::set<std::pair<int, int>> roads;
  int roadLines = 0;
  std::map<int, std::string> legend;                    // force -> colour
  std::map<int, std::string> names;                     // city -> name (UTF-8)
  std::map<int, std::pair<double, double>> namePlaces;  // city -> where its name starts (baseline)
};

// The panels of an SVG map, by scenario number.
std::map<std::size_t, Panel> readPanels(const std::string& svg) {
  static const std::regex panelStart(R"re(<g class="scenario" data-scenario="(\d+)")re");
  static const std::regex circle(
      R"re(<circle class="city" data-city="(\d+)" data-owner="(-?\d+)" cx="(\d+)" cy="(\d+)" r="\d+" fill="(#[0-9a-f]{6})")re");
  static const std::regex road(R"re(<line class="road" data-from="(\d+)" data-to="(\d+)")re");
  static const std::regex legend(R"re(<g class="legend-force" data-force="(\d+)"><rect [^>]*fill="(#[0-9a-f]{6})")re");
  static const std::regex name(
      R"re(<text class="name" data-city="(\d+)" x="([0-9.-]+)" y="([0-9.-]+)">([^<]*)</text>)re");
  std::map<std::size_t, Panel> panels;
  std::vector<std::pair<std::size_t, std::size_t>> starts;  // scenario, offset
  for (std::sregex_iterator it(svg.begin(), svg.end(), panelStart), end; it != end; ++it)
    starts.emplace_back(std::stoul((*it)[1]), static_cast<std::size_t>(it->position()));
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::size_t stop = i + 1 < starts.size() ? starts[i + 1].second : svg.size();
    const std::string part = svg.substr(starts[i].second, stop - starts[i].second);
    Panel& panel = panels[starts[i].first];
    for (std::sregex_iterator it(part.begin(), part.end(), circle), end; it != end; ++it)
      panel.cities[std::stoi((*it)[1])] = {std::stoi((*it)[2]), std::stoi((*it)[3]), std::stoi((*it)[4]), (*it)[5]};
    for (std::sregex_iterator it(part.begin(), part.end(), road), end; it != end; ++it) {
      panel.roads.insert({std::stoi((*it)[1]), std::stoi((*it)[2])});
      ++panel.roadLines;
    }
    for (std::sregex_iterator it(part.begin(), part.end(), legend), end; it != end; ++it)
      panel.legend[std::stoi((*it)[1])] = (*it)[2];
    for (std::sregex_iterator it(part.begin(), part.end(), name), end; it != end; ++it) {
      panel.names[std::stoi((*it)[1])] = (*it)[4];
      panel.namePlaces[std::stoi((*it)[1])] = {std::stod((*it)[2]), std::stod((*it)[3])};
    }
  }
  return panels;
}

class Map : public ::testing::Test, protected testing::CliRun {
 protected:
  Map() { loadScenarioSet(set, builtInData().sndata, builtInData().taiki); }

  int run(std::vector<std::string> args) { return runWith(builtInData(), std::move(args)); }

  std::vector<std::size_t> all() const {
    std::vector<std::size_t> scenarios;
    for (std::size_t s = 0; s < set.scenarioCount(); ++s) scenarios.push_back(s);
    return scenarios;
  }

  ScenarioSet set;
  TempFolder folder;
};

TEST_F(Map, TheBuiltInMapIsWellFormedXml) {
#ifdef _WIN32
  GTEST_SKIP() << "runs xmllint through the POSIX shell";
#endif
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
  const std::string file = folder.file("map.svg");
  ASSERT_EQ(run({"map", "-o", file}), kExitDone) << err.str();
  EXPECT_EQ(std::system(("xmllint --noout '" + file + "'").c_str()), 0);
  // A broken document is refused, so the check above can fail.
  writeFile(folder.file("broken.svg"), readFile(file).substr(0, 500));
  EXPECT_NE(std::system(("xmllint --noout '" + folder.file("broken.svg") + "' 2>/dev/null").c_str()), 0);
}

TEST_F(Map, MarksRoadsColoursAndLegendFollowTheRecordsOfEveryScenario) {
  const std::map<std::size_t, Panel> panels = readPanels(scenarioMapSvg(set, all()));
  ASSERT_EQ(panels.size(), set.scenarioCount());
  for (const auto& [s, panel] : panels) {
    SCOPED_TRACE("scenario " + std::to_string(s));
    const Scenario& scenario = set.scenario(s);
    ASSERT_EQ(panel.cities.size(), std::size_t{kCityCount});
    std::set<std::pair<int, int>> pairs;
    std::set<int> owners;
    for (int c = 1; c <= kCityCount; ++c) {
      for (std::size_t i = 0; i < kNeighbourSlots; ++i) {
        const int n = scenario.cityName(c).get(cityName::neighbours, i);
        if (isCityNumber(n)) pairs.insert({std::min(c, n), std::max(c, n)});
      }
      const int owner = scenario.city(c).get(city::owner);
      const CityMark& mark = panel.cities.at(c);
      EXPECT_EQ(mark.owner, owner) << "city " << c;
      EXPECT_EQ(mark.fill, isForceNumber(owner) ? forceColour(owner) : kUnownedColour) << "city " << c;
      if (isForceNumber(owner)) owners.insert(owner);
      EXPECT_EQ(panel.names.at(c), gbkToUtf8(scenario.cityName(c).text(cityName::name)).value());
    }
    EXPECT_EQ(panel.roads, pairs);
    EXPECT_EQ(panel.roadLines, static_cast<int>(pairs.size())) << "a pair drawn twice";
    std::set<int> listed;
    for (const auto& [f, colour] : panel.legend) {
      listed.insert(f);
      EXPECT_EQ(colour, forceColour(f));
    }
    EXPECT_EQ(listed, owners);
  }
  // The palette tells every force from every other and from the unowned grey.
  std::set<std::string> colours{std::string(kUnownedColour)};
  for (int f = 1; f <= kForceCount; ++f) colours.insert(std::string(forceColour(f)));
  EXPECT_EQ(colours.size(), std::size_t{kForceCount + 1});
}

TEST_F(Map, ATableThatMovesOrRecoloursACityChangesThatCityOnly) {
  const std::map<int, CityMark> before = readPanels(scenarioMapSvg(set, {0})).at(0).cities;
  // 南皮 (5) moved by a city table to a place inside the data's extent.
  const std::string table = folder.file("ruv5_city.txt");
  writeFile(table, testing::gbkBytes("剧本\tID\t名称\t设置\t小地图横坐标\t小地图纵坐标\r\nx\tx\tx\t8\t1\t1\r\n"
                                     "0\t5\t南皮\t1\t100\t60\r\n"));
  ASSERT_EQ(run({"map", "--city", table, "--scenario", "0", "-o", folder.file("moved.svg")}), kExitDone) << err.str();
  const std::string movedMap = readFile(folder.file("moved.svg"));
  const std::map<int, CityMark> moved = readPanels(movedMap).at(0).cities;
  // The map of the set with the city moved by hand, in which only the circles that were crowded, before
  // or after, stand off their spots.
  ScenarioSet byHand = set;
  byHand.scenario(0).cityName(5).set(cityName::smallMapX, 100);
  byHand.scenario(0).cityName(5).set(cityName::smallMapY, 60);
  EXPECT_EQ(movedMap, scenarioMapSvg(byHand, {0}));
  const ScenarioMapLayout layoutBefore = layOutScenarioMap(set, mapFrameOf(set), 0);
  const ScenarioMapLayout layoutAfter = layOutScenarioMap(byHand, mapFrameOf(byHand), 0);
  const auto crowded = [](const ScenarioMapLayout& layout, int c) {
    const CityLayout& city = layout.cities[static_cast<std::size_t>(c - 1)];
    return city.centre.x != city.spot.x || city.centre.y != city.spot.y;
  };
  int unchanged = 0;
  for (int c = 1; c <= kCityCount; ++c) {
    if (c == 5) {
      EXPECT_NE(moved.at(c).x, before.at(c).x);
      EXPECT_NE(moved.at(c).y, before.at(c).y);
      EXPECT_EQ(moved.at(c).fill, before.at(c).fill);
    } else if (!crowded(layoutBefore, c) && !crowded(layoutAfter, c)) {
      EXPECT_EQ(moved.at(c), before.at(c)) << "city " << c << " changed too";
      ++unchanged;
    }
  }
  EXPECT_GT(unchanged, kCityCount / 2) << "most cities stand clear of the others";
  // A city given another owner changes colour, and nothing else does.
  int c = 1;
  while (c <= kCityCount && set.scenario(0).city(c).get(city::owner) < 1) ++c;
  ASSERT_LE(c, kCityCount);
  const int other = set.scenario(0).city(c).get(city::owner) % kForceCount + 1;
  set.scenario(0).city(c).set(city::owner, static_cast<std::int8_t>(other));
  const std::map<int, CityMark> recoloured = readPanels(scenarioMapSvg(set, {0})).at(0).cities;
  for (int d = 1; d <= kCityCount; ++d) {
    if (d == c) {
      EXPECT_EQ(recoloured.at(d).fill, forceColour(other));
      EXPECT_EQ(recoloured.at(d).x, before.at(d).x);
    } else {
      EXPECT_EQ(recoloured.at(d), before.at(d)) << "city " << d << " changed too";
    }
  }
}

// Founds a force in every scenario that has an empty force slot and an unowned city with a free
// officer in it: in such a city that stands closest to another city, where its circle is most crowded.
// Gives the number of scenarios in which a force was founded.
int foundAForceInACrowdedCity(ScenarioSet& set) {
  int founded = 0;
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    const Scenario& scenario = set.scenario(s);
    int slot = 1;
    while (slot <= kForceCount && rulerOf(scenario, slot) != 0) ++slot;
    int best = 0, founder = 0;
    double nearest = 1e9;
    for (int c = 1; c <= kCityCount; ++c) {
      if (isForceNumber(scenario.city(c).get(city::owner))) continue;
      std::vector<int> free = cityOfficers(scenario, c, CityList::Unaffiliated);
      if (free.empty()) free = cityOfficers(scenario, c, CityList::Hermits);
      if (free.empty()) continue;
      for (int d = 1; d <= kCityCount; ++d) {
        const double dx = scenario.cityName(c).get(cityName::smallMapX) - scenario.cityName(d).get(cityName::smallMapX);
        const double dy = scenario.cityName(c).get(cityName::smallMapY) - scenario.cityName(d).get(cityName::smallMapY);
        if (d != c && std::hypot(dx, dy) < nearest) {
          nearest = std::hypot(dx, dy);
          best = c;
          founder = free.front();
        }
      }
    }
    if (slot > kForceCount || best == 0) continue;
    foundForce(set, s, ForceNumber{slot}, OfficerNumber{founder});
    EXPECT_EQ(set.scenario(s).city(best).get(city::owner), slot);
    ++founded;
  }
  return founded;
}

// Every circle and every name of every scenario shows whole: no circle covers another, no name covers a
// circle or another name, each circle stays near its spot (with a pointer back to it once it has left
// it) and each name next to its circle, nearer it than any other, inside the map's part of the panel;
// and the SVG draws them there.
// Checked on the built-in set, where 宛, 新野 and 襄阳 stand a few pixels apart, and on the set after a
// force was founded in the most crowded free city of each scenario.
TEST_F(Map, EveryCityAndNameShowsWholeAndClearOfTheOthers) {
  ScenarioSet founded = set;
  ASSERT_GT(foundAForceInACrowdedCity(founded), 0);
  for (const ScenarioSet* checked : {&set, &founded}) {
    const MapFrame frame = mapFrameOf(*checked);
    const std::map<std::size_t, Panel> panels = readPanels(scenarioMapSvg(*checked, all()));
    for (std::size_t s = 0; s < checked->scenarioCount(); ++s) {
      SCOPED_TRACE((checked == &set ? "built-in scenario " : "founded scenario ") + std::to_string(s));
      const ScenarioMapLayout layout = layOutScenarioMap(*checked, frame, s);
      ASSERT_EQ(layout.cities.size(), std::size_t{kCityCount});
      const Panel& panel = panels.at(s);
      for (int c = 1; c <= kCityCount; ++c) {
        const CityLayout& city = layout.cities[static_cast<std::size_t>(c - 1)];
        const Box& name = city.name.box;
        const double moved = distance(city.spot, city.centre);
        EXPECT_LE(moved, 3.0 * kCityRadius) << "city " << c << " is far from its spot";
        EXPECT_EQ(city.pointer.has_value(), moved > kCityRadius) << "city " << c;
        EXPECT_LE(distance(city.centre, name), 2.0 * kCityRadius) << "the name of city " << c << " is far from it";
        EXPECT_GE(name.top, kMapTitleHeight) << "the name of city " << c << " reaches the title";
        EXPECT_LE(name.right, frame.legendX()) << "the name of city " << c << " reaches the legend";
        EXPECT_LE(city.centre.x + kCityRadius, frame.legendX()) << "city " << c << " reaches the legend";
        for (int d = 1; d <= kCityCount; ++d) {
          const CityLayout& other = layout.cities[static_cast<std::size_t>(d - 1)];
          // The circles' strokes reach a pixel beyond the radius.
          EXPECT_GE(distance(other.centre, name), kCityRadius + 1.0)
              << "the name of city " << c << " covers city " << d;
          if (d == c) continue;
          EXPECT_GT(distance(other.centre, name), distance(city.centre, name))
              << "the name of city " << c << " lies nearer city " << d;
          EXPECT_GE(distance(city.centre, other.centre), 2.0 * kCityRadius + 2)
              << "cities " << c << " and " << d << " cover each other";
          EXPECT_EQ(overlap(name, other.name.box), 0) << "the names of cities " << c << " and " << d << " overlap";
        }
        const CityMark& drawn = panel.cities.at(c);
        EXPECT_EQ(drawn.x, city.centre.x) << "city " << c;
        EXPECT_EQ(drawn.y, city.centre.y) << "city " << c;
        EXPECT_EQ(formatMessage("%.1f %.1f", panel.namePlaces.at(c).first, panel.namePlaces.at(c).second),
                  formatMessage("%.1f %.1f", city.name.x, city.name.y))
            << "city " << c;
      }
    }
  }
}

// Maps at random with crowds in them, up to six marks on one spot or a few pixels apart: the circles
// come apart inside their area, and the names find places clear of every circle and of one another.
TEST(LabelPlacement, CrowdedMarksComeApartWithTheirNamesClear) {
  std::mt19937 random(20240611);
  const Box area{20, 20, 780, 580};
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::uniform_real_distribution<double> across(60, 740), down(60, 540), jitter(-6, 6);
    std::vector<Point> spots;
    for (int i = 0; i < 47; ++i) spots.push_back({across(random), down(random)});
    // Crowds of two to six around one mark, the first few on its very spot.
    for (std::size_t crowd = 0; crowd < 4; ++crowd) {
      const std::size_t first = crowd * 10;
      for (std::size_t k = 1; k < 2 + (round + crowd) % 5; ++k) {
        const double spread = k < 2 ? 0 : 1;
        spots[first + k] = {spots[first].x + spread * jitter(random), spots[first].y + spread * jitter(random)};
      }
    }
    const std::vector<Point> centres = spreadCircles(spots, 11, 4, area);
    ASSERT_EQ(centres.size(), spots.size());
    std::vector<Mark> marks;
    for (const Point p : centres) {
      EXPECT_TRUE(p.x >= area.left && p.x <= area.right && p.y >= area.top && p.y <= area.bottom);
      EXPECT_EQ(p.x, std::round(p.x));
      marks.push_back({p.x, p.y, 11, 14.0 * static_cast<double>(1 + marks.size() % 3), 17});
    }
    LabelGround ground;
    ground.area = grown(area, 20);
    const std::vector<LabelPlace> names = placeLabels(marks, ground);
    for (std::size_t i = 0; i < centres.size(); ++i) {
      EXPECT_LE(distance(spots[i], centres[i]), 60) << "mark " << i << " went far";
      for (std::size_t j = 0; j < centres.size(); ++j) {
        EXPECT_GE(distance(centres[j], names[i].box), 11.0) << "name " << i << " covers mark " << j;
        if (j == i) continue;
        EXPECT_GE(distance(centres[i], centres[j]), 26.0) << "marks " << i << " and " << j;
        EXPECT_EQ(overlap(names[i].box, names[j].box), 0) << "names " << i << " and " << j;
      }
    }
  }
}

TEST(LabelPlacement, ANameMovesAwayFromTheMarksAroundItsPreferredPlace) {
  // A mark with neighbours on its right and left: its name goes above or below.
  const std::vector<Mark> marks{{100, 100, 10, 28, 17}, {140, 100, 10, 28, 17}, {60, 100, 10, 28, 17}};
  const std::vector<LabelPlace> places = placeLabels(marks);
  ASSERT_EQ(places.size(), 3u);
  for (std::size_t j = 0; j < marks.size(); ++j) {
    const Box mark{marks[j].x - 10, marks[j].y - 10, marks[j].x + 10, marks[j].y + 10};
    for (std::size_t i = 0; i < places.size(); ++i) {
      if (i != j) {
        EXPECT_EQ(overlap(places[i].box, mark), 0) << "name " << i << " covers mark " << j;
      }
    }
  }
  EXPECT_TRUE(places[0].box.bottom <= 90 || places[0].box.top >= 110);
  // A lone mark keeps its name on the right, on the mark's middle line.
  const LabelPlace alone = placeLabels({{10, 10, 5, 20, 10}}).front();
  EXPECT_GT(alone.box.left, 15);
  EXPECT_LT(alone.box.top, 10);
  EXPECT_GT(alone.box.bottom, 10);
}

TEST_F(Map, TheTitleHoldsTheStartDateAndTheTextIsUtf8) {
  const std::string svg = scenarioMapSvg(set, {0, 1});
  const Scenario& first = set.scenario(0);
  const std::string title = "剧本 0：" + std::to_string(first.block.get(block::startYear)) + "年" +
                            std::to_string(first.block.get(block::startMonth)) + "月";
  EXPECT_NE(svg.find(">" + title + "</text>"), std::string::npos) << title;
  EXPECT_TRUE(isUtf8(svg)) << "the document is not UTF-8";
  EXPECT_NE(svg.find("font-family=\"'Microsoft YaHei'"), std::string::npos);
  EXPECT_NE(svg.find("sans-serif\""), std::string::npos);
}

TEST_F(Map, CommandLineWritesTheFileOrStandardOutputAndRefusesAMissingScenario) {
  const std::string dir = folder.path().string();
  ASSERT_EQ(run({"map", "-o", "-", "--scenario", "2"}), kExitDone) << err.str();
  EXPECT_EQ(readPanels(out.str()).size(), 1u);
  EXPECT_EQ(readPanels(out.str()).count(2), 1u);

  EXPECT_EQ(run({"map", "--scenario", "99", "-o", folder.file("none.svg")}), kExitUsage);
  EXPECT_NE(err.str().find("没有剧本 99"), std::string::npos) << err.str();
  EXPECT_FALSE(std::filesystem::exists(folder.file("none.svg")));

  EXPECT_EQ(run({"map", "-o", dir}), kExitFileFailed);
  EXPECT_NE(err.str().find("无法写入文件：" + dir), std::string::npos) << err.str();

  writeFile(folder.file("old.svg"), "an older map");
  ASSERT_EQ(run({"map", "-o", folder.file("old.svg")}), kExitDone);
  EXPECT_EQ(readPanels(readFile(folder.file("old.svg"))).size(), set.scenarioCount());
  EXPECT_NE(err.str().find("已把 " + std::to_string(set.scenarioCount()) + " 个剧本的地图写入"), std::string::npos);
}

}  // namespace
}  // namespace vorandel
