#include "rules/Validator.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/EditError.h"
#include "model/GbkText.h"
#include "model/Messages.h"
#include "rules/GameRules.h"
#include "rules/NeighbourLinks.h"
#include "rules/RuleMessages.h"

namespace vorandel {

namespace {

constexpr const char* kStructureMessage = "--ERROR!--\n";

class ScenarioValidator {
 public:
  explicit ScenarioValidator(const Scenario& scenario)
      : scenario_(scenario),
        onMapHeld_(std::min<std::size_t>(
            {scenario.onMapCount, scenario.officerCount, scenario.states.size(), scenario.profiles.size()})),
        officerReached_(std::make_unique<bool[]>(scenario.onMapCount)) {}

  void run() {
    try {
      checkCounts();
      checkWaitingOfficers();
      for (int f = 1; f <= kForceCount; ++f) checkForce(f);
      focus(0, 0, 0);
      checkUnownedCities();
      focus(0, 0, 0);
      checkOnMapOfficers();
      focus(0, 0, 0);
      checkIds();
      focus(0, 0, 0);
      checkNeighbours();
    } catch (EditError& error) {
      if (const std::string subject = subjectText(); !subject.empty()) error.addDetail(subject);
      if (!note_.empty()) error.addDetail(note_);
      if (officer_ != 0) error.aboutOfficer(officer_);
      throw;
    }
  }

 private:
  // What the checks are looking at, for the detail of a failure: 0 for none.
  void focus(int f, int c, int o) {
    force_ = f;
    city_ = c;
    officer_ = o;
  }

  std::string officerName(int o) const {
    return shownGbk(scenario_.profiles[static_cast<std::size_t>(o - 1)].text(profile::name));
  }

  std::string nameOfCity(int c) const { return shownGbk(scenario_.cityName(c).text(cityName::name)); }

  std::string officerText(int o) const {
    if (o >= 1 && static_cast<std::uint32_t>(o) <= scenario_.profiles.size()) {
      const OfficerProfile& profile = scenario_.profiles[static_cast<std::size_t>(o - 1)];
      return formatMessage("武将 %d（ID %u，%s）", o, unsigned{profile.get(profile::id)}, officerName(o).c_str());
    }
    return formatMessage("武将 %d", o);
  }

  std::string subjectText() const {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "，") + part; };
    if (force_ != 0) {
      const int ruler = scenario_.force(force_).get(force::ruler);
      add(formatMessage("势力 %d", force_) +
          (scenario_.isOnMapNumber(ruler) ? "（君主 " + officerName(ruler) + "）" : ""));
    }
    if (city_ != 0) {
      add(isCityNumber(city_) ? formatMessage("城市 %d（%s）", city_, nameOfCity(city_).c_str())
                              : formatMessage("城市 %d", city_));
    }
    if (officer_ != 0) add(officerText(officer_));
    return text.empty() ? text : "出错的是：" + text;
  }

  // Scenario::isOnMapNumber, its limits taken once for the scenario: the lists reach every officer.
  bool isOnMap(int o) const { return o >= 1 && static_cast<std::size_t>(o) <= onMapHeld_; }
  // The state of an officer that isOnMap accepts.
  const OfficerState& onMapState(int o) const { return scenario_.states[static_cast<std::size_t>(o - 1)]; }

  void checkCounts() {
    const Scenario& s = scenario_;
    require(s.onMapCount <= kMaxOnMap, "剧本已上场武将人数过多");
    require(s.waitingCount <= kMaxWaiting, kTooManyWaiting);
    require(s.onMapCount + s.waitingCount == s.officerCount, kOfficerTotalWrong);
    require(s.block.get(block::storedOnMapCount) == s.onMapCount, kOfficersBroken);
    require(s.block.get(block::storedWaitingCount) == s.waitingCount, kOfficersBroken);
    require(s.states.size() == s.officerCount, kOfficersBroken);
    require(s.profiles.size() == s.officerCount, kOfficersBroken);
  }

  // The loops over every officer check first and name their subject only for a failure, which the checks
  // then raise in their order: stores to the subject on every pass would make the compiler read the
  // scenario again.
  void checkWaitingOfficers() {
    for (std::uint32_t k = scenario_.onMapCount; k < scenario_.officerCount; ++k) {
      const OfficerState& officer = scenario_.states[k];
      const bool waits = officer.get(state::status) == kWaiting && officer.get(state::force) == -1 &&
                         officer.get(state::prevOfficer) == 0 && officer.get(state::nextOfficer) == -1 &&
                         isCityNumber(officer.get(state::location));
      if (!waits) [[unlikely]] {
        focus(0, 0, static_cast<int>(k) + 1);
        require(officer.get(state::status) == kWaiting, "待命武将身份错误");
        require(officer.get(state::force) == -1, "待命武将所属势力错误");
        require(officer.get(state::prevOfficer) == 0 && officer.get(state::nextOfficer) == -1,
                "待命武将：数据结构错误");
        require(isCityNumber(officer.get(state::location)), "待命武将所在地错误");
      }
    }
  }

  void checkForce(int f) {
    focus(f, 0, 0);
    const ConstForceRecord force = scenario_.force(f);
    const int ruler = force.get(force::ruler);
    if (ruler == -1) {
      require(force.get(force::firstCity) == -1, kStructureMessage);
      return;
    }
    require(isOnMap(ruler), kOfficerNumberWrong);
    focus(f, 0, ruler);
    const OfficerState& rulerState = onMapState(ruler);
    require(rulerState.get(state::status) == kRuler, "君主状态错误");
    require(rulerState.get(state::isGovernor) == 1, "君主必须是太守");
    const int home = rulerState.get(state::location);
    require(isCityNumber(home), kLocationNumberWrong);
    require(scenario_.city(home).get(city::owner) == f, kCityOwnerWrong);
    require(scenario_.city(home).get(city::governor) == ruler, "城市太守错误");

    bool head = true;
    for (int c = force.get(force::firstCity); c != -1; head = false) {
      focus(f, c, 0);
      require(isCityNumber(c), "势力的城市链中有无效的城市编号");
      require(!cityReached_[c], kCityListBroken);
      cityReached_[c] = true;
      const ConstCityRecord cityRecord = scenario_.city(c);
      require(cityRecord.get(city::owner) == f, kCityOwnerWrong);
      if (head) require(cityRecord.get(city::prevCity) == 0, kCityListBroken);
      checkServingList(c, f, ruler);
      focus(f, c, 0);
      require(cityRecord.get(city::trainingHead) == -1, kOfficerInTraining);
      checkFreeLists(c);
      c = cityRecord.get(city::nextCity);
    }
  }

  void checkServingList(int c, int f, int ruler) {
    bool head = true;
    for (int o = scenario_.city(c).get(city::governor); o != -1; head = false) {
      focus(f, c, o);
      require(isOnMap(o), "城市的武将链中有无效的武将编号");
      reach(o, kOfficerNumberWrong);
      const OfficerState& officer = onMapState(o);
      const unsigned s = officer.get(state::status);
      if (head) {
        if (s == kRuler)
          require(o == ruler, "武将应该是君主");
        else
          require(s == kStrategist || s == kOrdinary, kOfficerStatusWrong);
        require(officer.get(state::isGovernor) == 1, "武将应该标记为太守");
        require(officer.get(state::prevOfficer) == 0, "应该是第一个武将");
      } else {
        require(s == kStrategist || s == kOrdinary, kOfficerStatusWrong);
        // Formatted only when it fails.
        if (officer.get(state::isGovernor) != 0) requireFormatted(false, "武将%02d不该标记为太守", o);
      }
      require(officer.get(state::force) == f, "武将所属势力错误");
      require(officer.get(state::location) == c, "武将所在地错误");
      o = officer.get(state::nextOfficer);
    }
  }

  // The unaffiliated list, then the hermit list, of city c.
  void checkFreeLists(int c) {
    const ConstCityRecord cityRecord = scenario_.city(c);
    checkFreeList(c, cityRecord.get(city::unaffiliatedHead), kUnaffiliated);
    checkFreeList(c, cityRecord.get(city::hermitHead), kHermit);
  }

  void checkFreeList(int c, int head, unsigned listStatus) {
    bool first = true;
    for (int o = head; o != -1; first = false) {
      focus(force_, c, o);
      require(isOnMap(o), kStructureMessage);
      reach(o, "隐士/在野武将：数据结构错误");
      const OfficerState& officer = onMapState(o);
      require(officer.get(state::location) == c, kStructureMessage);
      require(officer.get(state::status) == listStatus, kStructureMessage);
      require(officer.get(state::force) == -1, kStructureMessage);
      require(officer.get(state::isGovernor) == 0, kStructureMessage);
      if (first) require(officer.get(state::prevOfficer) == 0, kStructureMessage);
      o = officer.get(state::nextOfficer);
    }
  }

  // Marks an on-map officer as standing in a list; a second list that reaches him is an error.
  void reach(int o, const char* message) {
    require(!officerReached_[o - 1], message);
    officerReached_[o - 1] = true;
  }

  void checkUnownedCities() {
    for (int c = 1; c <= kCityCount; ++c) {
      if (cityReached_[c]) continue;
      focus(0, c, 0);
      const ConstCityRecord cityRecord = scenario_.city(c);
      require(cityRecord.get(city::prevCity) == -1, kEmptyCityListBroken);
      require(cityRecord.get(city::nextCity) == -1, kEmptyCityListBroken);
      require(cityRecord.get(city::owner) == -1 && cityRecord.get(city::governor) == -1, "对空城设置了所属势力和太守");
      require(cityRecord.get(city::trainingHead) == -1, kOfficerInTraining);
      checkFreeLists(c);
    }
  }

  void checkOnMapOfficers() {
    std::array<bool, 4> allegianceSeen{};
    for (std::uint32_t k = 0; k < scenario_.onMapCount; ++k) {
      const unsigned allegiance = scenario_.states[k].get(state::allegiance);
      if (!officerReached_[k] || (allegiance != 0 && allegianceSeen[allegiance])) [[unlikely]] {
        focus(0, 0, static_cast<int>(k) + 1);
        require(officerReached_[k], "存在无效的武将");
        require(!allegianceSeen[allegiance], "归属值重复");
      }
      if (allegiance != 0) allegianceSeen[allegiance] = true;
    }
  }

  void checkIds() {
    std::array<bool, kIdLimit> seen{};
    for (std::uint32_t k = 0; k < scenario_.officerCount; ++k) {
      const unsigned id = scenario_.profiles[k].get(profile::id);
      if (id >= kIdLimit || seen[id]) [[unlikely]] {
        focus(0, 0, static_cast<int>(k) + 1);
        require(id < kIdLimit, "武将ID超出范围（必须小于3000）");
        require(!seen[id], "id重复");
      }
      seen[id] = true;
    }
  }

  void checkNeighbours() {
    // isNeighbour[m][v]: v is listed as a neighbour of m.
    std::array<std::bitset<kCityCount + 1>, kCityCount + 1> isNeighbour{};
    std::array<std::bitset<kCityCount + 1>, kCityCount + 1> listedBy{};  // listedBy[v][m] == isNeighbour[m][v]
    for (int m = 1; m <= kCityCount; ++m) {
      focus(0, m, 0);
      const ConstCityNameRecord names = scenario_.cityName(m);
      int slot = 0;
      for (; slot < kNeighbourSlots; ++slot) {
        const int v = names.get(cityName::neighbours, slot);
        if (v == -1) break;
        require(isCityNumber(v) && v != m, kNeighbourNumberWrong);
        require(!isNeighbour[m][v], kNeighbourNumberWrong);
        isNeighbour[m][v] = true;
        listedBy[v][m] = true;
      }
      require(slot > 0, "存在孤城");
      for (; slot < kNeighbourSlots; ++slot)
        require(names.get(cityName::neighbours, slot) == -1, kNeighbourNumberWrong);
    }
    // The relation is symmetric when every listed pair is listed the other way round too; the pair to
    // name is looked for only when the marks show that there is one.
    if (isNeighbour == listedBy) return;
    if (const std::optional<OneSidedLink> link = firstOneSidedLink(scenario_)) {
      focus(0, link->city.value(), 0);
      const std::string city = nameOfCity(link->city.value());
      const std::string neighbour = nameOfCity(link->neighbour.value());
      note_ = formatMessage(kOneSidedNeighbour, city.c_str(), link->city.value(), neighbour.c_str(),
                            link->neighbour.value(), neighbour.c_str(), city.c_str());
      raiseEditError(kNeighbourNumberWrong);
    }
  }

  const Scenario& scenario_;
  std::size_t onMapHeld_;  // officers on the map that both officer vectors hold
  std::array<bool, kCityCount + 1> cityReached_{};
  // Per on-map officer: stands in a list already. Bools, not bytes: to the compiler a store to a byte may
  // change any object, after which it reads everything again.
  std::unique_ptr<bool[]> officerReached_;
  int force_ = 0;
  int city_ = 0;
  int officer_ = 0;
  std::string note_;  // what the failure found, below its subject
};

}  // namespace

void validateScenarios(const ScenarioSet& set, std::size_t first, std::size_t last) {
  const std::size_t end = std::min(last, set.scenarioCount());
  for (std::size_t s = first; s < end; ++s) {
    try {
      ScenarioValidator(set.scenarios[s]).run();
    } catch (const EditError& error) {
      EditError inScenario = error.inScenario(s);
      // The scenario by its number, as tables and messages count, and its start year; then the subject.
      Message where(formatMessage("剧本 %zu（%u年开始）", s, unsigned{set.scenarios[s].block.get(block::startYear)}));
      if (!error.details().empty()) where.text("\n").append(error.details());
      EditError located(inScenario.text(), inScenario.context());
      located.addDetail(where);
      if (error.officer()) located.aboutOfficer(*error.officer());
      throw located;
    }
  }
}

}  // namespace vorandel
