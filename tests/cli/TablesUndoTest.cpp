// Tables of one run that set back what an earlier table changed are told, cell by cell; tables exported
// with only the columns one edits never do it.
#include <gtest/gtest.h>

#include <sstream>

#include "app/AppMessages.h"
#include "app/TableUndo.h"
#include "cli/Cli.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::writeFile;

FieldChange officerName(std::size_t s, const char* before, const char* after) {
  return {s, ChangedRecord::Officer, 75, after, "新姓名", before, after};
}

TEST(TableUndoCheck, AFieldSetBackToItsValueBeforeAnEarlierTableIsTold) {
  const FieldChange cityName{0, ChangedRecord::City, 11, "洛阳", "新名称", "东都", "洛阳"};
  const struct {
    std::vector<std::vector<FieldChange>> tables;
    std::size_t told;  // fields the last table is told to have set back
  } runs[] = {
      {{{officerName(0, "张三", "李四")}, {officerName(0, "李四", "张三")}}, 1},
      {{{officerName(0, "张三", "李四")}, {officerName(0, "李四", "王五")}}, 0},
      {{{officerName(0, "张三", "李四")}, {officerName(1, "张三", "李四")}, {officerName(1, "李四", "张三")}}, 1},
      {{{officerName(0, "张三", "李四")}, {officerName(1, "李四", "张三")}}, 0},  // another scenario's field
      {{{officerName(0, "张三", "李四")}, {officerName(0, "李四", "王五")}, {officerName(0, "王五", "张三")}}, 1},
      {{{officerName(0, "张三", "李四")}, {}, {officerName(0, "李四", "张三")}}, 1},
      {{{officerName(0, "张三", "李四")}}, 0},
      {{{{0, ChangedRecord::City, 11, "东都", "新名称", "洛阳", "东都"}}, {cityName}}, 1},
      {{{{0, ChangedRecord::Officer, 600, "新人", kWholeRecord, kAbsent, kPresent}},
        {{0, ChangedRecord::Officer, 600, "新人", kWholeRecord, kPresent, kAbsent}}},
       0},
  };
  for (const auto& [tables, told] : runs) {
    TableUndoCheck check;
    std::string warning;
    for (const std::vector<FieldChange>& table : tables) warning = check.add(table, "表", "提示");
    if (told == 0) {
      EXPECT_EQ(warning, "");
      continue;
    }
    EXPECT_TRUE(warning.starts_with(formatMessage(kTablesUndid, "表", told))) << warning;
    EXPECT_TRUE(warning.ends_with("\n提示")) << warning;
  }

  TableUndoCheck check;
  check.add({officerName(0, "张三", "李四")}, "人名/地名表", "");
  const std::string warning = check.add({officerName(0, "李四", "张三")}, "武将表 o.txt", "提示");
  EXPECT_EQ(warning, formatMessage(kTablesUndid, "武将表 o.txt", std::size_t{1}) + "\n" +
                         formatMessage(kTablesUndidCell, std::size_t{0}, "武将", 75, "张三", "新姓名", "李四", "张三") +
                         "\n提示");
  check.add({officerName(0, "张三", "李四")}, "表", "");
  check.clear();
  EXPECT_EQ(check.add({officerName(0, "李四", "张三")}, "表", ""), "") << "a new run";

  // The first cells are listed, and the count.
  std::vector<FieldChange> forward, back;
  for (std::size_t s = 0; s < 12; ++s) {
    forward.push_back(officerName(s, "甲", "乙"));
    back.push_back(officerName(s, "乙", "甲"));
  }
  TableUndoCheck many;
  many.add(forward, "表", "");
  const std::string listed = many.add(back, "表", "提示");
  EXPECT_NE(listed.find("剧本9 "), std::string::npos);
  EXPECT_EQ(listed.find("剧本10 "), std::string::npos) << listed;
  EXPECT_NE(listed.find(formatMessage(kTablesUndidMore, std::size_t{12})), std::string::npos) << listed;
}

// The four tables of the built-in data exported, one name edited in the name list, applied together.
class TablesTogether : public ::testing::Test, protected testing::CliRun {
 protected:
  int run(std::vector<std::string> args) {
    const int code = runWith(builtInData(), std::move(args));
    messages = err.str();
    output = fileOnOut();
    return code;
  }

  std::string exported(const std::string& kind, const std::string& columns = "") {
    const std::string file = folder.file(kind + std::to_string(files++) + ".txt");
    std::vector<std::string> args{"export", kind, "-o", file};
    if (!columns.empty()) args.insert(args.end(), {"--columns", columns});
    EXPECT_EQ(run(args), kExitDone) << messages;
    return file;
  }

  // The name list with officer 1 renamed to 李四.
  std::string editedNames() {
    std::string list = gbkToUtf8(readFile(exported("name"))).value();
    const std::size_t at = list.find("W\t1\t");
    list.replace(at + 4, list.find("\r\n", at) - at - 4, "李四");
    const std::string file = folder.file("edited-names.txt");
    writeFile(file, testing::gbkBytes(list));
    return file;
  }

  testing::TempFolder folder;
  std::string messages;
  std::string output;
  int files = 0;
};

TEST_F(TablesTogether, TheRenameSurvivesOrAWarningNamesTheCellThatUndidIt) {
  const std::string names = editedNames();
  const std::string officers = exported("officer");
  const std::string lords = exported("lord");
  const std::string cities = exported("city");
  const std::string renamed = "\t武将\t1\t李四\t新姓名\t";

  // The help's order: the name list last.
  ASSERT_EQ(run({"check", "--officer", officers, "--lord", lords, "--city", cities, "--name", names, "--report", "-"}),
            kExitDone)
      << messages;
  EXPECT_NE(output.find(renamed), std::string::npos) << output;
  EXPECT_EQ(messages.find("注意："), std::string::npos) << messages;

  // The name list first: the officer table's 新姓名 sets the name back, and says so.
  ASSERT_EQ(run({"check", "--name", names, "--officer", officers, "--city", cities, "--report", "-"}), kExitDone)
      << messages;
  EXPECT_EQ(output.find(renamed), std::string::npos) << output;
  const std::string warned = formatMessage(kTablesUndid, ("武将表 " + officers).c_str(), std::size_t{4});
  EXPECT_NE(messages.find(warned), std::string::npos) << messages;
  EXPECT_NE(messages.find("武将 1（"), std::string::npos) << messages;
  EXPECT_NE(messages.find("的「新姓名」：李四 改回 "), std::string::npos) << messages;

  // Tables exported with only the columns one edits leave the rename alone, in any order.
  const std::string warOnly = exported("officer", "武力,智力");
  const std::string farmOnly = exported("城市", "农业，商业");
  const std::string moneyOnly = exported("lord", "金钱");
  ASSERT_EQ(
      run({"check", "--name", names, "--officer", warOnly, "--lord", moneyOnly, "--city", farmOnly, "--report", "-"}),
      kExitDone)
      << messages;
  EXPECT_NE(output.find(renamed), std::string::npos) << output;
  EXPECT_EQ(messages.find("注意："), std::string::npos) << messages;
}

TEST_F(TablesTogether, AnUnknownColumnIsRefusedWithTheAllowedOnes) {
  const std::string file = folder.file("never.txt");
  const struct {
    std::vector<std::string> args;
    std::string said;
  } refusals[] = {
      {{"export", "officer", "--columns", "武力,智利", "-o", file}, formatMessage(kUnknownExportColumn, "智利")},
      {{"export", "city", "--columns", "武力", "-o", file}, formatMessage(kUnknownExportColumn, "武力")},
      {{"export", "name", "--columns", "新姓名", "-o", file}, kNameListHasNoColumns},
      {{"export", "lord", "--columns", ",", "-o", file}, "--columns 后面须给出列名"},
  };
  for (const auto& [args, said] : refusals) {
    EXPECT_EQ(run(args), kExitUsage) << args[3];
    EXPECT_TRUE(messages.starts_with(said)) << messages;
    EXPECT_FALSE(std::filesystem::exists(file));
  }
  run({"export", "city", "--columns", "武力", "-o", file});
  EXPECT_NE(messages.find("城市表可以导出的列：新名称,城防,"), std::string::npos) << messages;
  EXPECT_EQ(messages.find("君主"), std::string::npos) << "no shown column";
}

}  // namespace
}  // namespace vorandel
