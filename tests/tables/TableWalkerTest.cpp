// The messages of the walker of the tables with a header and a switch row: a row of the wrong width names
// the column where it falls short or runs on, a repeated id, new id and item name the row of this
// table that came first. Raised and listed alike.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/EditError.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/OfficerTable.h"
#include "tables/TableMessages.h"
#include "tables/TableProblems.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/tables/OfficerTableFixture.h"
#include "tests/tables/TableFiles.h"

namespace vorandel::testing {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void importTable(ScenarioSet& set, BatchKind kind, TableText table) {
  switch (kind) {
    case BatchKind::OfficerTable: importOfficerTable(set, table); break;
    case BatchKind::CityTable: importCityTable(set, table); break;
    case BatchKind::ForceTable: importForceTable(set, table); break;
    case BatchKind::NameList: break;
  }
}

TEST(TableWalker, MessagesNameTheColumnOrTheEarlierRow) {
  const std::string officerHeader = "剧本 ID 姓名 设置 编号 武力\n- - - 1 - 1\n";
  const std::string itemHeader = "剧本 ID 姓名 设置 编号 宝物\n- - - 1 - 1\n";
  const struct {
    BatchKind kind;
    std::string text;
    std::string firstLine;
    std::vector<std::string> details;  // the error's lines below the first, exactly
    std::string listed;                // the line that the list of the table's problems gives
  } cases[] = {
      {BatchKind::CityTable,
       "剧本 ID 名称 设置 城防\n- - - 0 1\n0 1 x 1\n",
       kUnevenRows,
       {"表：t.txt", "第3行有 4 个单元格，表头有 5 个", "这一行从「城防」列（第5列）起没有单元格"},
       "第3行有 4 个单元格，表头有 5 个：每行列数必须一样"},
      {BatchKind::ForceTable,
       "剧本 编号 设置 声望\n- - - 1\n0 1 1 5\n0 2 1 5 6 7\n",
       kUnevenRows,
       {"表：t.txt", "第4行有 6 个单元格，表头有 4 个", "这一行在「声望」列（第4列）之后还有多余的单元格"},
       "第4行有 6 个单元格，表头有 4 个：每行列数必须一样"},
      {BatchKind::OfficerTable,
       officerHeader + "0 12 某\n",
       cellErrorText(3, 1, "A3", kUnevenOfficerRows),
       {"表：t.txt", "第3行有 3 个单元格，表头有 6 个", "这一行从「设置」列（第4列）起没有单元格"},
       "第3行有 3 个单元格，表头有 6 个：每行的列数必须一致。"},
      // Row 4 names the id in another scenario; row 3 came first in the same one.
      {BatchKind::OfficerTable,
       officerHeader + "0 12 某 1 0 70\n1 12 某 1 0 70\n0 12 某 1 0 71\n",
       cellErrorText(5, 2, "B5", kIdRepeated),
       {"表：t.txt", "第5行「ID」列 (B5)：「12」", "同一剧本的第3行已经写了这个ID"},
       "第5行「ID」列 (B5)：「12」 ID重复  同一剧本的第3行已经写了这个ID"},
      // The same for a new id: row 4 gives 500 in another scenario.
      {BatchKind::OfficerTable,
       "剧本 ID 姓名 设置 编号 新ID\n- - - 1 - 1\n0 12 某 1 0 500\n1 13 某 1 0 500\n0 14 某 1 0 500\n",
       cellErrorText(5, 6, "F5", kIdRepeated),
       {"表：t.txt", "第5行「新ID」列 (F5)：「500」", "同一剧本的第3行已经写了这个ID"},
       "第5行「新ID」列 (F5)：「500」 ID重复  同一剧本的第3行已经写了这个ID"},
      // The item is named by the row that handed it out in this table, in the same scenario.
      {BatchKind::OfficerTable,
       itemHeader + "1 12 某 1 0 赤兔马\n0 13 某 1 0 赤兔马\n0 12 某 1 0 倚天剑,赤兔马\n",
       cellErrorText(5, 6, "F5", "同一宝物拥有者只能有一个"),
       {"表：t.txt", "第5行「宝物」列 (F5)：「倚天剑,赤兔马」", "「赤兔马」已由第4行交给了一位武将"},
       "第5行「宝物」列 (F5)：「倚天剑,赤兔马」 同一宝物拥有者只能有一个  「赤兔马」已由第4行交给了一位武将"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ScenarioSet set = smallValidSet();
    giveDistinctSkills(set);
    const ScenarioSet before = set;
    const TableText table{c.text, "t.txt"};
    try {
      importTable(set, c.kind, table);
      ADD_FAILURE() << "no error";
    } catch (const EditError& error) {
      EXPECT_EQ(error.text(), c.firstLine);
      EXPECT_EQ(linesOf(error.details().joined()), c.details);
    }
    ProblemList problems;
    listTableProblems(before, c.kind, table, problems);
    EXPECT_EQ(problems.lines(), std::vector<std::string>{c.listed});
  }
}

}  // namespace
}  // namespace vorandel::testing
