#include "app/SetDiff.h"

#include <algorithm>
#include <span>

#include "tables/CityColumns.h"
#include "tables/ForceColumns.h"
#include "tables/OfficerAt.h"
#include "tables/OfficerColumns.h"
#include "tables/TableExportCells.h"

namespace vorandel {

namespace {

class SetComparison {
 public:
  SetComparison(const ScenarioSet& before, const ScenarioSet& after) : before_(before), after_(after) {}

  std::vector<FieldChange> run() {
    const std::size_t common = std::min(before_.scenarioCount(), after_.scenarioCount());
    for (std::size_t s = 0; s < common; ++s) {
      compareOfficers(s);
      compareForces(s);
      compareCities(s);
    }
    for (std::size_t s = common; s < std::max(before_.scenarioCount(), after_.scenarioCount()); ++s) {
      const bool added = s >= before_.scenarioCount();
      changes_.push_back({s, ChangedRecord::Scenario, static_cast<int>(s), kAbsent, kWholeRecord,
                          added ? kAbsent : kPresent, added ? kPresent : kAbsent});
    }
    return std::move(changes_);
  }

 private:
  static int idOf(const Scenario& scenario, int number) { return scenario.officerProfile(number).get(profile::id); }

  static std::string officerNameOf(const Scenario& scenario, int number) {
    return tableexport::informative(shownGbk(scenario.officerProfile(number).text(profile::name)));
  }

  // The city's governor by name, "-" for none.
  static std::string governorOf(const Scenario& scenario, int c) {
    const int governor = scenario.city(c).get(city::governor);
    return scenario.isOnMapNumber(governor) ? officerNameOf(scenario, governor) : std::string(tableexport::kNoCell);
  }

  // The scenario's officers as (id, number), by id.
  static std::vector<std::pair<int, int>> officersById(const Scenario& scenario) {
    std::vector<std::pair<int, int>> officers;
    for (int n = 1; scenario.isOfficerNumber(n); ++n) officers.emplace_back(idOf(scenario, n), n);
    std::sort(officers.begin(), officers.end());
    return officers;
  }

  void compareOfficers(std::size_t s) {
    const std::vector<std::pair<int, int>> old = officersById(before_.scenario(s));
    const std::vector<std::pair<int, int>> now = officersById(after_.scenario(s));
    auto o = old.begin();
    auto n = now.begin();
    while (o != old.end() || n != now.end()) {
      if (n == now.end() || (o != old.end() && o->first < n->first)) {
        wholeOfficer(s, before_.scenario(s), o->first, o->second, false);
        ++o;
      } else if (o == old.end() || n->first < o->first) {
        wholeOfficer(s, after_.scenario(s), n->first, n->second, true);
        ++n;
      } else {
        compareOfficer(s, o->second, n->second);
        ++o;
        ++n;
      }
    }
  }

  void wholeOfficer(std::size_t s, const Scenario& scenario, int id, int number, bool added) {
    changes_.push_back({s, ChangedRecord::Officer, id, officerNameOf(scenario, number), kWholeRecord,
                        added ? kAbsent : kPresent, added ? kPresent : kAbsent});
  }

  void compareOfficer(std::size_t s, int oldNumber, int newNumber) {
    const OfficerAt old{before_, s, oldNumber};
    const OfficerAt now{after_, s, newNumber};
    const std::string name = officerNameOf(after_.scenario(s), newNumber);
    const std::span<const OfficerColumnSpec> columns = officerColumns();
    for (std::size_t code = 0; code < columns.size(); ++code) {
      const OfficerColumnSpec& column = columns[code];
      // A shown column only repeats what other columns or other records hold; the force an officer
      // serves is listed all the same, as the rows that move officers change it.
      if ((column.info.form == CellForm::Shown && code != kForceColumn) || !column.write) continue;
      add(s, ChangedRecord::Officer, idOf(after_.scenario(s), newNumber), name, column.info.header, column.write(old),
          column.write(now));
    }
  }

  void compareForces(std::size_t s) {
    const std::span<const RecordColumn> columns = forceColumns();
    const Scenario& old = before_.scenario(s);
    const Scenario& now = after_.scenario(s);
    for (int f = 1; isForceNumber(f); ++f) {
      const std::string name = nameOfNumber(now, now.force(f).get(force::ruler));
      for (const RecordColumn& column : columns)
        if (column.write && column.info.form != CellForm::Shown)
          add(s, ChangedRecord::Force, f, name, column.info.header, column.write(old, f), column.write(now, f));
    }
  }

  void compareCities(std::size_t s) {
    const std::span<const RecordColumn> columns = cityColumns();
    const Scenario& old = before_.scenario(s);
    const Scenario& now = after_.scenario(s);
    for (int c = 1; isCityNumber(c); ++c) {
      const std::string name = tableexport::informative(shownGbk(now.cityName(c).text(cityName::name)));
      for (const RecordColumn& column : columns)
        if (column.write && column.info.form != CellForm::Shown)
          add(s, ChangedRecord::City, c, name, column.info.header, column.write(old, c), column.write(now, c));
      // The governor, under the officer table's column that appoints him.
      add(s, ChangedRecord::City, c, name, officerColumns()[kGovernorColumn].info.header, governorOf(old, c),
          governorOf(now, c));
    }
  }

  void add(std::size_t s, ChangedRecord record, int number, const std::string& name, const char* field,
           std::string before, std::string after) {
    if (before == after) return;
    changes_.push_back({s, record, number, name, field, std::move(before), std::move(after)});
  }

  const ScenarioSet& before_;
  const ScenarioSet& after_;
  std::vector<FieldChange> changes_;
};

}  // namespace

std::vector<FieldChange> compareSets(const ScenarioSet& before, const ScenarioSet& after) {
  return SetComparison(before, after).run();
}

bool isAddition(const FieldChange& change) { return change.field == kWholeRecord && change.before == kAbsent; }

const char* changedRecordName(ChangedRecord record) {
  switch (record) {
    case ChangedRecord::Scenario: return "剧本";
    case ChangedRecord::Officer: return "武将";
    case ChangedRecord::Force: return "势力";
    case ChangedRecord::City: return "城市";
  }
  return "";
}

std::string changeReport(const std::vector<FieldChange>& changes) {
  if (changes.empty()) return {};
  std::string report = "剧本\t种类\t编号\t名称\t列\t原值\t新值\n";
  for (const FieldChange& change : changes) {
    report += std::to_string(change.scenario) + '\t' + changedRecordName(change.record) + '\t' +
              std::to_string(change.number) + '\t' + change.name + '\t' + change.field + '\t' + change.before + '\t' +
              change.after + '\n';
  }
  return report;
}

}  // namespace vorandel
