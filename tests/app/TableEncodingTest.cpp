#include "app/TableEncoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/AppMessages.h"
#include "app/BatchRun.h"
#include "app/BatchSummary.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

// A table file's bytes become UTF-8 text at reading, whatever their encoding, and the first line that
// does not convert is named.
TEST(TableEncoding, EveryEncodingIsDecodedToUtf8AndABadLineIsNamed) {
  const std::string gbk = testing::gbkBytes("剧本\t编号\r\n洛阳\r\n");
  const std::string le = std::string("\xFF\xFE\x67\x52\x2C\x67\n\0", 8);  // 剧本 LF in UTF-16LE
  const std::string be = std::string("\xFE\xFF\x52\x67\x67\x2C\0\n", 8);
  struct Case {
    std::string bytes;
    bool utf8;
    TableEncoding encoding;
    std::string text;  // empty: refused
    std::size_t badLine;
  };
  const Case cases[] = {
      {gbk, false, TableEncoding::Gbk, "剧本\t编号\r\n洛阳\r\n", 0},
      {"剧本\r\n", true, TableEncoding::Utf8, "剧本\r\n", 0},
      {"\xEF\xBB\xBF剧本", false, TableEncoding::Utf8, "剧本", 0},
      {le, false, TableEncoding::Utf16Le, "剧本\n", 0},
      {be, true, TableEncoding::Utf16Be, "剧本\n", 0},
      {gbk + "\xFF\xFF\r\n", false, TableEncoding::Gbk, "", 3},
      {"a\nb\n\xE5\x89\n", true, TableEncoding::Utf8, "", 3},
      {le + "\x3D", false, TableEncoding::Utf16Le, "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.empty() ? "refused at line " + std::to_string(c.badLine) : c.text);
    EXPECT_EQ(tableEncoding(c.bytes, c.utf8), c.encoding);
    const DecodedTable decoded = decodeTable(c.bytes, c.encoding);
    if (c.text.empty()) {
      EXPECT_EQ(decoded.text, std::nullopt);
    } else {
      EXPECT_EQ(decoded.text, c.text);
    }
    EXPECT_EQ(decoded.badLine, c.badLine);
  }
}

TEST(TableEncoding, ARefusedTableNamesItsFileAndLineAndAUtf8TableGetsTheHint) {
  try {
    tableTextOf("剧本\n\xE5\n", TableReading{false, true}, "t.txt");
    ADD_FAILURE() << "not refused";
  } catch (const EditError& error) {
    EXPECT_EQ(error.text(), kTableNotGbk);
    EXPECT_NE(error.details().joined().find("t.txt"), std::string::npos);
    EXPECT_NE(error.details().joined().find("第2行"), std::string::npos) << error.details().joined();
  }
  try {
    tableTextOf("剧\n", TableReading{false, true}, "t.txt");  // UTF-8 bytes that are no GBK text
    ADD_FAILURE() << "not refused";
  } catch (const EditError& error) {
    EXPECT_NE(error.details().joined().find(kHintUtf8ForCommandLine), std::string::npos) << error.details().joined();
  }
  // Text after a Ctrl-Z is no part of the table and is not decoded.
  EXPECT_EQ(tableTextOf(testing::gbkBytes("剧本") + "\x1A\xFF", {}, "t.txt"), "剧本");
  // Written back: GBK unless UTF-8 is asked for; a character GBK lacks becomes '?'.
  EXPECT_EQ(encodeTable("剧本😀", false), testing::gbkBytes("剧本") + "?");
  EXPECT_EQ(encodeTable("剧本😀", true), "剧本😀");
}

// UTF-8 text of characters below U+10000 as UTF-16LE.
std::string utf16LeBytes(std::string_view utf8) {
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
    unsigned unit = length == 1 ? lead : lead & (length == 2 ? 0x1Fu : 0x0Fu);
    for (std::size_t k = 1; k < length; ++k) unit = (unit << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
    i += length;
  }
  return bytes;
}

// Converted within their own string, a piece at a time, the bytes give the text or the bad line that
// converting them apart gives: whatever the size of the pieces, and with room before them or none.
TEST(TableEncoding, ConvertingWithinTheBytesGivesWhatConvertingApartGives) {
  const std::string gbk = testing::gbkBytes("剧本\t编号\r\n洛阳\r\n\n张三李四\n");
  const std::string le = "\xFF\xFE" + utf16LeBytes("剧本\n洛阳\r\n\n张三\n");
  std::string be = "\xFE\xFF";
  for (std::size_t i = 2; i + 1 < le.size(); i += 2) be += std::string{le[i + 1], le[i]};
  const struct {
    std::string bytes;
    TableEncoding encoding;
  } cases[] = {
      {gbk, TableEncoding::Gbk},
      {gbk + "ab", TableEncoding::Gbk},
      {gbk + testing::gbkBytes("甲\n") + "\xD5\xC5\xFF\r\n" + gbk, TableEncoding::Gbk},
      {"\xEF\xBB\xBF剧本\n\xEF\xBB\xBF洛阳\n", TableEncoding::Utf8},
      {"a\nb\n剧本\n\xE5\x89\nc\n", TableEncoding::Utf8},
      {le, TableEncoding::Utf16Le},
      {be, TableEncoding::Utf16Be},
      {le + utf16LeBytes("W 12 ") + std::string("\x00\xD8", 2) + utf16LeBytes("乙\r\n"), TableEncoding::Utf16Le},
      {le + "\x3D", TableEncoding::Utf16Le},
  };
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    const auto& [bytes, encoding] = cases[k];
    const DecodedTable apart = decodeTable(bytes, encoding);
    for (const std::size_t room : {std::size_t{0}, bytes.size() / 2}) {
      for (const std::size_t piece : {1, 2, 3, 5, 8, 1000}) {
        SCOPED_TRACE(::testing::Message() << "case " << k << ", room " << room << ", piece " << piece);
        std::string buffer = std::string(room, '-') + bytes;
        const DecodedTable within = decodeTableInPlace(buffer, room, buffer.size(), encoding, piece);
        EXPECT_EQ(within.text, apart.text);
        EXPECT_EQ(within.badLine, apart.badLine);
        EXPECT_EQ(within.shownBadLine, apart.shownBadLine);
      }
    }
  }
}

// The first line of the message, and the details below it ("(no error)" when the run went through).
std::string refusal(BatchKind kind, const std::string& bytes, TableReading reading = {false, true}) {
  ScenarioSet set = testing::smallValidSet();
  try {
    runBatchOnBytes(set, kind, bytes, "-", reading);
  } catch (const EditError& error) {
    return error.text() + "\n" + error.details().joined();
  }
  return "(no error)";
}

TEST(TableEncoding, TablesThatWouldBeMisreadAreRefusedWithTheHint) {
  const std::string utf8List = "W\t11\t张三\nW\t12\t李四\n";  // UTF-8 without a mark
  const std::string quotedLord = "\"剧本\"\t\"编号\"\t\"设置\"\t\"金钱\"\n0\t0\t0\t1\n1\t2\t1\t5\n";
  const struct {
    BatchKind kind;
    std::string bytes;
    TableReading reading;
    std::vector<std::string> expected;  // the first line first, then texts among the details
  } cases[] = {
      // Read as GBK, 张三 in UTF-8 is 寮犱笁: no byte is wrong, so the list says it.
      {BatchKind::NameList,
       utf8List,
       {false, true},
       {kNameListIsUtf8, "按GBK读：第1项在文件第1行：「W\t11\t寮犱笁」", "按UTF-8读：第1项在文件第1行：「W\t11\t张三」",
        kHintUtf8ForCommandLine}},
      {BatchKind::NameList, utf8List, {false, false}, {kNameListIsUtf8, kHintUtf8ForProgram}},
      {BatchKind::NameList, utf8List, {true, true}, {"(no error)"}},
      {BatchKind::NameList, "\xEF\xBB\xBF" + utf8List, {false, true}, {"(no error)"}},
      {BatchKind::NameList, testing::gbkBytes(utf8List), {false, true}, {"(no error)"}},
      // A byte that is not GBK: the line as far as GBK reads it.
      {BatchKind::NameList, "W\t11\t\xD5\xC5\xFF\n", {false, true}, {kTableNotGbk, "第1行", "「W\t11\t张?」"}},
      // Every text cell of the first line in quotes.
      {BatchKind::ForceTable, testing::gbkBytes(quotedLord), {false, true}, {"第一行前3列错误", kHintQuotedHeader}},
      {BatchKind::NameList,
       testing::gbkBytes("\"W\"\t11\t\"张三\"\n"),
       {false, true},
       {"Error File format at line: 1", kHintQuotedHeader}},
      // Standard input is read as a file: UTF-16 with its mark.
      {BatchKind::ForceTable,
       std::string("\xFF\xFE") + utf16LeBytes("剧本\t编号\t设置\t金钱\r\n0\t0\t0\t1\r\n1\t2\t1\t4321\r\n"),
       {false, true},
       {"(no error)"}},
      // 业 is 1A 4E in UTF-16LE: its 0x1A is no end of the text.
      {BatchKind::NameList,
       std::string("\xFF\xFE") + utf16LeBytes("W\t11\t业主\r\nW\t12\t甲\r\n"),
       {false, true},
       {"(no error)"}},
  };
  for (const auto& [kind, bytes, reading, expected] : cases) {
    const std::string text = refusal(kind, bytes, reading);
    EXPECT_TRUE(text.starts_with(expected.front())) << text;
    for (std::size_t i = 1; i < expected.size(); ++i) EXPECT_NE(text.find(expected[i]), std::string::npos) << text;
  }
  // A header that is right stays without the hint.
  EXPECT_EQ(refusal(BatchKind::ForceTable, testing::gbkBytes("剧本 编号 设置 金钱\n0 0 0 1\n1 2 1 \"x\"\n"))
                .find(kHintQuotedHeader),
            std::string::npos);
}

// A name list of a few GBK characters is often whole UTF-8 as well (陆逊 reads as "½ѷ"): it is GBK all
// the same unless, read as UTF-8, it is Chinese text; the same names saved as UTF-8 are refused.
TEST(TableEncoding, AShortGbkNameListIsReadAsGbk) {
  const testing::TempFolder folder;
  const struct {
    std::string list;
    bool city;
    int number;
    std::string name;
  } lists[] = {{"W 88 陆逊", false, 88, "陆逊"}, {"C 12 平原", true, 12, "平原"}, {"W 1 某", false, 1, "某"}};
  for (const auto& [list, city, number, name] : lists) {
    SCOPED_TRACE(list);
    const std::string gbk = testing::gbkBytes(list);
    ASSERT_TRUE(isUtf8(gbk)) << "the list no longer tells GBK that is whole UTF-8 apart";
    EXPECT_FALSE(savedAsUtf8(gbk));
    EXPECT_TRUE(savedAsUtf8(list));
    // Saved as UTF-8 the list is refused, whether its bytes happen to be GBK or not.
    const std::string asUtf8 = refusal(BatchKind::NameList, list);
    EXPECT_NE(asUtf8.find(kHintUtf8ForCommandLine), std::string::npos) << asUtf8;
    const std::string path = folder.file("name.txt");
    testing::writeFile(path, gbk);
    for (const bool fromFile : {false, true}) {
      testing::ScenarioBuilder builder;
      builder.addForce(11, 88);
      builder.addServing(11, 1);
      ScenarioSet set = testing::makeSet({builder.build()});
      if (fromFile)
        runBatch(set, BatchKind::NameList, path, TableReading{false, false});
      else
        runBatchOnBytes(set, BatchKind::NameList, gbk, "-", TableReading{false, true});
      const Scenario& scenario = set.scenarios[0];
      const std::string applied =
          city ? testing::nameText(scenario.cityName(number).text(cityName::name))
               : testing::nameText(
                     scenario.officerProfile(set.officerIndexOf(0, number).value().number()).text(profile::name));
      EXPECT_EQ(applied, name);
    }
  }
  // Full-width forms and CJK punctuation are Chinese text too; other letters beyond ASCII are not.
  EXPECT_TRUE(savedAsUtf8("W 1 １２"));
  EXPECT_TRUE(savedAsUtf8("W 1 「」"));
  EXPECT_FALSE(savedAsUtf8("W 1 caf\xC3\xA9"));
}

// The zip archive of the files, stored without compression, as a spreadsheet's xlsx is one.
std::string storedZip(const std::vector<std::pair<std::string, std::string>>& files) {
  const auto crc32 = [](std::string_view data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : data) {
      crc ^= static_cast<unsigned char>(c);
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
  };
  const auto le = [](std::string& to, std::uint32_t value, int bytes) {
    for (int k = 0; k < bytes; ++k) to += static_cast<char>((value >> (8 * k)) & 0xFF);
  };
  std::string zip;
  std::string directory;
  for (const auto& [name, data] : files) {
    const auto offset = static_cast<std::uint32_t>(zip.size());
    const std::uint32_t crc = crc32(data);
    const auto size = static_cast<std::uint32_t>(data.size());
    const auto nameSize = static_cast<std::uint32_t>(name.size());
    le(zip, 0x04034B50, 4), le(zip, 20, 2), le(zip, 0, 2), le(zip, 0, 2), le(zip, 0, 2), le(zip, 0x5A21, 2);
    le(zip, crc, 4), le(zip, size, 4), le(zip, size, 4), le(zip, nameSize, 2), le(zip, 0, 2);
    zip += name + data;
    le(directory, 0x02014B50, 4), le(directory, 20, 2), le(directory, 20, 2), le(directory, 0, 2);
    le(directory, 0, 2), le(directory, 0, 2), le(directory, 0x5A21, 2), le(directory, crc, 4);
    le(directory, size, 4), le(directory, size, 4), le(directory, nameSize, 2), le(directory, 0, 2);
    le(directory, 0, 2), le(directory, 0, 2), le(directory, 0, 2), le(directory, 0, 4), le(directory, offset, 4);
    directory += name;
  }
  const auto count = static_cast<std::uint32_t>(files.size());
  const auto start = static_cast<std::uint32_t>(zip.size());
  zip += directory;
  le(zip, 0x06054B50, 4), le(zip, 0, 2), le(zip, 0, 2), le(zip, count, 2), le(zip, count, 2);
  le(zip, static_cast<std::uint32_t>(directory.size()), 4), le(zip, start, 4), le(zip, 0, 2);
  return zip;
}

// A workbook of one sheet whose cell A1 holds 剧本, as an xlsx file holds it.
std::string smallXlsx() {
  const std::string relationships = "http://schemas.openxmlformats.org/package/2006/relationships";
  const std::string officeDocument = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string type = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
  std::string contentTypes =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
  contentTypes += "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + type + "sheet.main+xml\"/>";
  contentTypes += "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + type + "worksheet+xml\"/>";
  contentTypes += "</Types>";
  return storedZip({
      {"[Content_Types].xml", contentTypes},
      {"_rels/.rels", "<Relationships xmlns=\"" + relationships + "\"><Relationship Id=\"rId1\" Type=\"" +
                          officeDocument + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + officeDocument +
                              "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels", "<Relationships xmlns=\"" + relationships +
                                         "\"><Relationship Id=\"rId1\" Type=\"" + officeDocument +
                                         "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + main +
                                       "\"><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>剧本</t>"
                                       "</is></c></row></sheetData></worksheet>"},
  });
}

// The header block of an old binary (OLE) spreadsheet file, as an xls file starts.
std::string oleHeader() {
  std::string header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  header += std::string(16, '\0');                                        // class id
  header += std::string("\x3E\x00\x03\x00\xFE\xFF\x09\x00\x06\x00", 10);  // versions, byte order, sector sizes
  header += std::string(10, '\0');
  header += std::string("\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x10\x00\x00", 16);
  header += std::string("\xFE\xFF\xFF\xFF\x00\x00\x00\x00\xFE\xFF\xFF\xFF\x00\x00\x00\x00", 16);
  header += std::string(4, '\0');  // the first sector of the allocation table
  header += std::string(512 - header.size(), '\xFF');
  return header;
}

// A spreadsheet's own file is named as such with the hint to save it as tab-separated text, however it
// is refused: for every kind, read as GBK or as UTF-8, from a file or from standard input.
TEST(TableEncoding, ASpreadsheetFileIsNamedOnEveryPathThatRefusesIt) {
  const testing::TempFolder folder;
  const std::string path = folder.file("sheet.xlsx");
  const BatchKind kinds[] = {BatchKind::NameList, BatchKind::OfficerTable, BatchKind::ForceTable, BatchKind::CityTable};
  for (const std::string& bytes : {smallXlsx(), oleHeader()}) {
    testing::writeFile(path, bytes);
    for (const BatchKind kind : kinds) {
      for (const bool utf8 : {false, true}) {
        SCOPED_TRACE(::testing::Message() << batchKindName(kind) << (utf8 ? " UTF-8 " : " GBK ") << bytes.size());
        const TableReading reading{utf8, true};
        const std::string fromInput = refusal(kind, bytes, reading);
        EXPECT_NE(fromInput.find(kHintSpreadsheetFile), std::string::npos) << fromInput;
        ScenarioSet set = testing::smallValidSet();
        try {
          runBatch(set, kind, path, reading);
          ADD_FAILURE() << "not refused";
        } catch (const EditError& error) {
          EXPECT_NE(error.details().joined().find(kHintSpreadsheetFile), std::string::npos) << error.details().joined();
        }
      }
    }
  }
}

// A line that does not convert is named and shown as far as its encoding reads it, in every encoding.
TEST(TableEncoding, TheLineThatDoesNotConvertIsShown) {
  const std::string le = "\xFF\xFE" + utf16LeBytes("W 11 甲\n");
  const std::string loneSurrogate("\x00\xD8", 2);
  const struct {
    std::string bytes;
    bool utf8;
    std::vector<std::string> details;
  } cases[] = {
      {le + utf16LeBytes("W 12 ") + loneSurrogate + utf16LeBytes("乙\r\n"),
       false,
       {"表：t.txt", "无法转换的是第2行", "这一行按UTF-16读是「W 12 ?乙」（?是无法转换的部分）"}},
      {le + utf16LeBytes("W 12 乙") + "\x3D",
       false,
       {"表：t.txt", "无法转换的是第2行", "这一行按UTF-16读是「W 12 乙?」（?是无法转换的部分）"}},
      {"W 11 甲\nW 12 \xE4\xB9乙\n",
       true,
       {"表：t.txt", "无法转换的是第2行", "这一行按UTF-8读是「W 12 ??乙」（?是无法转换的部分）"}},
      {testing::gbkBytes("W 11 甲\n") + "W 12 \xD5\xC5\xFF\r\n",
       false,
       {"表：t.txt", "无法转换的是第2行", "这一行按GBK读是「W 12 张?」（?是无法转换的字节）"}},
  };
  for (const auto& c : cases) {
    try {
      tableTextOf(c.bytes, TableReading{c.utf8, false}, "t.txt");
      ADD_FAILURE() << "not refused: " << c.details.back();
    } catch (const EditError& error) {
      std::vector<std::string> lines;
      const std::string joined = error.details().joined() + "\n";
      for (std::size_t at = 0, end; (end = joined.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(joined.substr(at, end - at));
      EXPECT_EQ(lines, c.details);
    }
  }
}

// A table read from its file is refused as its bytes are, with the same details and hints, though the
// file's bytes are let go of once they are text.
TEST(TableEncoding, ATableFileIsRefusedAsItsBytesAre) {
  const testing::TempFolder folder;
  const std::string lord = testing::gbkBytes("剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n");
  const struct {
    BatchKind kind;
    std::string bytes;
    TableReading reading;
  } cases[] = {
      {BatchKind::ForceTable, testing::gbkBytes("\"剧本\"\t\"编号\"\t\"设置\"\t\"金钱\"\n0\t0\t0\t1\n"), {false, true}},
      {BatchKind::ForceTable, lord + "1\t2\t1\t\xD5\xC5\xFF\n", {false, true}},
      {BatchKind::ForceTable, "剧本\t编号\t设置\t金钱\n0\t0\t0\t1\n", {false, false}},  // UTF-8 read as GBK
      {BatchKind::ForceTable, "剧本,编号,设置,金钱\n0,0,0,1\n", {true, true}},
      {BatchKind::ForceTable, std::string("PK\x03\x04", 4) + std::string(60, '\0'), {false, true}},
      {BatchKind::CityTable, lord, {false, true, [](BatchKind kind) { return std::string(batchKindName(kind)); }}},
      {BatchKind::ForceTable, "\xFF\xFE" + utf16LeBytes("剧本\t编号\n") + std::string("\x00\xD8", 2), {false, true}},
  };
  for (const auto& [kind, bytes, reading] : cases) {
    const std::string path = folder.file("t.txt");
    testing::writeFile(path, bytes);
    const auto refusal = [&](auto run) {
      ScenarioSet set = testing::smallValidSet();
      try {
        run(set);
      } catch (const EditError& error) {
        return error.text() + "\n" + error.details().joined();
      }
      return std::string("(no error)");
    };
    const std::string fromBytes = refusal([&](ScenarioSet& set) { runBatchOnBytes(set, kind, bytes, path, reading); });
    EXPECT_NE(fromBytes, "(no error)");
    EXPECT_EQ(refusal([&](ScenarioSet& set) { runBatch(set, kind, path, reading); }), fromBytes);
  }
}

}  // namespace
}  // namespace vorandel
