#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/TerminalText.h"
#include "model/BuiltInData.h"
#include "model/Loader.h"
#include "tables/BatchTable.h"
#include "tables/TableExport.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

using testing::utf8;
using testing::writePair;

using Cli = testing::SmallSetCli;

TEST_F(Cli, GenerateWritesTheBuiltInPairAndBacksUpOnTheSecondRun) {
  const std::string dir = folder.path().string();
  ASSERT_EQ(run({"generate", "--out", dir}), kExitDone);
  EXPECT_EQ(err.str(), utf8(u8"已生成新的剧本。\n"));
  EXPECT_EQ(readFile(dir + "/sndata.s5"), pristine.sndata);
  EXPECT_EQ(readFile(dir + "/taiki.s5"), pristine.taiki);
  writeFile(dir + "/taiki.s5", "changed by hand");
  ASSERT_EQ(run({"generate", "--out", dir}), kExitDone);
  EXPECT_EQ(readFile(dir + "/sndata.s5.bak"), pristine.sndata);
  EXPECT_EQ(readFile(dir + "/taiki.s5.bak"), "changed by hand");
  EXPECT_EQ(readFile(dir + "/taiki.s5"), pristine.taiki);
}

TEST_F(Cli, GenerateMakesAMissingOutputFolderOnlyForDataItWrites) {
  ScenarioSet broken = testing::smallValidSet();
  broken.scenarios[1].officerState(3).set(state::nextOfficer, 2);
  writePair(folder.file("broken"), testing::writeToBytes(broken));
  EXPECT_EQ(run({"generate", "--from", folder.file("broken"), "--out", folder.file("refused/out")}), kExitRefused);
  EXPECT_FALSE(std::filesystem::exists(folder.file("refused")));

  const std::string made = folder.file("a/b/c");
  ASSERT_EQ(run({"generate", "--out", made}), kExitDone) << err.str();
  EXPECT_EQ(readFile(made + "/sndata.s5"), pristine.sndata);
  EXPECT_EQ(readFile(made + "/taiki.s5"), pristine.taiki);
}

TEST_F(Cli, GenerateFromAFolderReproducesItsFiles) {
  ScenarioSet other = testing::smallValidSet();
  other.scenarios[1].block.set(block::startYear, 234);
  const testing::FileBytes files = testing::writeToBytes(other);
  writePair(folder.file("in"), files);
  ASSERT_EQ(run({"generate", "--from", folder.file("in"), "--out", folder.path().string()}), kExitDone);
  EXPECT_EQ(readFile(folder.file("sndata.s5")), files.sndata);
  EXPECT_EQ(readFile(folder.file("taiki.s5")), files.taiki);
}

TEST_F(Cli, DamagedInputIsRefusedWithItsMessageAndNothingWritten) {
  testing::FileBytes cut = pristine;
  cut.sndata.resize(cut.sndata.size() / 2);
  writePair(folder.file("cut"), cut);
  EXPECT_EQ(run({"generate", "--from", folder.file("cut"), "--out", folder.path().string()}), kExitFileFailed);
  const std::string named =
      (std::filesystem::path(folder.file("cut")) / "sndata.s5").string();  // the system's separator
  EXPECT_NE(err.str().find(named), std::string::npos) << err.str();

  testing::FileBytes tooMany = pristine;
  tooMany.sndata[0] = 33;
  writePair(folder.file("many"), tooMany);
  EXPECT_EQ(run({"check", "--from", folder.file("many")}), kExitRefused);
  EXPECT_EQ(err.str(), utf8(u8"剧本数超出允许范围\n"));

  ScenarioSet broken = testing::smallValidSet();
  broken.scenarios[1].officerState(3).set(state::nextOfficer, 2);  // a serving list that loops
  writePair(folder.file("broken"), testing::writeToBytes(broken));
  EXPECT_EQ(run({"generate", "--from", folder.file("broken"), "--out", folder.path().string()}), kExitRefused);
  // The message as it always was, then which scenario (with its start year) and what in it is at fault.
  EXPECT_TRUE(err.str().starts_with(utf8(u8"剧本 1存在错误\n武将编号错误\n剧本 1（200年开始）\n出错的是：势力 1")))
      << err.str();
  EXPECT_NE(err.str().find(utf8(u8"武将 2（ID 11，W11）")), std::string::npos) << err.str();

  EXPECT_EQ(run({"info", "--from", folder.file("nowhere")}), kExitFileFailed);
  EXPECT_NE(err.str().find("nowhere"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder.file("sndata.s5")));
}

TEST_F(Cli, InfoListsTheScenarios) {
  ASSERT_EQ(run({"info"}), kExitDone);
  EXPECT_EQ(out.str(),
            utf8(u8"剧本\t开始年份\t开始月份\t已上场武将\t待上场武将\n") + "0\t190\t1\t10\t3\n1\t200\t12\t10\t3\n");
}

TEST_F(Cli, CheckSaysAllIsWell) {
  ASSERT_EQ(run({"check"}), kExitDone);
  EXPECT_EQ(err.str(), utf8(u8"检查完毕，全部剧本的数据正确。\n"));
}

TEST_F(Cli, WrongUsage) {
  EXPECT_EQ(run({}), kExitUsage);
  EXPECT_EQ(run({"make"}), kExitUsage);
  EXPECT_EQ(run({"generate", "--out"}), kExitUsage);
  EXPECT_EQ(run({"info", "--lord", "x.txt"}), kExitUsage);
  EXPECT_EQ(run({"check", "--out", "x"}), kExitUsage);
  EXPECT_NE(err.str().find("--out"), std::string::npos);
  EXPECT_EQ(run({"--help"}), kExitDone);
  EXPECT_NE(out.str().find(utf8(u8"用法")), std::string::npos);
  EXPECT_EQ(run({"--version"}), kExitDone);
  EXPECT_EQ(out.str(), "vorandel 1.1.0\n");
}

TEST_F(Cli, BatchesApplyInOrderAndAFailedOneWritesNothing) {
  const std::string lord = folder.file("lord.txt");
  writeFile(lord, testing::gbkBytes("剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t12345\n"));
  ASSERT_EQ(run({"generate", "--lord", lord, "--out", folder.path().string()}), kExitDone) << err.str();
  ScenarioSet written;
  loadScenarioSet(written, readFile(folder.file("sndata.s5")), readFile(folder.file("taiki.s5")));
  EXPECT_EQ(written.scenarios[1].force(2).get(force::money), 12345);

  writeFile(lord, testing::gbkBytes("剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n1\t2\t1\t-5\n"));
  const std::string other = folder.file("other");
  std::filesystem::create_directory(other);
  EXPECT_EQ(run({"generate", "--lord", lord, "--out", other}), kExitRefused);
  EXPECT_NE(err.str().find(utf8(u8"数值不在允许范围内")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(other + "/sndata.s5"));

  EXPECT_EQ(run({"check", "--city", folder.file("missing.txt")}), kExitFileFailed);
  EXPECT_NE(err.str().find(utf8(u8"文件不存在！")), std::string::npos);
}

TEST_F(Cli, OfficerTableIsValidatedBeforeItIsKept) {
  const std::string table = folder.file("officer.txt");
  // A new officer who stays waiting without a 所在地 column keeps location 0, which the check refuses.
  writeFile(table, testing::gbkBytes("剧本 ID 姓名 设置 编号 主管\n- - - 1 - 0\n0 600 新人 3 0 军事\n"));
  const std::string dir = folder.file("out");
  std::filesystem::create_directory(dir);
  EXPECT_EQ(run({"generate", "--officer", table, "--out", dir}), kExitRefused);
  EXPECT_NE(err.str().find(utf8(u8"剧本 0存在错误")), std::string::npos) << err.str();
  EXPECT_FALSE(std::filesystem::exists(dir + "/sndata.s5"));

  // Without 主管 the new officer keeps the template's one duty, 特殊.
  writeFile(table, testing::gbkBytes("剧本 ID 姓名 设置 编号 所在地 武力\n- - - 1 - 0 0\n0 600 新人 3 0 洛阳 50\n"));
  EXPECT_EQ(run({"check", "--officer", table}), kExitDone) << err.str();

  writeFile(table, testing::gbkBytes("剧本 ID 姓名 设置 编号 所在地 主管\n- - - 1 - 0 0\n0 600 新人 3 0 洛阳 军事\n"));
  ASSERT_EQ(run({"generate", "--officer", table, "--out", dir}), kExitDone) << err.str();
  ScenarioSet written;
  loadScenarioSet(written, readFile(dir + "/sndata.s5"), readFile(dir + "/taiki.s5"));
  const std::optional<OfficerIndex> k = written.officerIndexOf(0, 600);
  ASSERT_TRUE(k.has_value());
  EXPECT_EQ(written.scenarios[0].officerState(k->number()).get(state::location), 11);
  EXPECT_EQ(written.scenarios[0].waitingCount, testing::smallValidSet().scenarios[0].waitingCount + 1);

  EXPECT_EQ(run({"--help"}), kExitDone);
  EXPECT_NE(out.str().find("--officer"), std::string::npos);
}

// The exported officer table of the built-in data: every officer's own values, all columns switched on.
class OfficerTableOnBuiltInData : public ::testing::Test {
 protected:
  OfficerTableOnBuiltInData() { loadScenarioSet(pristine, builtInData().sndata, builtInData().taiki); }

  int generate(const std::string& table, const std::string& out) {
    writeFile(folder.file("officer.txt"), testing::gbkBytes(table));
    std::filesystem::create_directory(out);
    std::ostringstream sink;
    CliContext context{sink, sink, "UTF-8", builtInData()};
    const int code = runCli({"generate", "--officer", folder.file("officer.txt"), "--out", out}, context);
    messages = sink.str();
    return code;
  }

  ScenarioSet pristine;
  TempFolder folder;
  std::string messages;
};

TEST_F(OfficerTableOnBuiltInData, AnErrorOnTheLastRowWritesNothing) {
  std::string table = exportOfficerTable(pristine, {}).text;
  const std::size_t lastRow = table.rfind("\r\n", table.size() - 3) + 2;
  const auto parts = splitCells(std::string_view(table).substr(lastRow, table.size() - 2 - lastRow));
  std::vector<std::string> cells(parts.begin(), parts.end());
  cells.at(5 + 13) = "256";  // 武力
  table = table.substr(0, lastRow) + joinCells(cells, "\t") + "\r\n";
  const std::string out = folder.file("out");
  EXPECT_EQ(generate(table, out), kExitRefused);
  EXPECT_NE(messages.find(utf8(u8"数值不在允许范围内")), std::string::npos) << messages;
  EXPECT_FALSE(std::filesystem::exists(out + "/sndata.s5"));
  EXPECT_FALSE(std::filesystem::exists(out + "/taiki.s5"));
}

TEST(TerminalText, ConvertsToTheTerminalAndMarksWhatItCannot) {
  EXPECT_EQ(utf8To("剧本", "UTF-8"), "剧本");
  EXPECT_EQ(utf8To("剧本", "GBK"), "\xBE\xE7\xB1\xBE");
  EXPECT_EQ(utf8To("a😀b", "GBK"), "a?b") << "one mark for a whole character";
  EXPECT_EQ(shownGbk("a\xFF"
                     "b"),
            "a?b");
}

TEST(TerminalText, CommandLineWordsBecomeUtf8) {
  // A word typed in a GBK terminal, and one typed in a UTF-8 terminal.
  EXPECT_EQ(argumentToUtf8("\xB6\xE0\xD3\xE0", "GBK"), "多余");
  EXPECT_EQ(argumentToUtf8("多余", "UTF-8"), "多余");
  EXPECT_EQ(argumentToUtf8("\xB6", "GBK"), std::nullopt) << "half a character";
  EXPECT_EQ(argumentText("a\xB6", "GBK"), "a?");
  // The message is built in UTF-8 and shown in the terminal's encoding; a path stays as typed.
  const Message message = Message("不接受选项 ").native("\xB6\xE0.txt");
  EXPECT_EQ(messageTo(message, "GBK"), "\xB2\xBB\xBD\xD3\xCA\xDC\xD1\xA1\xCF\xEE \xB6\xE0.txt");
}

}  // namespace
}  // namespace vorandel
