// A table far larger than its kind can be, or with a cell longer than any cell can be, is refused
// before it is taken apart; real tables stay far below both limits.
#include "tables/TableLimits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/BatchRun.h"
#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/Loader.h"
#include "tables/TableExport.h"
#include "tests/tables/TableExportSets.h"

namespace vorandel {
namespace {

using testing::builtInSet;

constexpr BatchKind kKinds[] = {BatchKind::NameList, BatchKind::OfficerTable, BatchKind::ForceTable,
                                BatchKind::CityTable};

// The error a batch of the text raises.
EditError batchError(BatchKind kind, const std::string& text) {
  ScenarioSet set = builtInSet();
  try {
    runBatch(set, kind, TableText{text, "t.txt"});
  } catch (const EditError& error) {
    return error;
  }
  return EditError("(none)");
}

TEST(TableLimits, RealTablesStayFarBelowTheLimits) {
  // Every row and cell of the tables of the built-in data, a quarter of the limits at most.
  const ScenarioSet set = builtInSet();
  for (const BatchKind kind : kKinds) {
    const std::string text = exportTable(set, kind, {}).text;
    ASSERT_GT(text.size(), 4000u) << static_cast<int>(kind);
    std::size_t line = 0, cell = 0, widest = 0, longest = 0;
    for (const char c : text) {
      line = c == '\n' ? 0 : line + 1;
      cell = c == '\n' || c == '\t' || c == ' ' ? 0 : cell + 1;
      widest = std::max(widest, line);
      longest = std::max(longest, cell);
    }
    EXPECT_LE(widest * 4, kRowByteLimit) << static_cast<int>(kind);
    EXPECT_LE(longest * 4, kCellByteLimit) << static_cast<int>(kind);
    EXPECT_LE(text.size() * 4, tableByteLimit(kind)) << static_cast<int>(kind);
  }
}

TEST(TableLimits, ATableOneByteBeyondItsKindsLimitIsRefused) {
  for (const BatchKind kind : kKinds) {
    const std::size_t limit = tableByteLimit(kind);
    // Blank lines: the reading of the table itself would find nothing else to refuse.
    const EditError beyond = batchError(kind, std::string(limit + 1, '\n'));
    EXPECT_EQ(beyond.text(), "批量表太大，无法读取。") << static_cast<int>(kind);
    EXPECT_NE(beyond.details().joined().find(formatMessage("最多 %zu 字节", limit)), std::string::npos)
        << beyond.details().joined();
    EXPECT_NE(batchError(kind, std::string(limit, '\n')).text(), "批量表太大，无法读取。") << static_cast<int>(kind);
  }
  try {
    requireTableSize(BatchKind::ForceTable, tableByteLimit(BatchKind::ForceTable) + 1, "-");
    ADD_FAILURE() << "not refused";
  } catch (const EditError& error) {
    EXPECT_EQ(error.text(), "标准输入的批量表太大，无法读取。");
  }
}

TEST(TableLimits, ACellLongerThanAnyCellIsRefusedWithItsPlace) {
  const std::string longest(kCellByteLimit, 'x');
  struct Case {
    std::string text;
    bool refused;
    std::uint32_t row, column;
  };
  const Case cases[] = {
      {"a b\r\n" + longest + "\tc\r\n", false, 0, 0},
      {"a b\r\n" + longest + "x\tc\r\n", true, 1, 0},
      {"a b\n\n  c \t\t" + longest + "x", true, 2, 1},
      {"W 1 " + longest + "x\n", true, 0, 2},
      // Runs far apart, next to each other, at the text's end, after many short ones or many blanks.
      {longest, false, 0, 0},
      {"a\t" + longest + " " + longest + "\n" + longest, false, 0, 0},
      {"a " + longest + " " + longest + "x y " + longest + "xx", true, 0, 2},
      {std::string(3000, ' ') + longest + "x", true, 0, 0},
      {[] {
         std::string many;
         for (int k = 0; k < 500; ++k) many += "ab ";
         return many;
       }() +
           longest + "x",
       true, 0, 500},
  };
  for (const Case& c : cases) {
    try {
      requireCellLengths(c.text, "t.txt");
      EXPECT_FALSE(c.refused) << c.row;
    } catch (const EditError& error) {
      EXPECT_TRUE(c.refused) << c.row;
      EXPECT_EQ(error.text(), "表中有一个单元格太长，无法读取。");
      EXPECT_EQ(error.context().row, c.row);
      EXPECT_EQ(error.context().column, c.column);
      EXPECT_NE(error.details().joined().find(formatMessage("这个单元格有 %zu 字节", kCellByteLimit + 1)),
                std::string::npos)
          << error.details().joined();
    }
  }
  // A text that ends with a cell of the largest size, where the byte after it is not the text's.
  const std::string beyond = longest + " " + std::string(kCellByteLimit + 1, 'x');
  EXPECT_NO_THROW(requireCellLengths(std::string_view(beyond).substr(0, kCellByteLimit), "t.txt"));
  // A batch checks its cells before anything else.
  EXPECT_EQ(batchError(BatchKind::CityTable, "a b c d\n" + longest + "x\n").text(), "表中有一个单元格太长，无法读取。");
}

}  // namespace
}  // namespace vorandel
