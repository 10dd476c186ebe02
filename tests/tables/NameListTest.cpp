#include "app/BatchRun.h"
#include "tables/NameList.h"

#include <gtest/gtest.h>

#include <string>

#include "tables/TableMessages.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/tables/TableFiles.h"

namespace vorandel {

using testing::gbkName;
using testing::nameText;
namespace {

using testing::tableError;
using testing::TableFiles;

class NameList : public ::testing::Test {
 protected:
  std::string run(const std::string& text) {
    return tableError([&] { importNameList(set, TableText{text, "ruv5_name.txt"}); });
  }

  std::string officerName(std::size_t s, int id) const {
    const OfficerIndex index = set.officerIndexOf(s, id).value();
    return nameText(set.scenarios[s].officerProfile(index.number()).text(profile::name));
  }
  std::string cityName(std::size_t s, int c) const {
    return nameText(set.scenarios[s].cityName(c).text(cityName::name));
  }

  TableFiles files;
  ScenarioSet set = testing::smallValidSet();
};

TEST_F(NameList, RenamesOfficersAndCitiesInEveryScenario) {
  const ScenarioSet before = set;
  ASSERT_EQ(run("W 11 诸葛亮\r\nC\t12  许昌\r\n  W 21 孙权\n"), "(no error)");
  for (std::size_t s = 0; s < 2; ++s) {
    EXPECT_EQ(officerName(s, 11), "诸葛亮");
    EXPECT_EQ(officerName(s, 21), "孙权");
    EXPECT_EQ(cityName(s, 12), "许昌");
  }
  // Only the first 9 bytes of the profile and the first 5 bytes of the city's name record change.
  const int officer = set.officerIndexOf(0, 11).value().number();
  const auto& after = set.scenarios[0].officerProfile(officer).bytes;
  const auto& old = before.scenarios[0].officerProfile(officer).bytes;
  EXPECT_EQ(std::string(after.begin(), after.begin() + 9), gbkName("诸葛亮") + std::string(3, '\0'))
      << "GBK in the record";
  EXPECT_TRUE(std::equal(after.begin() + 9, after.end(), old.begin() + 9));
  EXPECT_EQ(set.scenarios[0].states, before.scenarios[0].states);
  const std::uint8_t* cityBytes = set.scenarios[1].cityName(12).data();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(cityBytes), 5), gbkName("许昌") + '\0');
  EXPECT_TRUE(std::equal(cityBytes + 5, cityBytes + 32, before.scenarios[1].cityName(12).data() + 5));
}

TEST_F(NameList, EntriesAreSeparatedByAnyWhiteSpace) {
  ASSERT_EQ(run("C5 甲乙 W\n\n12\tAbc C 6\nx"), "(no error)");
  EXPECT_EQ(cityName(0, 5), "甲乙");
  EXPECT_EQ(officerName(1, 12), "Abc");
  EXPECT_EQ(cityName(1, 6), "x");
}

TEST_F(NameList, LaterEntriesWin) {
  ASSERT_EQ(run("C 5 a\nC 5 b\nW 13 c\nW 13 d\n"), "(no error)");
  EXPECT_EQ(cityName(1, 5), "b");
  EXPECT_EQ(officerName(1, 13), "d");
}

TEST_F(NameList, EmptyListChangesNothing) {
  const ScenarioSet before = set;
  EXPECT_EQ(run(""), "(no error)");
  EXPECT_EQ(run(" \r\n\t\n\v\f "), "(no error)");
  EXPECT_EQ(set, before);
  // The list ends at a Ctrl-Z, as Windows' text mode reads it.
  const std::string path = files.write("ruv5_name.txt",
                                       "\x1A"
                                       "C 5 a\n");
  EXPECT_EQ(tableError([&] { runBatch(set, BatchKind::NameList, path); }), "(no error)");
  EXPECT_EQ(set, before);
}

TEST_F(NameList, KindIsTheWholeRunOfWAndCAndItsFirstLetterDecides) {
  ASSERT_EQ(run("C" + std::string(100000, 'W') + " 5 长\nWC 12 短\n"), "(no error)");
  EXPECT_EQ(cityName(0, 5), "长");
  EXPECT_EQ(officerName(0, 12), "短");
  EXPECT_EQ(run(std::string(200000, 'C')), "Error File format at line: 1");
}

TEST_F(NameList, MalformedEntriesNameTheirEntryNumber) {
  EXPECT_EQ(run("W 11 a\nw 12 b\n"), "Error File format at line: 2");
  EXPECT_EQ(officerName(0, 11), "a") << "entries before the error stay applied";
  EXPECT_EQ(run("W 11 a\nC 12 b\nC 13\n"), "Error File format at line: 3");
  EXPECT_EQ(run("\n\n\nC 12 b\nW x y\n"), "Error File format at line: 2");
  EXPECT_EQ(run("C - b\n"), "Error File format at line: 1");
  EXPECT_EQ(run("X 1 b\n"), "Error File format at line: 1");
  EXPECT_EQ(tableError([&] { runBatch(set, BatchKind::NameList, files.missing()); }), "Failed to open file to read.");
}

TEST_F(NameList, ANumberThatIsNotWholeIsRefusedWithItsLine) {
  // Read on, "1e3" would rename officer 1 to "e3".
  for (const char* list : {"W\t1e3\n", "W 11 a\nW 1.5 x\n", "C 12abc 许昌\n", "W 0x1 a\n", "W 11,12 a\n"}) {
    const std::string error = tableError([&] { importNameList(set, TableText{list, "ruv5_name.txt"}); });
    EXPECT_TRUE(error.starts_with("Error File format at line: ")) << list << error;
    try {
      importNameList(set, TableText{list, "ruv5_name.txt"});
    } catch (const EditError& e) {
      EXPECT_NE(e.details().joined().find(kNameListNumberNotWhole), std::string::npos) << list;
    }
  }
  EXPECT_EQ(run("W 11 a\nW 1.5 x\n"), "Error File format at line: 2");
  EXPECT_EQ(run("W 11\t乙\nC\t12 甲\n"), "(no error)") << "white space after the number";
}

TEST_F(NameList, QuotedNamesAreUnquotedAsValueCells) {
  const std::pair<const char*, const char*> entries[] = {
      {"W 11 \"张三\"", "张三"},
      {"W 11 \"张\"\"三\"", "张\"三"},
      {"W 11 张\"三", "张\"三"},
      {"W 11 \"司马懿懿\"", "司马懿懿"},  // ten bytes with its quotes
  };
  for (const auto& [entry, name] : entries) {
    ASSERT_EQ(run(entry), "(no error)") << entry;
    EXPECT_EQ(officerName(0, 11), name) << entry;
  }
  EXPECT_EQ(run("C 5 \"甲乙\""), "(no error)");
  EXPECT_EQ(cityName(1, 5), "甲乙");
  EXPECT_EQ(run("C 5 \"甲乙丙\""), "城市名长度最多只能为4个字符。") << "the length of the unquoted name";
}

TEST_F(NameList, AListOfMostlyQuestionMarksIsRefusedBeforeAnyEntry) {
  const ScenarioSet before = set;
  const std::pair<const char*, bool> lists[] = {
      {"W 11 ??\nW 12 ???\nC 5 ??\n", true}, {"W 11 ??\nW 12 ??\nC 5 甲乙\n", true}, {"W 11 ?\n", true},
      {"W 11 ??\nC 5 甲乙\n", false},  // half is not most
      {"W 11 a?\nW 12 ?b\n", false},
  };
  for (const auto& [list, refused] : lists) {
    set = before;
    EXPECT_EQ(run(list), refused ? kNamesAreQuestionMarks : "(no error)") << list;
    if (refused) {
      EXPECT_TRUE(set == before) << list;
    }
  }
  try {
    importNameList(set, TableText{"W 11 ??\nW 12 ???\n", "ruv5_name.txt"});
    ADD_FAILURE() << "not refused";
  } catch (const EditError& e) {
    const std::string details = e.details().joined();
    EXPECT_NE(details.find("2 个名字中有 2 个只有问号"), std::string::npos) << details;
    EXPECT_NE(details.find(kHintSaveEncodingForNames), std::string::npos) << details;
  }
}

TEST_F(NameList, CityNumbersAndNameLengths) {
  EXPECT_EQ(run("C 0 a"), "城市编号超出范围。");
  EXPECT_EQ(run("C 48 a"), "城市编号超出范围。");
  // A number beyond 32 bits saturates instead of wrapping round to a valid city.
  EXPECT_EQ(run("C 4294967297 a"), "城市编号超出范围。");
  EXPECT_EQ(run("C -1 a"), "城市编号超出范围。");
  EXPECT_EQ(run("C 47 abcd"), "(no error)");
  EXPECT_EQ(cityName(1, 47), "abcd");
  EXPECT_EQ(run("C 47 襄阳城"), "城市名长度最多只能为4个字符。");
  EXPECT_EQ(run("C 1 abcdefghijklmnop"), "城市名长度最多只能为4个字符。");
  EXPECT_EQ(cityName(1, 47), "abcd");
}

TEST_F(NameList, OfficerIdsAndNameLengths) {
  ASSERT_EQ(set.idCapacity, 43u);
  EXPECT_EQ(run("W 43 a"), "武将头像编号超出范围。");
  EXPECT_EQ(run("W 4294967338 a"), "武将头像编号超出范围。");
  EXPECT_EQ(run("W 42 司马懿懿"), "(no error)");
  EXPECT_EQ(officerName(1, 42), "司马懿懿");
  EXPECT_EQ(run("W 42 abcdefghi"), "武将名长度最多只能为8个字符。");
  // Only 10 bytes are read as the name; a longer one still fails the length check.
  EXPECT_EQ(run("W 42 abcdefghijklmnopqrstuvwxyz"), "武将名长度最多只能为8个字符。");
  // An id below the capacity that no officer holds changes nothing.
  const ScenarioSet before = set;
  EXPECT_EQ(run("W 0 a W 15 b"), "(no error)");
  EXPECT_EQ(set, before);
}

TEST_F(NameList, OfficerMissingFromAScenarioIsRenamedWhereHeExists) {
  testing::ScenarioBuilder first;
  first.addForce(11, 10);
  first.addFree(5, 60);
  testing::ScenarioBuilder second(200);
  second.addForce(11, 10);
  set = testing::makeSet({first.build(), second.build()});
  const ScenarioSet before = set;
  ASSERT_EQ(run("W 60 貂蝉"), "(no error)");
  EXPECT_EQ(officerName(0, 60), "貂蝉");
  EXPECT_EQ(set.scenarios[1], before.scenarios[1]);
}

}  // namespace
}  // namespace vorandel
