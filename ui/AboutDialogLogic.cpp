#include "ui/AboutDialogLogic.h"

#include "ui/ResourceIds.h"

namespace vorandel::ui {

const char* const kAboutDescription =
    "    本修改器可修改武将、城市的基本数据，可更改各君主拥有的城市，可调整武将上场时间、所在地、所属君主，"
    "甚至可以添加新武将。\r\n"
    "    本修改器生成的剧本可用于游戏的各个普通版本，包括DOS版。\r\n"
    "    使用前请仔细阅读帮助文件。\r\n";

void openHelp(DialogHost& host) { host.shellOpen(kHelpFile, ShellShow::Show); }

bool AboutDialogLogic::onInit() {
  host_.setWindowText(kAboutTitle);
  host_.setItemText(ABOUT_DESCRIPTION, kAboutDescription);
  host_.setItemText(ABOUT_HELP_LINK, kHelpFile);
  host_.makeLinkLabel(ABOUT_HELP_LINK);
  return true;
}

bool AboutDialogLogic::onClose() {
  host_.endDialog(0);
  return true;
}

bool AboutDialogLogic::onCommand(int id) {
  switch (id) {
    case ABOUT_HELP: openHelp(host_); return true;
    case ABOUT_OK:
    case DIALOG_ESCAPE: host_.endDialog(0); return true;
  }
  return false;
}

}  // namespace vorandel::ui
