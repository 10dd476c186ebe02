// The dialogs in a folder as players have them: Chinese names with a space, and a path longer than the
// 260 characters of the old Windows limit. Nothing may cut or convert the path on its way.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/MapFile.h"
#include "model/PairNames.h"
#include "model/Records.h"
#include "model/SystemFiles.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/BatchDialogLogic.h"
#include "ui/MainDialogLogic.h"
#include "ui/MapDialogLogic.h"
#include "ui/ResourceIds.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::ScriptedDrop;
using testing::ScriptedHost;
using testing::TempFolder;
using ui::BoxStyle;

const std::string kMoneyTable =
    "剧本\t编号\t设置\t金钱\n"
    "x\tx\tx\t1\n"
    "1\t2\t1\t4321\n";

class LongPath : public ::testing::Test {
 protected:
  LongPath() {
    state.startFrom(testing::smallValidSet());
    std::filesystem::path deep = root.path() / systemPath("游戏") / systemPath("三国 修改");
    for (int level = 0; level < 6; ++level)
      deep /= systemPath("第" + std::to_string(level) + "层 " + std::string(48, 'x'));
    std::filesystem::create_directories(deep);
    folder = testing::utf8Path(deep);
  }

  std::string inFolder(const std::string& name) const { return platform::pathIn(folder, name); }

  std::int32_t money() const { return state.current().scenarios[1].force(2).get(force::money); }

  TempFolder root;
  std::string folder;
  ui::ProgramState state;
  ScriptedHost host;
};

TEST_F(LongPath, TheFolderIsLongerThanTheOldLimit) { ASSERT_GT(folder.size(), 300u); }

TEST_F(LongPath, TheBatchDialogOffersRunsAndExportsTheTableInFull) {
  testing::writeGbkFile(inFolder("ruv5_lord.txt"), kMoneyTable);
  state.batchMode = 2;
  ui::BatchDialogLogic dialog(state, host, folder);
  ASSERT_TRUE(dialog.onInit());
  EXPECT_EQ(state.inputPath, inFolder("ruv5_lord.txt"));
  EXPECT_EQ(host.itemText(BATCH_PATH), inFolder("ruv5_lord.txt"));

  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  EXPECT_EQ(money(), 4321);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Plain) << host.boxes[0].text;

  host.boxes.clear();
  host.answers = {ui::BoxAnswer::Yes};  // the table differs from the data: replacing it is asked first
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  EXPECT_EQ(state.inputPath, inFolder("ruv5_lord.txt"));
  EXPECT_EQ(readFile(inFolder("ruv5_lord.txt.bak")), testing::gbkBytes(kMoneyTable));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_NE(host.boxes[1].text.find(inFolder("ruv5_lord.txt")), std::string::npos) << host.boxes[1].text;
}

TEST_F(LongPath, DroppedAndBrowsedFilesAreTakenWhole) {
  testing::writeGbkFile(inFolder("表 一.txt"), kMoneyTable);
  state.batchMode = 2;
  ui::BatchDialogLogic dialog(state, host, folder);
  ASSERT_TRUE(dialog.onInit());
  ScriptedDrop drop({inFolder("表 一.txt")});
  EXPECT_TRUE(dialog.onDropFiles(drop));
  EXPECT_EQ(state.inputPath, inFolder("表 一.txt"));
  EXPECT_EQ(host.itemText(BATCH_PATH), inFolder("表 一.txt"));

  host.browseResult = inFolder("表 二.txt");
  EXPECT_TRUE(dialog.onCommand(BATCH_BROWSE));
  EXPECT_EQ(state.inputPath, inFolder("表 二.txt"));
  EXPECT_EQ(state.browseFolder, folder);

  // A missing file is told as missing, not as a name that was cut.
  EXPECT_FALSE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "文件不存在！\n原因：找不到这个文件（请检查文件名和文件夹）");

  // A table dropped on the main window opens the batch dialog of its kind with the whole path.
  ui::MainDialogLogic main(state, host, folder);
  host.whileDialogRuns = [&](int resource) {
    if (resource != BATCH_DIALOG) return;
    ScriptedHost child;
    ui::BatchDialogLogic opened(state, child, folder);
    opened.onInit();
    EXPECT_EQ(child.itemText(BATCH_PATH), inFolder("表 一.txt"));
  };
  ScriptedDrop onMain({inFolder("表 一.txt")});
  EXPECT_TRUE(main.onDropFiles(onMain));
  EXPECT_EQ(state.batchMode, 2);
  EXPECT_EQ(host.dialogsRun, std::vector<int>{BATCH_DIALOG});
}

TEST_F(LongPath, TheMapAndTheScenarioFilesAreWrittenIntoTheFolder) {
  ui::MapDialogLogic map(state, host, folder);
  ASSERT_TRUE(map.onInit());
  host.typed[MAP_SCENARIO] = "1";
  EXPECT_TRUE(map.onCommand(MAP_WRITE));
  EXPECT_TRUE(host.boxes.empty()) << host.boxes[0].text;
  ASSERT_EQ(host.shellOpened.size(), 1u);
  EXPECT_EQ(host.shellOpened[0].first, inFolder(scenarioMapFileName(1)));
  EXPECT_TRUE(std::filesystem::is_regular_file(systemPath(inFolder(scenarioMapFileName(1)))));

  ui::MainDialogLogic main(state, host, folder);
  EXPECT_TRUE(main.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "已生成新的剧本。\n剧本文件已写入：" + folder);
  EXPECT_TRUE(std::filesystem::is_regular_file(systemPath(inFolder(kSndataName))));
  EXPECT_TRUE(std::filesystem::is_regular_file(systemPath(inFolder(kTaikiName))));
}

}  // namespace
}  // namespace vorandel
