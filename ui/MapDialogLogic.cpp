#include "ui/MapDialogLogic.h"

#include "app/MapFile.h"
#include "app/ScenarioMap.h"
#include "model/EditError.h"
#include "model/FileError.h"
#include "model/SystemFiles.h"
#include "ui/ResourceIds.h"

namespace vorandel::ui {

MapDialogLogic::MapDialogLogic(ProgramState& state, DialogHost& host, std::string folder)
    : state_(state), host_(host), folder_(std::move(folder)) {}

bool MapDialogLogic::onInit() {
  const std::size_t count = state_.current().scenarioCount();
  host_.setItemText(MAP_RANGE, formatMessage("剧本序号（0到%zu）", count == 0 ? 0 : count - 1));
  host_.setItemText(MAP_SCENARIO, "0");
  return true;
}

bool MapDialogLogic::onClose() {
  host_.endDialog(0);
  return true;
}

bool MapDialogLogic::onCommand(int id) {
  switch (id) {
    case MAP_WRITE: writeMap(); return true;
    case MAP_BACK:
    case DIALOG_ESCAPE: host_.endDialog(0); return true;
  }
  return false;
}

// The dialog stays open, so that the player can look at one scenario after another.
void MapDialogLogic::writeMap() {
  const std::size_t count = state_.current().scenarioCount();
  std::string typed = host_.readItemText(MAP_SCENARIO);
  typed.erase(0, typed.find_first_not_of(' '));
  typed.erase(typed.find_last_not_of(' ') + 1);
  const bool number = !typed.empty() && typed.size() <= 3 && typed.find_first_not_of("0123456789") == std::string::npos;
  if (!number || count == 0 || std::stoul(typed) >= count) {
    host_.messageBox(BoxOwner::Dialog, formatMessage("剧本序号须为0到%zu之间的数字。", count == 0 ? 0 : count - 1),
                     "错误", BoxStyle::Error);
    return;
  }
  const std::size_t s = std::stoul(typed);
  const std::string name = scenarioMapFileName(s);
  const std::string path = folder_.empty() ? name : platform::pathIn(folder_, name);
  try {
    writeMapFile(path, scenarioMapSvg(state_.current(), {s}));
  } catch (const FileError& error) {
    host_.messageBox(BoxOwner::Dialog, error.message().joined(), "错误", BoxStyle::Error);
    return;
  }
  if (!host_.shellOpen(path, ShellShow::ShowNormal))
    host_.messageBox(BoxOwner::Dialog, "地图已写入：" + path + "\n系统没有能打开SVG图片的程序，请用浏览器打开该文件。",
                     "处理完毕", BoxStyle::Plain);
}

}  // namespace vorandel::ui
