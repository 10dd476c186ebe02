#pragma once
// The names of the game's two scenario files.
#include <string_view>

namespace vorandel {

inline constexpr const char* kSndataName = "sndata.s5";
inline constexpr const char* kTaikiName = "taiki.s5";

// Whether a file's name is one of the two, in any case of letters (Windows does not tell them apart).
inline bool isScenarioFileName(std::string_view name) {
  const auto same = [&](std::string_view pair) {
    if (name.size() != pair.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      const char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
      if (c != pair[i]) return false;
    }
    return true;
  };
  return same(kSndataName) || same(kTaikiName);
}

}  // namespace vorandel
