#include "ui/MainDialogLogic.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/EditError.h"
#include "model/Records.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/ResourceIds.h"

namespace vorandel {
namespace {

using testing::ScriptedHost;
using testing::ShownBox;
using testing::TempFolder;
using ui::BoxOwner;
using ui::BoxStyle;

class MainDialog : public ::testing::Test {
 protected:
  MainDialog() {
    const testing::FileBytes bytes = testing::writeToBytes(testing::smallValidSet());
    startUp(state, bytes.sndata, bytes.taiki);
  }

  // Some change a committed batch could have made.
  void editCurrentSet() { state.current.scenarios[1].force(2).set(force::money, 4321); }

  ui::ProgramState state;
  ScriptedHost host;
  TempFolder folder;
  ui::MainDialogLogic dialog{state, host, folder.path().string()};
};

// The process's current directory moved into a folder for the life of the guard.
class CurrentDirectoryGuard {
 public:
  explicit CurrentDirectoryGuard(const std::filesystem::path& folder) : before_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentDirectoryGuard() { std::filesystem::current_path(before_); }
  CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
  CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

 private:
  std::filesystem::path before_;
};

// The done box: its first line exactly as it always was, then the line naming the folder.
void expectDoneBox(const ShownBox& box, const std::string& folderLine) {
  const std::size_t newline = box.text.find('\n');
  EXPECT_EQ(box.text.substr(0, newline), "已生成新的剧本。");
  ASSERT_NE(newline, std::string::npos) << box.text;
  EXPECT_EQ(box.text.substr(newline + 1), folderLine);
  EXPECT_EQ(box.title, "处理完毕");
  EXPECT_EQ(box.style, BoxStyle::Plain);
  EXPECT_EQ(box.owner, BoxOwner::Dialog);
}

TEST(StartUp, KeepsAValidatedPristineCopyAndRefusesBrokenData) {
  ScenarioSet set = testing::smallValidSet();
  testing::FileBytes bytes = testing::writeToBytes(set);
  ui::ProgramState state;
  startUp(state, bytes.sndata, bytes.taiki);
  EXPECT_EQ(state.current, state.pristineCopy);
  EXPECT_EQ(state.current.scenarioCount(), set.scenarioCount());
  EXPECT_EQ(state.batchMode, ui::kNoBatchYet);

  set.scenarios[0].city(11).set(city::owner, 2);
  bytes = testing::writeToBytes(set);
  ui::ProgramState broken;
  try {
    startUp(broken, bytes.sndata, bytes.taiki);
    ADD_FAILURE() << "a set that breaks the rules was accepted";
  } catch (const EditError& error) {
    EXPECT_NE(error.text().find("城市所属势力错误"), std::string::npos) << error.text();
  }
}

TEST_F(MainDialog, BatchButtonsSetTheModeAndOpenTheBatchDialog) {
  const std::pair<int, int> buttons[] = {
      {MAIN_NAME_LIST, 0}, {MAIN_OFFICER_TABLE, 1}, {MAIN_FORCE_TABLE, 2}, {MAIN_CITY_TABLE, 3}};
  for (const auto& [button, mode] : buttons) {
    EXPECT_TRUE(dialog.onCommand(button));
    EXPECT_EQ(state.batchMode, mode);
    EXPECT_EQ(host.dialogsRun.back(), BATCH_DIALOG);
  }
  EXPECT_TRUE(dialog.onCommand(MAIN_ABOUT));
  EXPECT_EQ(host.dialogsRun.back(), ABOUT_DIALOG);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(MainDialog, QuitAndCloseEndWithZeroButEscapeIsLeftAlone) {
  EXPECT_FALSE(dialog.onCommand(2)) << "the cancel command (Esc) must not close the main window";
  EXPECT_TRUE(host.endedWith.empty());
  EXPECT_TRUE(dialog.onCommand(MAIN_QUIT));
  EXPECT_TRUE(dialog.onClose());
  EXPECT_EQ(host.endedWith, (std::vector<int>{0, 0}));
}

TEST_F(MainDialog, DiscardRestoresThePristineSetEveryTime) {
  editCurrentSet();
  ASSERT_NE(state.current, state.pristineCopy);
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(state.current, state.pristineCopy);
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(state.current, state.pristineCopy);
  ASSERT_EQ(host.boxes.size(), 2u);
  for (const auto& box : host.boxes) {
    EXPECT_EQ(box.text, "数据已恢复。");
    EXPECT_EQ(box.title, "处理完毕");
    EXPECT_EQ(box.style, BoxStyle::Plain);
    EXPECT_EQ(box.owner, BoxOwner::Dialog);
  }
}

TEST_F(MainDialog, GenerateWritesTheCurrentSetAndKeepsOlderFilesAsBackups) {
  testing::writeFile(folder.file("sndata.s5"), "old sndata");
  testing::writeFile(folder.file("taiki.s5"), "old taiki");
  editCurrentSet();
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u);
  expectDoneBox(host.boxes[0], "剧本文件已写入：" + folder.path().string());
  const testing::FileBytes expected = testing::writeToBytes(state.current);
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), expected.sndata);
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5")), expected.taiki);
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5.bak")), "old sndata");
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5.bak")), "old taiki");

  // A batch, discarding it, then generating writes the pristine pair again.
  dialog.onCommand(MAIN_DISCARD);
  dialog.onCommand(MAIN_GENERATE);
  const testing::FileBytes pristine = testing::writeToBytes(state.pristineCopy);
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), pristine.sndata);
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5")), pristine.taiki);
}

// Browsing for a table may move the process into the table's folder; the files still go to the folder
// the dialog was given, and nothing is written where the process went.
TEST_F(MainDialog, GenerateWritesIntoItsFolderWhereverTheCurrentDirectoryHasGone) {
  TempFolder tableFolder;
  {
    CurrentDirectoryGuard moved(tableFolder.path());
    EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  }
  ASSERT_EQ(host.boxes.size(), 1u);
  expectDoneBox(host.boxes[0], "剧本文件已写入：" + folder.path().string());
  const testing::FileBytes expected = testing::writeToBytes(state.current);
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), expected.sndata);
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5")), expected.taiki);
  EXPECT_TRUE(std::filesystem::is_empty(tableFolder.path()));

  // Without a folder the current directory is used, and the box says so.
  ui::MainDialogLogic inCurrentDirectory(state, host);
  {
    CurrentDirectoryGuard moved(tableFolder.path());
    EXPECT_TRUE(inCurrentDirectory.onCommand(MAIN_GENERATE));
  }
  ASSERT_EQ(host.boxes.size(), 2u);
  expectDoneBox(host.boxes[1], "剧本文件已写入当前文件夹。");
  EXPECT_EQ(testing::readFile(tableFolder.file("sndata.s5")), expected.sndata);
}

TEST_F(MainDialog, GenerateReportsAValidationErrorAndWritesNothing) {
  state.current.scenarios[0].city(11).set(city::owner, 2);
  const ScenarioSet before = state.current;
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "错误");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  EXPECT_NE(host.boxes[0].text.find("城市所属势力错误"), std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(state.current, before);
  EXPECT_FALSE(std::filesystem::exists(folder.file("sndata.s5")));
  EXPECT_FALSE(std::filesystem::exists(folder.file("taiki.s5")));
}

TEST_F(MainDialog, AFailedBackupIsToldOnceAndNothingIsWritten) {
  testing::writeFile(folder.file("sndata.s5"), "old sndata");
  std::filesystem::create_directories(folder.path() / "sndata.s5.bak" / "in the way");
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u) << "no success message after the rename failed";
  EXPECT_EQ(host.boxes[0].title, "错误");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  EXPECT_EQ(host.boxes[0].owner, BoxOwner::Dialog);
  EXPECT_EQ(host.boxes[0].text.rfind("无法将 ", 0), 0u) << host.boxes[0].text;
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), "old sndata");
  EXPECT_FALSE(std::filesystem::exists(folder.file("taiki.s5")));
}

TEST_F(MainDialog, AFailedWriteNamesTheFileKeepsThePreviousOneAndTheProgramGoesOn) {
  testing::writeFile(folder.file("sndata.s5"), "old sndata");
  std::filesystem::create_directories(folder.path() / "taiki.s5");  // cannot be opened for writing
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u);
  const std::string& text = host.boxes[0].text;
  EXPECT_EQ(host.boxes[0].title, "错误");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  EXPECT_EQ(text.rfind("无法写入文件 " + folder.file("taiki.s5") + "，新的剧本没有生成。", 0), 0u) << text;
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), "old sndata");
  EXPECT_FALSE(std::filesystem::exists(folder.file("sndata.s5.bak")));

  // The next command still works on the unchanged set.
  EXPECT_EQ(state.current, state.pristineCopy);
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(host.boxes.back().text, "数据已恢复。");
}

}  // namespace
}  // namespace vorandel
