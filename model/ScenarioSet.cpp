#include "model/ScenarioSet.h"

#include "edit/EditError.h"

namespace vorandel {

void raiseFieldIndexError() { raiseEditError("记录字段下标超出范围"); }

namespace {

std::size_t cityOffset(std::size_t base, std::size_t size, int c) {
  require(isCityNumber(c), "城市编号超出范围");
  return base + size * static_cast<std::size_t>(c - 1);
}

std::size_t forceOffset(int f) {
  require(isForceNumber(f), "势力编号错误");
  return block::forceRecords + kForceRecordSize * static_cast<std::size_t>(f - 1);
}

}  // namespace

CityRecord Scenario::city(int c) {
  return CityRecord(block.bytes.data() + cityOffset(block::cityRecords, kCityRecordSize, c));
}
ConstCityRecord Scenario::city(int c) const {
  return ConstCityRecord(block.bytes.data() + cityOffset(block::cityRecords, kCityRecordSize, c));
}
CityNameRecord Scenario::cityName(int c) {
  return CityNameRecord(block.bytes.data() + cityOffset(block::cityNameRecords, kCityNameRecordSize, c));
}
ConstCityNameRecord Scenario::cityName(int c) const {
  return ConstCityNameRecord(block.bytes.data() + cityOffset(block::cityNameRecords, kCityNameRecordSize, c));
}
ForceRecord Scenario::force(int f) { return ForceRecord(block.bytes.data() + forceOffset(f)); }
ConstForceRecord Scenario::force(int f) const { return ConstForceRecord(block.bytes.data() + forceOffset(f)); }

bool Scenario::isOfficerNumber(int n) const {
  return n >= 1 && static_cast<std::size_t>(n) <= officerCount && static_cast<std::size_t>(n) <= states.size() &&
         static_cast<std::size_t>(n) <= profiles.size();
}

bool Scenario::isOnMapNumber(int n) const { return isOfficerNumber(n) && static_cast<std::size_t>(n) <= onMapCount; }

OfficerState& Scenario::officerState(int n) {
  require(isOfficerNumber(n), "武将编号出错");
  return states[static_cast<std::size_t>(n - 1)];
}
const OfficerState& Scenario::officerState(int n) const {
  require(isOfficerNumber(n), "武将编号出错");
  return states[static_cast<std::size_t>(n - 1)];
}
OfficerProfile& Scenario::officerProfile(int n) {
  require(isOfficerNumber(n), "武将编号出错");
  return profiles[static_cast<std::size_t>(n - 1)];
}
const OfficerProfile& Scenario::officerProfile(int n) const {
  require(isOfficerNumber(n), "武将编号出错");
  return profiles[static_cast<std::size_t>(n - 1)];
}

Scenario& ScenarioSet::scenario(std::size_t s) {
  require(s < scenarios.size(), "剧本编号错误");
  return scenarios[s];
}
const Scenario& ScenarioSet::scenario(std::size_t s) const {
  require(s < scenarios.size(), "剧本编号错误");
  return scenarios[s];
}

int ScenarioSet::officerIndexOf(std::size_t s, long id) const {
  if (s >= officerIndexById.size() || id < 0) return -1;
  const auto& index = officerIndexById[s];
  if (static_cast<unsigned long>(id) >= index.size()) return -1;
  return index[static_cast<std::size_t>(id)];
}

}  // namespace vorandel
