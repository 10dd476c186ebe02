// What keeps the player's work: the guard around every dialog's work (an unexpected exception shows an
// error box and the program goes on with its pending changes), the 恢复 dialog that brings an earlier
// pair back, the batch dialog's export and run with a table another program holds open or edited, and
// 生成新剧本 over a pair the game holds open.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <ios>
#include <new>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "model/WideText.h"
#endif

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

// Another program holding a file open until it lets go. On Windows a real handle that shares nothing (a
// spreadsheet) or reading only (the game): the program's own opening fails as it would there. Elsewhere
// no program holds a file so; the fault seam's first look at whether one does stands in for it.
class HeldOpen {
 public:
  enum class Sharing { Nothing, Reading };
  HeldOpen(std::string path, Sharing sharing) : path_(std::move(path)), sharing_(sharing) { hold(); }
  ~HeldOpen() { letGo(); }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

  void hold() {
#ifdef _WIN32
    letGo();
    handle_ =
        CreateFileW(platform::widePath(path_).c_str(), GENERIC_READ, sharing_ == Sharing::Reading ? FILE_SHARE_READ : 0,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << path_;
#else
    platform::planFaults({{"share", 1, platform::FaultKind::Error}});
#endif
  }
  void letGo() {
#ifdef _WIN32
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
#else
    platform::planFaults({});
#endif
  }

 private:
  std::string path_;
  Sharing sharing_;
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#endif
};

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

TEST_F(KeepingDialogs, ATableHeldOpenIsOfferedAndToldWithRetryBeforeItIsRead) {
  state.batchMode = 2;
  const std::string table = folder.file("ruv5_lord.txt");
  testing::writeGbkFile(table, kMoneyTable);
  // Held already when the dialog opens: still offered, and told as held, not as missing. Cancel leaves
  // everything as it was.
  HeldOpen held(table, HeldOpen::Sharing::Nothing);
  ui::BatchDialogLogic dialog(state, host, dir());
  dialog.onInit();
  EXPECT_EQ(host.itemText(BATCH_PATH), table);
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::ErrorRetryCancel);
  EXPECT_EQ(host.boxes[0].text, Message::withPaths(kHeldOpen, {table}).textLine(kCloseAndRetry).joined());
  EXPECT_FALSE(state.pendingChanges);

  // Retry reads the table once the other program let go.
  held.hold();
  host.beforeAnswer = [&](const testing::ShownBox&) { held.letGo(); };
  host.boxes.clear();
  host.answers = {BoxAnswer::Retry};
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[1].title, "处理完毕");
  EXPECT_EQ(state.current().scenarios[1].force(2).get(force::money), 4321);

  // Dropped on the main window while held: told as held, and no batch dialog opens.
  host.beforeAnswer = nullptr;
  held.hold();
  ui::MainDialogLogic main(state, host, dir());
  testing::ScriptedDrop drop({table});
  host.boxes.clear();
  EXPECT_TRUE(main.onDropFiles(drop));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, Message::withPaths(kHeldOpen, {table}).joined());
  EXPECT_TRUE(host.dialogsRun.empty());
}

// The game keeps its scenario files open while it runs, sharing only their reading: 生成新剧本 names the
// game and offers Retry, which writes the pair once it has let go; Cancel leaves the folder's pair and
// the pending changes as they were.
TEST_F(KeepingDialogs, GeneratingOverAPairTheGameHoldsOpenNamesTheGameAndRetries) {
  testing::writePair(dir(), testing::writeToBytes(state.pristine()));
  const std::string sndata = folder.file("sndata.s5");
  const std::string before = readFile(sndata);
  pendingEdit();
  ui::MainDialogLogic main(state, host, dir());
  HeldOpen held(sndata, HeldOpen::Sharing::Reading);
  EXPECT_TRUE(main.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u);
  const std::string& text = host.boxes[0].text;
  EXPECT_EQ(host.boxes[0].style, BoxStyle::ErrorRetryCancel);
  EXPECT_TRUE(text.starts_with(Message::withPaths(kCannotWritePair, {sndata})
                                   .append(Message::withPaths(std::string("\n") + kPairHeldOpen, {sndata}))
                                   .joined() +
                               "\n"))
      << text;
  EXPECT_TRUE(text.ends_with(std::string("\n") + kQuitGameAndRetry)) << text;
  EXPECT_EQ(readFile(sndata), before);
  EXPECT_TRUE(state.pendingChanges);

  held.hold();
  host.beforeAnswer = [&](const testing::ShownBox&) { held.letGo(); };
  host.boxes.clear();
  host.answers = {BoxAnswer::Retry};
  EXPECT_TRUE(main.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[1].title, "处理完毕");
  EXPECT_EQ(readFile(sndata), testing::writeToBytes(state.current()).sndata);
  EXPECT_FALSE(state.pendingChanges);
}

}  // namespace
}  // namespace vorandel
