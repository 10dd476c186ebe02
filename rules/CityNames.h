#pragma once
// The names of the game's 47 cities in the order of the city records: city c is element c-1. The
// officer table's vocabulary and the generator of the built-in pair both take them from here.
#include <array>
#include <string_view>

#include "model/Records.h"

namespace vorandel {

inline constexpr std::array<std::string_view, kCityCount> kCityNames{
    "襄平", "北平", "代县", "晋阳", "南皮", "平原", "邺",   "北海", "濮阳", "陈留", "洛阳", "弘农",
    "长安", "安定", "天水", "西凉", "下邳", "徐州", "许昌", "谯",   "汝南", "宛",   "新野", "襄阳",
    "上庸", "江夏", "江陵", "武陵", "长沙", "桂阳", "零陵", "寿春", "建业", "吴",   "会稽", "庐江",
    "豫章", "汉中", "下弁", "梓潼", "成都", "永安", "江州", "建宁", "云南", "庐陵", "鄱阳",
};

}  // namespace vorandel
