#include "tools/OfficerNames.h"

#include <array>
#include <set>
#include <string_view>

namespace vorandel::gendata {

namespace {

constexpr std::array<std::string_view, 60> kSurnames{
    "王", "李", "张", "刘", "陈", "杨", "赵", "黄",   "周",   "吴",   "徐",   "孙",   "胡",   "朱",   "高",
    "林", "何", "郭", "马", "罗", "梁", "宋", "郑",   "谢",   "韩",   "唐",   "冯",   "董",   "程",   "曹",
    "袁", "邓", "许", "傅", "沈", "彭", "吕", "苏",   "蒋",   "蔡",   "贾",   "丁",   "魏",   "薛",   "潘",
    "杜", "夏", "钟", "田", "姜", "陆", "孔", "诸葛", "司马", "夏侯", "公孙", "皇甫", "太史", "令狐", "欧阳"};

constexpr std::array<std::string_view, 80> kGivenCharacters{
    "子", "文", "德", "元", "仲", "伯", "孝", "公", "明", "义", "忠", "信", "昭", "玄", "达", "平",
    "安", "远", "宁", "泰", "翼", "飞", "云", "超", "承", "宗", "辅", "朗", "嘉", "修", "休", "恭",
    "奉", "宪", "淳", "敬", "敏", "顺", "和", "彦", "统", "谦", "威", "雄", "武", "勇", "烈", "正",
    "霸", "虎", "龙", "兴", "绍", "松", "柏", "仁", "礼", "智", "诚", "坚", "策", "景", "良", "贤",
    "俊", "杰", "英", "度", "允", "恒", "晃", "典", "进", "遂", "腾", "济", "瑜", "璋", "肃", "峻"};

}  // namespace

std::vector<OfficerName> makeOfficerNames(Prng& prng, int count) {
  std::vector<OfficerName> names;
  std::set<std::string> taken;
  while (static_cast<int>(names.size()) < count) {
    // Compound surnames are rare, as they are among real names.
    const int surname = prng.chance(8) ? prng.between(52, static_cast<int>(kSurnames.size()) - 1) : prng.below(52);
    std::string text(kSurnames[static_cast<std::size_t>(surname)]);
    const int givenLength = prng.chance(35) ? 2 : 1;
    for (int i = 0; i < givenLength; ++i)
      text += kGivenCharacters[static_cast<std::size_t>(prng.below(static_cast<int>(kGivenCharacters.size())))];
    if (!taken.insert(text).second) continue;
    names.push_back({text, surname + 1});
  }
  return names;
}

}  // namespace vorandel::gendata
