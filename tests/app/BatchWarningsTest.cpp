#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/BatchRun.h"
#include "model/EditError.h"
#include "tables/TableMessages.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

struct GeographyCase {
  const char* what;
  unsigned options;
  std::vector<std::string> rows;  // scenario, city, name, switch, 小地图横坐标
  std::size_t undone;             // the cities whose edits the copy undid; 0: no warning
};

const GeographyCase kGeographyCases[] = {
    {"an edit of scenario 1 undone by the copy", 8, {"1\t5\tx\t1\t300"}, 1},
    {"two cities of scenario 1", 8, {"1\t5\tx\t1\t300", "1\t6\tx\t1\t301", "0\t7\tx\t1\t302"}, 2},
    {"the same value as scenario 0 is no loss", 8, {"1\t5\tx\t1\t0"}, 0},
    {"scenario 0's own edit is what the copy spreads", 8, {"0\t5\tx\t1\t300"}, 0},
    {"option 32 keeps scenario 1's edit", 8 + 32, {"1\t5\tx\t1\t300"}, 0},
    {"a row switched off", 8, {"1\t5\tx\t0\t300"}, 0},
};

TEST(BatchWarnings, EditsOfOtherScenariosUndoneByTheGeographyCopyAreTold) {
  for (const GeographyCase& c : kGeographyCases) {
    ScenarioSet set = testing::smallValidSet();
    for (Scenario& scenario : set.scenarios)
      for (int city = 1; city <= kCityCount; ++city) scenario.cityName(city).set(cityName::smallMapX, 0);
    std::string text = "剧本\tID\t名称\t设置\t小地图横坐标\r\n-\t-\t-\t" + std::to_string(c.options) + "\t1\r\n";
    for (const std::string& row : c.rows) text += row + "\r\n";
    const BatchNotes notes = runBatch(set, BatchKind::CityTable, TableText{text, "ruv5_city.txt"});
    std::vector<std::string> told;
    for (const std::string& line : notes.warnings)
      if (line.find("复制到了其他剧本") != std::string::npos) told.push_back(line);
    if (c.undone == 0) {
      EXPECT_TRUE(told.empty()) << c.what;
    } else {
      ASSERT_EQ(told.size(), 1u) << c.what;
      EXPECT_NE(told[0].find(formatMessage(kGeographyCopied, c.undone)), std::string::npos)
          << c.what << ": " << told[0];
    }
  }
}

}  // namespace
}  // namespace vorandel
