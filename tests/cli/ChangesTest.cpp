// What the command line tells of changes: the line after each batch table, the --report list, diff of
// two pairs, and the list command's vocabularies and columns.
#include <gtest/gtest.h>

#include <sstream>

#include "app/SetDiff.h"
#include "cli/Cli.h"
#include "model/Loader.h"
#include "tables/BatchTable.h"
#include "tables/CityColumns.h"
#include "tables/ForceColumns.h"
#include "tables/OfficerColumns.h"
#include "tables/TableExport.h"
#include "tables/Vocabulary.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

class Changes : public ::testing::Test, protected testing::CliRun {
 protected:
  int run(std::vector<std::string> args, const std::string& input = "") {
    return runWith(*data, std::move(args), input);
  }
  std::string table(const std::string& name, const std::string& text) {
    const std::string path = folder.file(name);
    writeFile(path, testing::gbkBytes(text));
    return path;
  }
  void writePair(const std::string& dir, const ScenarioSet& set) {
    testing::writePair(dir, testing::writeToBytes(set));
  }

  ScenarioSet pristineSet = testing::smallValidSet();
  testing::FileBytes pristine = testing::writeToBytes(pristineSet);
  BuiltInData builtIn{pristine.sndata, pristine.taiki};
  const BuiltInData* data = &builtIn;
  TempFolder folder;
};

// A table given with the option of another kind: the line below the error names its kind and option.
TEST_F(Changes, ATableOfAnotherKindIsToldWithTheOptionThatTakesIt) {
  const std::string officer = table("o.txt", "剧本 ID 姓名 设置 编号 武力\n- - - 1 - 1\n0 12 某 1 0 50\n");
  const std::string lord = table("l.txt", "剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t5\n");
  const std::string city = table("c.txt", "剧本 ID 名称 设置 民忠\n- - - 0 1\n0 1 x 1 77\n");
  const std::string names = table("n.txt", "\nW 11 甲乙\n");
  const struct {
    std::string option;
    std::string path;
    std::string told;  // "" when nothing is told
  } cases[] = {
      {"--city", officer, "从第一行看，这是一张武将表：请用选项 --officer 读入它"},
      {"--officer", city, "从第一行看，这是一张城市表：请用选项 --city 读入它"},
      {"--name", lord, "从第一行看，这是一张势力表：请用选项 --lord 读入它"},
      {"--lord", names, "从第一行看，这是一张人名/地名表：请用选项 --name 读入它"},
      {"--officer", table("x.txt", "剧本 ID 姓名 设置\n"), ""},  // no kind at all
  };
  for (const auto& c : cases) {
    ASSERT_EQ(run({"check", c.option, c.path}), kExitRefused) << c.option << ": " << err.str();
    const std::string said = "\n" + err.str();
    if (c.told.empty())
      EXPECT_EQ(said.find("从第一行看"), std::string::npos) << said;
    else
      EXPECT_NE(said.find("\n" + c.told + "\n"), std::string::npos) << c.option << ": " << said;
  }
}

TEST_F(Changes, EachTableKindSaysWhatItChanged) {
  const std::string lord = table("lord.txt",
                                 "剧本\t编号\t设置\t金钱\t粮食\n0\t0\t0\t1\t1\n1\t2\t1\t12345\t777\n"
                                 "0\t1\t0\t5\t5\n0\t1\t1\t9\t9\n");
  ASSERT_EQ(run({"check", "--lord", lord}), kExitDone) << err.str();
  EXPECT_EQ(err.str(), "势力表 " + lord +
                           "：修改了 2 个势力（共 4 项）；改动最多的列：金钱 2、粮食 2；跳过 1 行。\n"
                           "检查完毕，全部剧本的数据正确。\n");

  const std::string city = table("city.txt", "剧本 ID 名称 设置 民忠\n- - - 0 1\n0 1 x 1 77\n1 2 x 0 7\n");
  ASSERT_EQ(run({"check", "--city", city}), kExitDone) << err.str();
  EXPECT_TRUE(
      err.str().starts_with("城市表 " + city + "：修改了 1 个城市（共 1 项）；改动最多的列：民忠 1；跳过 1 行。\n"))
      << err.str();

  const std::string names = table("name.txt", "W 11 甲乙\nC 12 丙丁\n");
  ASSERT_EQ(run({"check", "--name", names}), kExitDone) << err.str();
  EXPECT_TRUE(err.str().starts_with("人名/地名表 " + names + "：修改了 2 个名字（在 2 个剧本中）。\n"))
      << "both scenarios: " << err.str();

  const std::string officer = table("officer.txt",
                                    "剧本 ID 姓名 设置 编号 所在地 武力\n- - - 1 - 0 1\n"
                                    "0 600 新人 3 0 洛阳 50\n0 12 某 0 0 洛阳 1\n");
  ASSERT_EQ(run({"check", "--officer", officer}), kExitDone) << err.str();
  EXPECT_NE(err.str().find("武将表 " + officer + "：修改了 "), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("；新增武将 1 名；跳过 1 行。\n"), std::string::npos) << err.str();

  // A table whose every row is switched off changed nothing, and says so.
  const std::string idle = table("idle.txt", "剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t0\t12345\n");
  ASSERT_EQ(run({"check", "--lord", idle}), kExitDone);
  EXPECT_TRUE(err.str().starts_with("势力表 " + idle + "：没有修改任何数据；跳过 1 行。\n")) << err.str();
}

TEST_F(Changes, TheReportListsTheNewOfficerAndEveryChangedCell) {
  const std::string officer = table("officer.txt",
                                    "剧本 ID 姓名 设置 编号 所在地 武力\n- - - 1 - 0 1\n"
                                    "0 600 新人 3 0 洛阳 50\n1 600 新人 3 0 洛阳 60\n");
  const std::string report = folder.file("report.txt");
  ASSERT_EQ(run({"check", "--officer", officer, "--report", report}), kExitDone) << err.str();
  const std::string text = testing::gbkFileText(readFile(report));
  EXPECT_TRUE(text.starts_with("剧本\t种类\t编号\t名称\t列\t原值\t新值\n")) << text;
  // The new officers take their name from the template; the key cell 姓名 only names the row.
  EXPECT_NE(text.find("\n0\t武将\t600\t新武将\t整条记录\t-\t存在\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n1\t武将\t600\t新武将\t整条记录\t-\t存在\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("武力"), std::string::npos) << "an added officer is one line: " << text;
  EXPECT_NE(err.str().find("已把修改清单（"), std::string::npos) << err.str();
}

// The built-in data's officer table with cells edited: the report holds those cells and nothing else,
// and the unedited table gives an empty report.
TEST_F(Changes, ReportOfAnEditedOfficerTableOnTheBuiltInData) {
  ScenarioSet set;
  loadScenarioSet(set, builtInData().sndata, builtInData().taiki);
  data = &builtInData();
  const std::string exported = exportOfficerTable(set, {}).text;
  const std::string unedited = table("unedited.txt", exported);
  const std::string empty = folder.file("empty.txt");
  ASSERT_EQ(run({"check", "--officer", unedited, "--report", empty}), kExitDone) << err.str();
  EXPECT_EQ(readFile(empty), "");
  EXPECT_NE(err.str().find("没有修改任何数据"), std::string::npos) << err.str();

  // 武力 (value column 13) of the first two data rows, 魅力 (16) of the third.
  std::vector<std::string> lines;
  for (std::string_view line : tableLines(exported)) lines.emplace_back(line);
  struct Edit {
    std::size_t line;
    std::size_t column;
    const char* header;
  };
  const Edit edits[] = {{2, 13, "武力"}, {3, 13, "武力"}, {4, 16, "魅力"}};
  std::string expected = "剧本\t种类\t编号\t名称\t列\t原值\t新值\n";
  for (const Edit& edit : edits) {
    const auto parts = splitCells(lines.at(edit.line));
    std::vector<std::string> cells(parts.begin(), parts.end());
    std::string& cell = cells.at(kKeyCells + edit.column);
    const std::string old = cell;
    cell = old == "1" ? "2" : "1";
    expected +=
        cells[0] + "\t武将\t" + cells[1] + '\t' + cells[2] + '\t' + edit.header + '\t' + old + '\t' + cell + '\n';
    lines[edit.line] = joinCells(cells, "\t");
  }
  const std::string edited = table("edited.txt", joinCells(lines, "\r\n") + "\r\n");
  terminal = true;
  ASSERT_EQ(run({"generate", "--officer", edited, "--out", folder.file("out"), "--report", "-"}), kExitDone)
      << err.str();
  EXPECT_EQ(fileOnOut(), expected) << "a report on standard output is in the terminal's encoding, as diff's";
  EXPECT_NE(err.str().find("已把修改清单（3 项）写到标准输出。"), std::string::npos) << err.str();

  // diff says the same of the written pair, and nothing of a pair against itself.
  ASSERT_EQ(run({"diff", folder.file("out")}), kExitRefused) << err.str();
  EXPECT_EQ(out.str(), expected);
  ASSERT_EQ(run({"diff", folder.file("out"), folder.file("out")}), kExitDone) << err.str();
  EXPECT_EQ(out.str(), "");
}

TEST_F(Changes, DiffMatchesOfficersByIdAndTellsAddedOnes) {
  ScenarioSet edited = pristineSet;
  Scenario& scenario = edited.scenarios[1];
  const int n = edited.officerIndexOf(1, 13).value().number();
  scenario.officerState(n).set(state::war, 99);
  // One more officer at the end of the list, as a copy of the last with an id of his own.
  scenario.states.push_back(scenario.states.back());
  scenario.profiles.push_back(scenario.profiles.back());
  scenario.profiles.back().set(profile::id, 700);
  ++scenario.officerCount;
  const std::vector<FieldChange> changes = compareSets(pristineSet, edited);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].number, 13);
  EXPECT_EQ(changes[0].field, "武力");
  EXPECT_EQ(changes[0].after, "99");
  EXPECT_TRUE(isAddition(changes[1]));
  EXPECT_EQ(changes[1].number, 700);
  EXPECT_FALSE(isAddition(compareSets(edited, pristineSet).at(1))) << "the other way he is missing";
  EXPECT_TRUE(compareSets(edited, edited).empty());

  // The same officers in another order are the same officers.
  ScenarioSet reordered = pristineSet;
  Scenario& other = reordered.scenarios[0];
  const std::size_t last = other.onMapCount + other.waitingCount - 1;
  std::swap(other.profiles[last], other.profiles[last - 1]);
  std::swap(other.states[last], other.states[last - 1]);
  for (const FieldChange& change : compareSets(pristineSet, reordered))
    EXPECT_NE(change.field, kWholeRecord) << change.number;

  writePair(folder.file("edited"), testing::smallValidSet());
  EXPECT_EQ(run({"diff", folder.file("edited")}), kExitDone);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(run({"diff", folder.file("nowhere")}), kExitFileFailed);
}

TEST_F(Changes, ListPrintsEachVocabularyAndTheColumns) {
  struct Kind {
    const char* word;
    const ColumnDictionary& (*table)();
  };
  const Kind kinds[] = {{"cities", cityTable},          {"items", itemTable},      {"skills", skillTable},
                        {"formations", formationTable}, {"statuses", statusTable}, {"duties", dutyTable}};
  for (const Kind& kind : kinds) {
    ASSERT_EQ(run({"list", kind.word}), kExitDone) << err.str();
    const std::string listed = out.str();
    const std::vector<std::string_view> lines = tableLines(listed);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.size() - 1, kind.table().size()) << kind.word << ": one line per name";
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const std::vector<std::string_view> cells = splitCells(lines[i]);
      ASSERT_GE(cells.size(), 2u) << lines[i];
      EXPECT_EQ(kind.table().find(cells[1]), std::stoi(std::string(cells[0]))) << kind.word << ": " << lines[i];
    }
  }
  ASSERT_EQ(run({"list", "items"}), kExitDone);
  EXPECT_NE(out.str().find("\n31\t玉玺\t玉玺\n"), std::string::npos) << out.str();
  ASSERT_EQ(run({"list", "cities"}), kExitDone);
  EXPECT_NE(out.str().find("\n11\t洛阳\n"), std::string::npos);

  ASSERT_EQ(run({"list", "columns", "officer"}), kExitDone);
  EXPECT_EQ(tableLines(out.str()).size(), officerColumns().size() + 1);
  EXPECT_NE(out.str().find("\n武力\t数值\t0～255\t\n"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("\n所在地\t名称\t\t城市（vorandel list cities）\n"), std::string::npos) << out.str();
  ASSERT_EQ(run({"list", "columns", "势力"}), kExitDone);
  EXPECT_EQ(tableLines(out.str()).size(), forceColumns().size() + 1);
  EXPECT_NE(out.str().find("\n科技\t名称列表（逗号分隔，---为无）\t\t战车,铠甲,连弩,强骑兵,楼船,投石车\n"),
            std::string::npos);
  ASSERT_EQ(run({"list", "columns", "city"}), kExitDone);
  EXPECT_EQ(tableLines(out.str()).size(), cityColumns().size() + 1);

  EXPECT_EQ(run({"list", "columns", "name"}), kExitUsage);
  EXPECT_EQ(run({"list", "itmes"}), kExitUsage);
  EXPECT_NE(err.str().find("是不是要用 items？"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace vorandel
