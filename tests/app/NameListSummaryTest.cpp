#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/BatchChanges.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

struct SummaryCase {
  const char* list;
  const char* summary;
};

// The small set has two scenarios; officer 11 and every city are in both.
TEST(NameListSummary, TellsTheNamesChangedAndTheirScenarios) {
  const std::vector<SummaryCase> cases = {
      {"W 11 甲乙\nC 12 丙丁\n", "人名/地名表：修改了 2 个名字（在 2 个剧本中）。"},
      {"C 12 丙丁\nC 12 丙丁\n", "人名/地名表：修改了 1 个名字（在 2 个剧本中）。"},
      {"C 1 甲\nC 2 乙\nC 3 丙\n", "人名/地名表：修改了 3 个名字（在 2 个剧本中）。"},
      // Officer 10 governs city 11: the city's governor column changes with his name, and is no name.
      {"W 10 甲乙\nC 12 丙丁\n", "人名/地名表：修改了 2 个名字（在 2 个剧本中）。"},
      {"", "人名/地名表：没有修改任何数据。"},
  };
  for (const SummaryCase& c : cases) {
    ScenarioSet set = testing::smallValidSet();
    const BatchChanges changes = runBatchWithChanges(set, BatchKind::NameList, TableText{c.list, "n.txt"});
    EXPECT_EQ(changes.summary(BatchKind::NameList), c.summary) << c.list;
  }
  // Another kind of table still counts records.
  ScenarioSet set = testing::smallValidSet();
  const BatchChanges city = runBatchWithChanges(
      set, BatchKind::CityTable, TableText{"剧本 ID 名称 设置 民忠\n- - - 0 1\n0 1 x 1 77\n1 1 x 1 76\n", "c.txt"});
  EXPECT_EQ(city.summary(BatchKind::CityTable), "城市表：修改了 2 个城市（共 2 项）；改动最多的列：民忠 2。");
}

}  // namespace
}  // namespace vorandel
