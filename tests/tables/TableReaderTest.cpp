#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/BatchRun.h"
#include "model/CellError.h"
#include "tables/BatchTable.h"
#include "tables/CellParsers.h"
#include "tables/ColumnDictionary.h"
#include "tables/TableMessages.h"
#include "tables/TextFile.h"
#include "tests/tables/TableFiles.h"

namespace vorandel {
namespace {

using testing::cellErrorText;
using testing::tableError;
using testing::TableFiles;
using Lines = std::vector<std::string>;
using Cells = std::vector<std::string_view>;

// The lines of a table file as the reader gives them.
Lines fileLines(const std::string& path) {
  const std::optional<std::string> text = readTextFile(path);
  if (!text) return {"(cannot open)"};
  const std::vector<std::string_view> lines = tableLines(*text);
  return {lines.begin(), lines.end()};
}

TEST(TableReader, LineRules) {
  TableFiles files;
  EXPECT_EQ(fileLines(files.write("crlf.txt", "a\tb\r\nc\r\n")), (Lines{"a\tb", "c"}));
  EXPECT_EQ(fileLines(files.write("nofeed.txt", "a\nlast")), (Lines{"a", "last"}));
  EXPECT_EQ(fileLines(files.write("twofeeds.txt", "a\nb\n\n")), (Lines{"a", "b", ""}));
  EXPECT_EQ(fileLines(files.write("inner.txt", "a\n\r\n\nb\r\n")), (Lines{"a", "", "", "b"}));
  // Only the carriage return right before a line feed is part of the terminator.
  EXPECT_EQ(fileLines(files.write("cr.txt", "a\rb\r\r\nc\r")), (Lines{"a\rb\r", "c\r"}));
  EXPECT_TRUE(fileLines(files.write("empty.txt", "")).empty());
  EXPECT_EQ(fileLines(files.write("gbk.txt", "剧本\t编号\n")), (Lines{"剧本\t编号"}));
  // A Ctrl-Z ends the text, as Windows' text mode reads it: old editors put one at the end.
  EXPECT_EQ(fileLines(files.write("ctrlz.txt", "a\r\nb\r\n\x1A")), (Lines{"a", "b"}));
  EXPECT_EQ(fileLines(files.write("ctrlz2.txt", "a\x1A\nb\n")), (Lines{"a"}));
  EXPECT_EQ(textBeforeEnd("a\x1A\nb\n"), "a");
}

TEST(TableReader, MissingFileCannotBeOpened) {
  TableFiles files;
  EXPECT_FALSE(readTextFile(files.missing()).has_value());
  ScenarioSet set;
  EXPECT_EQ(tableError([&] { runBatch(set, BatchKind::CityTable, files.missing()); }), "cannot open file to read");
}

// The cells that splitCellsInto writes into room for `room` cells.
Cells cellsInto(std::string_view line, std::size_t room) {
  Cells cells(room);
  cells.resize(splitCellsInto(line, cells));
  return cells;
}

TEST(TableReader, SplittingStopsAtOneCellTooMany) {
  EXPECT_EQ(cellsInto(" a\tb  c ", 4), (Cells{"a", "b", "c"}));
  EXPECT_EQ(cellsInto("a b c d e f", 4), (Cells{"a", "b", "c", "d"}));
  EXPECT_EQ(cellsInto("", 1), Cells{});
  EXPECT_EQ(cellsInto("a b", 0), Cells{});
  EXPECT_EQ(countCells("a b c d e f", 2), 3u);
  EXPECT_EQ(countCells(" a b ", 5), 2u);
}

// The row splitter finds separators a block of bytes at a time; it must cut every line exactly as the cell
// reader does byte by byte, wherever the separators fall against the blocks, and stop at the
// same cell. Quoted and unquoted cells read alike with and without a copy.
TEST(TableReader, FastReadersAgreeWithTheCellReader) {
  const char pieces[] = {'a', ' ', '\t', '\xB2', '"', '\r', '\0', '\xA0', '\x89', 'x'};
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    const std::size_t length = next() % 40;
    for (std::size_t k = 0; k < length; ++k) line += pieces[next() % sizeof pieces];
    const Cells all = splitCells(line);
    for (const std::size_t most : {std::size_t{0}, std::size_t{1}, std::size_t{3}, all.size(), std::size_t{300}}) {
      const Cells expected(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), most + 1)));
      EXPECT_EQ(cellsInto(line, most + 1), expected) << round << " " << most;
    }
    std::string room;
    for (const std::string_view cell : all) EXPECT_EQ(unquotedCell(cell, room), unquoteCell(cell)) << round;
  }
  std::string room;
  EXPECT_EQ(unquotedCell("\"a\"\"b\"", room), "a\"b");
  EXPECT_EQ(unquotedCell("\"\"", room), "\"\"");
}

TEST(TableReader, SplitsCellsAtRunsOfBlanksAndTabs) {
  EXPECT_EQ(splitCells("a\tb c"), (Cells{"a", "b", "c"}));
  EXPECT_EQ(splitCells(" \t a\t\t \tb  \t"), (Cells{"a", "b"}));
  EXPECT_TRUE(splitCells(" \t\t  ").empty());
  EXPECT_TRUE(splitCells("").empty());
  EXPECT_EQ(splitCells("曹操\t\"5\""), (Cells{"曹操", "\"5\""}));
}

TEST(TableReader, SplitsListsAndJoinsCells) {
  EXPECT_EQ(splitList("1,2,3", ','), (Cells{"1", "2", "3"}));
  EXPECT_EQ(splitList(",1,,2,", ','), (Cells{"1", "2"}));
  EXPECT_TRUE(splitList(",,,", ',').empty());
  EXPECT_EQ(splitList("a b", ','), (Cells{"a b"}));
  // Items are looked for a block of bytes at a time: long cells, separators at every place in a block,
  // and runs of them, give the items a byte-by-byte look gives.
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    std::string cell(random() % 70, 'x');
    for (char& byte : cell) byte = "ab,\xE5\xBD\xA2"[random() % 6];
    Cells expected;
    for (std::size_t at = 0; at < cell.size();) {
      const std::size_t end = std::min(cell.find(',', at), cell.size());
      if (end > at) expected.push_back(std::string_view(cell).substr(at, end - at));
      at = end + 1;
    }
    ASSERT_EQ(splitList(cell, ','), expected) << cell;
  }

  const Lines cells{"剧本", "编号", "设置"};
  EXPECT_EQ(joinCells(cells, " "), "剧本 编号 设置");
  EXPECT_EQ(joinCells(std::span(cells).first(1), " "), "剧本");
  EXPECT_EQ(joinCells(Cells{}, " "), "");
}

TEST(TableReader, UnquotesOnlyEnclosedCellsLongerThanTwoBytes) {
  const struct {
    std::string_view cell;
    bool quoted;
    std::string_view value;
  } cases[] = {
      {"\"5\"", true, "5"},   {"\"a\"b\"", true, "a\"b"}, {"\"a\"\"b\"", true, "a\"b"},
      {"\"\"\"", true, "\""}, {"\"\"", false, "\"\""},    {"\"", false, "\""},
      {"\"5", false, "\"5"},  {"5\"", false, "5\""},      {"5", false, "5"},
      {"", false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isQuotedCell(c.cell), c.quoted) << c.cell;
    EXPECT_EQ(unquoteCell(c.cell), c.value) << c.cell;
    std::string room;
    const std::string_view value = unquotedCell(c.cell, room);
    EXPECT_EQ(value, c.value) << c.cell;
    EXPECT_EQ(value.data() == c.cell.data(), !c.quoted) << c.cell << ": a cell without quotes is not copied";
  }
}

TEST(TableReader, ADoubledQuoteInsideAQuotedCellIsOneQuoteAndQuotingReadsBack) {
  // As spreadsheets write a cell that holds quotes.
  const std::pair<const char*, const char*> cells[] = {
      {"\"张\"\"三\"", "张\"三"},   {"\"\"\"\"", "\""},         {"\"\"\"\"\"\"", "\"\""},
      {"\"a\"\"\"\"b\"", "a\"\"b"}, {"\"\"\"x\"\"\"", "\"x\""}, {"a\"\"b", "a\"\"b"},  // not enclosed: raw
  };
  for (const auto& [cell, value] : cells) EXPECT_EQ(unquoteCell(cell), value) << cell;
  for (const char* text : {"张\"三", "\"", "\"\"", "\"x\"", "a\"\"b", "张三", "5", "x\"", "\"x"}) {
    EXPECT_EQ(unquoteCell(quoteCell(text)), text) << text;
    EXPECT_EQ(splitCells(quoteCell(text)).size(), 1u) << text;
  }
  EXPECT_EQ(quoteCell("张\"三"), "\"张\"\"三\"");
  EXPECT_EQ(quoteCell("张三"), "张三") << "a cell without quotes is written as it stands";
}

TEST(CellParsers, SwitchIsZeroOrOneOnly) {
  EXPECT_FALSE(parseSwitch("0"));
  EXPECT_TRUE(parseSwitch("1"));
  const CellPosition at{1, 4};
  for (const char* bad : {"00", "+1", "\"1\"", "2", "1 ", "-0"})
    EXPECT_EQ(tableError([&] { atCell(at, [&] { parseSwitch(bad); }); }), cellErrorText(2, 5, "E2", kNotASwitch))
        << bad;
}

TEST(CellParsers, RangedReadsTheWholeCellAsStrtol) {
  const CellPosition at{2, 4};
  EXPECT_EQ(parseRanged("-0", -5, 5, 10), 0);
  EXPECT_EQ(parseRanged("+7", 0, 10, 10), 7);
  EXPECT_EQ(parseRanged("007", 0, 10, 10), 7);
  EXPECT_EQ(parseRanged("-5", -5, 5, 10), -5);
  EXPECT_EQ(parseRanged("1F", 0, 100, 16), 31);
  EXPECT_EQ(parseRanged("-0x10", -100, 100, 16), -16);
  for (const char* bad : {"7a", "0x10", "1.5", "--1", "+", "7 "})
    EXPECT_EQ(tableError([&] { atCell(at, [&] { parseRanged(bad, 0, 100, 10); }); }),
              cellErrorText(3, 5, "E3", kNotAnInteger))
        << bad;
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseRanged("-6", -5, 5, 10); }); }),
            cellErrorText(3, 5, "E3", kOutOfRange));
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseRanged("6", -5, 5, 10); }); }),
            cellErrorText(3, 5, "E3", kOutOfRange));
  EXPECT_EQ(parseBounded("1000", 1000), 1000);
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseBounded("1001", 1000); }); }),
            cellErrorText(3, 5, "E3", kOutOfRange));
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseBounded("-1", 1000); }); }), cellErrorText(3, 5, "E3", kOutOfRange));
}

TEST(CellParsers, RangedSaturatesAtThe32BitLimits) {
  constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(parseRanged("2147483647", least, most, 10), most);
  EXPECT_EQ(parseRanged("2147483648", least, most, 10), most);
  EXPECT_EQ(parseRanged("99999999999999999999999", least, most, 10), most);
  EXPECT_EQ(parseRanged("-2147483648", least, most, 10), least);
  EXPECT_EQ(parseRanged("-2147483649", least, most, 10), least);
  EXPECT_EQ(parseRanged("100000000", least, most, 16), most);
  // A value that a 64-bit long would hold in full must not slip below a bound once it is cut to 32 bits.
  const CellPosition at{0, 0};
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseBounded("4294967296", 100); }); }),
            cellErrorText(1, 1, "A1", kOutOfRange));
}

TEST(CellParsers, UnsignedReadsAsStrtoulWithA32BitLong) {
  EXPECT_EQ(parseUnsigned("1F", 16), 31u);
  EXPECT_EQ(parseUnsigned("0x1F", 16), 31u);
  EXPECT_EQ(parseUnsigned("0X1F", 16), 31u);
  EXPECT_EQ(parseUnsigned("1f", 16), 31u);
  EXPECT_EQ(parseUnsigned("12345", 16), 0x12345u);
  EXPECT_EQ(parseUnsigned("+10", 10), 10u);
  EXPECT_EQ(parseUnsigned("4294967295", 10), 4294967295u);
  EXPECT_EQ(parseUnsigned("4294967296", 10), 4294967295u);
  EXPECT_EQ(parseUnsigned("123456789012345678901234", 10), 4294967295u);
  EXPECT_EQ(parseUnsigned("-1", 10), 4294967295u);
  EXPECT_EQ(parseUnsigned("-0", 10), 0u);
  EXPECT_EQ(parseUnsigned("-4294967295", 10), 1u);
  EXPECT_EQ(parseUnsigned("-4294967296", 10), 4294967295u);
  EXPECT_EQ(parseUnsigned("-0x10", 16), 0xFFFFFFF0u);
  EXPECT_EQ(parseUnsigned("100000000", 16), 4294967295u);

  const CellPosition at{6, 27};
  for (const char* bad : {"1G", "0x", "1.0", "x1"})
    EXPECT_EQ(tableError([&] { atCell(at, [&] { parseUnsigned(bad, 16); }); }),
              cellErrorText(7, 28, "AB7", kNotAnInteger))
        << bad;
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseUnsigned("0x10", 10); }); }),
            cellErrorText(7, 28, "AB7", kNotAnInteger));
}

// The quick readers of plain digits must read every cell as the full readers do: the same value, or a
// fault where they fail.
TEST(CellParsers, QuickReadersAgreeWithTheFullOnes) {
  const auto outcome = [](auto read) -> std::string {
    try {
      return std::to_string(read());
    } catch (const CellFault& fault) {
      return std::string("fault: ") + fault.what();
    }
  };
  std::vector<std::string> cells = {"0", "7", "09", "999999999", "1000000000", "4294967295", "4294967296", "FFFFFFFF",
                                    "ffffffff", "100000000", "7FFFFFFF", "80000000", "aF", "G", "1 ", " 1", "+5", "-5",
                                    "0x1f", "", "12a", "2147483647", "2147483648", "-2147483648",
                                    // the bytes just outside the digits and the letters, either case
                                    "/", ":", "@", "`", "g", "1G"};
  // Every length of digits up to twelve, of each digit, in both bases' alphabets.
  for (std::size_t length = 1; length <= 12; ++length)
    for (const char digit : {'1', '9', 'A', 'f'}) cells.push_back(std::string(length, digit));
  for (const std::string& cell : cells) {
    for (const int base : {10, 16}) {
      EXPECT_EQ(outcome([&] { return parseUnsigned(cell, base); }),
                outcome([&] { return parseUnsignedInFull(cell, base); }))
          << cell << " in base " << base;
      for (const auto& [low, high] : {std::pair{0, 100}, std::pair{-1, 65535}, std::pair{INT32_MIN, INT32_MAX}})
        EXPECT_EQ(outcome([&] { return parseRanged(cell, low, high, base); }),
                  outcome([&] { return parseRangedInFull(cell, low, high, base); }))
            << cell << " in base " << base << " within " << low << ".." << high;
    }
  }
}

// Names of every length up to twenty bytes, many sharing their first eight bytes or differing only in
// their last: each finds its own code, and nothing else finds any.
TEST(ColumnDictionaryTest, FindsExactlyItsNames) {
  std::vector<std::string> names;
  for (std::size_t length = 1; length <= 20; ++length)
    for (char last = 'a'; last <= 'j'; ++last) names.push_back(std::string(length - 1, 'x') + last);
  for (int k = 0; k < 50; ++k) names.push_back("武将" + std::to_string(k));
  std::vector<const char*> pointers;
  for (const std::string& name : names) pointers.push_back(name.c_str());
  pointers.push_back(names[3].c_str());  // given twice: keeps its first code
  const ColumnDictionary dictionary{std::span<const char* const>(pointers)};
  EXPECT_EQ(dictionary.size(), names.size());
  for (std::size_t k = 0; k < names.size(); ++k) EXPECT_EQ(dictionary.find(names[k]), static_cast<int>(k)) << names[k];
  for (const std::string& other :
       {std::string(), std::string("k"), std::string(20, 'x'), std::string(21, 'x') + "a", std::string("武将50"),
        std::string("武将"), std::string(7, 'x') + "A", std::string("xxxyxxxa"), std::string("xxyxxa")})
    EXPECT_EQ(dictionary.find(other), std::nullopt) << other;
  const auto entries = dictionary.entries();
  ASSERT_EQ(entries.size(), names.size());
  for (std::size_t k = 0; k < entries.size(); ++k)
    EXPECT_EQ(entries[k], std::pair(std::string_view(names[k]), static_cast<int>(k)));
}

TEST(CellParsers, NameSetOrsTheBitsOfKnownItems) {
  const ColumnDictionary weapons{"战车", "铠甲", "连弩"};
  EXPECT_EQ(parseNameSet(weapons, "---", ','), 0u);
  EXPECT_EQ(parseNameSet(weapons, "战车", ','), 1u);
  EXPECT_EQ(parseNameSet(weapons, "连弩,战车", ','), 5u);
  EXPECT_EQ(parseNameSet(weapons, "战车,,铠甲,战车,", ','), 3u);
  EXPECT_EQ(parseNameSet(weapons, ",", ','), 0u);

  const CellPosition at{3, 6};
  const std::string unknown = cellErrorText(4, 7, "G4", kUnknownName);
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseNameSet(weapons, "战车，铠甲", ','); }); }), unknown);
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseNameSet(weapons, "战车,楼船", ','); }); }), unknown);
  EXPECT_EQ(tableError([&] { atCell(at, [&] { parseNameSet(weapons, "----", ','); }); }), unknown);
}

}  // namespace
}  // namespace vorandel
