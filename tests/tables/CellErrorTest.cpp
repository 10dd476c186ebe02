#include "model/CellError.h"

#include <gtest/gtest.h>

#include "model/EditError.h"

namespace vorandel {
namespace {

TEST(CellError, ColumnLettersFollowSpreadsheetNaming) {
  EXPECT_EQ(columnLetters(1), "A");
  EXPECT_EQ(columnLetters(26), "Z");
  EXPECT_EQ(columnLetters(27), "AA");
  EXPECT_EQ(columnLetters(28), "AB");
  EXPECT_EQ(columnLetters(52), "AZ");
  EXPECT_EQ(columnLetters(53), "BA");
  EXPECT_EQ(columnLetters(675), "YY");
  EXPECT_EQ(columnLetters(676), "");
}

TEST(CellError, NamesRowColumnAndCell) {
  cellPosition = {6, 27};  // line 7, column 28
  try {
    failCell("数值不在允许范围内");
    FAIL() << "failCell returned";
  } catch (const EditError& e) {
    EXPECT_EQ(e.text(), std::string("错误数据可能在：第7行第28列  (AB7)\n 数值不在允许范围内\n"));
  }
}

}  // namespace
}  // namespace vorandel
