#pragma once
// The records of the scenario files and the names of their fields. Offsets are those of the game's own
// layout; bytes that no field names here are carried through unchanged.
#include <cstdint>
#include <type_traits>

#include "model/Record.h"

namespace vorandel {

inline constexpr std::size_t kBlockSize = 5518;
inline constexpr std::size_t kOfficerStateSize = 31;
inline constexpr std::size_t kOfficerProfileSize = 38;
inline constexpr std::size_t kOfficerRecordSize = kOfficerStateSize + kOfficerProfileSize;
inline constexpr std::size_t kShortTrailerSize = 64;
inline constexpr std::size_t kLongTrailerSize = 1100;
inline constexpr std::size_t kCityRecordSize = 30;
inline constexpr std::size_t kCityNameRecordSize = 32;
inline constexpr std::size_t kForceRecordSize = 77;

inline constexpr int kCityCount = 47;   // cities are numbered 1..47
inline constexpr int kForceCount = 21;  // forces are numbered 1..21
inline constexpr int kItemCount = 32;   // items are numbered 0..31
inline constexpr int kNeighbourSlots = 6;
// What the files can hold; the limits of the game itself (officers on the map, name lengths) are in
// rules/GameRules.h.
inline constexpr int kMaxScenarios = 32;
inline constexpr int kMaxOfficers = 2999;  // on the map and waiting, per scenario
inline constexpr int kMaxWaiting = 380;    // the scenario block has this many appearance years
inline constexpr int kIdLimit = 3000;      // ids are below this: the index by id has this many places

// Officer statuses (the status field of the officer state).
enum OfficerStatus : unsigned {
  kRuler = 0,
  kStrategist = 1,
  kOrdinary = 2,
  kInTraining = 3,
  kUnaffiliated = 4,
  kHermit = 5,
  kWaiting = 6,
  kDead = 7,
};

using OfficerState = Record<kOfficerStateSize>;
using OfficerProfile = Record<kOfficerProfileSize>;
using ScenarioBlock = Record<kBlockSize>;
using ScenarioTrailer = Record<kLongTrailerSize>;  // only the first 64 bytes in the short form

using CityRecord = RecordView<kCityRecordSize, std::uint8_t>;
using ConstCityRecord = RecordView<kCityRecordSize, const std::uint8_t>;
using CityNameRecord = RecordView<kCityNameRecordSize, std::uint8_t>;
using ConstCityNameRecord = RecordView<kCityNameRecordSize, const std::uint8_t>;
using ForceRecord = RecordView<kForceRecordSize, std::uint8_t>;
using ConstForceRecord = RecordView<kForceRecordSize, const std::uint8_t>;

static_assert(sizeof(OfficerState) == kOfficerStateSize && sizeof(OfficerProfile) == kOfficerProfileSize,
              "officer records are read and written as contiguous runs");
static_assert(std::is_trivial_v<OfficerState> && std::is_trivial_v<OfficerProfile>,
              "vectors of officer records are copied as whole blocks");

// Fixed block of a scenario.
namespace block {
inline constexpr Field<std::uint16_t, 577> startYear;
inline constexpr Field<std::uint16_t, 579> storedOnMapCount;
inline constexpr Field<std::uint16_t, 581> storedWaitingCount;
inline constexpr Field<std::uint8_t, 583> startMonth;
inline constexpr ArrayField<std::uint8_t, 607, kMaxWaiting> appearYear;  // year minus 100, per waiting officer
inline constexpr std::size_t cityRecords = 987;
inline constexpr std::size_t cityNameRecords = 2397;
inline constexpr std::size_t forceRecords = 3901;
}  // namespace block

namespace city {
inline constexpr Field<std::uint32_t, 0> reserveTroops;
inline constexpr Field<std::int16_t, 4> governor;
inline constexpr Field<std::int16_t, 6> unaffiliatedHead;
inline constexpr Field<std::int16_t, 8> hermitHead;
inline constexpr Field<std::int16_t, 10> trainingHead;
inline constexpr Field<std::uint16_t, 12> population;
inline constexpr Field<std::uint16_t, 14> defence;
inline constexpr Field<std::uint16_t, 16> statusBits;
inline constexpr Field<std::uint16_t, 18> agriculture;
inline constexpr Field<std::uint16_t, 20> commerce;
inline constexpr Field<std::int8_t, 22> prevCity;
inline constexpr Field<std::int8_t, 23> nextCity;
inline constexpr Field<std::int8_t, 24> owner;
inline constexpr Field<std::uint8_t, 25> floodControl;
inline constexpr Field<std::uint8_t, 26> loyalty;
inline constexpr Field<std::uint8_t, 27> morale;
inline constexpr Field<std::uint8_t, 28> training;
inline constexpr Field<std::uint8_t, 29> ownerChangeMark;  // 0xFF whenever the owner is set
}  // namespace city

namespace cityName {
inline constexpr BytesField<0, 12> name;
inline constexpr ArrayField<std::int8_t, 12, kNeighbourSlots> neighbours;
inline constexpr Field<std::uint16_t, 18> agricultureLimit;
inline constexpr Field<std::uint16_t, 20> smallMapX;
inline constexpr Field<std::uint16_t, 22> smallMapY;
inline constexpr Field<std::uint16_t, 24> largeMapX;
inline constexpr Field<std::uint16_t, 26> largeMapY;
inline constexpr Field<std::uint16_t, 28> commerceLimit;
inline constexpr BitField<30, 0, 1> byWater;
inline constexpr BitField<30, 1, 1> climate;
inline constexpr BitField<30, 7, 1> unknownFlag;
inline constexpr BitField<31, 0, 1> market;
}  // namespace cityName

namespace force {
inline constexpr Field<std::int16_t, 0> ruler;
inline constexpr BitField<6, 6, 6, std::uint16_t> weapons;
inline constexpr Field<std::uint16_t, 10> fame;
inline constexpr Field<std::int16_t, 12> namedOfficer;
inline constexpr Field<std::int32_t, 14> money;
inline constexpr Field<std::int32_t, 18> food;
inline constexpr Field<std::int8_t, 22> firstCity;
}  // namespace force

// First part of an officer's record (record offsets 0..30).
namespace state {
inline constexpr Field<std::int16_t, 0> prevOfficer;
inline constexpr Field<std::int16_t, 2> nextOfficer;
inline constexpr Field<std::uint16_t, 4> fame;
inline constexpr Field<std::uint16_t, 6> experience;
inline constexpr Field<std::uint16_t, 8> soldiers;
inline constexpr BitField<10, 0, 3> status;
inline constexpr BitField<10, 3, 3> lifespan;
inline constexpr BitField<10, 6, 1> trait;
inline constexpr BitField<10, 7, 1> isGovernor;
inline constexpr BitField<11, 0, 1> rebel;
inline constexpr BitField<11, 2, 1> acted;
inline constexpr BitField<11, 3, 3> learnedCount;
inline constexpr BitField<11, 6, 2> allegiance;
inline constexpr Field<std::uint8_t, 12> war;
inline constexpr Field<std::uint8_t, 13> intelligence;
inline constexpr Field<std::uint8_t, 14> politics;
inline constexpr Field<std::uint8_t, 15> charisma;
inline constexpr Field<std::uint8_t, 16> training;
inline constexpr Field<std::uint8_t, 17> morale;
inline constexpr Field<std::uint8_t, 18> changeMarker;
inline constexpr Field<std::uint8_t, 19> loyalty;
inline constexpr Field<std::int8_t, 20> location;
inline constexpr Field<std::int8_t, 21> force;
inline constexpr BitField<22, 0, 6> duties;
inline constexpr BitField<22, 6, 2> goodEvil;
inline constexpr Field<std::uint32_t, 23> items;
inline constexpr Field<std::uint32_t, 27> learnedSkills;
}  // namespace state

// Second part of an officer's record (record offsets 31..68, here counted from 0).
namespace profile {
inline constexpr BytesField<0, 20> name;
inline constexpr Field<std::uint8_t, 20> affinity;
inline constexpr Field<std::uint8_t, 21> birthYear;  // year minus 100
inline constexpr Field<std::uint8_t, 22> family;
inline constexpr Field<std::uint8_t, 23> growth;
inline constexpr ArrayField<std::uint8_t, 24, 6> learnableSkills;
inline constexpr Field<std::uint16_t, 30> id;
inline constexpr Field<std::uint16_t, 32> parentId;
inline constexpr BitField<34, 0, 4> righteousness;
inline constexpr BitField<34, 4, 4> ambition;
inline constexpr BitField<35, 0, 3> calmness;
inline constexpr BitField<35, 3, 3> bravery;
inline constexpr BitField<35, 6, 1> gender;
inline constexpr Field<std::uint16_t, 36> formations;
}  // namespace profile

namespace trailer {
inline constexpr ArrayField<std::int16_t, 0, kItemCount> itemHolder;
}  // namespace trailer

}  // namespace vorandel
