#include "tables/Vocabulary.h"

#include <array>
#include <utility>

#include "rules/CityNames.h"

namespace vorandel {

namespace {

using VocabularyEntry = std::pair<std::string_view, int>;

constexpr std::array<VocabularyEntry, 32> kSkills{{
    {"火计", 0},  {"混乱", 1},  {"内讧", 2},  {"收拾", 3},  {"仙术", 4},  {"鼓舞", 5},  {"治疗", 6},  {"祈雨", 7},
    {"天变", 8},  {"灭火", 9},  {"落石", 10}, {"占卜", 11}, {"伏兵", 12}, {"幻术", 13}, {"妖术", 14}, {"激励", 15},
    {"水计", 16}, {"火箭", 17}, {"奋发", 18}, {"乱射", 19}, {"速攻", 20}, {"藤甲", 21}, {"无双", 22}, {"远箭", 23},
    {"强行", 24}, {"沉着", 25}, {"布阵", 26}, {"水神", 27}, {"反计", 28}, {"落沙", 29}, {"回射", 30}, {"骑射", 31},
}};

// City numbers follow the order of the city records of the scenario block.
constexpr std::array<VocabularyEntry, kCityCount> kCities = [] {
  std::array<VocabularyEntry, kCityCount> entries{};
  for (int c = 1; c <= kCityCount; ++c)
    entries[static_cast<std::size_t>(c - 1)] = {kCityNames[static_cast<std::size_t>(c - 1)], c};
  return entries;
}();

constexpr std::array<VocabularyEntry, 6> kStatuses{{
    {"君主", 0},
    {"军师", 1},
    {"一般", 2},
    {"在野", 4},
    {"隐士", 5},
    {"待命", 6},
}};

constexpr std::array<VocabularyEntry, 32> kItems{{
    {"孙子兵法", 0},    {"兵法二十四编", 1}, {"春秋左氏传", 2}, {"六韬", 3},     {"遁甲天书三卷", 4},
    {"太平要术", 5},    {"西蜀地形图", 6},   {"平蛮指掌图", 7}, {"孟德新书", 8}, {"史记", 9},
    {"太平清领道", 10}, {"青囊书", 11},      {"倚天剑", 12},    {"青釭剑", 13},  {"方天画戟", 14},
    {"青龙偃月刀", 15}, {"蛇矛", 16},        {"铁脊蛇矛", 17},  {"古锭刀", 18},  {"雌雄双剑", 19},
    {"七星剑", 20},     {"双铁戟", 21},      {"三尖刀", 22},    {"大斧", 23},    {"铁鞭", 24},
    {"铁蒺藜骨朵", 25}, {"流星锤", 26},      {"赤兔马", 27},    {"的卢", 28},    {"爪黄飞电", 29},
    {"绝影", 30},       {"玉玺", 31},
}};

constexpr std::array<VocabularyEntry, 12> kFormations{{
    {"锥形", 1},
    {"钩形", 2},
    {"箕形", 3},
    {"鹤翼", 4},
    {"鱼鳞", 5},
    {"偃月", 6},
    {"锋矢", 7},
    {"横轭", 8},
    {"长蛇", 9},
    {"方圆", 10},
    {"雁行", 11},
    {"水阵", 12},
}};

constexpr std::array<VocabularyEntry, 6> kDuties{{
    {"军事", 1},
    {"人事", 2},
    {"内政", 4},
    {"计谋", 8},
    {"外交", 16},
    {"特殊", 32},
}};

// A dictionary of the entries; each list is written once and serves both directions.
template <std::size_t N, std::size_t... I>
ColumnDictionary dictionaryOf(const std::array<VocabularyEntry, N>& entries, std::index_sequence<I...>) {
  return ColumnDictionary{entries[I]...};
}

template <std::size_t N>
ColumnDictionary dictionaryOf(const std::array<VocabularyEntry, N>& entries) {
  return dictionaryOf(entries, std::make_index_sequence<N>());
}

struct VocabularyTables {
  ColumnDictionary skills = dictionaryOf(kSkills);
  ColumnDictionary cities = dictionaryOf(kCities);
  ColumnDictionary statuses = dictionaryOf(kStatuses);
  ColumnDictionary items = dictionaryOf(kItems);
  ColumnDictionary formations = dictionaryOf(kFormations);
  ColumnDictionary duties = dictionaryOf(kDuties);
};

const VocabularyTables& vocabularyTables() {
  static const VocabularyTables tables;
  return tables;
}

}  // namespace

void buildVocabularyTables() { vocabularyTables(); }

const ColumnDictionary& skillTable() { return vocabularyTables().skills; }
const ColumnDictionary& cityTable() { return vocabularyTables().cities; }
const ColumnDictionary& statusTable() { return vocabularyTables().statuses; }
const ColumnDictionary& itemTable() { return vocabularyTables().items; }
const ColumnDictionary& formationTable() { return vocabularyTables().formations; }
const ColumnDictionary& dutyTable() { return vocabularyTables().duties; }

namespace {

template <std::size_t N>
std::string_view nameIn(const std::array<VocabularyEntry, N>& entries, int code) {
  for (const auto& [name, entryCode] : entries)
    if (entryCode == code) return name;
  return {};
}

}  // namespace

std::string_view nameOf(const ColumnDictionary& table, int code) {
  if (&table == &skillTable()) return nameIn(kSkills, code);
  if (&table == &cityTable()) return nameIn(kCities, code);
  if (&table == &statusTable()) return nameIn(kStatuses, code);
  if (&table == &itemTable()) return nameIn(kItems, code);
  if (&table == &formationTable()) return nameIn(kFormations, code);
  if (&table == &dutyTable()) return nameIn(kDuties, code);
  return {};
}

}  // namespace vorandel
