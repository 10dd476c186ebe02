#pragma once
// The texts of the game rules' messages, each in one place.

namespace vorandel {

inline constexpr const char* kOfficerTotalWrong = "武将总数出错";
inline constexpr const char* kWaitingListBroken = "待命武将辅助数据结构有错";
inline constexpr const char* kIdIndexBroken = "武将ID索引与剧本不一致，数据已损坏";
inline constexpr const char* kNeighbourNumberWrong = "相邻城编号错误";
// A one-sided neighbour link: the city, its number, the neighbour, its number; the neighbour, the city.
inline constexpr const char* kOneSidedNeighbour = "%s（城市 %d）的相邻城中有 %s（城市 %d），%s 的相邻城中却没有 %s";
inline constexpr const char* kLocationWrong = "所在地错误";
inline constexpr const char* kLocationNumberWrong = "所在地编号错误";
inline constexpr const char* kOfficerNumberWrong = "武将编号错误";
inline constexpr const char* kCityOwnerWrong = "城市所属势力错误";
inline constexpr const char* kCityListBroken = "城市数据结构错误";
inline constexpr const char* kOfficerInTraining = "存在修行武将";
inline constexpr const char* kOfficerStatusWrong = "武将身份错误";
inline constexpr const char* kEmptyCityListBroken = "空城结构错误";
inline constexpr const char* kTakeCityMisused = "占城调用错误";
inline constexpr const char* kCannotMoveIn = "---不能移入";

}  // namespace vorandel
