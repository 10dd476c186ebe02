#include "ui/AboutDialogLogic.h"

#include <gtest/gtest.h>

#include "tests/ui/ScriptedHost.h"
#include "ui/ResourceIds.h"

namespace vorandel {
namespace {

using testing::ScriptedHost;

TEST(AboutDialog, FillsItsTextsAndLinksTheHelpFile) {
  ScriptedHost host;
  ui::AboutDialogLogic dialog(host);
  EXPECT_TRUE(dialog.onInit());
  EXPECT_EQ(host.windowText, "Vorandel 1.1");
  const std::string description = host.itemText(ABOUT_DESCRIPTION).value_or("");
  EXPECT_EQ(description.rfind("    本修改器可修改武将、城市的基本数据", 0), 0u);
  EXPECT_NE(description.find("\r\n    使用前请仔细阅读帮助文件。\r\n"), std::string::npos);
  // The link opens what "帮助" opens, and gets its text before it becomes a link.
  EXPECT_EQ(host.itemText(ABOUT_HELP_LINK), "Vorandel.rtf");
  EXPECT_EQ(host.linkLabels, (std::vector<int>{ABOUT_HELP_LINK}));
  for (const auto& [item, text] : host.itemTexts)
    EXPECT_EQ(text.find("example."), std::string::npos) << "a placeholder address in control " << item;
}

TEST(AboutDialog, HelpOpensTheHelpFileAndOkEscOrCloseEndTheBox) {
  ScriptedHost host;
  ui::AboutDialogLogic dialog(host);
  EXPECT_TRUE(dialog.onCommand(ABOUT_HELP));
  ASSERT_EQ(host.shellOpened.size(), 1u);
  EXPECT_EQ(host.shellOpened[0].first, "Vorandel.rtf");
  EXPECT_EQ(host.shellOpened[0].second, ui::ShellShow::Show);
  EXPECT_TRUE(host.endedWith.empty());
  EXPECT_TRUE(host.boxes.empty());

  EXPECT_TRUE(dialog.onCommand(ABOUT_OK));
  EXPECT_TRUE(dialog.onCommand(DIALOG_ESCAPE));
  EXPECT_TRUE(dialog.onClose());
  EXPECT_EQ(host.endedWith, (std::vector<int>{0, 0, 0}));
}

}  // namespace
}  // namespace vorandel
