#include "ui/BatchDialogLogic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "model/Records.h"
#include "tables/BatchTable.h"
#include "tables/TableExport.h"
#include "tables/TableMessages.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/tables/TableExportSets.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/ResourceIds.h"

namespace vorandel {
namespace {

using testing::ScriptedDrop;
using testing::ScriptedHost;
using testing::ShownBox;
using testing::TempFolder;
using ui::BoxAnswer;
using ui::BoxOwner;
using ui::BoxStyle;

const std::string kMoneyHeader =
    "剧本\t编号\t设置\t金钱\n"
    "x\tx\tx\t1\n";
const std::string kGoodTable = kMoneyHeader + "1\t2\t1\t4321\n";
const std::string kBadTable = kMoneyHeader + "1\t2\t1\t3000001\n";  // above the largest amount

class BatchDialog : public ::testing::Test {
 protected:
  BatchDialog() {
    state.startFrom(testing::smallValidSet());
    state.batchMode = 2;
  }

  std::int32_t money() const { return state.current().scenarios[1].force(2).get(force::money); }

  ui::BatchDialogLogic open() {
    ui::BatchDialogLogic dialog(state, host, folder.path().string());
    EXPECT_TRUE(dialog.onInit());
    return dialog;
  }

  ui::ProgramState state;
  ScriptedHost host;
  TempFolder folder;
};

TEST_F(BatchDialog, OpensWithTheModesTitleAndItsDefaultFileWhenItExists) {
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kGoodTable);
  state.inputPath = "left over from before";
  open();
  EXPECT_EQ(host.windowText, "批量修改势力信息");
  EXPECT_EQ(state.inputPath, folder.file("ruv5_lord.txt"));
  EXPECT_EQ(host.itemText(BATCH_PATH), folder.file("ruv5_lord.txt"));

  const std::pair<int, const char*> modes[] = {
      {0, "批量修改所有剧本中的人名/地名"}, {1, "批量修改武将资料"}, {3, "批量修改城市信息"}};
  for (const auto& [mode, title] : modes) {
    state.batchMode = mode;
    host.itemTexts.clear();
    open();
    EXPECT_EQ(host.windowText, title);
    EXPECT_EQ(state.inputPath, "") << "mode " << mode << ": its default file is not in the folder";
    EXPECT_FALSE(host.itemText(BATCH_PATH));
  }
}

// The first line of a box's text.
std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST_F(BatchDialog, ASuccessfulBatchCommitsClosesAndLeavesTheChangesPending) {
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kGoodTable);
  auto dialog = open();
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  EXPECT_EQ(money(), 4321);
  EXPECT_TRUE(state.pendingChanges);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text,
            "已保存修改。\n势力表：修改了 1 个势力（共 1 项）；改动最多的列：金钱 1。\n"
            "修改尚未写入剧本文件，请用「生成新剧本」写入。");
  EXPECT_EQ(host.boxes[0].title, "处理完毕");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Plain);
  EXPECT_EQ(host.boxes[0].owner, BoxOwner::Dialog);
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
}

TEST_F(BatchDialog, CancelAfterAnErrorKeepsTheDialogAndTheSet) {
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kBadTable);
  const ScenarioSet before = state.current();
  auto dialog = open();
  host.answers = {BoxAnswer::Cancel};
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "错误");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::ErrorRetryCancel);
  EXPECT_NE(host.boxes[0].text.find(kOutOfRange), std::string::npos) << host.boxes[0].text;
  EXPECT_NE(host.boxes[0].text.find("(D3)"), std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(state.current(), before);
  EXPECT_FALSE(state.pendingChanges) << "a failed batch changes nothing";
  EXPECT_TRUE(host.endedWith.empty());
  EXPECT_EQ(state.inputPath, folder.file("ruv5_lord.txt"));

  // Pressing again after fixing the file starts from the unchanged set.
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kGoodTable);
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  EXPECT_EQ(money(), 4321);
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
}

// A table of another kind: the error box says which kind it is and which button of the main window takes it.
TEST_F(BatchDialog, ATableOfAnotherKindIsToldWithTheButtonThatTakesIt) {
  const struct {
    int mode;
    std::string table;
    std::string told;
  } cases[] = {
      {3, kGoodTable, "从第一行看，这是一张势力表：请用主窗口的「修改势力信息」按钮读入它"},
      {2, "剧本 ID 名称 设置 民忠\n- - - 0 1\n0 1 x 1 77\n",
       "从第一行看，这是一张城市表：请用主窗口的「修改城市信息」按钮读入它"},
      {1, "W 11 甲乙\n", "从第一行看，这是一张人名/地名表：请用主窗口的「修改人/地名」按钮读入它"},
      {0, "剧本 ID 姓名 设置 编号 武力\n- - - 1 - 1\n0 12 某 1 0 50\n",
       "从第一行看，这是一张武将表：请用主窗口的「修改武将资料」按钮读入它"},
  };
  for (const auto& c : cases) {
    testing::writeGbkFile(folder.file("table.txt"), c.table);
    state.batchMode = c.mode;
    state.inputPath = folder.file("table.txt");
    host.boxes.clear();
    host.answers = {BoxAnswer::Cancel};
    ui::BatchDialogLogic dialog(state, host, folder.path().string());
    EXPECT_TRUE(dialog.onCommand(BATCH_START));
    ASSERT_EQ(host.boxes.size(), 1u) << c.mode;
    const std::string text = host.boxes[0].text + "\n";
    EXPECT_NE(text.find("\n" + c.told + "\n"), std::string::npos) << c.mode << ": " << text;
  }
}

TEST_F(BatchDialog, TheDoneBoxTellsATableThatChangedNothing) {
  // The row is switched off: the table applies, and the box says it changed nothing.
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kMoneyHeader + "1\t2\t0\t4321\n");
  auto dialog = open();
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "已保存修改。\n势力表：没有修改任何数据；跳过 1 行。");
  EXPECT_EQ(host.boxes[0].title, "处理完毕");
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
}

TEST_F(BatchDialog, RetryReadsTheFileAgainOnAFreshCopy) {
  // Two rows: the first one succeeds before the second fails, so a copy that was not fresh would show it.
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kMoneyHeader + "0\t1\t1\t777\n1\t2\t1\t3000001\n");
  const ScenarioSet before = state.current();
  auto dialog = open();
  host.answers = {BoxAnswer::Retry, BoxAnswer::Retry};
  int errorsSeen = 0;
  host.beforeAnswer = [&](const testing::ShownBox& box) {
    if (box.style != BoxStyle::ErrorRetryCancel) return;
    EXPECT_EQ(state.current(), before) << "the failed run must not touch the current set";
    if (++errorsSeen == 2) testing::writeGbkFile(folder.file("ruv5_lord.txt"), kGoodTable);
  };
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  EXPECT_TRUE(state.pendingChanges);
  EXPECT_EQ(errorsSeen, 2) << "Retry with the same file raises the same error again";
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[0].text, host.boxes[1].text);
  EXPECT_EQ(host.boxes[2].text,
            "已保存修改。\n势力表：修改了 1 个势力（共 1 项）；改动最多的列：金钱 1。\n"
            "修改尚未写入剧本文件，请用「生成新剧本」写入。");
  EXPECT_EQ(money(), 4321);
  EXPECT_EQ(state.current().scenarios[0].force(1).get(force::money), before.scenarios[0].force(1).get(force::money))
      << "the fixed file no longer sets force 1; nothing of the failed runs may remain";
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
}

TEST_F(BatchDialog, AnOfficerTableIsValidatedBeforeItIsCommitted) {
  state.batchMode = 1;
  const std::string header =
      "剧本\tID\t姓名\t设置\t编号\t武力\t可学技能\t主管\n"
      "x\tx\tx\t0\tx\t1\t1\t0\n";
  const std::string skills = "\t火计,混乱,内讧,收拾,仙术,鼓舞\t军事\n";
  // A new officer without a place passes the table but not the check of the whole scenario.
  testing::writeGbkFile(folder.file("ruv5_officer.txt"), header + "0\t600\t新人\t3\t0\t70" + skills);
  const ScenarioSet before = state.current();
  auto dialog = open();
  EXPECT_EQ(state.inputPath, folder.file("ruv5_officer.txt"));
  host.answers = {BoxAnswer::Cancel};
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::ErrorRetryCancel);
  EXPECT_EQ(host.boxes[0].text.find("错误数据可能在"), std::string::npos)
      << "the validator's message, not a cell error: " << host.boxes[0].text;
  EXPECT_EQ(state.current(), before);
  EXPECT_TRUE(host.endedWith.empty());

  testing::writeGbkFile(folder.file("ruv5_officer.txt"), header + "0\t12\t某人\t1\t0\t85" + skills);
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  EXPECT_TRUE(host.boxes.back().text.starts_with("已保存修改。\n武将表：修改了 1 名武将（共 "))
      << host.boxes.back().text;
  EXPECT_NE(host.boxes.back().text.find("武力 1"), std::string::npos) << host.boxes.back().text;
  const int officer = state.current().officerIndexOf(0, 12).value().number();
  EXPECT_EQ(state.current().scenarios[0].officerState(officer).get(state::war), 85);
}

TEST_F(BatchDialog, AMissingFileIsToldByTheDialogAndTheDialogStaysOpen) {
  state.batchMode = 1;
  auto dialog = open();
  ASSERT_EQ(state.inputPath, "");
  EXPECT_FALSE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "文件不存在！\n原因：没有给出文件名");
  EXPECT_EQ(host.boxes[0].title, "错误");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  EXPECT_EQ(host.boxes[0].owner, BoxOwner::Dialog);
  EXPECT_TRUE(host.endedWith.empty());

  // Retry finds the file gone as well: the same message, no Retry/Cancel box.
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kBadTable);
  state.batchMode = 2;
  state.inputPath = folder.file("ruv5_lord.txt");
  host.boxes.clear();
  host.answers = {BoxAnswer::Retry};
  host.beforeAnswer = [&](const testing::ShownBox& box) {
    if (box.style == BoxStyle::ErrorRetryCancel) std::filesystem::remove(folder.file("ruv5_lord.txt"));
  };
  EXPECT_FALSE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[1].text, "文件不存在！\n原因：找不到这个文件（请检查文件名和文件夹）");
  EXPECT_EQ(state.current(), state.pristine());
}

TEST_F(BatchDialog, ADropTakesTheFirstFileAndIsAlwaysReleased) {
  auto dialog = open();
  ScriptedDrop three({"C:\\tables\\first.txt", "C:\\tables\\second.txt", "C:\\tables\\third.txt"});
  EXPECT_TRUE(dialog.onDropFiles(three));
  EXPECT_EQ(state.inputPath, "C:\\tables\\first.txt");
  EXPECT_EQ(host.itemText(BATCH_PATH), "C:\\tables\\first.txt");
  EXPECT_EQ(three.finished, 1);

  ScriptedDrop none({});
  EXPECT_TRUE(dialog.onDropFiles(none));
  EXPECT_EQ(state.inputPath, "C:\\tables\\first.txt");
  EXPECT_EQ(none.finished, 1);

  // However long the name, it is taken whole: a cut path names another file or none.
  ScriptedDrop longName({std::string(300, 'a')});
  dialog.onDropFiles(longName);
  EXPECT_EQ(state.inputPath, std::string(300, 'a'));
}

TEST_F(BatchDialog, BrowseStartsFromThePathAndKeepsItWhenCancelled) {
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kGoodTable);
  auto dialog = open();
  EXPECT_FALSE(dialog.onCommand(BATCH_BROWSE));
  EXPECT_EQ(host.browseStartedFrom, folder.file("ruv5_lord.txt"));
  EXPECT_EQ(host.browseStartFolder, "");
  EXPECT_EQ(state.inputPath, folder.file("ruv5_lord.txt"));

  host.browseResult = (folder.path() / "sub" / "other.txt").string();
  EXPECT_TRUE(dialog.onCommand(BATCH_BROWSE));
  EXPECT_EQ(state.inputPath, *host.browseResult);
  EXPECT_EQ(host.itemText(BATCH_PATH), *host.browseResult);

  // The next open-file dialog, of this or a later batch dialog, starts in the folder chosen last.
  state.batchMode = 1;
  auto later = open();
  host.browseResult.reset();
  EXPECT_FALSE(later.onCommand(BATCH_BROWSE));
  EXPECT_EQ(host.browseStartFolder, (folder.path() / "sub").string());
}

TEST_F(BatchDialog, ABatchThatChangesNothingSaysSoAndLeavesNothingPending) {
  const std::string unchanged = std::to_string(money());
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kMoneyHeader + "1\t2\t1\t" + unchanged + "\n");
  auto dialog = open();
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(firstLine(host.boxes[0].text), "已保存修改。");
  EXPECT_EQ(host.boxes[0].text.find("生成新剧本"), std::string::npos) << host.boxes[0].text;
  EXPECT_FALSE(state.pendingChanges);
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
}

TEST_F(BatchDialog, ExportWritesTheModesTableNextToTheProgramAndFillsThePath) {
  state.changeCurrent().scenarios[1].force(2).set(force::money, 2468);
  auto dialog = open();
  EXPECT_EQ(state.inputPath, "");
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  const std::string table = folder.file("ruv5_lord.txt");
  EXPECT_EQ(state.inputPath, table);
  EXPECT_EQ(host.itemText(BATCH_PATH), table);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "处理完毕");
  EXPECT_EQ(host.boxes[0].owner, BoxOwner::Dialog);
  EXPECT_NE(host.boxes[0].text.find(table), std::string::npos) << host.boxes[0].text;
  EXPECT_NE(testing::readFile(table).find("2468"), std::string::npos);
  EXPECT_TRUE(host.endedWith.empty()) << "the dialog stays for editing and applying the table";

  // Applied as it is, the table changes nothing.
  const ScenarioSet exported = state.current();
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  EXPECT_EQ(state.current(), exported);
  EXPECT_FALSE(state.pendingChanges);

  // An edited table is replaced only when the player says yes; it then stays as .bak.
  testing::writeGbkFile(table, kGoodTable);
  host.boxes.clear();
  host.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  EXPECT_EQ(testing::readFile(table + ".bak"), testing::gbkBytes(kGoodTable));
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::QuestionYesNo);
  EXPECT_NE(host.boxes[1].text.find(table + ".bak"), std::string::npos) << host.boxes[1].text;
}

TEST_F(BatchDialog, ExportNamesTheRowsItSwitchedOffAndAFailureWritesNothing) {
  state.changeCurrent().scenarios[1].force(2).set(force::money, 3000001);  // above what the table can hold
  auto dialog = open();
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.find("1 行无法写入表中"), std::string::npos) << host.boxes[0].text;
  EXPECT_NE(host.boxes[0].text.find("该行的设置为0"), std::string::npos) << host.boxes[0].text;

  // A folder in the table's place: told as an error, the path stays as it was.
  std::filesystem::remove(folder.file("ruv5_lord.txt"));
  std::filesystem::create_directory(folder.file("ruv5_lord.txt"));
  state.inputPath = "before";
  host.boxes.clear();
  EXPECT_FALSE(dialog.onCommand(BATCH_EXPORT));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].title, "错误");
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  EXPECT_EQ(state.inputPath, "before");
}

TEST_F(BatchDialog, ExportSwitchesOnOnlyTheColumnsTypedAndRefusesAnUnknownOne) {
  state.batchMode = 3;
  auto dialog = open();
  const std::string table = folder.file("ruv5_city.txt");
  host.typed[BATCH_COLUMNS] = "农业， 商业";
  EXPECT_TRUE(dialog.onCommand(BATCH_EXPORT));
  const std::string text = gbkToUtf8(testing::readFile(table)).value();
  const std::vector<std::string_view> lines = tableLines(text);
  const std::vector<std::string_view> header = splitCells(lines.at(0));
  const std::vector<std::string_view> switches = splitCells(lines.at(1));
  for (std::size_t j = 4; j < header.size(); ++j)
    EXPECT_EQ(switches.at(j), header[j] == "农业" || header[j] == "商业" ? "1" : "0") << header[j];

  host.boxes.clear();
  std::filesystem::remove(table);
  host.typed[BATCH_COLUMNS] = "农业,武力";
  EXPECT_FALSE(dialog.onCommand(BATCH_EXPORT));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  EXPECT_TRUE(host.boxes[0].text.starts_with("没有可以导出的列「武力」\n城市表可以导出的列：新名称,"))
      << host.boxes[0].text;
  EXPECT_FALSE(std::filesystem::exists(table));
}

TEST_F(BatchDialog, ATableSettingBackWhatAnEarlierPendingTableChangedAsksBeforeItIsApplied) {
  const std::string raise = kMoneyHeader + "1\t2\t1\t4321\n";
  const std::string back = kMoneyHeader + "1\t2\t1\t" + std::to_string(money()) + "\n";
  const std::string original = std::to_string(money());
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), raise);
  open().onCommand(BATCH_START);
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), back);
  open().onCommand(BATCH_START);  // the question unanswered: Cancel
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].text.find("注意："), std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(host.boxes[1].style, BoxStyle::QuestionYesNoCancel);
  EXPECT_TRUE(host.boxes[1].text.starts_with(formatMessage(kTablesUndid, "势力表", std::size_t{1})))
      << host.boxes[1].text;
  EXPECT_NE(host.boxes[1].text.find("的「金钱」：4321 改回 " + original), std::string::npos) << host.boxes[1].text;
  EXPECT_NE(host.boxes[1].text.find(kTablesUndidHintForProgram), std::string::npos);
  EXPECT_EQ(money(), 4321);

  // Once the changes are written (or discarded), the next table begins a new run.
  state.pendingChanges = false;
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), raise);
  open().onCommand(BATCH_START);
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), back);
  state.pendingChanges = false;
  open().onCommand(BATCH_START);
  ASSERT_EQ(host.boxes.size(), 4u);
  EXPECT_EQ(host.boxes[3].style, BoxStyle::Plain);
  EXPECT_EQ(host.boxes[3].text.find("注意："), std::string::npos) << host.boxes[3].text;
  EXPECT_EQ(money(), std::stoi(original));
}

// The table with the cell under the header, in the row of the scenario and officer id, replaced.
std::string withCell(const std::string& table, std::size_t s, int id, const std::string& header,
                     const std::string& value) {
  std::string edited;
  std::size_t column = 0;
  for (const std::string_view line : tableLines(table)) {
    std::vector<std::string> cells;
    for (const std::string_view cell : splitCells(line)) cells.emplace_back(cell);
    if (edited.empty())
      column = static_cast<std::size_t>(std::find(cells.begin(), cells.end(), header) - cells.begin());
    if (cells.size() > column && cells[0] == std::to_string(s) && cells[1] == std::to_string(id)) cells[column] = value;
    edited += joinCells(cells, "\t") + "\r\n";
  }
  return edited;
}

// A name list renames officer 201 in both scenarios and a table raises officer 202's 武力 in scenario 0; an
// officer table exported before both, with officer 203's 武力 raised in scenario 1, would set all three back.
TEST_F(BatchDialog, KeepTakeOrCancelATableThatSetsBackTheRenamesOfANameList) {
  // Officers whose every value an exported table can write.
  const ScenarioSet start = testing::tableReadySet();
  const std::string exported = exportOfficerTable(start, {}, {kOfficerNameColumn, "武力"}).text;
  testing::writeGbkFile(folder.file("names.txt"), "W\t201\t新名\r\n");
  testing::writeGbkFile(folder.file("officers.txt"), withCell(exported, 1, 203, "武力", "99"));
  testing::writeGbkFile(folder.file("war.txt"),
                        withCell(exportOfficerTable(start, {}, {"武力"}).text, 0, 202, "武力", "98"));
  const auto nameOf = [&](std::size_t s, int id) {
    const Scenario& scenario = state.current().scenario(s);
    return testing::nameText(
        scenario.officerProfile(state.current().officerIndexOf(s, id)->number()).text(profile::name));
  };
  const auto warOf = [&](std::size_t s, int id) {
    return static_cast<int>(
        state.current().scenario(s).officerState(state.current().officerIndexOf(s, id)->number()).get(state::war));
  };
  const auto run = [&](int mode, const char* file) {
    state.batchMode = mode;
    state.inputPath = folder.file(file);
    ui::BatchDialogLogic dialog(state, host, folder.path().string());
    EXPECT_TRUE(dialog.onCommand(BATCH_START));
  };

  for (const BoxAnswer answer : {BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::Cancel}) {
    SCOPED_TRACE(static_cast<int>(answer));
    state = ui::ProgramState();
    state.startFrom(start);
    host = ScriptedHost();
    run(0, "names.txt");
    ASSERT_EQ(nameOf(0, 201), "新名");
    ASSERT_EQ(nameOf(1, 201), "新名");
    // A table that sets back nothing asks nothing.
    const int war = warOf(0, 202);
    run(1, "war.txt");
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].style, BoxStyle::Plain);
    EXPECT_EQ(warOf(0, 202), 98);
    const ScenarioSet named = state.current();

    host.answers = {answer};
    host.endedWith.clear();
    run(1, "officers.txt");
    ASSERT_GE(host.boxes.size(), 3u);
    const ShownBox& question = host.boxes[2];
    EXPECT_EQ(question.style, BoxStyle::QuestionYesNoCancel);
    EXPECT_TRUE(question.text.starts_with(formatMessage(kTablesUndid, "武将表", std::size_t{3}))) << question.text;
    EXPECT_NE(question.text.find("\n  剧本0 武将 201（W201）的「新姓名」：新名 改回 W201\n"), std::string::npos)
        << question.text;
    EXPECT_NE(question.text.find(formatMessage("\n  剧本0 武将 202（W202）的「武力」：98 改回 %d\n", war)),
              std::string::npos)
        << question.text;
    for (const char* line : {ui::kAnswerKeepsEarlier, ui::kAnswerTakesTable, ui::kAnswerCancels})
      EXPECT_NE(question.text.find(line), std::string::npos) << question.text;
    EXPECT_TRUE(state.pendingChanges);

    if (answer == BoxAnswer::Cancel) {
      EXPECT_EQ(host.boxes.size(), 3u);
      EXPECT_EQ(state.current(), named);
      EXPECT_TRUE(host.endedWith.empty()) << "the dialog stays open";
    } else {
      ASSERT_EQ(host.boxes.size(), 4u);
      EXPECT_EQ(host.boxes[3].title, "处理完毕");
      const bool kept = answer == BoxAnswer::Yes;
      EXPECT_EQ(nameOf(0, 201), kept ? "新名" : "W201");
      EXPECT_EQ(nameOf(1, 201), kept ? "新名" : "W201");
      EXPECT_EQ(warOf(0, 202), kept ? 98 : war);
      EXPECT_EQ(warOf(1, 203), 99) << "the rest of the table is applied";
      EXPECT_EQ(host.boxes[3].text.find(formatMessage(ui::kKeptEarlier, std::size_t{3})) != std::string::npos, kept)
          << host.boxes[3].text;
      EXPECT_EQ(host.endedWith, std::vector<int>{0});
    }

    // The pending tables hold what was committed: the renames stay pending unless the table's names were
    // taken, so the same table asks again, and taken names leave it nothing to set back.
    const std::size_t shown = host.boxes.size();
    host.answers.clear();
    run(1, "officers.txt");
    ASSERT_EQ(host.boxes.size(), shown + 1);
    EXPECT_EQ(host.boxes.back().style, answer == BoxAnswer::No ? BoxStyle::Plain : BoxStyle::QuestionYesNoCancel)
        << host.boxes.back().text;
  }
}

// Officer 201 moves to 晋阳 and governs it instead of 202; an officer table exported before sets all that
// back, the city's governor too, which no city table column writes: it comes back with the officers'.
TEST_F(BatchDialog, KeepingTheEarlierValuesOfAMoveKeepsTheGovernorItMade) {
  const ScenarioSet start = testing::tableReadySet();
  state.startFrom(start);
  state.batchMode = 1;
  const std::string exported = exportOfficerTable(start, {0}, {"所在地", "太守"}).text;
  testing::writeGbkFile(
      folder.file("moved.txt"),
      withCell(withCell(withCell(exported, 0, 201, "所在地", "晋阳"), 0, 201, "太守", "1"), 0, 202, "太守", "0"));
  testing::writeGbkFile(folder.file("exported.txt"), exported);
  state.inputPath = folder.file("moved.txt");
  ui::BatchDialogLogic(state, host, folder.path().string()).onCommand(BATCH_START);
  const ScenarioSet moved = state.current();
  ASSERT_NE(moved, start);
  host.answers = {BoxAnswer::Yes};
  state.inputPath = folder.file("exported.txt");
  ui::BatchDialogLogic(state, host, folder.path().string()).onCommand(BATCH_START);
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_NE(host.boxes[1].text.find("\n  剧本0 城市 4（C4）的「太守」：W201 改回 W202\n"), std::string::npos)
      << host.boxes[1].text;
  EXPECT_NE(host.boxes[2].text.find(formatMessage(ui::kKeptEarlier, std::size_t{4})), std::string::npos)
      << host.boxes[2].text;
  EXPECT_EQ(state.current(), moved);
}

// A table gives 孙子兵法 to officer 201; a table exported before it gives the book to 202 instead. Keeping
// 201's book would take it from 202 again, undoing the later table: that is refused and changes nothing.
TEST_F(BatchDialog, KeepingTheEarlierValuesNeverUndoesWhatTheTableItselfChanged) {
  const ScenarioSet start = testing::tableReadySet();
  state.startFrom(start);
  state.batchMode = 1;
  const std::string exported = exportOfficerTable(start, {0}, {"宝物"}).text;
  testing::writeGbkFile(folder.file("to201.txt"), withCell(exported, 0, 201, "宝物", "孙子兵法"));
  testing::writeGbkFile(folder.file("to202.txt"), withCell(exported, 0, 202, "宝物", "孙子兵法"));
  state.inputPath = folder.file("to201.txt");
  ui::BatchDialogLogic(state, host, folder.path().string()).onCommand(BATCH_START);
  const ScenarioSet given = state.current();
  ASSERT_NE(given, start);

  host.answers = {BoxAnswer::Yes, BoxAnswer::No};
  host.endedWith.clear();
  state.inputPath = folder.file("to202.txt");
  ui::BatchDialogLogic dialog(state, host, folder.path().string());
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[2].style, BoxStyle::Error);
  EXPECT_EQ(host.boxes[2].text,
            std::string(ui::kCannotKeepEarlier) + "\n" +
                formatMessage(kCannotKeepTableValue, std::size_t{0}, "武将", 202, "W202", "宝物", "孙子兵法", "---"));
  EXPECT_EQ(state.current(), given);
  EXPECT_TRUE(host.endedWith.empty()) << "the dialog stays open";

  // Nothing was taken in: the table asks again, and "否" gives the book to 202.
  EXPECT_TRUE(dialog.onCommand(BATCH_START));
  ASSERT_EQ(host.boxes.size(), 5u);
  EXPECT_EQ(host.boxes[3].style, BoxStyle::QuestionYesNoCancel);
  EXPECT_NE(state.current(), given);
  EXPECT_EQ(host.endedWith, std::vector<int>{0});
}

TEST_F(BatchDialog, AFileDroppedOnTheMainWindowIsOfferedInsteadOfTheDefault) {
  testing::writeGbkFile(folder.file("ruv5_lord.txt"), kGoodTable);
  state.droppedPath = folder.file("dropped.txt");
  open();
  EXPECT_EQ(state.inputPath, folder.file("dropped.txt"));
  EXPECT_EQ(host.itemText(BATCH_PATH), folder.file("dropped.txt"));
  EXPECT_EQ(state.droppedPath, "") << "only the dialog opened for the drop takes it";
  open();
  EXPECT_EQ(state.inputPath, folder.file("ruv5_lord.txt"));
}

TEST_F(BatchDialog, BackEscAndCloseEndWithoutChanges) {
  auto dialog = open();
  EXPECT_TRUE(dialog.onCommand(BATCH_BACK));
  EXPECT_TRUE(dialog.onCommand(DIALOG_ESCAPE));
  EXPECT_TRUE(dialog.onClose());
  EXPECT_EQ(host.endedWith, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(state.current(), state.pristine());
}

}  // namespace
}  // namespace vorandel
