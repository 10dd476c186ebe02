#pragma once
// The names of the game's two scenario files.
namespace vorandel {

inline constexpr const char* kSndataName = "sndata.s5";
inline constexpr const char* kTaikiName = "taiki.s5";

}  // namespace vorandel
