// The lines below a table's messages that tell the player what to change.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/EditError.h"
#include "tables/CityTable.h"
#include "tables/ImportWarnings.h"
#include "tables/NameList.h"
#include "tables/OfficerTable.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/tables/OfficerTableFixture.h"

namespace vorandel {

namespace {

// The lines below the error the import raises, or one line "(no error)".
std::vector<std::string> detailLines(const std::function<void()>& import) {
  try {
    import();
  } catch (const EditError& error) {
    std::vector<std::string> lines;
    const std::string joined = error.details().joined();
    std::size_t start = 0;
    while (start <= joined.size()) {
      const std::size_t end = std::min(joined.find('\n', start), joined.size());
      lines.push_back(joined.substr(start, end - start));
      start = end + 1;
    }
    return lines;
  }
  return {"(no error)"};
}

struct TooLongName {
  const char* what;
  std::function<void(ScenarioSet&)> import;
  std::vector<std::string> details;  // every line below the message
};

TEST(HelpLines, ATooLongNameTellsTheRoomOfItsFieldAndItsBytes) {
  const std::vector<TooLongName> cases = {
      {"name list, city",
       [](ScenarioSet& set) {
         importNameList(set, TableText{"C 7 北平府\n", "n.txt"});
       },
       {"表：n.txt", "第1项在文件第1行：「C 7 北平府」：最多2个汉字（4字节）：「北平府」有 6 个字节"}},
      {"name list, officer",
       [](ScenarioSet& set) {
         importNameList(set, TableText{"W 11 诸葛\nW 12 司马懿师x\n", "n.txt"});
       },
       {"表：n.txt", "第2项在文件第2行：「W 12 司马懿师x」：最多4个汉字（8字节）：「司马懿师x」有 9 个字节"}},
      {"city table",
       [](ScenarioSet& set) {
         importCityTable(set, TableText{"剧本 ID 名称 设置 新名称\n- - - 0 1\n0 7 x 1 北平a\n", "c.txt"});
       },
       {"表：c.txt", "第3行「新名称」列 (E3)：「北平a」", "最多2个汉字（4字节）：「北平a」有 5 个字节"}},
      {"officer table",
       [](ScenarioSet& set) {
         importOfficerTable(set,
                            TableText{"剧本 ID 姓名 设置 编号 新姓名\n- - - 1 - 1\n0 13 某 1 0 司马懿师x\n", "o.txt"});
       },
       {"表：o.txt", "第3行「新姓名」列 (F3)：「司马懿师x」", "最多4个汉字（8字节）：「司马懿师x」有 9 个字节"}},
  };
  for (const TooLongName& c : cases) {
    ScenarioSet set = testing::smallValidSet();
    EXPECT_EQ(detailLines([&] { c.import(set); }), c.details) << c.what;
  }
}

struct LocationCase {
  const char* what;
  const char* renames;  // a name list applied first
  std::vector<std::string> details;
};

TEST(HelpLines, ALocationGivenByACitysNewNameSaysSo) {
  const std::vector<LocationCase> cases = {
      {"renamed earlier",
       "C 11 东都\n",
       {"表：o.txt", "第3行「所在地」列 (F3)：「东都」",
        "「东都」是城市 11 的新名字；所在地要写城市原来的名字「洛阳」"}},
      {"renamed, the other name",
       "C 11 东都\nC 42 东京\n",
       {"表：o.txt", "第3行「所在地」列 (F3)：「东都」",
        "「东都」是城市 11 的新名字；所在地要写城市原来的名字「洛阳」"}},
      {"never a city's name",
       "C 12 西都\n",
       {"表：o.txt", "第3行「所在地」列 (F3)：「东都」", "没有「东都」，是不是「成都」？"}},
  };
  for (const LocationCase& c : cases) {
    ScenarioSet set = testing::smallValidSet();
    importNameList(set, TableText{c.renames, "n.txt"});
    const std::vector<std::string> lines = detailLines([&] {
      importOfficerTable(set, TableText{"剧本 ID 姓名 设置 编号 所在地\n- - - 1 - 1\n0 13 某 1 0 东都\n", "o.txt"});
    });
    EXPECT_EQ(lines, c.details) << c.what;
  }
}

struct WarningCase {
  const char* what;
  std::function<void(ScenarioSet&, ImportWarnings&)> import;
  std::vector<std::string> told;
};

void cityRows(ScenarioSet& set, ImportWarnings& warnings, const std::string& rows) {
  importCityTable(set, TableText{"剧本 ID 名称 设置 农业 农业上限 商业上限 商业\n- - - 0 1 1 1 1\n" + rows, "c.txt"},
                  TableReport{&warnings, nullptr});
}

void extraSkills(ScenarioSet& set, ImportWarnings& warnings, const std::string& rows) {
  testing::giveDistinctSkills(set);
  importOfficerTable(set, TableText{"剧本 ID 姓名 设置 编号 附加技能\n- - - 1 - 1\n" + rows, "o.txt"},
                     TableReport{&warnings, nullptr});
}

TEST(HelpLines, SilentChangesAreTold) {
  const std::vector<WarningCase> cases = {
      {"values within their limits",
       [](ScenarioSet& set, ImportWarnings& w) { cityRows(set, w, "0 9 x 1 500 500 400 400\n"); },
       {}},
      {"agriculture and commerce lowered",
       [](ScenarioSet& set, ImportWarnings& w) {
         cityRows(set, w, "0 8 x 1 100 500 400 300\n0 9 x 1 900 500 400 800\n1 3 x 1 501 500 999 999\n");
       },
       {"注意：3 处农业或商业高于上限，已降到上限；第一处：剧本 0 城市 9 的农业 900 降到 500"}},
      {"commerce alone",
       [](ScenarioSet& set, ImportWarnings& w) { cityRows(set, w, "1 4 x 1 0 0 10 11\n"); },
       {"注意：1 处农业或商业高于上限，已降到上限；第一处：剧本 1 城市 4 的商业 11 降到 10"}},
      {"extra skills within 32 bits",
       [](ScenarioSet& set, ImportWarnings& w) { extraSkills(set, w, "0 13 某 1 0 FFFFFFFF\n0 12 某 1 0 -0\n"); },
       {}},
      {"extra skills -1",
       [](ScenarioSet& set, ImportWarnings& w) { extraSkills(set, w, "0 13 某 1 0 -1\n0 12 某 1 0 -1\n"); },
       {"注意：附加技能「-1」不在 0–FFFFFFFF 之内，读作 FFFFFFFF：全部 32 个技能（第3、4行，共 2 行）"}},
      {"extra skills -2 and 33 bits",
       [](ScenarioSet& set, ImportWarnings& w) {
         extraSkills(set, w, "0 13 某 1 0 -FFFFFFFE\n0 12 某 1 0 100000000\n");
       },
       {"注意：附加技能「-FFFFFFFE」不在 0–FFFFFFFF 之内，读作 2：混乱（第3行，共 1 行）",
        "注意：附加技能「100000000」不在 0–FFFFFFFF 之内，读作 FFFFFFFF：全部 32 个技能（第4行，共 1 行）"}},
  };
  for (const WarningCase& c : cases) {
    ScenarioSet set = testing::smallValidSet();
    ImportWarnings warnings;
    c.import(set, warnings);
    EXPECT_EQ(warnings.lines(), c.told) << c.what;
  }
}

}  // namespace

}  // namespace vorandel
