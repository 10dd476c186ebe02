#pragma once
// The texts of the batch tables' messages, each in one place.

namespace vorandel {

inline constexpr const char* kNameNotGbk = "名字中有GBK无法表示的字符，游戏无法显示";

}  // namespace vorandel
