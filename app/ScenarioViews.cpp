#include "app/ScenarioViews.h"

#include <optional>
#include <vector>

#include "app/CityOfficers.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "rules/GameRules.h"
#include "tables/CityColumns.h"
#include "tables/CityTable.h"
#include "tables/ForceColumns.h"
#include "tables/ForceTable.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

// A number of at most a few digits, or -1 for any other word.
int numberIn(std::string_view word) {
  if (word.empty() || word.size() > 3 || word.find_first_not_of("0123456789") != std::string_view::npos) return -1;
  return std::stoi(std::string(word));
}

// Text padded with blanks to the given number of terminal columns: a Chinese character takes two
// columns (and two bytes in GBK), so the columns line up.
std::string padded(std::string_view text, std::size_t width) {
  std::string out(text);
  const std::size_t columns = gbkLength(text);
  if (columns < width) out.append(width - columns, ' ');
  return out + ' ';
}

std::string statusName(unsigned status) {
  const std::string_view name = nameOf(statusTable(), static_cast<int>(status));
  if (!name.empty()) return std::string(name);
  if (status == kInTraining) return "修行";
  return "死亡";
}

std::string officerName(const Scenario& scenario, int o) {
  return shownGbk(scenario.officerProfile(o).text(profile::name));
}

std::string cityNameOf(const Scenario& scenario, int c) { return shownGbk(scenario.cityName(c).text(cityName::name)); }

const char* kOfficerHeader = "姓名       ID   身份 武力 智力 政治 魅力\n";

std::string officerLine(const Scenario& scenario, int o) {
  const OfficerState& officer = scenario.officerState(o);
  return padded(officerName(scenario, o), 10) +
         formatMessage("%-4u %-4s %4u %4u %4u %4u\n", unsigned{scenario.officerProfile(o).get(profile::id)},
                       statusName(officer.get(state::status)).c_str(), unsigned{officer.get(state::war)},
                       unsigned{officer.get(state::intelligence)}, unsigned{officer.get(state::politics)},
                       unsigned{officer.get(state::charisma)});
}

std::string officerList(const Scenario& scenario, const char* title, const std::vector<int>& officers) {
  std::string text = formatMessage("\n%s（%zu人）\n", title, officers.size());
  if (officers.empty()) return text;
  text += kOfficerHeader;
  for (const int o : officers) text += officerLine(scenario, o);
  return text;
}

std::string forceLabel(const Scenario& scenario, int f) {
  const int ruler = rulerOf(scenario, f);
  return ruler ? formatMessage("%d（%s）", f, officerName(scenario, ruler).c_str()) : formatMessage("%d", f);
}

}  // namespace

int findCity(const ScenarioSet& set, std::size_t s, std::string_view word) {
  const Scenario& scenario = set.scenario(s);
  const int number = numberIn(word);
  if (isCityNumber(number)) return number;
  // Names are compared as the game holds them: exact GBK bytes.
  const std::optional<std::string> name = utf8ToGbk(word);
  for (int c = 1; c <= kCityCount && name; ++c)
    if (!word.empty() && scenario.cityName(c).text(cityName::name) == *name) return c;
  raiseEditError(formatMessage("剧本 %zu 中没有城市 %s（城市序号为1到47，或写城市名）", s, std::string(word).c_str()));
}

int findForce(const ScenarioSet& set, std::size_t s, std::string_view word) {
  const Scenario& scenario = set.scenario(s);
  const int number = numberIn(word);
  if (isForceNumber(number) && rulerOf(scenario, number)) return number;
  const std::optional<std::string> name = utf8ToGbk(word);
  for (int f = 1; f <= kForceCount && name; ++f) {
    const int ruler = rulerOf(scenario, f);
    if (ruler && !word.empty() && scenario.officerProfile(ruler).text(profile::name) == *name) return f;
  }
  raiseEditError(
      formatMessage("剧本 %zu 中没有势力 %s（势力序号为1到21，或写君主的名字）", s, std::string(word).c_str()));
}

std::string cityView(const ScenarioSet& set, std::size_t s, int c) {
  const Scenario& scenario = set.scenario(s);
  const ConstCityRecord record = scenario.city(c);
  const ConstCityNameRecord names = scenario.cityName(c);
  std::string text = formatMessage("剧本 %zu　城市 %d %s\n", s, c, cityNameOf(scenario, c).c_str());
  const int owner = record.get(city::owner);
  text += "所属势力：" + (isForceNumber(owner) ? forceLabel(scenario, owner) : std::string("无")) + "\n";
  const int governor = record.get(city::governor);
  text += "太守：" + (scenario.isOfficerNumber(governor) ? officerName(scenario, governor) : std::string("无")) + "\n";
  // The city table's own words for the values.
  const auto column = [](int code) { return cityColumns()[static_cast<std::size_t>(code)].info.header; };
  text +=
      formatMessage("%s %u　%s %u　%s %u/%u　%s %u/%u　%s %u\n", column(5), unsigned{record.get(city::population)},
                    column(1), unsigned{record.get(city::defence)}, column(3), unsigned{record.get(city::agriculture)},
                    unsigned{names.get(cityName::agricultureLimit)}, column(4), unsigned{record.get(city::commerce)},
                    unsigned{names.get(cityName::commerceLimit)}, column(2), unsigned{record.get(city::floodControl)});
  text += formatMessage("%s %u　%s %u　%s %u　%s %u\n", column(6), unsigned{record.get(city::loyalty)}, column(7),
                        unsigned{record.get(city::reserveTroops)}, column(8), unsigned{record.get(city::morale)},
                        column(9), unsigned{record.get(city::training)});
  text += formatMessage("%s %u　%s %u　%s %u　%s %u\n", column(13), names.get(cityName::market), column(14),
                        names.get(cityName::byWater), column(17), unsigned{names.get(cityName::smallMapX)}, column(18),
                        unsigned{names.get(cityName::smallMapY)});
  text += "相邻城：";
  for (std::size_t i = 0; i < kNeighbourSlots; ++i) {
    const int n = names.get(cityName::neighbours, i);
    if (isCityNumber(n)) text += formatMessage("%s%s(%d)", i ? "　" : "", cityNameOf(scenario, n).c_str(), n);
  }
  text += "\n";
  text += officerList(scenario, "任职武将", cityOfficers(scenario, c, CityList::Serving));
  const std::vector<int> training = cityOfficers(scenario, c, CityList::Training);
  if (!training.empty()) text += officerList(scenario, "修行武将", training);
  text += officerList(scenario, "在野武将", cityOfficers(scenario, c, CityList::Unaffiliated));
  text += officerList(scenario, "隐士", cityOfficers(scenario, c, CityList::Hermits));
  return text;
}

std::string forceView(const ScenarioSet& set, std::size_t s, int f) {
  const Scenario& scenario = set.scenario(s);
  const ConstForceRecord record = scenario.force(f);
  const int ruler = rulerOf(scenario, f);
  std::string text =
      formatMessage("剧本 %zu　势力 %d　君主 %s", s, f, ruler ? officerName(scenario, ruler).c_str() : "无");
  if (ruler) text += formatMessage("（ID %u）", unsigned{scenario.officerProfile(ruler).get(profile::id)});
  text += "\n";
  std::string weapons;
  for (std::size_t w = 0; w < kWeaponNames.size(); ++w)
    if (record.get(force::weapons) & (1u << w)) weapons += (weapons.empty() ? "" : "、") + std::string(kWeaponNames[w]);
  const auto column = [](int code) { return forceColumns()[static_cast<std::size_t>(code)].info.header; };
  text += formatMessage("%s %u　%s %d　%s %d　%s %s\n", column(0), unsigned{record.get(force::fame)}, column(1),
                        int{record.get(force::money)}, column(2), int{record.get(force::food)}, column(3),
                        weapons.empty() ? "无" : weapons.c_str());
  const std::vector<int> cities = forceCities(scenario, f);
  text += formatMessage("\n城市（%zu座）\n", cities.size());
  std::vector<std::pair<int, int>> officers;  // city, officer
  for (const int c : cities) {
    std::vector<int> serving = cityOfficers(scenario, c, CityList::Serving);
    const std::vector<int> training = cityOfficers(scenario, c, CityList::Training);
    serving.insert(serving.end(), training.begin(), training.end());
    const int governor = scenario.city(c).get(city::governor);
    text += padded(formatMessage("%d %s", c, cityNameOf(scenario, c).c_str()), 10) +
            formatMessage("太守 %s　武将 %zu人\n",
                          scenario.isOfficerNumber(governor) ? officerName(scenario, governor).c_str() : "无",
                          serving.size());
    for (const int o : serving) officers.emplace_back(c, o);
  }
  text += formatMessage("\n武将（%zu人）\n", officers.size());
  if (officers.empty()) return text;
  text += std::string("城市   ") + kOfficerHeader;
  for (const auto& [c, o] : officers) text += padded(cityNameOf(scenario, c), 6) + officerLine(scenario, o);
  return text;
}

}  // namespace vorandel
