#include "app/BatchSummary.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "app/AppMessages.h"
#include "model/EditError.h"

namespace vorandel {

namespace {

// How many records of each kind changed, told in the order officers, forces, cities, scenarios.
std::string changedRecords(const std::vector<FieldChange>& changes) {
  std::set<std::tuple<ChangedRecord, std::size_t, int>> records;
  for (const FieldChange& change : changes) records.emplace(change.record, change.scenario, change.number);
  const auto count = [&records](ChangedRecord kind) {
    return static_cast<long>(
        std::count_if(records.begin(), records.end(), [kind](const auto& r) { return std::get<0>(r) == kind; }));
  };
  std::string text;
  const auto tell = [&text](long n, const char* format) {
    if (n == 0) return;
    if (!text.empty()) text += "、";
    text += formatMessage(format, n);
  };
  tell(count(ChangedRecord::Officer), "%ld 名武将");
  tell(count(ChangedRecord::Force), "%ld 个势力");
  tell(count(ChangedRecord::City), "%ld 个城市");
  tell(count(ChangedRecord::Scenario), "%ld 个剧本");
  return text;
}

// The three columns changed most often, most first (ties in the order of first appearance).
std::string mostChangedFields(const std::vector<FieldChange>& changes) {
  std::vector<std::pair<std::string, std::size_t>> fields;
  for (const FieldChange& change : changes) {
    if (change.field == kWholeRecord) continue;
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return f.first == change.field; });
    if (it == fields.end())
      fields.emplace_back(change.field, 1);
    else
      ++it->second;
  }
  std::stable_sort(fields.begin(), fields.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  if (fields.size() > 3) fields.resize(3);
  std::string text;
  for (const auto& [field, n] : fields) text += (text.empty() ? "" : "、") + field + " " + std::to_string(n);
  return text;
}

}  // namespace

const char* batchKindName(BatchKind kind) {
  switch (kind) {
    case BatchKind::NameList: return "人名/地名表";
    case BatchKind::OfficerTable: return "武将表";
    case BatchKind::ForceTable: return "势力表";
    case BatchKind::CityTable: return "城市表";
  }
  return "";
}

std::string changeSummary(const std::vector<FieldChange>& changes, std::size_t skipped) {
  std::string text;
  if (changes.empty()) {
    text = "没有修改任何数据";
  } else {
    text = formatMessage("修改了 %s（共 %zu 项）", changedRecords(changes).c_str(), changes.size());
    const std::string fields = mostChangedFields(changes);
    if (!fields.empty()) text += "；改动最多的列：" + fields;
  }
  const auto added = static_cast<std::size_t>(std::count_if(changes.begin(), changes.end(), [](const FieldChange& c) {
    return c.record == ChangedRecord::Officer && isAddition(c);
  }));
  if (added != 0) text += formatMessage("；新增武将 %zu 名", added);
  if (skipped != 0) text += formatMessage("；跳过 %zu 行", skipped);
  return text + "。";
}

std::string changeSummary(BatchKind kind, const std::vector<FieldChange>& changes, std::size_t skipped) {
  if (kind != BatchKind::NameList || changes.empty()) return changeSummary(changes, skipped);
  std::set<std::pair<ChangedRecord, int>> names;
  std::set<std::size_t> scenarios;
  // Only the names themselves count: a renamed governor also changes his city's governor column.
  for (const FieldChange& change : changes) {
    if (change.field != kOfficerNameColumn && change.field != kCityNameColumn) continue;
    names.emplace(change.record, change.number);
    scenarios.insert(change.scenario);
  }
  return formatMessage(kNamesChanged, names.size(), scenarios.size()) + "。";
}

}  // namespace vorandel
