#include "app/ScenarioMap.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/CityOfficers.h"
#include "app/MapLayout.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "rules/GameRules.h"

namespace vorandel {

namespace {

// Twenty-one colours that stay apart from one another and from the grey of unowned cities.
constexpr std::array<std::string_view, kForceCount> kPalette{
    "#e6194b", "#3cb44b", "#ffe119", "#4363d8", "#f58231", "#911eb4", "#42d4f4",
    "#f032e6", "#bfef45", "#fabed4", "#469990", "#dcbeff", "#9a6324", "#fffac8",
    "#800000", "#aaffc3", "#808000", "#ffd8b1", "#000075", "#000000", "#b8860b"};

// Fonts that carry the Chinese names on Windows and on Linux desktops, the generic family last.
constexpr const char* kFonts =
    "'Microsoft YaHei', 'SimHei', 'SimSun', 'Noto Sans CJK SC', 'Source Han Sans SC', "
    "'WenQuanYi Micro Hei', 'WenQuanYi Zen Hei', 'Droid Sans Fallback', sans-serif";

// A text as character data: the markup characters escaped, control characters (which XML does not
// allow) shown as '?'.
std::string xmlText(std::string_view utf8) {
  std::string out;
  for (const char ch : utf8) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += static_cast<unsigned char>(ch) < 0x20 ? '?' : ch;
    }
  }
  return out;
}

// Dark fills take white writing, light ones black.
bool isDark(std::string_view colour) {
  const int r = std::stoi(std::string(colour.substr(1, 2)), nullptr, 16);
  const int g = std::stoi(std::string(colour.substr(3, 2)), nullptr, 16);
  const int b = std::stoi(std::string(colour.substr(5, 2)), nullptr, 16);
  return 299 * r + 587 * g + 114 * b < 128000;
}

std::string_view cityColour(const Scenario& scenario, int c) {
  const int owner = scenario.city(c).get(city::owner);
  return isForceNumber(owner) ? forceColour(owner) : kUnownedColour;
}

int pixel(double v) { return static_cast<int>(std::lround(v)); }

void writeRoads(std::string& svg, const ScenarioMapLayout& layout) {
  svg += "<g class=\"roads\" stroke=\"#8a8a8a\" stroke-width=\"1.5\">\n";
  for (const auto& [a, b] : layout.roads) {
    const Point from = layout.cities[static_cast<std::size_t>(a - 1)].centre;
    const Point to = layout.cities[static_cast<std::size_t>(b - 1)].centre;
    svg += formatMessage(
        "<line class=\"road\" data-from=\"%d\" data-to=\"%d\" x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>\n", a, b,
        pixel(from.x), pixel(from.y), pixel(to.x), pixel(to.y));
  }
  svg += "</g>\n";
}

// A circle moved off its spot points back to it: a thin line from its edge to a dot on the spot.
void writePointers(std::string& svg, const ScenarioMapLayout& layout) {
  svg += "<g class=\"pointers\" stroke=\"#303030\" stroke-width=\"1\" fill=\"#303030\">\n";
  for (int c = 1; c <= kCityCount; ++c) {
    const CityLayout& city = layout.cities[static_cast<std::size_t>(c - 1)];
    if (!city.pointer) continue;
    const Segment& line = *city.pointer;
    svg += formatMessage(
        "<line class=\"pointer\" data-city=\"%d\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>"
        "<circle class=\"spot\" data-city=\"%d\" cx=\"%.1f\" cy=\"%.1f\" r=\"2\" stroke=\"none\"/>\n",
        c, line.from.x, line.from.y, line.to.x, line.to.y, c, city.spot.x, city.spot.y);
  }
  svg += "</g>\n";
}

// A name that had to go further out has a thin line to its circle.
void writeNameLines(std::string& svg, const ScenarioMapLayout& layout) {
  svg += "<g class=\"name-lines\" stroke=\"#303030\" stroke-width=\"1\" stroke-dasharray=\"2 2\">\n";
  for (int c = 1; c <= kCityCount; ++c) {
    const CityLayout& city = layout.cities[static_cast<std::size_t>(c - 1)];
    if (!city.nameLine) continue;
    const Segment& line = *city.nameLine;
    svg +=
        formatMessage("<line class=\"name-line\" data-city=\"%d\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>\n",
                      c, line.from.x, line.from.y, line.to.x, line.to.y);
  }
  svg += "</g>\n";
}

void writeCities(std::string& svg, const ScenarioMapLayout& layout, const Scenario& scenario) {
  svg += "<g class=\"cities\">\n";
  for (int c = 1; c <= kCityCount; ++c) {
    const CityLayout& city = layout.cities[static_cast<std::size_t>(c - 1)];
    const int x = pixel(city.centre.x), y = pixel(city.centre.y);
    const std::string_view colour = cityColour(scenario, c);
    const std::size_t serving = cityOfficers(scenario, c, CityList::Serving).size();
    svg += formatMessage(
        "<circle class=\"city\" data-city=\"%d\" data-owner=\"%d\" cx=\"%d\" cy=\"%d\" r=\"%d\" fill=\"%s\" "
        "stroke=\"#303030\" stroke-width=\"1.2\"/>\n",
        c, int{scenario.city(c).get(city::owner)}, x, y, kCityRadius, std::string(colour).c_str());
    svg += formatMessage(
        "<text class=\"count\" x=\"%d\" y=\"%d\" font-size=\"11\" text-anchor=\"middle\" fill=\"%s\">%zu</text>\n", x,
        y + 4, isDark(colour) ? "#ffffff" : "#000000", serving);
  }
  svg += "</g>\n";
  // The names, each on a white halo so that a road under it does not hide it.
  svg += formatMessage(
      "<g class=\"names\" font-size=\"%d\" stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\">\n",
      int{kCityNameSize});
  for (int c = 1; c <= kCityCount; ++c) {
    const LabelPlace& place = layout.cities[static_cast<std::size_t>(c - 1)].name;
    svg += formatMessage("<text class=\"name\" data-city=\"%d\" x=\"%.1f\" y=\"%.1f\">%s</text>\n", c, place.x, place.y,
                         xmlText(shownGbk(scenario.cityName(c).text(cityName::name))).c_str());
  }
  svg += "</g>\n";
}

void writeLegend(std::string& svg, const MapFrame& frame, const Scenario& scenario) {
  int y = kMapTitleHeight + kMapMargin;
  const int x = frame.legendX();
  svg += formatMessage("<g class=\"legend\"><text x=\"%d\" y=\"%d\" font-size=\"15\" font-weight=\"bold\">%s</text>\n",
                       x, y, xmlText("势力（序号 君主　城市　武将）").c_str());
  for (int f = 1; f <= kForceCount; ++f) {
    const std::vector<int> cities = forceCities(scenario, f);
    if (cities.empty()) continue;
    std::size_t officers = 0;
    for (const int c : cities) officers += cityOfficers(scenario, c, CityList::Serving).size();
    const int ruler = rulerOf(scenario, f);
    const std::string name =
        ruler ? shownGbk(scenario.officerProfile(ruler).text(profile::name)) : formatMessage("势力%d", f);
    y += kMapLegendLine;
    svg += formatMessage(
        "<g class=\"legend-force\" data-force=\"%d\"><rect x=\"%d\" y=\"%d\" width=\"16\" height=\"16\" fill=\"%s\" "
        "stroke=\"#303030\"/><text x=\"%d\" y=\"%d\" font-size=\"14\">%s</text></g>\n",
        f, x, y - 13, std::string(forceColour(f)).c_str(), x + 24, y,
        xmlText(formatMessage("%d %s　%zu城　%zu人", f, name.c_str(), cities.size(), officers)).c_str());
  }
  std::size_t unowned = 0;
  for (int c = 1; c <= kCityCount; ++c) unowned += isForceNumber(scenario.city(c).get(city::owner)) ? 0 : 1;
  if (unowned > 0) {
    y += kMapLegendLine;
    svg += formatMessage(
        "<g class=\"legend-unowned\"><rect x=\"%d\" y=\"%d\" width=\"16\" height=\"16\" fill=\"%s\" "
        "stroke=\"#303030\"/>"
        "<text x=\"%d\" y=\"%d\" font-size=\"14\">%s</text></g>\n",
        x, y - 13, std::string(kUnownedColour).c_str(), x + 24, y,
        xmlText(formatMessage("无主　%zu城", unowned)).c_str());
  }
  y += 2 * kMapLegendLine;
  svg += formatMessage("<text x=\"%d\" y=\"%d\" font-size=\"12\" fill=\"#505050\">%s</text>\n", x, y,
                       xmlText("圆中数字：在该城任职的武将人数").c_str());
  svg += "</g>\n";
}

void writePanel(std::string& svg, const MapFrame& frame, const ScenarioSet& set, std::size_t s, int top) {
  const Scenario& scenario = set.scenario(s);
  const std::string title = formatMessage("剧本 %zu：%u年%u月", s, unsigned{scenario.block.get(block::startYear)},
                                          unsigned{scenario.block.get(block::startMonth)});
  svg += formatMessage("<g class=\"scenario\" data-scenario=\"%zu\" transform=\"translate(0,%d)\">\n", s, top);
  svg += formatMessage("<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"#fbfaf5\" stroke=\"#d0d0d0\"/>\n",
                       frame.panelWidth(), frame.panelHeight());
  svg += formatMessage("<text class=\"title\" x=\"%d\" y=\"%d\" font-size=\"22\" font-weight=\"bold\">%s</text>\n",
                       kMapMargin, kMapMargin + 8, xmlText(title).c_str());
  const ScenarioMapLayout layout = layOutScenarioMap(set, frame, s);
  writeRoads(svg, layout);
  writePointers(svg, layout);
  writeNameLines(svg, layout);
  writeCities(svg, layout, scenario);
  writeLegend(svg, frame, scenario);
  svg += "</g>\n";
}

}  // namespace

std::string_view forceColour(int f) {
  return isForceNumber(f) ? kPalette[static_cast<std::size_t>(f - 1)] : kUnownedColour;
}

std::string scenarioMapSvg(const ScenarioSet& set, const std::vector<std::size_t>& scenarios) {
  const MapFrame frame = mapFrameOf(set);
  const int width = frame.panelWidth();
  const int height = frame.panelHeight() * static_cast<int>(scenarios.size());
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += formatMessage(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
      "font-family=\"%s\">\n",
      width, height, width, height, kFonts);
  svg += "<title>" + xmlText("Vorandel 剧本地图") + "</title>\n";
  for (std::size_t i = 0; i < scenarios.size(); ++i)
    writePanel(svg, frame, set, scenarios[i], frame.panelHeight() * static_cast<int>(i));
  svg += "</svg>\n";
  return svg;
}

}  // namespace vorandel
