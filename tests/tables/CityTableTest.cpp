#include "tables/CityTable.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tables/TableMessages.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/tables/TableFiles.h"

namespace vorandel {

using testing::gbkName;
using testing::nameText;
namespace {

using testing::cellErrorText;
using testing::tableError;
using testing::TableFiles;

using Slots = std::array<int, kNeighbourSlots>;

Slots neighboursOf(const ScenarioSet& set, std::size_t s, int c) {
  Slots slots{};
  for (std::size_t i = 0; i < slots.size(); ++i)
    slots[i] = static_cast<std::uint8_t>(set.scenarios[s].cityName(c).get(cityName::neighbours, i));
  return slots;
}

class CityTable : public ::testing::Test {
 protected:
  // A table with the leading cells, the options number and the given value columns, all switched on.
  std::string run(const std::string& columns, unsigned options, const std::vector<std::string>& rows) {
    std::string text = "剧本\tID\t名称\t设置";
    std::string switches = "-\t-\t-\t" + std::to_string(options);
    for (const std::string& column : splitWords(columns)) {
      text += "\t" + column;
      switches += "\t1";
    }
    text += "\r\n" + switches + "\r\n";
    for (const std::string& row : rows) text += row + "\r\n";
    return runText(text);
  }

  std::string runText(const std::string& text) {
    return tableError([&] { importCityTable(set, TableText{text, "ruv5_city.txt"}); });
  }

  static std::vector<std::string> splitWords(const std::string& words) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < words.size()) {
      std::size_t end = words.find(' ', start);
      if (end == std::string::npos) end = words.size();
      if (end > start) out.push_back(words.substr(start, end - start));
      start = end + 1;
    }
    return out;
  }

  TableFiles files;
  ScenarioSet set = testing::smallValidSet();
};

TEST_F(CityTable, WritesValuesOfCityAndNameRecords) {
  ASSERT_EQ(run("新名称 城防 治水 农业上限 商业上限 农业 商业 人口 民忠 预备兵 士气 训练 状态值 商城", 0,
                {"1 5 洛阳 1 襄平 999 100 999 800 700 600 65535 99 8000000 98 97 1A0 1"}),
            "(no error)");
  const Scenario& s = set.scenarios[1];
  EXPECT_EQ(nameText(s.cityName(5).text(cityName::name)), "襄平");
  EXPECT_EQ(s.city(5).get(city::defence), 999);
  EXPECT_EQ(s.city(5).get(city::floodControl), 100);
  EXPECT_EQ(s.cityName(5).get(cityName::agricultureLimit), 999);
  EXPECT_EQ(s.cityName(5).get(cityName::commerceLimit), 800);
  EXPECT_EQ(s.city(5).get(city::agriculture), 700);
  EXPECT_EQ(s.city(5).get(city::commerce), 600);
  EXPECT_EQ(s.city(5).get(city::population), 65535);
  EXPECT_EQ(s.city(5).get(city::loyalty), 99);
  EXPECT_EQ(s.city(5).get(city::reserveTroops), 8000000u);
  EXPECT_EQ(s.city(5).get(city::morale), 98);
  EXPECT_EQ(s.city(5).get(city::training), 97);
  EXPECT_EQ(s.city(5).get(city::statusBits), 0x01A0);
  EXPECT_EQ(s.cityName(5).get(cityName::market), 1u);
  EXPECT_EQ(set.scenarios[0].cityName(5).text(cityName::name), "C5") << "names are not copied between scenarios";
}

TEST_F(CityTable, NameIsAtMostFourBytesAndLeavesTheRestOfTheNameArea) {
  std::uint8_t* bytes = set.scenarios[0].cityName(7).data();
  for (int i = 5; i < 12; ++i) bytes[i] = 0xAA;
  ASSERT_EQ(run("新名称", 0, {"0 7 x 1 \"北平\""}), "(no error)");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 5), gbkName("北平") + '\0') << "GBK in the record";
  for (int i = 5; i < 12; ++i) EXPECT_EQ(bytes[i], 0xAA) << i;
  ASSERT_EQ(run("新名称", 0, {"0 7 x 1 a"}), "(no error)");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 5), std::string("a\0\0\0\0", 5));
  EXPECT_EQ(run("新名称", 0, {"0 7 x 1 北平府"}), "城市名太长");
}

TEST_F(CityTable, PopulationFitsItsSixteenBits) {
  ASSERT_EQ(run("人口", 0, {"0 3 x 1 810"}), "(no error)");
  EXPECT_EQ(set.scenarios[0].city(3).get(city::population), 810);
  EXPECT_EQ(run("人口", 0, {"0 3 x 1 65536"}), cellErrorText(3, 5, "E3", kOutOfRange));
  EXPECT_EQ(run("人口", 0, {"0 3 x 1 3000000"}), cellErrorText(3, 5, "E3", kOutOfRange));
  EXPECT_EQ(set.scenarios[0].city(3).get(city::population), 810);
}

TEST_F(CityTable, StatusBitsKeepTheLowSixteenBitsOfAHexNumber) {
  ASSERT_EQ(run("状态值", 0, {"0 3 x 1 12345"}), "(no error)");
  EXPECT_EQ(set.scenarios[0].city(3).get(city::statusBits), 0x2345);
  ASSERT_EQ(run("状态值", 0, {"0 3 x 1 0xffff"}), "(no error)");
  EXPECT_EQ(set.scenarios[0].city(3).get(city::statusBits), 0xFFFF);
  EXPECT_EQ(run("状态值", 0, {"0 3 x 1 G"}), cellErrorText(3, 5, "E3", kNotAnInteger));
}

TEST_F(CityTable, ClampsToTheLimitsInEitherColumnOrder) {
  ASSERT_EQ(run("农业 农业上限 商业上限 商业", 0, {"0 9 x 1 900 500 400 800"}), "(no error)");
  EXPECT_EQ(set.scenarios[0].city(9).get(city::agriculture), 500);
  EXPECT_EQ(set.scenarios[0].city(9).get(city::commerce), 400);
  ASSERT_EQ(run("农业上限 农业 商业 商业上限", 0, {"0 10 x 1 500 900 800 400"}), "(no error)");
  EXPECT_EQ(set.scenarios[0].city(10).get(city::agriculture), 500);
  EXPECT_EQ(set.scenarios[0].city(10).get(city::commerce), 400);
  // The clamp runs for every applied row, also one without the columns concerned.
  set.scenarios[1].city(11).set(city::agriculture, 300);
  set.scenarios[1].city(11).set(city::commerce, 200);
  set.scenarios[1].cityName(11).set(cityName::agricultureLimit, 100);
  set.scenarios[1].cityName(11).set(cityName::commerceLimit, 250);
  ASSERT_EQ(run("城防", 0, {"1 11 x 1 5"}), "(no error)");
  EXPECT_EQ(set.scenarios[1].city(11).get(city::agriculture), 100);
  EXPECT_EQ(set.scenarios[1].city(11).get(city::commerce), 200);
}

TEST_F(CityTable, TerrainFlagsNeedOptionFourAndKeepTheOtherBits) {
  std::uint8_t* bytes = set.scenarios[0].cityName(4).data();
  bytes[30] = 0x7C;
  bytes[31] = 0xFE;
  ASSERT_EQ(run("靠水 气候 未知 商城", 0, {"0 4 x 1 junk junk junk 1"}), "(no error)");
  EXPECT_EQ(bytes[30], 0x7C);
  EXPECT_EQ(bytes[31], 0xFF);
  ASSERT_EQ(run("靠水 气候 未知 商城", 4, {"0 4 x 1 1 1 1 0"}), "(no error)");
  EXPECT_EQ(bytes[30], 0xFF);
  EXPECT_EQ(bytes[31], 0xFE);
  ASSERT_EQ(run("气候", 4 + 1 + 2, {"0 4 x 1 0"}), "(no error)");
  EXPECT_EQ(bytes[30], 0xFD);
  ASSERT_EQ(run("气候", 64, {"0 4 x 1 1"}), "(no error)");
  EXPECT_EQ(bytes[30], 0xFD);
  EXPECT_EQ(run("靠水", 4, {"0 4 x 1 2"}), cellErrorText(3, 5, "E3", kNotASwitch));
}

TEST_F(CityTable, MapPositionsNeedOptionEight) {
  const auto small = [&](std::size_t s) { return set.scenarios[s].cityName(6).get(cityName::smallMapX); };
  ASSERT_EQ(run("小地图横坐标 小地图纵坐标 大地图横坐标 大地图纵坐标", 0, {"0 6 x 1 text text text text"}),
            "(no error)");
  EXPECT_EQ(small(0), 0);
  ASSERT_EQ(run("小地图横坐标 小地图纵坐标 大地图横坐标 大地图纵坐标", 8, {"0 6 x 1 800 600 799 599"}), "(no error)");
  const ConstCityNameRecord names = std::as_const(set.scenarios[0]).cityName(6);
  EXPECT_EQ(names.get(cityName::smallMapX), 800);
  EXPECT_EQ(names.get(cityName::smallMapY), 600);
  EXPECT_EQ(names.get(cityName::largeMapX), 799);
  EXPECT_EQ(names.get(cityName::largeMapY), 599);
  EXPECT_EQ(small(1), 800) << "copied from the first scenario";
  EXPECT_EQ(run("小地图纵坐标", 8, {"0 6 x 1 601"}), cellErrorText(3, 5, "E3", kOutOfRange));
}

TEST_F(CityTable, NeighbourListNeedsOptionSixteen) {
  const std::string column = "相邻城ID";
  ASSERT_EQ(run(column, 0, {"0 1 x 1 ---"}), "(no error)");
  EXPECT_EQ(neighboursOf(set, 0, 1), (Slots{47, 2, 255, 255, 255, 255}));
  ASSERT_EQ(run(column, 16, {"0 1 x 1 2,3"}), "(no error)");
  EXPECT_EQ(neighboursOf(set, 0, 1), (Slots{2, 3, 255, 255, 255, 255}));
  ASSERT_EQ(run(column, 16, {"0 1 x 1 \"47,,46,1,2,3,\""}), "(no error)");
  EXPECT_EQ(neighboursOf(set, 0, 1), (Slots{47, 46, 1, 2, 3, 255}));
  ASSERT_EQ(run(column, 16, {"0 1 x 1 ,"}), "(no error)");
  EXPECT_EQ(neighboursOf(set, 0, 1), (Slots{255, 255, 255, 255, 255, 255}));
  EXPECT_EQ(run(column, 16, {"0 1 x 1 1,2,3,4,5,6,7"}), "--ERROR!--\n");
  EXPECT_EQ(run(column, 16, {"0 1 x 1 ---"}), cellErrorText(3, 5, "E3", kNotAnInteger));
  EXPECT_EQ(run(column, 16, {"0 1 x 1 2,48"}), cellErrorText(3, 5, "E3", kOutOfRange));
  EXPECT_EQ(run(column, 16, {"0 1 x 1 0"}), cellErrorText(3, 5, "E3", kOutOfRange));
}

TEST_F(CityTable, FinishingStepCopiesTheFirstScenariosGeography) {
  CityNameRecord first = set.scenarios[0].cityName(20);
  first.set(cityName::byWater, 1);
  first.set(cityName::climate, 1);
  first.set(cityName::unknownFlag, 1);
  first.set(cityName::market, 1);
  first.set(cityName::agricultureLimit, 321);
  first.set(cityName::largeMapY, 55);
  first.set(cityName::neighbours, 2, 30);
  // A row for the second scenario moves the city; the first scenario's geography wins over it.
  ASSERT_EQ(run("小地图横坐标", 8, {"1 20 x 1 123"}), "(no error)");
  const ConstCityNameRecord other = std::as_const(set.scenarios[1]).cityName(20);
  EXPECT_EQ(other.get(cityName::smallMapX), 0);
  EXPECT_EQ(other.get(cityName::largeMapY), 55);
  EXPECT_EQ(other.get(cityName::byWater), 1u);
  EXPECT_EQ(other.get(cityName::climate), 1u);
  EXPECT_EQ(other.get(cityName::unknownFlag), 1u);
  EXPECT_EQ(neighboursOf(set, 1, 20), (Slots{19, 21, 30, 255, 255, 255}));
  EXPECT_EQ(other.get(cityName::market), 0u) << "not part of the geography";
  EXPECT_EQ(other.get(cityName::agricultureLimit), 0) << "not part of the geography";
  EXPECT_EQ(other.text(cityName::name), "C20");

  // With option 32 the row's change stays.
  ASSERT_EQ(run("小地图横坐标", 8 + 32, {"1 20 x 1 123"}), "(no error)");
  EXPECT_EQ(other.get(cityName::smallMapX), 123);
}

TEST_F(CityTable, FinishingStepRunsAlsoWhenNoRowIsApplied) {
  set.scenarios[0].cityName(47).set(cityName::smallMapY, 77);
  ASSERT_EQ(run("城防", 0, {"0 47 x 0 whatever"}), "(no error)");
  EXPECT_EQ(set.scenarios[1].cityName(47).get(cityName::smallMapY), 77);
}

TEST_F(CityTable, FinishingStepChecksTheFirstScenariosNeighbourLists) {
  set.scenarios[1].cityName(3).set(cityName::smallMapX, 9);
  set.scenarios[0].cityName(5).set(cityName::neighbours, 3, 8);  // 4, 6, empty, 8
  EXPECT_EQ(run("城防", 0, {}), "相邻城市有错");
  EXPECT_EQ(set.scenarios[1].cityName(3).get(cityName::smallMapX), 0) << "cities before the bad one are copied";

  set = testing::smallValidSet();
  set.scenarios[0].cityName(5).set(cityName::neighbours, 0, 48);
  EXPECT_EQ(run("城防", 0, {}), "相邻城市有错");
  set.scenarios[0].cityName(5).set(cityName::neighbours, 0, 0);
  EXPECT_EQ(run("城防", 0, {}), "相邻城市有错");
  EXPECT_EQ(run("城防", 32, {}), "(no error)");

  // A set of one scenario has nothing to copy to, and nothing is checked.
  set = testing::makeSet({testing::smallValidSet().scenarios[0]});
  set.scenarios[0].cityName(5).set(cityName::neighbours, 0, 48);
  EXPECT_EQ(run("城防", 0, {}), "(no error)");
}

TEST_F(CityTable, OptionsCell) {
  EXPECT_EQ(run("城防 治水", 65, {}), cellErrorText(2, 6, "F2", kOutOfRange));
  EXPECT_EQ(run("城防", 0, {"0 48 x 1 5"}), cellErrorText(3, 1, "A3", kOutOfRange));
  // Without value columns a bad options cell is named as itself, whatever an earlier table left behind.
  EXPECT_EQ(runText("剧本 ID 名称 设置\n- - - x\n"), "错误数据可能在：第2行第4列  (D2)\n 不能全部转为整数。\n");
}

TEST_F(CityTable, BadOptionsCellOfATableWithoutValueColumnsIsNamedAsItself) {
  EXPECT_EQ(run("城防", 0, {"0 1 x 1 1000"}), cellErrorText(3, 5, "E3", kOutOfRange));
  EXPECT_EQ(runText("剧本 ID 名称 设置\n- - - 65\n"), cellErrorText(2, 4, "D2", kOutOfRange));
}

TEST_F(CityTable, TableLevelMessages) {
  EXPECT_EQ(runText("剧本 ID 名称\n- - -\n"), "输入文件至少要有4列");
  EXPECT_EQ(runText("剧本 编号 名称 设置\n- - - 0\n"), "第一行前4列错误");
  EXPECT_EQ(runText("剧本 ID 名称 设置\n"), "输入文件至少要两行");
  EXPECT_EQ(runText("剧本 ID 名称 设置 城防\n- - - 0 1\n0 1 x 1 5\n\n"), "每行列数必须一样");
  EXPECT_EQ(runText("剧本 ID 名称 设置 城防 城墙\n- - - 0 1 1\n"), cellErrorText(1, 6, "F1", kUnknownName));
}

}  // namespace
}  // namespace vorandel
