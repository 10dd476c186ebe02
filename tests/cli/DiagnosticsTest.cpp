// What the command line tells about tables beyond their first error: details under the message, every
// unreadable cell at once for check, warnings after a successful run, tables as spreadsheets save them
// (UTF-16, byte-order marks) and hints for files that are not tab-separated text. An exported table
// still goes through without a word.
#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>

#include "app/AppMessages.h"
#include "cli/Cli.h"
#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "rules/RuleMessages.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/TableMessages.h"
#include "tests/support/CliRun.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::writeFile;

using testing::utf8;
std::string gbk(const char8_t* text) { return utf8ToGbk(utf8(text)).value(); }

const std::string kAllRight = utf8(u8"检查完毕，全部剧本的数据正确。\n");

// The messages without the summary line that each table gives first ("武将表 FILE：...").
std::string withoutSummaries(const std::string& messages) {
  std::string kept;
  std::size_t start = 0;
  while (start < messages.size()) {
    const std::size_t end = std::min(messages.find('\n', start), messages.size() - 1) + 1;
    const std::string line = messages.substr(start, end - start);
    bool summary = false;
    for (const char8_t* kind : {u8"武将表 ", u8"势力表 ", u8"城市表 ", u8"人名/地名表 "})
      summary = summary || line.starts_with(utf8(kind));
    if (!summary) kept += line;
    start = end;
  }
  return kept;
}

class Diagnostics : public ::testing::Test, protected testing::CliRun {
 protected:
  int run(std::vector<std::string> args) {
    const int code = runWith(builtInData(), std::move(args));
    messages = err.str();
    return code;
  }

  // The exported officer table as rows of GBK cells.
  std::vector<std::vector<std::string>> officerRows() {
    const std::string file = folder.file("exported.txt");
    EXPECT_EQ(run({"export", "officer", "-o", file, "--force"}), kExitDone) << messages;
    return rowsOf(file);
  }

  static std::vector<std::vector<std::string>> rowsOf(const std::string& file) {
    std::vector<std::vector<std::string>> rows;
    const std::string text = readFile(file);
    for (const std::string_view line : tableLines(text)) {
      std::vector<std::string> cells;
      for (const std::string_view cell : splitCells(line)) cells.emplace_back(cell);
      rows.push_back(cells);
    }
    return rows;
  }

  std::string write(const std::string& name, const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const auto& row : rows) text += joinCells(row, "\t") + "\r\n";
    const std::string file = folder.file(name);
    writeFile(file, text);
    return file;
  }

  static std::size_t column(const std::vector<std::vector<std::string>>& rows, const char8_t* header) {
    const auto& names = rows.at(0);
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), gbk(header)) - names.begin());
  }

  testing::TempFolder folder;
  std::string messages;
};

TEST_F(Diagnostics, ExportedTablesGoThroughWithoutAWord) {
  std::vector<std::string> args{"check"};
  for (const auto& [kind, option] :
       {std::pair{"officer", "--officer"}, {"lord", "--lord"}, {"city", "--city"}, {"name", "--name"}}) {
    const std::string file = folder.file(std::string(kind) + ".txt");
    ASSERT_EQ(run({"export", kind, "-o", file}), kExitDone) << messages;
    args.insert(args.end(), {option, file});
  }
  EXPECT_EQ(run(args), kExitDone);
  EXPECT_EQ(withoutSummaries(messages), kAllRight) << "no warning for exported tables";
}

TEST_F(Diagnostics, EveryUnreadableCellIsListedByCheckInFileOrder) {
  auto rows = officerRows();
  rows.at(4).at(column(rows, u8"武力")) = "abc";
  rows.at(5).at(column(rows, u8"智力")) = "300";
  rows.at(6).at(column(rows, u8"所在地")) = gbk(u8"洛杨");
  rows.at(7).at(0) = "x";
  rows.at(8).at(column(rows, u8"可学技能")) = gbk(u8"仙术,治疗");
  rows.at(9).pop_back();
  const std::string file = write("bad.txt", rows);

  EXPECT_EQ(run({"check", "--officer", file}), kExitRefused);
  // Today's message first, then the table, the cell, its text and the range.
  const std::string first = utf8(u8"错误数据可能在：第5行第19列  (S5)\n 不能全部转为整数。\n");
  EXPECT_TRUE(
      messages.starts_with(first + utf8(u8"表：") + file + utf8(u8"\n第5行「武力」列 (S5)：「abc」\n允许 0–255\n")))
      << messages;
  const std::vector<std::string> listed{
      utf8(u8"第5行「武力」列 (S5)：「abc」 不能全部转为整数。  允许 0–255"),
      utf8(u8"第6行「智力」列 (T6)：「300」 数值不在允许范围内  允许 0–255"),
      utf8(u8"第7行「所在地」列 (AQ7)：「洛杨」 输入文件存在错误数据，请检查非数字文本串。  "
           u8"没有「洛杨」，是不是「洛阳」？"),
      utf8(u8"第8行「剧本」列 (A8)：「x」 不能全部转为整数。  允许 0–32"),
      utf8(u8"第9行「可学技能」列 (AB9)：「仙术,治疗」 技能个数必须为6个  这里有 2 项"),
      utf8(u8"第10行有 53 个单元格，表头有 54 个：每行的列数必须一致。"),
  };
  std::size_t at = messages.find(utf8(u8"表中所有无法读取的地方（按文件顺序）："));
  ASSERT_NE(at, std::string::npos) << messages;
  for (const std::string& line : listed) {
    const std::size_t found = messages.find("\n" + line + "\n", at);
    EXPECT_NE(found, std::string::npos) << line << "\n" << messages;
    if (found != std::string::npos) at = found;
  }

  // Other commands show the first error and say how to see the rest.
  EXPECT_EQ(run({"generate", "--officer", file, "--out", folder.file("out")}), kExitRefused);
  EXPECT_TRUE(messages.starts_with(first)) << messages;
  EXPECT_FALSE(said(listed[1])) << messages;
  EXPECT_TRUE(said(utf8(u8"用 check 命令可以全部列出。"))) << messages;
}

TEST_F(Diagnostics, CellsReportedElsewhereNameTheCellAtFault) {
  auto rows = officerRows();
  rows.at(3).at(3) = "9";  // a row mode out of range: reported in column A
  rows.at(4).at(3) = "8";
  const std::string file = write("places.txt", rows);
  EXPECT_EQ(run({"check", "--officer", file}), kExitRefused);
  EXPECT_TRUE(messages.starts_with(utf8(u8"错误数据可能在：第4行第1列  (A4)\n 数值不在允许范围内\n"))) << messages;
  EXPECT_TRUE(said(utf8(u8"\n第4行「设置」列 (D4)：「9」\n允许 0–5\n"))) << messages;
  EXPECT_TRUE(said(utf8(u8"\n第5行「设置」列 (D5)：「8」 数值不在允许范围内  允许 0–5\n"))) << messages;
}

// Messages that leave the player guessing say what to do: each hint where its situation arises, and
// none in the like situation where it does not.
TEST_F(Diagnostics, HintsSayWhatToDoWhereTheyApplyOnly) {
  const auto table = [&](const std::string& name, const std::string& text) {
    const std::string file = folder.file(name);
    writeFile(file, utf8ToGbk(text).value());
    return file;
  };
  const std::string officers =
      utf8(u8"剧本\tID\t姓名\t设置\t编号\t武力\t智力\t政治\t所在地\r\n-\t-\t-\t1\t-\t1\t1\t1\t1\r\n");

  // An id no officer has, in a row that does not make its officer.
  EXPECT_EQ(
      run({"check", "--officer", table("id.txt", officers + utf8(u8"0\t2000\t新人\t1\t0\t70\t60\t50\t洛阳\r\n"))}),
      kExitRefused);
  EXPECT_TRUE(said(std::string(" ") + kIdBeyondOfficers + "\n") && said(std::string("\n") + kHintNewOfficerMode + "\n"))
      << messages;
  EXPECT_EQ(
      run({"check", "--officer", table("new.txt", officers + utf8(u8"0\t2000\t新人\t3\t0\t70\t60\t50\t洛阳\r\n"))}),
      kExitDone)
      << messages;
  EXPECT_EQ(run({"check", "--officer", table("war.txt", officers + utf8(u8"0\t5\t某\t1\t0\tabc\t60\t50\t洛阳\r\n"))}),
            kExitRefused);
  EXPECT_FALSE(said(kHintNewOfficerMode)) << messages;

  // A row of a scenario beyond the set is passed over with the same notice in each kind of table.
  const std::string beyond =
      "注意：" + formatMessage(kScenarioBeyondSet, std::size_t{10}) + utf8(u8"（第3行，共 1 行）\n");
  EXPECT_EQ(run({"check", "--officer", table("s.txt", officers + utf8(u8"11\t5\t某\t1\t0\t70\t60\t50\t洛阳\r\n"))}),
            kExitDone)
      << messages;
  EXPECT_TRUE(said(beyond)) << messages;
  EXPECT_EQ(
      run({"check", "--lord", table("s.txt", utf8(u8"剧本\t编号\t设置\t金钱\r\n-\t-\t-\t1\r\n11\t4\t1\t100\r\n"))}),
      kExitDone);
  EXPECT_TRUE(said(beyond)) << messages;

  // A 君主 cell that holds a name changes nothing and is told, unless it names the ruler there is.
  const std::string rulers = utf8(u8"剧本\t编号\t设置\t君主\r\n-\t-\t-\t1\r\n");
  const std::string rulerNamed = "注意：" + std::string(kRulerCellNotId) + utf8(u8"（第3行，共 1 行）\n");
  EXPECT_EQ(run({"check", "--lord", table("r.txt", rulers + utf8(u8"0\t5\t1\t高伯策\r\n0\t6\t1\t-\r\n"))}), kExitDone);
  EXPECT_TRUE(said(rulerNamed)) << messages;
  EXPECT_EQ(run({"check", "--lord", table("r.txt", rulers + utf8(u8"0\t4\t1\t高伯策\r\n0\t4\t1\t423\r\n"))}),
            kExitDone);
  EXPECT_FALSE(said(kRulerCellNotId)) << messages;

  // Edits in switched-off columns: one warning, the first cells with both values, the count.
  const std::string exported = folder.file("exported-war.txt");
  ASSERT_EQ(run({"export", "officer", "--columns", utf8(u8"武力"), "-o", exported}), kExitDone) << messages;
  EXPECT_EQ(run({"check", "--officer", exported}), kExitDone);
  EXPECT_FALSE(said(kSwitchedOffCellsHint)) << messages;
  auto rows = rowsOf(exported);
  const std::size_t wit = column(rows, u8"智力");
  const std::string firstWit = rows.at(2).at(wit);
  for (std::size_t r = 2; r < 9; ++r) rows.at(r).at(wit) = std::to_string(std::stoi(rows.at(r).at(wit)) % 200 + 1);
  rows.at(9).at(wit) = "-";  // the cell of nothing: no edit
  EXPECT_EQ(run({"check", "--officer", write("wit.txt", rows)}), kExitDone) << messages;
  EXPECT_TRUE(said("\n" +
                   formatMessage(kSwitchedOffCell, utf8(u8"第3行「智力」列 (T3)").c_str(),
                                 quotedCell(rows.at(2).at(wit)).c_str(), quotedCell(firstWit).c_str()) +
                   "\n"))
      << messages;
  EXPECT_TRUE(said(utf8(u8"第7行「智力」列")) && !said(utf8(u8"第8行「智力」列"))) << "the first five cells";
  EXPECT_TRUE(said("注意：" + formatMessage(kSwitchedOffCells, std::size_t{7})) &&
              said(formatMessage(kSwitchedOffCellsMore, std::size_t{7})) && said(kSwitchedOffCellsHint))
      << messages;

  // A city table exported before a force was founded in one of its cities: its untouched row of that city
  // is refused, and told which earlier table and row changed the city's owner.
  const std::string cities = folder.file("city.txt");
  ASSERT_EQ(run({"export", "city", "--scenario", "0", "-o", cities}), kExitDone) << messages;
  const std::string founded = table("found.txt", utf8(u8"剧本\t编号\t设置\t君主\r\n-\t-\t-\t1\r\n0\t1\t1\t101\r\n"));
  const std::string changedBy =
      formatMessage(kCellHeldBeforeTableRow, "0", (utf8(u8"势力表 ") + founded).c_str(), 3u, "1");
  EXPECT_EQ(run({"check", "--lord", founded, "--city", cities}), kExitRefused);
  EXPECT_TRUE(said(std::string(" ") + kRulerCityCannotChange + "\n")) << messages;
  EXPECT_TRUE(said("\n" + changedBy + "\n" + kHintSwitchRowOff + "\n")) << messages;
  // Its row switched off, the run goes through; a cell that was edited to another owner is not told.
  rows = rowsOf(cities);
  ASSERT_EQ(rows.at(4).at(1), "3") << "the row of city 3";
  rows.at(4).at(3) = "0";
  EXPECT_EQ(run({"check", "--lord", founded, "--city", write("off.txt", rows)}), kExitDone) << messages;
  rows.at(4).at(3) = "1";
  rows.at(4).at(column(rows, u8"势力")) = "4";
  EXPECT_EQ(run({"check", "--lord", founded, "--city", write("edited.txt", rows)}), kExitRefused);
  EXPECT_TRUE(said(kRulerCityCannotChange)) << messages;
  EXPECT_FALSE(said(kHintSwitchRowOff)) << messages;
  EXPECT_EQ(run({"check", "--city", cities}), kExitDone) << "alone, the table changes nothing: " << messages;
}

TEST_F(Diagnostics, WarningsFollowASuccessfulRun) {
  auto rows = officerRows();
  const std::size_t shown = column(rows, u8"势力");
  rows.at(1).at(shown) = "1";  // a column that is read but never written
  // A header named twice, in place of a shown column (the table has room for no more).
  const std::size_t age = column(rows, u8"年龄");
  const std::size_t war = column(rows, u8"武力");
  rows.at(0).at(age) = gbk(u8"武力");
  rows.at(1).at(age) = "1";
  for (std::size_t r = 2; r < rows.size(); ++r) rows[r].at(age) = rows[r].at(war);
  const std::string file = write("warn.txt", rows);

  EXPECT_EQ(run({"check", "--officer", file}), kExitDone) << messages;
  EXPECT_TRUE(withoutSummaries(messages).starts_with(kAllRight)) << messages;
  EXPECT_TRUE(said(utf8(u8"注意：表头中「武力」出现了不止一次，只有最右边的一列起作用\n"))) << messages;
  EXPECT_TRUE(said(utf8(u8"注意：「势力」列只供查看，导入时不会写入（开关可设为0）\n"))) << messages;

  // Bytes that are not GBK text are refused with their line, before any cell is read.
  rows.at(2).at(column(rows, u8"新姓名")) = "\xFF\xFF";
  const std::string broken = write("broken.txt", rows);
  EXPECT_EQ(run({"check", "--officer", broken}), kExitRefused) << messages;
  EXPECT_TRUE(messages.starts_with(utf8(u8"表不是GBK文本\n"))) << messages;
  EXPECT_TRUE(said(utf8(u8"\n无法转换的是第3行"))) << messages;
}

TEST_F(Diagnostics, TablesAsSpreadsheetsSaveThemAreRead) {
  const std::string exported = folder.file("gbk.txt");
  ASSERT_EQ(run({"export", "officer", "-o", exported}), kExitDone);
  const std::string text = gbkToUtf8(readFile(exported)).value();
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  // The table is all in the Basic Multilingual Plane: UTF-16 is two bytes per character.
  const std::u16string wide = [&] {
    std::u16string units;
    for (std::size_t i = 0; i < text.size();) {
      const auto c = static_cast<unsigned char>(text[i]);
      char32_t code = c;
      std::size_t width = 1;
      if (c >= 0xE0)
        code = (c & 0x0Fu) << 12 | (text[i + 1] & 0x3Fu) << 6 | (text[i + 2] & 0x3Fu), width = 3;
      else if (c >= 0xC0)
        code = (c & 0x1Fu) << 6 | (text[i + 1] & 0x3Fu), width = 2;
      units += static_cast<char16_t>(code);
      i += width;
    }
    return units;
  }();
  for (const char16_t unit : wide) {
    le += static_cast<char>(unit & 0xFF), le += static_cast<char>(unit >> 8);
    be += static_cast<char>(unit >> 8), be += static_cast<char>(unit & 0xFF);
  }
  writeFile(folder.file("le.txt"), le);
  writeFile(folder.file("be.txt"), be);
  writeFile(folder.file("bom8.txt"), "\xEF\xBB\xBF" + text);
  for (const char* name : {"le.txt", "be.txt", "bom8.txt"}) {
    EXPECT_EQ(run({"check", "--officer", folder.file(name)}), kExitDone) << name << messages;
    EXPECT_EQ(withoutSummaries(messages), kAllRight) << name;
    EXPECT_EQ(run({"check", "--utf8", "--officer", folder.file(name)}), kExitDone) << name << messages;
  }
}

TEST_F(Diagnostics, FilesThatAreNotGbkTablesGetHints) {
  const std::string exported = folder.file("gbk.txt");
  ASSERT_EQ(run({"export", "lord", "-o", exported}), kExitDone);
  const std::string table = readFile(exported);

  // A UTF-8 table read as GBK: its bytes are no GBK text, or (when they happen to be) its header is
  // wrong; both times the hint names --utf8.
  writeFile(folder.file("utf8.txt"), gbkToUtf8(table).value());
  EXPECT_EQ(run({"check", "--lord", folder.file("utf8.txt")}), kExitRefused);
  EXPECT_TRUE(messages.starts_with(utf8(u8"表不是GBK文本\n")) || messages.starts_with(utf8(u8"第一行前3列错误\n")))
      << messages;
  EXPECT_TRUE(said(utf8(u8"这个表是UTF-8文本：请加 --utf8"))) << messages;

  writeFile(folder.file("sheet.xlsx"), std::string("PK\x03\x04", 4) + std::string(60, '\0'));
  EXPECT_EQ(run({"check", "--lord", folder.file("sheet.xlsx")}), kExitRefused);
  EXPECT_TRUE(said(utf8(u8"这是表格软件自己的文件（xlsx、ods、xls），不是文本"))) << messages;
  EXPECT_FALSE(said("--utf8")) << messages;

  std::string commas = table;
  std::replace(commas.begin(), commas.end(), '\t', ',');
  writeFile(folder.file("commas.csv"), commas);
  EXPECT_EQ(run({"check", "--lord", folder.file("commas.csv")}), kExitRefused);
  EXPECT_TRUE(messages.starts_with(utf8(u8"输入文件至少要有3列\n"))) << messages;
  EXPECT_TRUE(said(utf8(u8"用逗号分隔的（csv）"))) << messages;

  EXPECT_EQ(run({"check", "--lord", folder.path().string()}), kExitFileFailed);
  EXPECT_TRUE(said(utf8(u8"原因：这是一个文件夹，不是文件"))) << messages;
}

}  // namespace
}  // namespace vorandel
