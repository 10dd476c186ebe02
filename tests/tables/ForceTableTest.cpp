#include "app/BatchRun.h"
#include "tables/ForceTable.h"

#include "model/GbkText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/TableMessages.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/tables/TableFiles.h"

namespace vorandel {
namespace {

using testing::cellErrorText;
using testing::tableError;
using testing::TableFiles;

std::string lines(const std::vector<std::string>& rows, const char* feed = "\n") {
  std::string text;
  for (const std::string& row : rows) text += row + feed;
  return text;
}

std::uint16_t weaponWord(const ScenarioSet& set, std::size_t s, int f) {
  const auto* bytes = set.scenarios[s].force(f).data();
  return static_cast<std::uint16_t>(bytes[6] | bytes[7] << 8);
}

void setWeaponWord(ScenarioSet& set, std::size_t s, int f, std::uint16_t word) {
  auto* bytes = set.scenarios[s].force(f).data();
  bytes[6] = static_cast<std::uint8_t>(word);
  bytes[7] = static_cast<std::uint8_t>(word >> 8);
}

class ForceTable : public ::testing::Test {
 protected:
  std::string run(const std::vector<std::string>& rows, const char* feed = "\n") {
    const std::string text = lines(rows, feed);
    return tableError([&] { importForceTable(set, TableText{text, "ruv5_lord.txt"}); });
  }

  TableFiles files;
  ScenarioSet set = testing::smallValidSet();
};

TEST_F(ForceTable, WritesFameMoneyFoodAndWeapons) {
  setWeaponWord(set, 1, 3, 0xF03F);  // every bit outside the weapons set
  ASSERT_EQ(run({"剧本\t编号\t设置\t声望\t金钱\t粮食\t科技\t君主", "x\tx\tx\t1\t1\t1\t1\t1",
                 "1\t3\t1\t1000\t3000000\t\"12345\"\t战车,楼船\t无名氏"},
                "\r\n"),
            "(no error)");
  const auto force = set.scenarios[1].force(3);
  EXPECT_EQ(force.get(force::fame), 1000);
  EXPECT_EQ(force.get(force::money), 3000000);
  EXPECT_EQ(force.get(force::food), 12345);
  EXPECT_EQ(weaponWord(set, 1, 3), 0xF03F | 1 << 6 | 1 << 10);
  EXPECT_EQ(set.scenarios[1].force(3).get(force::ruler), -1) << "the 君主 column writes nothing";
}

TEST_F(ForceTable, WeaponCellReplacesOnlyTheSixWeaponBits) {
  setWeaponWord(set, 0, 1, 0xFFFF);
  setWeaponWord(set, 0, 2, 0x0000);
  setWeaponWord(set, 1, 1, 0x1234);
  ASSERT_EQ(run({"剧本 编号 设置 科技", "- - - 1", "0 1 1 ---", "0 2 1 铠甲,战车,,铠甲",
                 "1 1 1 投石车,强骑兵,连弩,楼船,铠甲,战车"}),
            "(no error)");
  EXPECT_EQ(weaponWord(set, 0, 1), 0xF03F);
  EXPECT_EQ(weaponWord(set, 0, 2), 0x00C0);
  EXPECT_EQ(weaponWord(set, 1, 1), 0x1234 | 0x0FC0);
}

TEST_F(ForceTable, UnknownWeaponNameFails) {
  EXPECT_EQ(run({"剧本 编号 设置 声望 科技", "- - - 1 1", "0 1 1 5 战车，铠甲"}),
            cellErrorText(3, 5, "E3", kUnknownName));
  EXPECT_EQ(set.scenarios[0].force(1).get(force::fame), 5) << "cells before the error stay applied";
}

TEST_F(ForceTable, ValueLimits) {
  const std::string outOfRange = cellErrorText(3, 4, "D3", kOutOfRange);
  EXPECT_EQ(run({"剧本 编号 设置 金钱", "- - - 1", "0 1 1 3000001"}), outOfRange);
  EXPECT_EQ(run({"剧本 编号 设置 金钱", "- - - 1", "0 1 1 -1"}), outOfRange);
  EXPECT_EQ(run({"剧本 编号 设置 粮食", "- - - 1", "0 1 1 4294967296"}), outOfRange);
  EXPECT_EQ(run({"剧本 编号 设置 声望", "- - - 1", "0 1 1 1001"}), outOfRange);
  EXPECT_EQ(run({"剧本 编号 设置 声望", "- - - 1", "0 1 1 10x"}), cellErrorText(3, 4, "D3", kNotAnInteger));
}

TEST_F(ForceTable, LeadingCellsOfARow) {
  const std::string header = "剧本 编号 设置 声望";
  const std::string switches = "- - - 1";
  // A row switched off may hold anything, as long as it has the right number of cells.
  const ScenarioSet before = set;
  EXPECT_EQ(run({header, switches, "x y 0 z"}), "(no error)");
  // A scenario beyond the set is skipped; one beyond 32 is an error at column 1.
  EXPECT_EQ(run({header, switches, "2 1 1 7", "32 1 1 7"}), "(no error)");
  EXPECT_EQ(set, before);
  EXPECT_EQ(run({header, switches, "x y 0 z", "33 1 1 7"}), cellErrorText(4, 1, "A4", kOutOfRange));
  EXPECT_EQ(run({header, switches, "0 0 1 7"}), cellErrorText(3, 1, "A3", kOutOfRange));
  EXPECT_EQ(run({header, switches, "0 22 1 7"}), cellErrorText(3, 1, "A3", kOutOfRange));
  EXPECT_EQ(run({header, switches, "0 1 2 7"}), cellErrorText(3, 1, "A3", kNotASwitch));
  EXPECT_EQ(run({header, switches, "0 1 \"1\" 7"}), cellErrorText(3, 1, "A3", kNotASwitch));
  EXPECT_EQ(set, before);
  EXPECT_EQ(run({header, switches, "0 21 1 7"}), "(no error)");
  EXPECT_EQ(set.scenarios[0].force(21).get(force::fame), 7);
}

TEST_F(ForceTable, HeaderWithOnlyTheLeadingColumnsStillChecksRows) {
  const ScenarioSet before = set;
  EXPECT_EQ(run({"剧本\t编号\t设置", "-\t-\t-", "0\t1\t1", "1\t21\t0"}), "(no error)");
  EXPECT_EQ(set, before);
  EXPECT_EQ(run({"剧本\t编号\t设置", "-\t-\t-", "0\t1\t1", "0\t23\t1"}), cellErrorText(4, 1, "A4", kOutOfRange));
}

TEST_F(ForceTable, SwitchRowAndColumnOrder) {
  // Columns may stand in any order and repeat; switched-off cells are not looked at; the right one wins.
  ASSERT_EQ(run({"剧本 编号 设置 粮食 声望 金钱 声望", "- - - 1 1 0 1", "0 2 1 100 11 garbage 12",
                 "0 2 1 200 21 garbage \"22\""}),
            "(no error)");
  const auto force = set.scenarios[0].force(2);
  EXPECT_EQ(force.get(force::food), 200);
  EXPECT_EQ(force.get(force::fame), 22);
  EXPECT_EQ(force.get(force::money), testing::smallValidSet().scenarios[0].force(2).get(force::money));

  EXPECT_EQ(run({"剧本 编号 设置 声望", "- - - \"1\"", "0 2 1 3"}), cellErrorText(2, 4, "D2", kNotASwitch));
  EXPECT_EQ(run({"剧本 编号 设置 声望 金钱 粮食 士气", "- - - 1 1 1 1"}), cellErrorText(1, 7, "G1", kUnknownName));
}

TEST_F(ForceTable, CellInTheTwentyEighthColumnIsNamedAB) {
  std::string header = "剧本 编号 设置";
  std::string switches = "- - -";
  std::string good = "0 1 1";
  for (int j = 3; j < 28; ++j) {
    header += " 声望";
    switches += " 1";
    good += " 9";
  }
  const std::string bad = good.substr(0, good.size() - 1) + "x";
  EXPECT_EQ(run({header, switches, good, good, good, good, bad}), cellErrorText(7, 28, "AB7", kNotAnInteger));
}

TEST_F(ForceTable, TableLevelMessages) {
  EXPECT_EQ(run({"剧本 编号 设置 声望"}), "输入文件至少要两行");
  EXPECT_EQ(run({}), "输入文件至少要两行");
  EXPECT_EQ(run({"剧本 编号 设置 声望", "- - -"}), "每行列数必须一样");
  EXPECT_EQ(run({"剧本 编号 设置 声望", "- - - 1", "0 1 1"}), "每行列数必须一样");
  EXPECT_EQ(run({"剧本 编号", "- -"}), "输入文件至少要有3列");
  EXPECT_EQ(run({"剧本 编号 状态 声望", "- - - 1"}), "第一行前3列错误");
  EXPECT_EQ(run({"编号 剧本 设置 声望", "- - - 1"}), "第一行前3列错误");
  // The importers read UTF-8: a header left in GBK is no header of theirs.
  const std::string gbk = utf8ToGbk("剧本 编号 设置").value();
  EXPECT_EQ(run({gbk, "- - -"}), "第一行前3列错误");
  EXPECT_EQ(tableError([&] { runBatch(set, BatchKind::ForceTable, files.missing()); }), "cannot open file to read");
}

TEST_F(ForceTable, LineFeedsAtTheEnd) {
  const std::string table = "剧本 编号 设置 声望\n- - - 1\n0 1 1 77";
  const std::string twoFeeds = table + "\n\n";
  EXPECT_EQ(tableError([&] { importForceTable(set, TableText{twoFeeds, "a.txt"}); }), "每行列数必须一样");
  EXPECT_EQ(set.scenarios[0].force(1).get(force::fame), 77) << "the row before the empty one was applied";
  set = testing::smallValidSet();
  EXPECT_EQ(tableError([&] { importForceTable(set, TableText{table, "b.txt"}); }), "(no error)");
  EXPECT_EQ(set.scenarios[0].force(1).get(force::fame), 77);
}

TEST_F(ForceTable, LaterRowsWin) {
  ASSERT_EQ(run({"剧本 编号 设置 声望 金钱", "- - - 1 1", "1 4 1 10 20", "1 4 1 30 40", "1 4 0 50 60"}), "(no error)");
  EXPECT_EQ(set.scenarios[1].force(4).get(force::fame), 30);
  EXPECT_EQ(set.scenarios[1].force(4).get(force::money), 40);
}

}  // namespace
}  // namespace vorandel
