#include "app/TableEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "app/AppMessages.h"
#include "app/BatchRun.h"
#include "model/EditError.h"
#include "tests/support/RecordNames.h"

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

}  // namespace
}  // namespace vorandel
