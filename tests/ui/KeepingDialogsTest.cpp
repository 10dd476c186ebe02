// What keeps the player's work: the guard around every dialog's work (an unexpected exception shows an
// error box and the program goes on with its pending changes), the 恢复 dialog that brings an earlier
// pair back, and the batch dialog's export and run with a table another program holds open or edited.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <ios>
#include <new>
#include <stdexcept>
#include <system_error>

#include "app/AppMessages.h"
#include "app/PairBackups.h"
#include "model/Messages.h"
#include "model/Records.h"
#include "model/SystemCallFaults.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/BatchDialogLogic.h"
#include "ui/DialogGuard.h"
#include "ui/ExportAction.h"
#include "ui/MainDialogLogic.h"
#include "ui/ResourceIds.h"
#include "ui/RestoreDialogLogic.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::ScriptedHost;
using testing::TempFolder;
using ui::BoxAnswer;
using ui::BoxStyle;

const std::string kMoneyTable = "剧本\t编号\t设置\t金钱\nx\tx\tx\t1\n1\t2\t1\t4321\n";

class KeepingDialogs : public ::testing::Test {
 protected:
  KeepingDialogs() {
    const testing::FileBytes bytes = testing::writeToBytes(testing::smallValidSet());
    startUp(state, bytes.sndata, bytes.taiki);
  }
  ~KeepingDialogs() override { platform::planFaults({}); }

  // A batch the player applied and has not generated yet.
  void pendingEdit() {
    state.changeCurrent().scenarios[1].force(2).set(force::money, 4321);
    state.pendingChanges = true;
  }
  std::string dir() const { return folder.path().string(); }

  ui::ProgramState state;
  ScriptedHost host;
  TempFolder folder;
};

TEST_F(KeepingDialogs, AnUnexpectedExceptionIsShownAndThePendingChangesStay) {
  struct Fault {
    const char* name;
    std::function<void()> raise;
    const char* details;
  };
  const Fault faults[] = {
      {"memory", [] { throw std::bad_alloc(); }, ui::kOutOfMemory},
      {"stream", [] { throw std::ios_base::failure("stream read failed"); }, "stream read failed"},
      {"system", [] { throw std::system_error(ENOSPC, std::generic_category(), "write"); }, kReasonDiskFull},
      {"anything", [] { throw 42; }, ui::kUnknownError},
  };
  pendingEdit();
  const ScenarioSet edited = state.current();
  ui::MainDialogLogic dialog(state, host, dir());
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    host.boxes.clear();
    // The fault strikes inside the work of a dialog the main window opened.
    host.whileDialogRuns = [&](int) { fault.raise(); };
    EXPECT_TRUE(ui::guardDialogWork(host, [&] { return dialog.onCommand(MAIN_MAP); }));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].title, "错误");
    EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
    EXPECT_TRUE(host.boxes[0].text.starts_with(std::string(ui::kUnexpectedError) + "\n")) << host.boxes[0].text;
    EXPECT_NE(host.boxes[0].text.find(fault.details), std::string::npos) << host.boxes[0].text;
    EXPECT_EQ(state.current(), edited);
    EXPECT_TRUE(state.pendingChanges);
  }
  // The program goes on: the pending changes are generated.
  host.whileDialogRuns = nullptr;
  host.boxes.clear();
  EXPECT_TRUE(ui::guardDialogWork(host, [&] { return dialog.onCommand(MAIN_GENERATE); }));
  EXPECT_EQ(readFile(folder.file("sndata.s5")), testing::writeToBytes(edited).sndata);
  EXPECT_FALSE(state.pendingChanges);
}

TEST_F(KeepingDialogs, RestoreBringsTheChosenPairBackAndLeavesTheCurrentDataAlone) {
  ui::RestoreDialogLogic empty(state, host, dir());
  EXPECT_TRUE(empty.onInit());
  EXPECT_EQ(host.itemText(RESTORE_NOTE), kNoGenerations);
  EXPECT_TRUE(host.lists.at(RESTORE_LIST).empty());

  ScenarioSet players = testing::smallValidSet();
  players.scenarios[1].force(2).set(force::money, 1111);
  const testing::FileBytes player = testing::writeToBytes(players);
  testing::writePair(dir(), player);
  ui::MainDialogLogic main(state, host, dir());
  // The player's pair is replaced after the question; the next two presses write the same pair and keep
  // nothing more.
  host.answers = {ui::BoxAnswer::Yes};
  for (int press = 0; press < 3; ++press) main.onCommand(MAIN_GENERATE);
  pendingEdit();
  const ScenarioSet edited = state.current();

  host.boxes.clear();
  host.endedWith.clear();
  EXPECT_TRUE(main.onCommand(MAIN_RESTORE));
  EXPECT_EQ(host.dialogsRun.back(), RESTORE_DIALOG);
  ui::RestoreDialogLogic dialog(state, host, dir());
  EXPECT_TRUE(dialog.onInit());
  const std::vector<std::string>& lines = host.lists.at(RESTORE_LIST);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(kOriginalLabel), std::string::npos) << lines[0];

  // Nothing chosen: told so, nothing changes.
  EXPECT_TRUE(dialog.onCommand(RESTORE_OK));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, ui::kChooseGeneration);
  EXPECT_TRUE(host.endedWith.empty());

  host.chosen[RESTORE_LIST] = 0;
  EXPECT_TRUE(dialog.onCommand(RESTORE_OK));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[1].title, "处理完毕");
  EXPECT_TRUE(host.boxes[1].text.starts_with("已恢复 ")) << host.boxes[1].text;
  EXPECT_NE(host.boxes[1].text.find("\n原有的剧本已保存到 "), std::string::npos) << host.boxes[1].text;
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
  EXPECT_TRUE(readFile(folder.file("sndata.s5")) == player.sndata) << "not the player's sndata.s5";
  EXPECT_TRUE(readFile(folder.file("taiki.s5")) == player.taiki) << "not the player's taiki.s5";
  EXPECT_EQ(state.current(), edited) << "only the files change";
  EXPECT_TRUE(state.pendingChanges);
  EXPECT_EQ(listGenerations(dir()).size(), 2u);

  EXPECT_TRUE(dialog.onCommand(RESTORE_BACK));
  EXPECT_FALSE(dialog.onCommand(MAIN_GENERATE)) << "not a command of this dialog";
}

TEST_F(KeepingDialogs, ExportAsksBeforeReplacingAnEditedTableAndTellsOfAHeldFile) {
  state.batchMode = 2;
  const std::string table = folder.file("ruv5_lord.txt");
  ui::BatchDialogLogic dialog(state, host, dir());
  dialog.onInit();
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  const std::string exported = readFile(table);

  // The same content again: no question, nothing rewritten.
  host.boxes.clear();
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.find(ui::kTableUnchanged), std::string::npos) << host.boxes[0].text;
  EXPECT_FALSE(std::filesystem::exists(table + ".bak"));

  // An edit: No keeps it as it is, twice.
  testing::writeGbkFile(table, kMoneyTable);
  for (int press = 0; press < 2; ++press) {
    host.boxes.clear();
    EXPECT_FALSE(dialog.onCommand(BATCH_EXPORT));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].style, BoxStyle::QuestionYesNo);
    EXPECT_EQ(readFile(table), testing::gbkBytes(kMoneyTable));
  }

  // Held open by another program: said so, with Retry, which goes through once it has let go.
  platform::planFaults({{"share", 1, platform::FaultKind::Error}});
  host.boxes.clear();
  host.answers = {BoxAnswer::Retry, BoxAnswer::Yes};
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::ErrorRetryCancel);
  EXPECT_NE(host.boxes[0].text.find("正被另一个程序打开"), std::string::npos) << host.boxes[0].text;
  EXPECT_NE(host.boxes[0].text.find("重试"), std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(host.boxes[1].style, BoxStyle::QuestionYesNo);
  EXPECT_EQ(readFile(table), exported);
  EXPECT_EQ(readFile(table + ".bak"), testing::gbkBytes(kMoneyTable)) << "the edit is kept";
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".vorandel-")) << entry.path();
}

TEST_F(KeepingDialogs, ATableHeldOpenIsToldWithRetryBeforeItIsRead) {
  state.batchMode = 2;
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kMoneyTable);
  ui::BatchDialogLogic dialog(state, host, dir());
  dialog.onInit();
  // Cancel leaves everything as it was; Retry reads the table once the other program let go.
  platform::planFaults({{"share", 1, platform::FaultKind::Error}});
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::ErrorRetryCancel);
  EXPECT_NE(host.boxes[0].text.find("正被另一个程序打开"), std::string::npos) << host.boxes[0].text;
  EXPECT_FALSE(state.pendingChanges);

  platform::planFaults({{"share", 1, platform::FaultKind::Error}});
  host.boxes.clear();
  host.answers = {BoxAnswer::Retry};
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[1].title, "处理完毕");
  EXPECT_EQ(state.current().scenarios[1].force(2).get(force::money), 4321);
}

}  // namespace
}  // namespace vorandel
