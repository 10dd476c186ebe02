// What the tables tell beyond their first error: the detail lines under a message (the cell really at
// fault, what it holds, what is allowed), the list of every unreadable cell, and the warnings of a
// table that was read, each from the column descriptions. Today's texts stay as they are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/EditError.h"
#include "model/Messages.h"
#include "tables/CellDetail.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/ImportWarnings.h"
#include "tables/NameList.h"
#include "tables/ProblemList.h"
#include "tables/TableMessages.h"
#include "tables/TableProblems.h"
#include "tables/TextCharacters.h"
#include "tables/Vocabulary.h"
#include "tests/tables/OfficerTableFixture.h"

namespace vorandel::testing {
namespace {

std::string linesOf(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += row + "\r\n";
  return text;
}

// The error an import raises (text and details), or none.
struct Raised {
  std::string text;
  std::string details;
  std::vector<std::string> problems;
};

template <class Call>
Raised raisedBy(Call&& call) {
  try {
    call();
  } catch (const EditError& error) {
    return {error.text(), error.details().joined(), error.problems()};
  }
  return {"(no error)", "", {}};
}

TEST(TextCharacters, CharactersAreNeverCutInTwo) {
  EXPECT_EQ(characters("a曹b😀").size(), 4u);
  EXPECT_EQ(characters("曹\xE6").size(), 2u) << "a broken character is one piece";
  EXPECT_EQ(shortened("曹操刘备", 5), "曹操…") << "the limit counts GBK bytes: two for 曹, one for a";
  EXPECT_EQ(shortened("a曹操刘", 5), "a曹操…");
  EXPECT_EQ(shortened("曹操", 4), "曹操");
}

TEST(CellDetail, ClosestNamesCountCharactersNotBytes) {
  buildVocabularyTables();
  EXPECT_EQ(unknownNameText(cityTable(), "洛杨"), "没有「洛杨」，是不是「洛阳」？");
  EXPECT_EQ(unknownNameText(cityTable(), "东京都"), "没有「东京都」");
  const std::vector<std::string_view> near = closestNames(skillTable(), "仙朮", 3);
  ASSERT_FALSE(near.empty());
  EXPECT_EQ(near.front(), "仙术");
  EXPECT_EQ(cellPlace({4, 52}, "下一武将"), "第5行「下一武将」列 (BA5)");
}

TEST(ProblemList, KeepsTheFirstAndCountsTheRest) {
  ProblemList problems(3);
  for (int i = 0; i < 5; ++i) {
    std::string line = "p";
    problems.add(line += std::to_string(i));
  }
  EXPECT_EQ(problems.count(), 5u);
  EXPECT_EQ(problems.lines(), (std::vector<std::string>{"p0", "p1", "p2", "还有 2 处问题未列出"}));

  // A line that is not kept is not made, but its problem is counted.
  ProblemList made(2);
  int making = 0;
  for (int i = 0; i < 5; ++i) made.addMade([&] { return "m" + std::to_string(++making); });
  EXPECT_EQ(making, 2);
  EXPECT_EQ(made.lines(), (std::vector<std::string>{"m1", "m2", "还有 3 处问题未列出"}));
}

TEST(ImportWarnings, SameSituationsAreToldInOneLine) {
  ImportWarnings warnings;
  for (std::uint32_t line = 2; line < 15; ++line) warnings.atRow("行", line);
  warnings.note("一次");
  warnings.note("一次");
  warnings.count("升为军师的武将");
  warnings.count("升为军师的武将");
  EXPECT_EQ(warnings.lines(), (std::vector<std::string>{"注意：行（第3、4、5、6、7、8、9、10、11、12行……，共 13 行）",
                                                        "注意：一次", "注意：升为军师的武将：2 名"}));
}

class OfficerDiagnostics : public OfficerTableTest {
 protected:
  Raised import(const std::vector<std::string>& rows) {
    text = linesOf(rows);
    return raisedBy([&] { importOfficerTable(set, TableText{text, "wu.txt"}, &warnings); });
  }
  std::vector<std::string> problems(const std::vector<std::string>& rows) {
    text = linesOf(rows);
    ProblemList list;
    listTableProblems(set, BatchKind::OfficerTable, TableText{text, "wu.txt"}, list);
    return list.lines();
  }

  std::string text;
  ImportWarnings warnings;
};

TEST_F(OfficerDiagnostics, DetailsNameTheCellReallyAtFault) {
  const std::string header = "剧本 ID 姓名 设置 编号 武力 所在地";
  Raised raised = import({header, "- - - 1 - 1 1", "0 12 某 7 0 70 洛阳"});
  EXPECT_EQ(raised.text, cellErrorText(3, 1, "A3", kOutOfRange));
  EXPECT_EQ(raised.details, "表：wu.txt\n第3行「设置」列 (D3)：「7」\n允许 0–5");

  raised = import({header, "- - - 1 - 1 1", "0 12 某 1 0 70 洛杨"});
  EXPECT_EQ(raised.details, "表：wu.txt\n第3行「所在地」列 (G3)：「洛杨」\n没有「洛杨」，是不是「洛阳」？");

  raised = import({"剧本 ID 姓名 设置 编号 武力 武カ", "- - - 1 - 1 1"});
  EXPECT_EQ(raised.text, cellErrorText(1, 7, "G1", kUnknownName));
}

TEST_F(OfficerDiagnostics, FinishingRulesSayTheyConcernTheRow) {
  // Two fields of work for an officer who is not a ruler: found after the last column applied (宝物).
  const Raised raised = import({"剧本 ID 姓名 设置 编号 主管 宝物", "- - - 1 - 1 1", "0 12 某 1 0 --- ---"});
  EXPECT_EQ(raised.text, cellErrorText(3, 7, "G3", kOneDutyOnly));
  EXPECT_EQ(raised.details,
            "表：wu.txt\n这是第3行整行的规则，位置只是这一行最后处理的单元格\n第3行「主管」列 (F3)：「---」");
}

TEST_F(OfficerDiagnostics, EveryUnreadableCellIsListedWithoutChangingTheSet) {
  const ScenarioSet before = set;
  const std::vector<std::string> rows{
      "剧本 ID 姓名 设置 编号 武力 所在地 可学技能 身份",
      "- - - 1 - 1 1 1 1",
      "0 12 某 1 0 abc 洛阳 仙术,治疗,奋发,收拾,无双,藤甲 一般",
      "0 13 某 1 0 70 洛杨 仙术,治疗,奋发,收拾,无双,藤甲 一般",
      "0 14 某 1 0 70 洛阳 仙术,治疗 隐者",  // 身份 is read for waiting officers only
      "0 40 某 1 0 70 洛阳 仙术,治疗,奋发,收拾,无双,藤甲 隐者",
      "0 12 某 1 0 70",
      "0 99 某 1 0 abc 洛阳 --- 一般",  // no id 99 in this set: refused before its cells are read
      "0 99 某 0 0 abc 洛阳 --- 一般",
      "x 12 某 1 0 70 洛阳 --- 一般",
  };
  EXPECT_EQ(import(rows).text, cellErrorText(3, 6, "F3", kNotAnInteger));
  set = before;
  const std::vector<std::string> listed = problems(rows);
  EXPECT_EQ(listed,
            (std::vector<std::string>{
                "第3行「武力」列 (F3)：「abc」 不能全部转为整数。  允许 0–255",
                "第4行「所在地」列 (G4)：「洛杨」 " + std::string(kUnknownName) + "  没有「洛杨」，是不是「洛阳」？",
                "第5行「可学技能」列 (H5)：「仙术,治疗」 技能个数必须为6个  这里有 2 项",
                "第6行「身份」列 (I6)：「隐者」 " + std::string(kUnknownName) + "  没有「隐者」，是不是「隐士」？",
                "第7行有 6 个单元格，表头有 9 个：每行的列数必须一致。",
                "第8行「ID」列 (B8)：「99」 " + std::string(kIdBeyondOfficers) + "  " + kHintNewOfficerMode,
                "第10行「剧本」列 (A10)：「x」 不能全部转为整数。  允许 0–32",
            }));
  EXPECT_TRUE(set.scenarios[0].officerState(numberOf(0, 12)) == before.scenarios[0].officerState(numberOf(0, 12)));
}

TEST_F(OfficerDiagnostics, WarningsTellWhatTheImportDidSilently) {
  const Raised raised = import({
      "剧本 ID 姓名 设置 编号 武力 武力 身份 势力 智力 政治 士兵 新姓名", "- - - 1 - 1 1 1 1 1 1 1 0",
      "0 12 某 1 0 10 70 军师 魏 90 90 100 某",  // an ordinary officer: 身份 does not act on him
      "0 15 某 1 0 10 70 一般 魏 50 50 0 某",    // no officer 15 in the scenario
      "0 30 某 1 0 10 70 在野 - 50 50 500 某",   // unaffiliated: troops are cleared
  });
  ASSERT_EQ(raised.text, "(no error)") << raised.details;
  EXPECT_EQ(officer(0, 12).get(state::war), 70) << "the right one of a header named twice";
  EXPECT_EQ(officer(0, 12).get(state::status), kStrategist) << "promoted by the finishing rules";
  EXPECT_EQ(
      warnings.lines(),
      (std::vector<std::string>{
          "注意：表头中「武力」出现了不止一次，只有最右边的一列起作用",
          "注意：「势力」列只供查看，导入时不会写入（开关可设为0）",
          // The switched-off 新姓名 cells of the officers there, which differ from their names.
          "注意：" + formatMessage(kSwitchedOffCells, std::size_t{2}) + "\n" +
              formatMessage(kSwitchedOffCell, "第3行「新姓名」列 (M3)", "「某」", "「W12」") + "\n" +
              formatMessage(kSwitchedOffCell, "第5行「新姓名」列 (M5)", "「某」", "「W30」") + "\n" +
              kSwitchedOffCellsHint,
          "注意：已上场武将的「身份」与表中不同：「身份」只对待命武将起作用，这些行的身份没有改变（第3行，共 1 行）",
          "注意：因「智力」「政治」够高而升为军师的武将：1 名",
          "注意：剧本中没有该ID武将的行没有改变任何数据（设置为3的行才会新建武将）（第4行，共 1 行）",
          "注意：不能带兵（修行、在野、隐居、待命）而「士兵」「训练」被清零的武将：1 名",
      }));
  // A name GBK cannot write is refused at its cell.
  warnings = ImportWarnings();
  const Raised notGbk = import({"剧本 ID 姓名 设置 编号 新姓名", "- - - 1 - 1", "0 12 某 1 0 曹😀"});
  EXPECT_EQ(notGbk.text, cellErrorText(3, 6, "F3", kNameNotGbk));
  EXPECT_NE(notGbk.details.find("「曹😀」"), std::string::npos) << notGbk.details;
}

TEST(RecordDiagnostics, ForceRowsOutsideTheSetAndBadCellsAreTold) {
  ScenarioSet set = smallValidSet();
  ImportWarnings warnings;
  std::string text = linesOf({"剧本 编号 设置 金钱 金钱", "- - - 1 1", "0 1 1 100 200", "5 1 1 100 200"});
  ASSERT_EQ(raisedBy([&] {
              importForceTable(set, TableText{text, "lord.txt"}, TableReport{&warnings, nullptr});
            }).text,
            "(no error)");
  EXPECT_EQ(warnings.lines(), (std::vector<std::string>{
                                  "注意：表头中「金钱」出现了不止一次，只有最右边的一列起作用",
                                  "注意：剧本编号不在 0–1 之内的行没有改变任何数据（第4行，共 1 行）",
                              }));

  text = linesOf({"剧本 编号 设置 金钱 科技", "- - - 1 1", "0 1 1 x 战车", "0 2 2 1 战车", "0 30 1 1 战东"});
  const Raised raised = raisedBy([&] { importForceTable(set, TableText{text, "lord.txt"}); });
  EXPECT_EQ(raised.text, cellErrorText(3, 4, "D3", kNotAnInteger));
  EXPECT_EQ(raised.details, "表：lord.txt\n第3行「金钱」列 (D3)：「x」\n允许 0–3000000");
  ProblemList problems;
  listTableProblems(set, BatchKind::ForceTable, TableText{text, "lord.txt"}, problems);
  EXPECT_EQ(problems.lines(), (std::vector<std::string>{
                                  "第3行「金钱」列 (D3)：「x」 不能全部转为整数。  允许 0–3000000",
                                  "第4行「设置」列 (C4)：「2」 数值只能为0或1  允许 0 或 1",
                                  "第5行「编号」列 (B5)：「30」 数值不在允许范围内  允许 1–21",
                              }));
}

// The list is read by the import itself: what the import refuses is listed at its cell, and reading goes
// on after it, for every kind.
TEST(ProblemLists, NameWhatTheImportRefusesAndGoOn) {
  struct Case {
    BatchKind kind;
    std::vector<std::string> rows;
    std::vector<std::string> listed;
  };
  const Case cases[] = {
      {BatchKind::OfficerTable,
       {"剧本 ID 姓名 设置 编号 主管 武力", "- - - 1 - 1 1", "0 12 某 1 0 --- 70", "0 12 某 1 0 军事 70",
        "0 13 某 1 0 军事 abc"},
       {"第3行「主管」列 (F3)：「---」 " + std::string(kOneDutyOnly),
        "第4行「ID」列 (B4)：「12」 " + std::string(kIdRepeated) + "  同一剧本的第3行已经写了这个ID",
        "第5行「武力」列 (G5)：「abc」 不能全部转为整数。  允许 0–255"}},
      {BatchKind::CityTable,
       {"剧本 ID 名称 设置 新名称 相邻城ID 城防", "- - - 16 1 1 1", "0 7 x 1 北平府 1,2 10",
        "0 8 x 1 北 1,2,3,4,5,6,7 10", "0 9 x 1 北 1 abc"},
       {"第3行「新名称」列 (E3)：「北平府」 城市名太长  最多2个汉字（4字节）：「北平府」有 6 个字节",
        "第4行「相邻城ID」列 (F4)：「1,2,3,4,5,6,7」 --ERROR!--  这里有 7 项",
        "第5行「城防」列 (G5)：「abc」 不能全部转为整数。  允许 0–999"}},
  };
  for (const Case& c : cases) {
    ScenarioSet set = smallValidSet();
    giveDistinctSkills(set);
    const std::string text = linesOf(c.rows);
    ProblemList problems;
    listTableProblems(set, c.kind, TableText{text, "t.txt"}, problems);
    EXPECT_EQ(problems.lines(), c.listed) << c.rows.front();
    // A scratch set given to the listing may hold anything (a batch gives its failed working copy): the
    // list is read from the set as it is all the same.
    ScenarioSet scratch;
    ProblemList inScratch;
    listTableProblems(set, c.kind, TableText{text, "t.txt"}, inScratch, &scratch);
    EXPECT_EQ(inScratch.lines(), c.listed) << c.rows.front();
  }
  // The import's own error keeps its first line and names the cell below it.
  ScenarioSet set = smallValidSet();
  const std::string text = linesOf(cases[1].rows);
  const Raised raised = raisedBy([&] { importCityTable(set, TableText{text, "t.txt"}); });
  EXPECT_EQ(raised.text, "城市名太长");
  EXPECT_EQ(raised.details,
            "表：t.txt\n第3行「新名称」列 (E3)：「北平府」\n最多2个汉字（4字节）：「北平府」有 6 个字节");
}

// Slips a spreadsheet makes easy keep their message and gain a line that says what to do, raised and
// listed alike: full-width commas and digits, lines that end in CR alone, a row cleared of its cells, an
// empty cell (named by its column when the cells after it fit the columns after it), a lower-case kind.
TEST(SlipDiagnostics, EachGetsALineThatSaysWhatToDo) {
  const std::string force = "剧本\t编号\t设置\t金钱\t科技\n-\t-\t-\t1\t1\n";
  const std::string officer = "剧本\tID\t姓名\t设置\t编号\t武力\t智力\t阵形\n-\t-\t-\t1\t-\t1\t1\t1\n";
  const std::string firstEmpty = formatMessage(kRowCellEmpty, "武力", std::size_t{6});
  const struct {
    BatchKind kind;
    std::string text;
    std::string firstLine;
    std::string hint;  // a line of the error's details, and part of the one line listed for the table
    bool listed;       // false: the table as a whole is refused, and nothing is listed
  } cases[] = {
      {BatchKind::ForceTable, force + "0\t1\t1\t100\t战车，铠甲\n", cellErrorText(3, 5, "E3", kUnknownName),
       kHintFullWidthComma, true},
      {BatchKind::ForceTable, force + "0\t1\t1\t８０\t战车\n", cellErrorText(3, 4, "D3", kNotAnInteger),
       kHintFullWidthDigits, true},
      {BatchKind::ForceTable, "剧本\t编号\t设置\t金钱\r-\t-\t-\t1\r0\t1\t1\t5\r", "输入文件至少要两行", kHintCrLineEnds,
       false},
      {BatchKind::CityTable, "剧本\tID\t名称\t设置\t城防\n-\t-\t-\t0\t1\n0\t1\tx\t1\t10\n\t\t\t\t\n", kUnevenRows,
       kRowIsEmpty, true},
      {BatchKind::OfficerTable, officer + "0\t12\t某\t1\t0\t\t80\t鱼鳞\n",
       cellErrorText(3, 1, "A3", kUnevenOfficerRows), firstEmpty, true},
      // The cells after the empty one do not fit the columns after it: the column is not named.
      {BatchKind::OfficerTable, officer + "0\t12\t某\t1\t0\t\t鱼鳞\t80\n",
       cellErrorText(3, 1, "A3", kUnevenOfficerRows), kRowHasEmptyCell, true},
      {BatchKind::NameList, "W 12 张三\nw 13 李四\n", "Error File format at line: 2", kHintKindUpperCase, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ScenarioSet set = smallValidSet();
    giveDistinctSkills(set);
    const ScenarioSet before = set;
    const TableText table{c.text, "t.txt"};
    const Raised raised = raisedBy([&] {
      switch (c.kind) {
        case BatchKind::NameList: importNameList(set, table); break;
        case BatchKind::OfficerTable: importOfficerTable(set, table); break;
        case BatchKind::ForceTable: importForceTable(set, table); break;
        case BatchKind::CityTable: importCityTable(set, table); break;
      }
    });
    EXPECT_EQ(raised.text, c.firstLine);
    EXPECT_NE(("\n" + raised.details + "\n").find("\n" + c.hint + "\n"), std::string::npos) << raised.details;
    ProblemList problems;
    listTableProblems(before, c.kind, table, problems);
    ASSERT_EQ(problems.count(), c.listed ? 1u : 0u);
    if (c.listed) {
      EXPECT_NE(problems.lines().front().find(c.hint), std::string::npos) << problems.lines().front();
    }
  }
}

TEST(NameListDiagnostics, EntriesAreNamedByLineAndWhatIsWrong) {
  ScenarioSet set = smallValidSet();
  std::string text = "W 12 张三\r\nC 48 某城\r\nW 13\r\n";
  Raised raised = raisedBy([&] { importNameList(set, TableText{text, "name.txt"}); });
  EXPECT_EQ(raised.text, "城市编号超出范围。");
  EXPECT_EQ(raised.details, "表：name.txt\n第2项在文件第2行：「C 48 某城」：允许 1–47");
  ProblemList problems;
  listTableProblems(set, BatchKind::NameList, TableText{text, "name.txt"}, problems);
  EXPECT_EQ(problems.lines(), (std::vector<std::string>{"第2项在文件第2行：「C 48 某城」 城市编号超出范围。  允许 1–47",
                                                        "第3项在文件第3行：「W 13」 编号后面应是新名字"}));
  text = "C 12 洛阳\r\nW 12 张😀\r\n";
  raised = raisedBy([&] { importNameList(set, TableText{text, "name.txt"}); });
  EXPECT_EQ(raised.text, kNameNotGbk);
  EXPECT_EQ(raised.details, "表：name.txt\n第2项在文件第2行：「W 12 张😀」：「张😀」");

  text = "W 12 张三\r\n12 李四\r\n";
  raised = raisedBy([&] { importNameList(set, TableText{text, "name.txt"}); });
  EXPECT_EQ(raised.text, "Error File format at line: 2");
  EXPECT_EQ(raised.details, "表：name.txt\n第2项在文件第2行：「12 李四」：应以 W（武将）或 C（城市）开头");
}

}  // namespace
}  // namespace vorandel::testing
