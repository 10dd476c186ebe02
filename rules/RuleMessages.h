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

// Who rules what: a force's ruler, a new force, a city's owner.
inline constexpr const char* kNewRulerNotServing = "新君主必须是本势力在任的武将";
inline constexpr const char* kFounderNotFree = "建立新势力的武将必须是在野、隐士或修行的武将";
inline constexpr const char* kFounderNotOnMap = "建立新势力的武将必须已在地图上（不能是待命或已死的武将）";
inline constexpr const char* kFounderCityOwned = "建立新势力的武将必须在无人占据的城中";
inline constexpr const char* kNoRulerGiven = "势力必须有君主：君主不能设为0";
inline constexpr const char* kRulerCityCannotChange = "君主所在的城不能改换势力，请先把君主移到别的城";
inline constexpr const char* kNoSuchForce = "没有这个势力：势力必须是已有的势力，或0（无人占据）";

}  // namespace vorandel
