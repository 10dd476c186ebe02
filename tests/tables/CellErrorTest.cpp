#include "model/CellError.h"

#include <gtest/gtest.h>

#include "model/EditError.h"
#include "tables/TableMessages.h"

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
  try {
    raiseCellError({6, 27}, kOutOfRange);  // line 7, column 28
    FAIL() << "raiseCellError returned";
  } catch (const EditError& e) {
    EXPECT_EQ(e.text(), std::string("错误数据可能在：第7行第28列  (AB7)\n 数值不在允许范围内\n"));
  }
}

TEST(CellError, AFaultIsNamedWithTheCellItsCallerGives) {
  const auto fail = [] { failCell(kNotASwitch); };
  try {
    atCell({1, 3}, fail);
    FAIL() << "atCell returned";
  } catch (const CellFault&) {
    FAIL() << "the fault left atCell unplaced";
  } catch (const EditError& e) {
    EXPECT_EQ(e.text(), std::string("错误数据可能在：第2行第4列  (D2)\n 数值只能为0或1\n"));
  }
  EXPECT_EQ(atCell({0, 0}, [] { return 7; }), 7);
  // Outside any table a fault holds only its message.
  try {
    fail();
  } catch (const CellFault& e) {
    EXPECT_EQ(e.text(), kNotASwitch);
  }
}

}  // namespace
}  // namespace vorandel
