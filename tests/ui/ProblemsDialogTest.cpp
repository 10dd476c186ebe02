// The batch dialog's error box keeps its text and adds the details; the full list of a table's problems
// waits behind "全部问题" in a read-only text; warnings follow "已保存修改。" in the done box.
#include <gtest/gtest.h>

#include "model/Records.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/BatchDialogLogic.h"
#include "ui/ProblemsDialogLogic.h"
#include "ui/ResourceIds.h"

namespace vorandel {
namespace {

using testing::ScriptedHost;
using ui::BoxAnswer;

const std::string kHeader =
    "剧本\t编号\t设置\t金钱\t金钱\n"
    "x\tx\tx\t1\t1\n";

class ProblemsDialog : public ::testing::Test {
 protected:
  ProblemsDialog() {
    state.startFrom(testing::smallValidSet());
    state.batchMode = 2;
  }

  // Runs the table through the batch dialog and answers the error box with Cancel.
  void runTable(const std::string& table) {
    testing::writeGbkFile(folder.file("ruv5_lord.txt"), table);
    ui::BatchDialogLogic dialog(state, host, folder.path().string());
    dialog.onInit();
    host.answers = {BoxAnswer::Cancel};
    dialog.onCommand(BATCH_START);
  }

  ui::ProgramState state;
  ScriptedHost host;
  testing::TempFolder folder;
};

TEST_F(ProblemsDialog, TheErrorBoxKeepsItsTextAndTheListWaitsBehindAButton) {
  runTable(kHeader + "1\t2\t1\tx\t5\n" + "1\t2\t1\t5\t3000001\n" + "1\t2\t1\t5\n");
  ASSERT_EQ(host.boxes.size(), 1u);
  const std::string& shown = host.boxes[0].text;
  const std::string first = "错误数据可能在：第3行第4列  (D3)\n 不能全部转为整数。\n";
  EXPECT_TRUE(shown.starts_with(first + "表：" + folder.file("ruv5_lord.txt") +
                                "\n第3行「金钱」列 (D3)：「x」\n允许 0–3000000\n"))
      << shown;
  EXPECT_TRUE(shown.ends_with("表中还有其他无法读取的地方，按「全部问题」可以全部列出。")) << shown;
  EXPECT_EQ(shown.find("3000001"), std::string::npos) << "the list is not in the box: " << shown;

  ui::BatchDialogLogic dialog(state, host, folder.path().string());
  EXPECT_TRUE(dialog.onCommand(BATCH_PROBLEMS));
  EXPECT_EQ(host.dialogsRun, std::vector<int>{PROBLEMS_DIALOG});

  ScriptedHost listHost;
  ui::ProblemsDialogLogic list(state, listHost);
  // It opens at the list's first line, nothing selected.
  EXPECT_FALSE(list.onInit());
  EXPECT_EQ(listHost.focusedAtStart, std::vector<int>{PROBLEMS_TEXT});
  const std::string text = listHost.itemText(PROBLEMS_TEXT).value_or("");
  EXPECT_TRUE(text.starts_with("错误数据可能在：第3行第4列  (D3)\r\n 不能全部转为整数。\r\n")) << text;
  EXPECT_TRUE(
      text.ends_with("表中所有无法读取的地方（按文件顺序）：\r\n"
                     "第3行「金钱」列 (D3)：「x」 不能全部转为整数。  允许 0–3000000\r\n"
                     "第4行「金钱」列 (E4)：「3000001」 数值不在允许范围内  允许 0–3000000\r\n"
                     "第5行有 4 个单元格，表头有 5 个：每行列数必须一样"))
      << text;
  EXPECT_EQ(text.find("\n\n"), std::string::npos);
  EXPECT_TRUE(list.onCommand(PROBLEMS_OK));
  EXPECT_EQ(listHost.endedWith, std::vector<int>{0});
}

TEST_F(ProblemsDialog, ASuccessfulTableClearsTheListAndShowsItsWarnings) {
  runTable(kHeader + "1\t2\t1\tx\t5\n");
  EXPECT_FALSE(state.problemReport.empty());
  host.boxes.clear();
  runTable(kHeader + "1\t2\t1\t5\t6\n" + "9\t2\t1\t5\t6\n");
  ASSERT_EQ(host.boxes.size(), 1u);
  // The warnings follow the done text and the summary.
  const std::string& done = host.boxes[0].text;
  EXPECT_TRUE(done.starts_with("已保存修改。\n")) << done;
  EXPECT_TRUE(
      done.ends_with("\n注意：表头中「金钱」出现了不止一次，只有最右边的一列起作用\n"
                     "注意：剧本编号不在 0–1 之内的行没有改变任何数据（第4行，共 1 行）"))
      << done;
  EXPECT_EQ(state.current().scenarios[1].force(2).get(force::money), 6);
  EXPECT_TRUE(state.problemReport.empty());

  ScriptedHost listHost;
  ui::ProblemsDialogLogic list(state, listHost);
  list.onInit();
  EXPECT_EQ(listHost.itemText(PROBLEMS_TEXT), std::string(ui::kNoProblems));
}

}  // namespace
}  // namespace vorandel
