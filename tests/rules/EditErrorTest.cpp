#include "model/EditError.h"

#include <gtest/gtest.h>

#include <string>

namespace vorandel {
namespace {

std::string messageOf(auto&& raise) {
  try {
    raise();
  } catch (const EditError& e) {
    return e.text();
  }
  ADD_FAILURE() << "no EditError was raised";
  return {};
}

TEST(EditError, FormatsMessagesOfAnyLengthWhole) {
  const std::string fits(1023, 'x');
  EXPECT_EQ(formatMessage("%s", fits.c_str()), fits);
  const std::string longer(5000, 'y');
  EXPECT_EQ(formatMessage("%s!", longer.c_str()), longer + "!");
  EXPECT_EQ(messageOf([&] { requireFormatted(false, "%s", longer.c_str()); }), longer);
}

TEST(EditError, RequireRaisesOnlyWhenTheConditionFails) {
  EXPECT_NO_THROW(require(true, "never"));
  EXPECT_NO_THROW(requireFormatted(true, "%d", 1));
  EXPECT_EQ(messageOf([] { require(false, "武将编号出错"); }), "武将编号出错");
}

TEST(EditError, ScenarioPrefixRightAlignsTheIndexInTwoCharacters) {
  errorScenario = 3;
  EXPECT_EQ(messageOf([] { require(false, "空城结构错误"); }), "剧本 3存在错误\n空城结构错误");
  errorScenario = 12;
  EXPECT_EQ(messageOf([] { require(false, "x"); }), "剧本12存在错误\nx");
  errorScenario = 2;
  EXPECT_EQ(messageOf([] { requireFormatted(false, "武将%02d不该标记为太守", 7); }),
            "剧本 2存在错误\n武将07不该标记为太守");
  errorScenario = -1;
  EXPECT_EQ(messageOf([] { require(false, "x"); }), "x");
}

TEST(EditError, TextsAreGbkBytes) {
  // 剧本 in code page 936.
  EXPECT_EQ(std::string("剧本"), "\xBE\xE7\xB1\xBE");
}

}  // namespace
}  // namespace vorandel
