// restore on the command line: three generates over the player's own pair, then restore of the first
// kept pair, bring that pair back byte for byte; the list tells each pair's time and differences; every
// generate says where the previous pair went and when the folder held another pair than the start.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/AppMessages.h"
#include "app/PairBackups.h"
#include "cli/Cli.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;
using testing::writeGbkFile;

class RestoreCommand : public testing::SmallSetCli {
 protected:
  std::string dir = folder.file("GAME");
};

TEST_F(RestoreCommand, ThreeGeneratesThenRestoringTheFirstBringsThePlayersPairBack) {
  // The player's pair: the start with one force's money changed.
  const std::string table = folder.file("lord.txt");
  writeGbkFile(table, "剧本\t编号\t设置\t金钱\nx\tx\tx\t1\n1\t2\t1\t4321\n");
  ASSERT_EQ(run({"generate", "--lord", table, "--out", folder.file("PLAYER")}), kExitDone) << err.str();
  std::filesystem::create_directories(dir);
  const std::string sndata = readFile(folder.file("PLAYER") + "/sndata.s5");
  const std::string taiki = readFile(folder.file("PLAYER") + "/taiki.s5");
  writeFile(dir + "/sndata.s5", sndata);
  writeFile(dir + "/taiki.s5", taiki);

  ASSERT_EQ(run({"generate", "--out", dir}), kExitDone) << err.str();
  EXPECT_NE(err.str().find("已生成新的剧本。\n原有的剧本已保存到 " + backupFolderOf(dir)), std::string::npos)
      << err.str();
  EXPECT_NE(err.str().find("与本次的起点不同（已保存到备份）；要在它的基础上修改，请加 --from " + dir + "。"),
            std::string::npos)
      << err.str();
  // Twice more the same pair: told so, nothing more kept.
  ASSERT_EQ(run({"generate", "--out", dir}), kExitDone) << err.str();
  EXPECT_EQ(err.str().find("与本次的起点不同"), std::string::npos) << "the pair it replaced was the start";
  EXPECT_NE(err.str().find(kSamePairKeptNothing), std::string::npos) << err.str();
  ASSERT_EQ(run({"generate", "--out", dir}), kExitDone) << err.str();
  EXPECT_EQ(readFile(dir + "/sndata.s5"), pristine.sndata);

  ASSERT_EQ(run({"restore", "--out", dir}), kExitDone) << err.str();
  const std::string list = out.str();
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 1) << list;
  EXPECT_TRUE(list.starts_with("1\t")) << list;
  EXPECT_NE(list.find(std::string(kOriginalLabel) + "，势力 1 项不同\n"), std::string::npos) << list;

  ASSERT_EQ(run({"restore", "--out", dir, "1"}), kExitDone) << err.str();
  EXPECT_EQ(readFile(dir + "/sndata.s5"), sndata);
  EXPECT_EQ(readFile(dir + "/taiki.s5"), taiki);
  EXPECT_TRUE(err.str().starts_with("已恢复 " + backupFolderOf(dir))) << err.str();
  EXPECT_NE(err.str().find("\n原有的剧本已保存到 "), std::string::npos) << err.str();
  ASSERT_EQ(run({"restore", "--out", dir}), kExitDone);
  const std::string after = out.str();
  EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), 2) << after;

  // A generation that is not there is a wrong word; nothing changes.
  EXPECT_EQ(run({"restore", "--out", dir, "9"}), kExitUsage);
  EXPECT_TRUE(err.str().starts_with("没有备份 9（共有 2 个")) << err.str();
  EXPECT_EQ(readFile(dir + "/sndata.s5"), sndata);
  EXPECT_EQ(run({"restore", "--out", dir, "1", "2"}), kExitUsage);
}

TEST_F(RestoreCommand, AFolderWithoutBackupsSaysSo) {
  std::filesystem::create_directories(dir);
  EXPECT_EQ(run({"restore", "--out", dir}), kExitDone);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), std::string(kNoGenerations) + "\n");
}

}  // namespace
}  // namespace vorandel
