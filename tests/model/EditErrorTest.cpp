#include "model/EditError.h"

#include <gtest/gtest.h>

#include <string>

#include "model/GbkText.h"
#include "model/Messages.h"
#include "tests/support/ErrorText.h"

namespace vorandel {
namespace {

std::string messageOf(auto&& raise) { return testing::editErrorOf(raise); }

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
  EXPECT_EQ(messageOf([] { require(false, kOfficerNumberBroken); }), kOfficerNumberBroken);
}

TEST(EditError, ScenarioPrefixRightAlignsTheIndexInTwoCharacters) {
  EXPECT_EQ(EditError("空城结构错误").inScenario(3).text(), "剧本 3存在错误\n空城结构错误");
  EXPECT_EQ(EditError("x").inScenario(12).text(), "剧本12存在错误\nx");
  const EditError error = EditError("武将07不该标记为太守", ErrorContext{std::nullopt, "t.txt", 4, 2}).inScenario(2);
  EXPECT_EQ(error.text(), "剧本 2存在错误\n武将07不该标记为太守");
  EXPECT_EQ(error.context().scenario, 2u);
  EXPECT_EQ(error.context().file, "t.txt");
  EXPECT_EQ(error.context().row, 4u);
}

TEST(EditError, TextsAreUtf8AndNamesConvertToGbkAndBack) {
  // 剧本 in UTF-8 inside, and in code page 936 in a name field.
  EXPECT_EQ(std::string("剧本"), "\xE5\x89\xA7\xE6\x9C\xAC");
  EXPECT_EQ(utf8ToGbk("剧本"), "\xBE\xE7\xB1\xBE");
  EXPECT_EQ(gbkToUtf8("\xBE\xE7\xB1\xBE"), "剧本");
  EXPECT_EQ(gbkLength("a剧本"), 5u);
  // What has no GBK form, and bytes that are not GBK or not UTF-8, convert to nothing.
  EXPECT_EQ(utf8ToGbk("剧😀"), std::nullopt);
  EXPECT_EQ(utf8ToGbk("\xE5\x89"), std::nullopt) << "half a UTF-8 character";
  EXPECT_EQ(gbkToUtf8("\xBE"), std::nullopt) << "a lone lead byte";
  EXPECT_EQ(gbkToUtf8("\xFF\xFF"), std::nullopt);
  EXPECT_EQ(shownGbk("\xBE\xE7\xFF"), "剧?");
  EXPECT_EQ(utf16ToUtf8(std::string("\x67\x52\x2C\x67", 4), false), "剧本");
  EXPECT_EQ(utf16ToUtf8(std::string("\x52\x67\x67\x2C", 4), true), "剧本");
  EXPECT_EQ(utf16ToUtf8(std::string("\x00\xD8", 2), false), std::nullopt) << "a lone surrogate";
}

}  // namespace
}  // namespace vorandel
