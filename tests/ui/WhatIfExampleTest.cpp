// The help file's what-if example played through the main window on the built-in pair: each table is
// applied by its batch dialog in the order the example gives, then "生成新剧本" writes the pair, which
// must load, pass validation and hold the new owner, rulers and governor.
#include <gtest/gtest.h>

#include <functional>

#include "model/BuiltInData.h"
#include "model/Loader.h"
#include "model/Records.h"
#include "rules/Validator.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/BatchDialogLogic.h"
#include "ui/MainDialogLogic.h"
#include "ui/ResourceIds.h"

namespace vorandel {
namespace {

using testing::ScriptedHost;
using testing::TempFolder;

struct ExampleStep {
  int button;
  const char* file;  // the batch dialog's default file, which it opens with
  const char* table;
};

// The example's tables, as the help file gives them.
const ExampleStep kSteps[] = {
    {MAIN_CITY_TABLE, "ruv5_city.txt", "剧本\tID\t名称\t设置\t势力\r\n-\t-\t-\t32\t1\r\n0\t19\t许昌\t1\t4\r\n"},
    {MAIN_OFFICER_TABLE, "ruv5_officer.txt",
     "剧本\tID\t姓名\t设置\t编号\t所在地\r\n-\t-\t-\t1\t-\t1\r\n0\t434\t潘忠\t4\t127\t庐陵\r\n"},
    {MAIN_FORCE_TABLE, "ruv5_lord.txt", "剧本\t编号\t设置\t君主\r\n-\t-\t-\t1\r\n0\t15\t1\t434\r\n"},
    {MAIN_FORCE_TABLE, "ruv5_lord.txt",
     "剧本\t编号\t设置\t君主\t声望\t金钱\t粮食\r\n-\t-\t-\t1\t1\t1\t1\r\n0\t1\t1\t101\t100\t5000\t20000\r\n"},
};

TEST(WhatIfExample, ThroughTheBatchDialogsAndGenerate) {
  ui::ProgramState state;
  startUp(state, builtInData().sndata, builtInData().taiki);
  ScriptedHost host;
  TempFolder folder;
  ui::MainDialogLogic mainWindow(state, host, folder.path().string());

  for (const ExampleStep& step : kSteps) {
    SCOPED_TRACE(step.table);
    testing::writeGbkFile(folder.file(step.file), step.table);
    host.boxes.clear();
    host.whileDialogRuns = [&](int resource) {
      if (resource != BATCH_DIALOG) return;
      ui::BatchDialogLogic batch(state, host, folder.path().string());
      ASSERT_TRUE(batch.onInit());
      ASSERT_EQ(state.inputPath, folder.file(step.file));
      EXPECT_TRUE(batch.onCommand(BATCH_START));
    };
    EXPECT_TRUE(mainWindow.onCommand(step.button));
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_TRUE(host.boxes.back().text.starts_with("已保存修改。")) << host.boxes.back().text;
    EXPECT_TRUE(state.pendingChanges);
  }

  host.boxes.clear();
  EXPECT_TRUE(mainWindow.onCommand(MAIN_GENERATE));
  ASSERT_EQ(host.boxes.size(), 1u);
  ASSERT_TRUE(host.boxes[0].text.starts_with("已生成新的剧本。")) << host.boxes[0].text;
  EXPECT_FALSE(state.pendingChanges);

  ScenarioSet written;
  loadScenarioSet(written, testing::readFile(folder.file("sndata.s5")), testing::readFile(folder.file("taiki.s5")));
  EXPECT_NO_THROW(validateScenarios(written, 0, written.scenarioCount()));
  EXPECT_EQ(written, state.current());

  const ScenarioSet& pristine = state.pristine();
  const auto number = [&](const ScenarioSet& set, long id) { return set.officerIndexOf(0, id).value().number(); };
  const Scenario& before = pristine.scenarios[0];
  const Scenario& after = written.scenarios[0];
  const int panZhong = number(written, 434);
  const int panYing = number(written, 265);
  const int caoGong = number(written, 24);
  const int liangHengyu = number(written, 101);

  // 许昌 goes over to force 4 with the officers serving in it.
  EXPECT_EQ(before.city(19).get(city::owner), 12);
  EXPECT_EQ(after.city(19).get(city::owner), 4);
  EXPECT_EQ(before.officerState(number(pristine, 24)).get(state::force), 12);
  EXPECT_EQ(after.officerState(caoGong).get(state::force), 4);

  // 潘忠 joins force 15 in 庐陵 and becomes its ruler and the city's governor; 潘英 serves on.
  EXPECT_EQ(before.force(15).get(force::ruler), number(pristine, 265));
  EXPECT_EQ(after.force(15).get(force::ruler), panZhong);
  EXPECT_EQ(after.officerState(panZhong).get(state::force), 15);
  EXPECT_EQ(after.officerState(panZhong).get(state::status), kRuler);
  EXPECT_EQ(after.officerState(panYing).get(state::status), kOrdinary);
  EXPECT_EQ(after.city(46).get(city::governor), panZhong);

  // 梁恒瑜 founds force 1 in 代县, nobody's city before.
  EXPECT_LE(before.city(3).get(city::owner), 0);
  EXPECT_EQ(after.city(3).get(city::owner), 1);
  EXPECT_EQ(after.force(1).get(force::ruler), liangHengyu);
  EXPECT_EQ(after.city(3).get(city::governor), liangHengyu);
  EXPECT_EQ(after.force(1).get(force::money), 5000);
  EXPECT_EQ(after.force(1).get(force::food), 20000);
}

}  // namespace
}  // namespace vorandel
