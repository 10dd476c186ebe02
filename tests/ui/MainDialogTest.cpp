#include "ui/MainDialogLogic.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppMessages.h"
#include "app/PairBackups.h"
#include "model/EditError.h"
#include "model/Records.h"
#include "rules/RuleMessages.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/BatchDialogLogic.h"
#include "ui/ResourceIds.h"
#include "ui/TableRecognition.h"

namespace vorandel {
namespace {

using testing::ScriptedHost;
using testing::ShownBox;
using testing::TempFolder;
using ui::BoxAnswer;
using ui::BoxOwner;
using ui::BoxStyle;

class MainDialog : public ::testing::Test {
 protected:
  MainDialog() {
    const testing::FileBytes bytes = testing::writeToBytes(testing::smallValidSet());
    startUp(state, bytes.sndata, bytes.taiki);
  }

  // Some change a committed batch could have made.
  void editCurrentSet() { state.changeCurrent().scenarios[1].force(2).set(force::money, 4321); }

  // The batch dialog, played by a user who presses "开始处理" on the force table below.
  void playBatchDialogs() {
    testing::writeGbkFile(folder.file("ruv5_lord.txt"),
                          "剧本\t编号\t设置\t金钱\n"
                          "x\tx\tx\t1\n"
                          "1\t2\t1\t4321\n");
    host.whileDialogRuns = [this](int resource) {
      if (resource != BATCH_DIALOG) return;
      ui::BatchDialogLogic batch(state, host, folder.path().string());
      batch.onInit();
      ASSERT_TRUE(batch.onCommand(BATCH_START));
      // The batch dialog ended itself; the main window's ends are what the tests look at.
      ASSERT_EQ(host.endedWith, std::vector<int>{0});
      host.endedWith.clear();
    };
  }

  std::vector<ShownBox> questions() const {
    std::vector<ShownBox> asked;
    for (const ShownBox& box : host.boxes)
      if (box.style == BoxStyle::QuestionYesNo) asked.push_back(box);
    return asked;
  }

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

// The done box: its first line exactly as it always was, then the line naming the folder (what follows
// tells of the pair it replaced).
void expectDoneBox(const ShownBox& box, const std::string& folderLine) {
  const std::size_t newline = box.text.find('\n');
  EXPECT_EQ(box.text.substr(0, newline), "已生成新的剧本。");
  ASSERT_NE(newline, std::string::npos) << box.text;
  const std::size_t next = box.text.find('\n', newline + 1);
  EXPECT_EQ(box.text.substr(newline + 1, next == std::string::npos ? next : next - newline - 1), folderLine);
  EXPECT_EQ(box.title, "处理完毕");
  EXPECT_EQ(box.style, BoxStyle::Plain);
  EXPECT_EQ(box.owner, BoxOwner::Dialog);
}

TEST(StartUp, KeepsAValidatedPristineCopyAndRefusesBrokenData) {
  ScenarioSet set = testing::smallValidSet();
  testing::FileBytes bytes = testing::writeToBytes(set);
  ui::ProgramState state;
  startUp(state, bytes.sndata, bytes.taiki);
  EXPECT_EQ(state.current(), state.pristine());
  EXPECT_EQ(state.current().scenarioCount(), set.scenarioCount());
  EXPECT_EQ(state.batchMode, ui::kNoBatchYet);

  set.scenarios[0].city(11).set(city::owner, 2);
  bytes = testing::writeToBytes(set);
  ui::ProgramState broken;
  try {
    startUp(broken, bytes.sndata, bytes.taiki);
    ADD_FAILURE() << "a set that breaks the rules was accepted";
  } catch (const EditError& error) {
    EXPECT_NE(error.text().find(kCityOwnerWrong), std::string::npos) << error.text();
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

TEST_F(MainDialog, QuitEscAndCloseEndWithZero) {
  EXPECT_TRUE(dialog.onCommand(MAIN_QUIT));
  EXPECT_TRUE(dialog.onCommand(DIALOG_ESCAPE));
  EXPECT_TRUE(dialog.onClose());
  EXPECT_EQ(host.endedWith, (std::vector<int>{0, 0, 0}));
  EXPECT_TRUE(host.boxes.empty()) << "nothing pending: no question";
}

TEST_F(MainDialog, PendingChangesShowInTheCaptionUntilGenerated) {
  playBatchDialogs();
  EXPECT_TRUE(dialog.onCommand(MAIN_FORCE_TABLE));
  EXPECT_EQ(state.current().scenarios[1].force(2).get(force::money), 4321);
  EXPECT_TRUE(state.pendingChanges);
  EXPECT_EQ(host.windowText, "Vorandel *");

  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  EXPECT_FALSE(state.pendingChanges);
  EXPECT_EQ(host.windowText, "Vorandel");
  // Generated changes are no longer at risk: quitting asks nothing.
  EXPECT_TRUE(dialog.onCommand(MAIN_QUIT));
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
  EXPECT_TRUE(questions().empty());
}

TEST_F(MainDialog, QuitEscAndCloseAskWhileChangesArePending) {
  playBatchDialogs();
  dialog.onCommand(MAIN_FORCE_TABLE);
  host.answers = {BoxAnswer::No, BoxAnswer::No, BoxAnswer::No};
  EXPECT_TRUE(dialog.onCommand(MAIN_QUIT));
  EXPECT_TRUE(dialog.onCommand(DIALOG_ESCAPE));
  EXPECT_TRUE(dialog.onClose());
  EXPECT_TRUE(host.endedWith.empty()) << "No keeps the program running";
  ASSERT_EQ(questions().size(), 3u);
  for (const ShownBox& box : questions()) {
    EXPECT_EQ(box.text, "有修改尚未生成新剧本，确定退出吗？");
    EXPECT_EQ(box.owner, BoxOwner::Dialog);
  }
  EXPECT_TRUE(state.pendingChanges);

  host.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(dialog.onClose());
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
}

TEST_F(MainDialog, DiscardAsksWhileChangesArePendingAndNoKeepsThem) {
  playBatchDialogs();
  dialog.onCommand(MAIN_FORCE_TABLE);
  const ScenarioSet edited = state.current();
  const std::size_t boxesBefore = host.boxes.size();
  host.answers = {BoxAnswer::No};
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(state.current(), edited);
  EXPECT_EQ(host.windowText, "Vorandel *");
  ASSERT_EQ(host.boxes.size(), boxesBefore + 1) << "the question and nothing else";
  EXPECT_EQ(host.boxes.back().text, "有修改尚未生成新剧本，确定放弃所有修改吗？");

  host.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(state.current(), state.pristine());
  EXPECT_FALSE(state.pendingChanges);
  EXPECT_EQ(host.windowText, "Vorandel");
  EXPECT_EQ(host.boxes.back().text, "数据已恢复。");
  // Nothing left to lose: quitting asks nothing.
  EXPECT_TRUE(dialog.onCommand(MAIN_QUIT));
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
  EXPECT_EQ(questions().size(), 2u);
}

TEST_F(MainDialog, ADroppedTableOpensTheBatchDialogOfItsKindWithTheFile) {
  const std::pair<const char*, int> tables[] = {
      {"剧本\tID\t姓名\t设置\t编号\t武力\r\n", 1},
      {"剧本 编号 设置 金钱\n", 2},
      {"剧本\tID\t名称\t设置\t城防\n", 3},
      {"\r\nW\t75\t张三\r\nC 11 东都\n", 0},
  };
  std::string offered;
  host.whileDialogRuns = [&](int) { offered = state.droppedPath; };
  for (const auto& [text, mode] : tables) {
    const std::string path = folder.file("dropped-" + std::to_string(mode) + ".txt");
    testing::writeGbkFile(path, text);
    testing::ScriptedDrop drop({path, folder.file("ignored.txt")});
    EXPECT_TRUE(dialog.onDropFiles(drop));
    EXPECT_EQ(drop.finished, 1);
    EXPECT_EQ(state.batchMode, mode) << text;
    EXPECT_EQ(host.dialogsRun.back(), BATCH_DIALOG);
    EXPECT_EQ(offered, path);
    EXPECT_EQ(state.droppedPath, "") << "a later batch button offers the default file again";
  }
  EXPECT_TRUE(host.boxes.empty());

  // A file of no known kind, and a file that is gone, are told; no batch dialog opens.
  const std::size_t run = host.dialogsRun.size();
  testing::writeGbkFile(folder.file("notes.txt"), "剧本 名称\n");
  testing::ScriptedDrop unknown({folder.file("notes.txt")});
  dialog.onDropFiles(unknown);
  testing::ScriptedDrop missing({folder.file("missing.txt")});
  dialog.onDropFiles(missing);
  EXPECT_EQ(host.dialogsRun.size(), run);
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_NE(host.boxes[0].text.find("无法识别"), std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(host.boxes[1].text.rfind("文件不存在！", 0), 0u) << host.boxes[1].text;
  for (const ShownBox& box : host.boxes) EXPECT_EQ(box.style, BoxStyle::Error);
}

TEST(TableRecognition, TellsTheKindsApartByTheirKeyHeaders) {
  EXPECT_EQ(ui::batchModeOfFirstLine("剧本\tID\t姓名\t设置\t编号"), 1);
  EXPECT_EQ(ui::batchModeOfFirstLine("剧本\tID\t姓名\t设置"), std::nullopt) << "the officer table has five keys";
  EXPECT_EQ(ui::batchModeOfFirstLine("  剧本  ID 名称\t设置\t人口\r"), 3);
  EXPECT_EQ(ui::batchModeOfFirstLine("剧本\t编号\t设置\r"), 2);
  EXPECT_EQ(ui::batchModeOfFirstLine("剧本\t设置\t编号"), std::nullopt);
  EXPECT_EQ(ui::batchModeOfFirstLine("WC 12 某人"), 0);
  EXPECT_EQ(ui::batchModeOfFirstLine("W 张三 12"), std::nullopt) << "the number comes second";
  EXPECT_EQ(ui::batchModeOfFirstLine("X 12 某人"), std::nullopt);
  EXPECT_EQ(ui::batchModeOfFirstLine(""), std::nullopt);
}

TEST_F(MainDialog, DiscardRestoresThePristineSetEveryTimeAndAsksNothingWhenNothingIsPending) {
  const ScenarioSet start = state.current();
  editCurrentSet();
  ASSERT_NE(state.current(), start);
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(state.current(), start);
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(state.current(), start);
  ASSERT_EQ(host.boxes.size(), 2u);
  for (const auto& box : host.boxes) {
    EXPECT_EQ(box.text, "数据已恢复。");
    EXPECT_EQ(box.title, "处理完毕");
    EXPECT_EQ(box.style, BoxStyle::Plain);
    EXPECT_EQ(box.owner, BoxOwner::Dialog);
  }
}

TEST_F(MainDialog, GenerateWritesTheCurrentSetAndKeepsOlderFilesAsBackups) {
  testing::writeGbkFile(folder.file("sndata.s5"), "old sndata");
  testing::writeGbkFile(folder.file("taiki.s5"), "old taiki");
  editCurrentSet();
  // The folder's pair is not the one the changes started from: asked first, and No writes nothing.
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  ASSERT_EQ(questions().size(), 1u);
  const std::string question = questions()[0].text;
  EXPECT_EQ(question.rfind(Message::withPaths(ui::kReplaceOtherPair, {folder.path().string()}).joined(), 0), 0u)
      << question;
  EXPECT_NE(question.find(ui::kStartWasBuiltIn), std::string::npos) << question;
  EXPECT_NE(question.find(backupFolderOf(folder.path().string())), std::string::npos) << question;
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), "old sndata");
  host.boxes.clear();

  host.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 2u);
  host.boxes.erase(host.boxes.begin());
  expectDoneBox(host.boxes[0], "剧本文件已写入：" + folder.path().string());
  const testing::FileBytes expected = testing::writeToBytes(state.current());
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), expected.sndata);
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5")), expected.taiki);
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5.bak")), "old sndata");
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5.bak")), "old taiki");
  // The pair found there is kept for good as the original, and it was not the built-in pair.
  const std::vector<Generation> kept = listGenerations(folder.path().string());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_TRUE(kept[0].original);
  EXPECT_EQ(testing::readFile(kept[0].path + "/sndata.s5"), "old sndata");
  EXPECT_NE(host.boxes[0].text.find("\n原有的剧本已保存到 " + kept[0].path + "。"), std::string::npos)
      << host.boxes[0].text;
  EXPECT_EQ(host.boxes[0].text.find(kOtherPairReplacedInProgram), std::string::npos) << "asked already";

  // A batch, discarding it, then generating writes the pristine pair again, over the pair generated last
  // without a question.
  dialog.onCommand(MAIN_DISCARD);
  dialog.onCommand(MAIN_GENERATE);
  EXPECT_TRUE(questions().empty());
  const testing::FileBytes pristine = testing::writeToBytes(state.pristine());
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), pristine.sndata);
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5")), pristine.taiki);
}

// A folder whose pair holds the player's own edits: the program offers it at its start; once read it is
// the starting point (the caption names it), a change generated there keeps the player's edits, and
// generating again with nothing changed keeps no new generation.
TEST_F(MainDialog, StartsFromTheFolderPairWhenThePlayerSaysSo) {
  const ScenarioSet builtIn = state.current();
  ScenarioSet players = builtIn;
  players.scenarios[0].force(1).set(force::money, 777);
  const testing::FileBytes playerBytes = testing::writeToBytes(players);
  testing::writeFile(folder.file("sndata.s5"), playerBytes.sndata);
  testing::writeFile(folder.file("taiki.s5"), playerBytes.taiki);
  const std::string offer = Message::withPaths(ui::kOfferFolderPair, {folder.path().string()}).joined();

  EXPECT_TRUE(dialog.onInit());  // answered No
  ASSERT_EQ(questions().size(), 1u);
  EXPECT_EQ(questions()[0].text, offer);
  EXPECT_EQ(state.current(), builtIn);
  EXPECT_EQ(host.windowText, "Vorandel");

  host.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(dialog.onInit());
  EXPECT_EQ(state.current(), players);
  EXPECT_EQ(state.pristine(), players);
  EXPECT_EQ(host.windowText, std::string("Vorandel") + ui::kCaptionFromFolder + folder.path().string());

  editCurrentSet();
  state.pendingChanges = true;
  host.boxes.clear();
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  EXPECT_TRUE(questions().empty()) << "the folder holds the starting pair";
  const testing::FileBytes written = testing::writeToBytes(state.current());
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), written.sndata);
  EXPECT_EQ(testing::readFile(folder.file("taiki.s5")), written.taiki);
  EXPECT_EQ(state.current().scenarios[0].force(1).get(force::money), 777) << "the player's edit stays";
  ASSERT_EQ(listGenerations(folder.path().string()).size(), 1u);

  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  EXPECT_TRUE(questions().empty()) << "the folder holds the pair generated last";
  EXPECT_NE(host.boxes.back().text.find(kSamePairKeptNothing), std::string::npos) << host.boxes.back().text;
  EXPECT_EQ(listGenerations(folder.path().string()).size(), 1u);
  EXPECT_EQ(testing::readFile(folder.file("sndata.s5")), written.sndata);
}

// "读取剧本" and a dropped scenario file or folder: a broken or missing pair is refused with the set kept;
// pending changes are asked about first.
TEST_F(MainDialog, ReadingAPairAsksBeforeLosingChangesAndRefusesWhatItCannotUse) {
  const ScenarioSet builtIn = state.current();
  TempFolder other;
  ScenarioSet broken = builtIn;
  broken.scenarios[0].city(11).set(city::owner, 2);
  testing::FileBytes bytes = testing::writeToBytes(broken);
  testing::writeFile(other.file("sndata.s5"), bytes.sndata);
  testing::writeFile(other.file("taiki.s5"), bytes.taiki);
  host.pairBrowseResult = other.file("sndata.s5");
  EXPECT_TRUE(dialog.onCommand(MAIN_OPEN_PAIR));
  TempFolder empty;
  testing::ScriptedDrop folderDrop({empty.path().string()});
  EXPECT_TRUE(dialog.onDropFiles(folderDrop));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].text.rfind(Message::withPaths(ui::kCannotReadPair, {other.path().string()}).joined(), 0), 0u)
      << host.boxes[0].text;
  EXPECT_NE(host.boxes[0].text.find(kCityOwnerWrong), std::string::npos) << host.boxes[0].text;
  EXPECT_NE(host.boxes[1].text.find(ui::kNoPairThere), std::string::npos) << host.boxes[1].text;
  EXPECT_EQ(state.current(), builtIn);
  EXPECT_TRUE(state.startFolder.empty());

  ScenarioSet valid = builtIn;
  valid.scenarios[1].force(2).set(force::money, 555);
  bytes = testing::writeToBytes(valid);
  testing::writeFile(other.file("sndata.s5"), bytes.sndata);
  testing::writeFile(other.file("taiki.s5"), bytes.taiki);
  editCurrentSet();
  state.pendingChanges = true;
  testing::ScriptedDrop fileDrop({other.file("TAIKI.S5")});
  EXPECT_TRUE(dialog.onDropFiles(fileDrop));  // answered No
  EXPECT_EQ(questions().back().text, ui::kReadLosesChanges);
  EXPECT_EQ(state.current().scenarios[1].force(2).get(force::money), 4321);
  EXPECT_TRUE(state.pendingChanges);

  host.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(dialog.onCommand(MAIN_OPEN_PAIR));
  EXPECT_EQ(state.current(), valid);
  EXPECT_FALSE(state.pendingChanges);
  EXPECT_EQ(state.startFolder, other.path().string());
  EXPECT_EQ(host.boxes.back().text, Message::withPaths(ui::kPairRead, {other.path().string()}).joined());
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
  const testing::FileBytes expected = testing::writeToBytes(state.current());
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
  state.changeCurrent().scenarios[0].city(11).set(city::owner, 2);
  const ScenarioSet before = state.current();
  EXPECT_TRUE(dialog.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "错误");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  EXPECT_NE(host.boxes[0].text.find(kCityOwnerWrong), std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(state.current(), before);
  EXPECT_FALSE(std::filesystem::exists(folder.file("sndata.s5")));
  EXPECT_FALSE(std::filesystem::exists(folder.file("taiki.s5")));
}

TEST_F(MainDialog, AFailedBackupIsToldOnceAndNothingIsWritten) {
  testing::writeGbkFile(folder.file("sndata.s5"), "old sndata");
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
  testing::writeGbkFile(folder.file("sndata.s5"), "old sndata");
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
  EXPECT_EQ(state.current(), state.pristine());
  EXPECT_TRUE(dialog.onCommand(MAIN_DISCARD));
  EXPECT_EQ(host.boxes.back().text, "数据已恢复。");
}

}  // namespace
}  // namespace vorandel
