// The command line's conventions: --out=DIR, COMMAND --help, "-" for standard input, suggestions for
// misspelt words, Chinese kind names, and batch tables kept in the order given across their kinds.
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "model/Loader.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {

using testing::gbkName;
using testing::nameText;
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

using testing::utf8;

std::string usageOf(const std::vector<std::string>& args) {
  try {
    parseOptions(args);
  } catch (const UsageError& error) {
    return error.text();
  }
  return "(no error)";
}

TEST(CommandLine, OptionsTakeTheirValueAfterABlankOrAnEqualsSign) {
  EXPECT_EQ(parseOptions({"generate", "--out=dir"}).out, "dir");
  EXPECT_EQ(parseOptions({"generate", "--out", "dir"}).out, "dir");
  EXPECT_EQ(parseOptions({"check", "--from=a", "--report=r.txt"}).report, "r.txt");
  EXPECT_EQ(parseOptions({"map", "-o", "-"}).exportFile, "-");
  const CommandLine exported = parseOptions({"export", "city", "--scenario", "0", "2", "-o", "x", "--force"});
  EXPECT_EQ(exported.exportKind, BatchKind::CityTable);
  EXPECT_EQ(exported.scenarios, (std::vector<std::size_t>{0, 2}));
  EXPECT_TRUE(exported.force);
  EXPECT_EQ(usageOf({"generate", "--out"}), "选项 --out 后面缺少参数");
  EXPECT_EQ(usageOf({"export", "lord", "--scenario"}), "选项 --scenario 后面缺少参数");
  EXPECT_EQ(usageOf({"export", "lord", "--scenario", "x"}), "--scenario 后面须给出剧本序号");
  EXPECT_EQ(usageOf({"export", "name", "--scenario", "0"}), "人名/地名表不分剧本，不接受 --scenario");
  EXPECT_EQ(usageOf({"show", "city", "1", "--scenario", "0", "1"}), "show 只接受一个剧本序号");
  EXPECT_EQ(usageOf({"check", "--out", "x"}), "命令 check 不接受选项 --out");
  EXPECT_EQ(usageOf({"info", "stray"}), "命令 info 不接受选项 stray");
}

TEST(CommandLine, BatchTablesKeepTheirOrderAcrossKinds) {
  const CommandLine options =
      parseOptions({"generate", "--lord", "a", "--officer", "b", "--lord=c", "--name", "d", "--city", "-"});
  ASSERT_EQ(options.batches.size(), 5u);
  const std::pair<BatchKind, const char*> expected[] = {{BatchKind::ForceTable, "a"},
                                                        {BatchKind::OfficerTable, "b"},
                                                        {BatchKind::ForceTable, "c"},
                                                        {BatchKind::NameList, "d"},
                                                        {BatchKind::CityTable, "-"}};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(options.batches[i].kind, expected[i].first) << i;
    EXPECT_EQ(options.batches[i].path, expected[i].second) << i;
  }
  EXPECT_EQ(usageOf({"check", "--officer", "-", "--lord", "-"}), "只有一个批量表可以从标准输入（-）读取");
}

TEST(CommandLine, MisspeltWordsAreAnsweredWithTheNearestOne) {
  EXPECT_EQ(usageOf({"gnerate"}), "未知的命令：gnerate\n是不是要用 generate？");
  EXPECT_EQ(usageOf({"frobnicate"}), "未知的命令：frobnicate");
  EXPECT_EQ(usageOf({"generate", "--ofiicer", "x"}), "命令 generate 不接受选项 --ofiicer\n是不是要用 --officer？");
  EXPECT_EQ(usageOf({"generate", "--utf=1"}), "命令 generate 不接受选项 --utf=1\n是不是要用 --utf8？");
  EXPECT_EQ(usageOf({"export", "lords"}), "export 后面须给出种类：officer、lord、city 或 name\n是不是要用 lord？");
  EXPECT_EQ(usageOf({"export"}), "export 后面须给出种类：officer、lord、city 或 name");
  EXPECT_EQ(nearestWord("cit", {"city", "lord"}), "city");
  EXPECT_EQ(nearestWord("xyz", {"city", "lord"}), "");
}

TEST(CommandLine, ChineseKindNamesAreAliases) {
  const std::pair<const char8_t*, BatchKind> kinds[] = {{u8"武将", BatchKind::OfficerTable},
                                                        {u8"势力", BatchKind::ForceTable},
                                                        {u8"城市", BatchKind::CityTable},
                                                        {u8"人名", BatchKind::NameList}};
  for (const auto& [word, kind] : kinds) EXPECT_EQ(parseOptions({"export", utf8(word)}, "UTF-8").exportKind, kind);
  EXPECT_EQ(parseOptions({"export", testing::gbkBytes("武将")}, "GBK").exportKind, BatchKind::OfficerTable);
  EXPECT_EQ(parseOptions({"list", "columns", utf8(u8"城市")}, "UTF-8").listTable, BatchKind::CityTable);
  EXPECT_EQ(parseOptions({"show", utf8(u8"势力"), "1"}, "UTF-8").showKind, "force");
}

using CommandLineRun = testing::SmallSetCli;

TEST_F(CommandLineRun, ACommandsHelpShowsThatCommandOnly) {
  ASSERT_EQ(run({"export", "--help"}), kExitDone);
  EXPECT_NE(out.str().find("vorandel export"), std::string::npos);
  EXPECT_EQ(out.str().find("vorandel map"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find("--officer"), std::string::npos) << "export takes no batch tables";
  EXPECT_NE(out.str().find(utf8(u8"退出码")), std::string::npos);
  ASSERT_EQ(run({"generate", "-h"}), kExitDone);
  EXPECT_NE(out.str().find("--report"), std::string::npos);
  EXPECT_NE(out.str().find("--officer"), std::string::npos);
  EXPECT_NE(out.str().find(utf8(u8"数据行的“设置”")), std::string::npos) << "the row modes are explained";
  ASSERT_EQ(run({"--help"}), kExitDone);
  EXPECT_NE(out.str().find("vorandel diff"), std::string::npos);
  EXPECT_NE(out.str().find("vorandel list"), std::string::npos);
}

TEST_F(CommandLineRun, AMinusReadsTheTableFromStandardInput) {
  const std::string dir = folder.file("out");
  ASSERT_EQ(run({"generate", "--out=" + dir, "--lord", "-"},
                testing::gbkBytes("剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t12345\n")),
            kExitDone)
      << err.str();
  ScenarioSet written;
  loadScenarioSet(written, readFile(dir + "/sndata.s5"), readFile(dir + "/taiki.s5"));
  EXPECT_EQ(written.scenarios[1].force(2).get(force::money), 12345);
  EXPECT_TRUE(err.str().starts_with(utf8(u8"势力表 （标准输入）：修改了 1 个势力"))) << err.str();

  // The same in UTF-8, read as UTF-8 with --utf8.
  ASSERT_EQ(run({"check", "--utf8", "--lord", "-"}, utf8(u8"剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t54321\n")),
            kExitDone)
      << err.str();
  EXPECT_NE(err.str().find(utf8(u8"修改了 1 个势力")), std::string::npos) << err.str();

  EXPECT_EQ(run({"check", "--lord", "-"}, testing::gbkBytes("剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t-5\n")),
            kExitRefused);
  EXPECT_NE(err.str().find(utf8(u8"数值不在允许范围内")), std::string::npos) << err.str();
}

TEST_F(CommandLineRun, LaterTablesOverwriteEarlierOnesWhateverTheirKinds) {
  const std::string names = folder.file("name.txt");
  const std::string city = folder.file("city.txt");
  writeFile(names, testing::gbkBytes("C 1 甲\n"));
  writeFile(city, testing::gbkBytes("剧本 ID 名称 设置 新名称\n- - - 0 1\n0 1 x 1 乙\n1 1 x 1 乙\n"));
  const auto nameAfter = [&](std::vector<std::string> batches) {
    std::vector<std::string> args{"generate", "--out", folder.file("out")};
    args.insert(args.end(), batches.begin(), batches.end());
    EXPECT_EQ(run(args), kExitDone) << err.str();
    ScenarioSet written;
    loadScenarioSet(written, readFile(folder.file("out") + "/sndata.s5"), readFile(folder.file("out") + "/taiki.s5"));
    return nameText(written.scenarios[0].cityName(1).text(cityName::name));
  };
  EXPECT_EQ(nameAfter({"--name", names, "--city", city}), "乙");
  EXPECT_EQ(nameAfter({"--city", city, "--name", names}), "甲");
}

}  // namespace
}  // namespace vorandel
