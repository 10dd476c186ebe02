#include "ui/MapDialogLogic.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/MapFile.h"
#include "app/ScenarioMap.h"
#include "model/EditError.h"
#include "model/Records.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/ScriptedHost.h"
#include "ui/MainDialogLogic.h"
#include "ui/ResourceIds.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::ScriptedHost;
using testing::TempFolder;
using ui::BoxStyle;

class MapDialog : public ::testing::Test {
 protected:
  MapDialog() {
    const testing::FileBytes bytes = testing::writeToBytes(testing::smallValidSet());
    startUp(state, bytes.sndata, bytes.taiki);
  }

  std::string mapPath(std::size_t s) const { return folder.file(scenarioMapFileName(s)); }

  ui::ProgramState state;
  ScriptedHost host;
  TempFolder folder;
  ui::MapDialogLogic dialog{state, host, folder.path().string()};
};

TEST_F(MapDialog, TheMainWindowsButtonOpensIt) {
  ui::MainDialogLogic main{state, host, folder.path().string()};
  EXPECT_TRUE(main.onCommand(MAIN_MAP));
  EXPECT_EQ(host.dialogsRun, std::vector<int>{MAP_DIALOG});
}

TEST_F(MapDialog, WritesTheCurrentDataOfTheChosenScenarioAndOpensIt) {
  ASSERT_GE(state.current().scenarioCount(), 2u);
  EXPECT_TRUE(dialog.onInit());
  EXPECT_EQ(host.itemText(MAP_SCENARIO), "0");
  EXPECT_EQ(host.itemText(MAP_RANGE), formatMessage("剧本序号（0到%zu）", state.current().scenarioCount() - 1));

  // A batch's change shows: the map is of the current set, not of the pristine copy.
  state.changeCurrent().scenarios[1].cityName(3).set(cityName::smallMapX, 123);
  host.typed[MAP_SCENARIO] = " 1 ";
  EXPECT_TRUE(dialog.onCommand(MAP_WRITE));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(readFile(mapPath(1)), scenarioMapSvg(state.current(), {1}));
  EXPECT_NE(readFile(mapPath(1)), scenarioMapSvg(state.pristine(), {1}));
  ASSERT_EQ(host.shellOpened.size(), 1u);
  EXPECT_EQ(host.shellOpened[0].first, mapPath(1));
  EXPECT_EQ(host.shellOpened[0].second, ui::ShellShow::ShowNormal);
  EXPECT_TRUE(host.endedWith.empty()) << "the dialog stays for the next scenario";

  EXPECT_TRUE(dialog.onCommand(MAP_BACK));
  EXPECT_TRUE(dialog.onCommand(DIALOG_ESCAPE));
  EXPECT_TRUE(dialog.onClose());
  EXPECT_EQ(host.endedWith, (std::vector<int>{0, 0, 0}));
}

TEST_F(MapDialog, TellsWhereTheMapIsWhenNothingOpensIt) {
  host.shellOpens = false;
  host.typed[MAP_SCENARIO] = "0";
  dialog.onCommand(MAP_WRITE);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].style, BoxStyle::Plain);
  EXPECT_NE(host.boxes[0].text.find(mapPath(0)), std::string::npos) << host.boxes[0].text;
  EXPECT_TRUE(std::filesystem::exists(mapPath(0)));
}

TEST_F(MapDialog, RefusesANumberThatIsNoScenarioAndAFileThatCannotBeWritten) {
  const std::string count = std::to_string(state.current().scenarioCount());
  for (const std::string& typed : {std::string(""), std::string("x"), count, std::string("-1"), std::string("99999")}) {
    host.boxes.clear();
    host.typed[MAP_SCENARIO] = typed;
    EXPECT_TRUE(dialog.onCommand(MAP_WRITE));
    ASSERT_EQ(host.boxes.size(), 1u) << typed;
    EXPECT_EQ(host.boxes[0].title, "错误");
    EXPECT_EQ(host.boxes[0].style, BoxStyle::Error);
  }
  EXPECT_TRUE(host.shellOpened.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

  // A folder in the map's place: the error names the file and nothing is opened.
  std::filesystem::create_directory(mapPath(0));
  host.boxes.clear();
  host.typed[MAP_SCENARIO] = "0";
  dialog.onCommand(MAP_WRITE);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_NE(host.boxes[0].text.find(mapPath(0)), std::string::npos) << host.boxes[0].text;
  EXPECT_TRUE(host.shellOpened.empty());
}

}  // namespace
}  // namespace vorandel
