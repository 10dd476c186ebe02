#include "tables/Vocabulary.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "rules/CityNames.h"

namespace vorandel {
namespace {

// Every code of a dictionary, found by looking each listed name up; the names must all be keys.
std::set<int> codesOf(const ColumnDictionary& table, const std::vector<std::string>& names) {
  std::set<int> codes;
  for (const std::string& name : names) {
    const auto code = table.find(name);
    EXPECT_TRUE(code.has_value()) << "missing key of " << names.size() << "-name table";
    if (code) codes.insert(*code);
  }
  return codes;
}

std::set<int> range(int low, int high) {
  std::set<int> values;
  for (int v = low; v <= high; ++v) values.insert(v);
  return values;
}

TEST(VocabularyTest, EveryTableMapsItsNamesOntoDistinctCodes) {
  buildVocabularyTables();
  EXPECT_EQ(skillTable().size(), 32u);
  EXPECT_EQ(cityTable().size(), 47u);
  EXPECT_EQ(statusTable().size(), 6u);
  EXPECT_EQ(itemTable().size(), 32u);
  EXPECT_EQ(formationTable().size(), 12u);
  EXPECT_EQ(dutyTable().size(), 6u);

  EXPECT_EQ(codesOf(statusTable(), {"君主", "军师", "一般", "在野", "隐士", "待命"}),
            (std::set<int>{0, 1, 2, 4, 5, 6}));
  EXPECT_EQ(codesOf(dutyTable(), {"军事", "人事", "内政", "计谋", "外交", "特殊"}),
            (std::set<int>{1, 2, 4, 8, 16, 32}));
  EXPECT_EQ(codesOf(formationTable(),
                    {"锥形", "钩形", "箕形", "鹤翼", "鱼鳞", "偃月", "锋矢", "横轭", "长蛇", "方圆", "雁行", "水阵"}),
            range(1, 12));
  EXPECT_EQ(
      codesOf(skillTable(), {"火计", "混乱", "内讧", "收拾", "仙术", "鼓舞", "治疗", "祈雨", "天变", "灭火", "落石",
                             "占卜", "伏兵", "幻术", "妖术", "激励", "水计", "火箭", "奋发", "乱射", "速攻", "藤甲",
                             "无双", "远箭", "强行", "沉着", "布阵", "水神", "反计", "落沙", "回射", "骑射"}),
      range(0, 31));
  EXPECT_EQ(codesOf(itemTable(),
                    {"孙子兵法",   "兵法二十四编", "春秋左氏传", "六韬",       "遁甲天书三卷", "太平要术", "西蜀地形图",
                     "平蛮指掌图", "孟德新书",     "史记",       "太平清领道", "青囊书",       "倚天剑",   "青釭剑",
                     "方天画戟",   "青龙偃月刀",   "蛇矛",       "铁脊蛇矛",   "古锭刀",       "雌雄双剑", "七星剑",
                     "双铁戟",     "三尖刀",       "大斧",       "铁鞭",       "铁蒺藜骨朵",   "流星锤",   "赤兔马",
                     "的卢",       "爪黄飞电",     "绝影",       "玉玺"}),
            range(0, 31));
}

TEST(VocabularyTest, CitiesAreNumberedInTheOrderOfTheCityRecords) {
  const std::vector<std::string> names = {
      "襄平", "北平", "代县", "晋阳", "南皮", "平原", "邺",   "北海", "濮阳", "陈留", "洛阳", "弘农",
      "长安", "安定", "天水", "西凉", "下邳", "徐州", "许昌", "谯",   "汝南", "宛",   "新野", "襄阳",
      "上庸", "江夏", "江陵", "武陵", "长沙", "桂阳", "零陵", "寿春", "建业", "吴",   "会稽", "庐江",
      "豫章", "汉中", "下弁", "梓潼", "成都", "永安", "江州", "建宁", "云南", "庐陵", "鄱阳"};
  for (std::size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(cityTable().find(names[i]), static_cast<int>(i + 1)) << i + 1;
  EXPECT_EQ(cityTable().find("邺"), 7);
  EXPECT_EQ(cityTable().find("谯"), 20);
  EXPECT_EQ(cityTable().find("宛"), 22);
  EXPECT_EQ(cityTable().find(std::string("\xE5\x90\xB4")), 34) << "keys are UTF-8 text: 吴";
  EXPECT_EQ(cityTable().find(std::string("\xCE\xE2")), std::nullopt) << "吴 in GBK is no key";
  EXPECT_EQ(cityTable().find("鄱阳"), 47);
}

TEST(VocabularyTest, OnlyTheExactBytesOfANameAreAKey) {
  EXPECT_EQ(cityTable().find("邺 "), std::nullopt);
  EXPECT_EQ(cityTable().find(" 邺"), std::nullopt);
  EXPECT_EQ(cityTable().find("鄴"), std::nullopt) << "traditional variant";
  EXPECT_EQ(cityTable().find("長安"), std::nullopt);
  EXPECT_EQ(cityTable().find(""), std::nullopt);
  EXPECT_EQ(cityTable().find("长"), std::nullopt) << "a prefix is not a key";
  EXPECT_EQ(cityTable().find("长安长安"), std::nullopt);
  EXPECT_EQ(skillTable().find("火計"), std::nullopt);
  EXPECT_EQ(itemTable().find("的盧"), std::nullopt);
  EXPECT_EQ(dutyTable().find("１"), std::nullopt) << "full-width digit";
  EXPECT_EQ(formationTable().find("无阵"), std::nullopt) << "no formation has no name";
  for (const char* status : {"修行", "死亡", "太守"}) EXPECT_EQ(statusTable().find(status), std::nullopt);
  EXPECT_EQ(cityTable().find("火计"), std::nullopt) << "each table has its own names";
}

TEST(VocabularyTest, ItemKindsPartitionTheItemSet) {
  std::uint32_t all = 0;
  for (int kind = 1; kind <= 5; ++kind) {
    EXPECT_EQ(all & itemKindMask(kind), 0u) << "kinds overlap";
    all |= itemKindMask(kind);
  }
  EXPECT_EQ(all, 0xFFFFFFFFu);
  for (int item = 0; item < 32; ++item) EXPECT_NE(itemKindMask(itemKind(item)) & (1u << item), 0u) << item;
  EXPECT_EQ(itemKind(*itemTable().find("史记")), 1);
  EXPECT_EQ(itemKind(*itemTable().find("太平清领道")), 2);
  EXPECT_EQ(itemKind(*itemTable().find("青囊书")), 2);
  EXPECT_EQ(itemKind(*itemTable().find("倚天剑")), 3);
  EXPECT_EQ(itemKind(*itemTable().find("流星锤")), 3);
  EXPECT_EQ(itemKind(*itemTable().find("赤兔马")), 4);
  EXPECT_EQ(itemKind(*itemTable().find("绝影")), 4);
  EXPECT_EQ(itemKind(*itemTable().find("玉玺")), 5);
  EXPECT_EQ(itemKind(-1), 0);
  EXPECT_EQ(itemKind(32), 0);
  EXPECT_EQ(itemKindMask(0), 0u);
  EXPECT_EQ(itemKindMask(6), 0u);
}

// The officer table's city names are the game's city list, in its order, both ways.
TEST(VocabularyTest, TheCityTableIsTheGamesCityList) {
  EXPECT_EQ(cityTable().size(), kCityNames.size());
  for (int c = 1; c <= kCityCount; ++c) {
    const std::string_view name = kCityNames[static_cast<std::size_t>(c - 1)];
    EXPECT_EQ(cityTable().find(name), c) << name;
    EXPECT_EQ(nameOf(cityTable(), c), name) << c;
  }
  EXPECT_EQ(nameOf(cityTable(), 0), "");
  EXPECT_EQ(nameOf(cityTable(), kCityCount + 1), "");
}

}  // namespace
}  // namespace vorandel
