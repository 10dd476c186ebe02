#include "app/BatchRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

// A city table of the 相邻城ID column with the options given and the rows (scenario, city, neighbours).
std::string neighbourTable(unsigned options, const std::vector<std::string>& rows) {
  std::string text = "剧本\tID\t名称\t设置\t相邻城ID\r\n-\t-\t-\t" + std::to_string(options) + "\t1\r\n";
  for (const std::string& row : rows) text += row + "\r\n";
  return text;
}

// The whole refusal: its text and the lines below it; empty when the batch is taken.
std::string refusalOf(ScenarioSet& set, BatchKind kind, const std::string& text) {
  try {
    runBatch(set, kind, TableText{text, "ruv5_city.txt"});
  } catch (const EditError& error) {
    return error.text() + "\n" + error.details().joined();
  }
  return "";
}

struct LinkCase {
  const char* what;
  unsigned options;
  std::vector<std::string> rows;
  std::string refusal;
};

// The set's map is a ring: city c lists c-1 and c+1, and is named "C" and its number.
const LinkCase kLinkCases[] = {
    {"an added link",
     16,
     {"0\t5\tx\t1\t4,6,9"},
     "剧本 0存在错误\n相邻城编号错误\n剧本 0（190年开始）\n出错的是：城市 5（C5）\n"
     "C5（城市 5）的相邻城中有 C9（城市 9），C9 的相邻城中却没有 C5\n"
     "这是表的第3行（剧本 0，城市 5 C5）改出的相邻城"},
    {"a dropped link: the city that still lists it is named, the row is the other city's",
     16,
     {"0\t9\tx\t1\t8,10", "0\t5\tx\t1\t4"},
     "剧本 0存在错误\n相邻城编号错误\n剧本 0（190年开始）\n出错的是：城市 6（C6）\n"
     "C6（城市 6）的相邻城中有 C5（城市 5），C5 的相邻城中却没有 C6\n"
     "这是表的第4行（剧本 0，城市 5 C5）改出的相邻城"},
    {"the last row of the city counts",
     16,
     {"0\t5\tx\t1\t4,6,9", "0\t5\tx\t1\t4,6,8"},
     "剧本 0存在错误\n相邻城编号错误\n剧本 0（190年开始）\n出错的是：城市 5（C5）\n"
     "C5（城市 5）的相邻城中有 C8（城市 8），C8 的相邻城中却没有 C5\n"
     "这是表的第4行（剧本 0，城市 5 C5）改出的相邻城"},
    {"a later scenario kept apart (option 32)",
     16 + 32,
     {"1\t5\tx\t1\t4,6,9"},
     "剧本 1存在错误\n相邻城编号错误\n剧本 1（200年开始）\n出错的是：城市 5（C5）\n"
     "C5（城市 5）的相邻城中有 C9（城市 9），C9 的相邻城中却没有 C5\n"
     "这是表的第3行（剧本 1，城市 5 C5）改出的相邻城"},
    {"a later scenario's link overwritten by scenario 0's map", 16, {"1\t5\tx\t1\t4,6,9"}, ""},
    {"a mutual change is taken", 16, {"0\t5\tx\t1\t4,6,9", "0\t9\tx\t1\t8,10,5"}, ""},
    {"a row switched off changes nothing", 16, {"0\t5\tx\t0\t4,6,9"}, ""},
};

TEST(BatchValidation, ACityTableWithAOneSidedLinkIsRefusedWithItsRow) {
  for (const LinkCase& c : kLinkCases) {
    ScenarioSet set = testing::smallValidSet();
    const ScenarioSet before = set;
    EXPECT_EQ(refusalOf(set, BatchKind::CityTable, neighbourTable(c.options, c.rows)), c.refusal) << c.what;
    if (!c.refusal.empty()) {
      EXPECT_TRUE(set == before) << c.what << ": the current set must stay as it was";
    }
  }
}

struct WaitingCase {
  const char* what;
  std::vector<std::string> lines;
  std::string refusal;
};

const WaitingCase kWaitingCases[] = {
    {"a new waiting officer without the column that places him",
     {"剧本 ID 姓名 设置 编号 身份", "- - - 1 - 1", "0 42 某 1 0 一般", "0 600 新人 3 0 待命"},
     "剧本 0存在错误\n待命武将所在地错误\n剧本 0（190年开始）\n出错的是：武将 14（ID 600，新武将）\n这是表的第4行（剧本 0，ID 600）的武将\n" +
         std::string(kWaitingOfficerNeedsPlaceColumn)},
};

TEST(BatchValidation, AWaitingOfficerWithoutAPlaceNamesTheRowAndTheColumn) {
  for (const WaitingCase& c : kWaitingCases) {
    ScenarioSet set = testing::smallValidSet();
    // Real officers can learn six different skills.
    for (Scenario& scenario : set.scenarios)
      for (OfficerProfile& profile : scenario.profiles)
        for (std::size_t slot = 0; slot < 6; ++slot)
          profile.set(profile::learnableSkills, slot, static_cast<std::uint8_t>(slot));
    std::string text;
    for (const std::string& line : c.lines) text += line + "\r\n";
    EXPECT_EQ(refusalOf(set, BatchKind::OfficerTable, text), c.refusal) << c.what;
  }
}

}  // namespace
}  // namespace vorandel
