#pragma once
// The in-memory form of the two scenario files taken together. A ScenarioSet is a plain value: copies
// are deep and assignment replaces everything, so a batch can work on a copy and throw it away.
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

#include "model/OfficerIndex.h"
#include "model/RecordNumbers.h"
#include "model/RecordVector.h"
#include "model/Records.h"

namespace vorandel {

struct ChunkEntry {
  std::uint32_t offset = 0;  // from the end of the file's table
  std::uint16_t size = 0;
  friend bool operator==(const ChunkEntry&, const ChunkEntry&) = default;
};

// One officer waiting to appear, in the order in which the waiting officers are laid out. It has no
// default member values: a trivial type, whose vectors copy as one block of bytes when the set is copied
// (every batch copies it), where default values made them copy entry by entry. WaitingEntry{} and
// WaitingEntry{id, ...} still give zero to every member not named.
struct WaitingEntry {
  std::int32_t id;
  std::int32_t index;       // 0-based index in the scenario's officer list
  std::uint32_t orderKey;   // secondary sort key; index + 1 when loaded
  std::int32_t appearYear;  // year minus 100, as stored in the block
  friend bool operator==(const WaitingEntry&, const WaitingEntry&) = default;
};
static_assert(std::is_trivial_v<WaitingEntry>);

// An id without an officer in a scenario's id index.
inline constexpr std::int32_t kNoOfficerIndex = -1;

// A scenario's officers by id: for each id, the officer's 0-based index, or kNoOfficerIndex. Sixteen bits
// hold every index, which halves what start-up writes and every copy of the set moves.
using OfficerIdIndex = std::vector<std::int16_t>;
static_assert(kMaxOfficers <= INT16_MAX);

inline bool isCityNumber(int c) { return c >= 1 && c <= kCityCount; }
inline bool isForceNumber(int f) { return f >= 1 && f <= kForceCount; }
inline bool isCityNumber(CityNumber c) { return isCityNumber(c.value()); }
inline bool isForceNumber(ForceNumber f) { return isForceNumber(f.value()); }

// The officer records of a scenario. Growing them without values leaves the new bytes unset.
using OfficerStates = RecordVector<OfficerState>;
using OfficerProfiles = RecordVector<OfficerProfile>;

struct Scenario {
  ScenarioBlock block{};
  std::uint32_t officerCount = 0;
  std::uint32_t waitingCount = 0;
  std::uint32_t onMapCount = 0;
  OfficerStates states;      // officers on the map first, then the waiting ones
  OfficerProfiles profiles;  // in the same order
  ScenarioTrailer trailer{};

  // Locators. Every number is checked: one outside its range raises an EditError instead of reaching
  // outside the block or the officer vectors.
  CityRecord city(int c);  // c in 1..47
  ConstCityRecord city(int c) const;
  CityNameRecord cityName(int c);  // c in 1..47
  ConstCityNameRecord cityName(int c) const;
  ForceRecord force(int f);  // f in 1..21
  ConstForceRecord force(int f) const;
  OfficerState& officerState(int n);  // officer number n, 1-based
  const OfficerState& officerState(int n) const;
  OfficerProfile& officerProfile(int n);
  const OfficerProfile& officerProfile(int n) const;

  bool isOfficerNumber(int n) const;  // 1..officerCount, and within both officer vectors
  bool isOnMapNumber(int n) const;    // 1..onMapCount, and within both officer vectors

  // The same locators for the typed numbers.
  CityRecord city(CityNumber c) { return city(c.value()); }
  ConstCityRecord city(CityNumber c) const { return city(c.value()); }
  CityNameRecord cityName(CityNumber c) { return cityName(c.value()); }
  ConstCityNameRecord cityName(CityNumber c) const { return cityName(c.value()); }
  ForceRecord force(ForceNumber f) { return force(f.value()); }
  ConstForceRecord force(ForceNumber f) const { return force(f.value()); }
  OfficerState& officerState(OfficerNumber n) { return officerState(n.value()); }
  const OfficerState& officerState(OfficerNumber n) const { return officerState(n.value()); }
  OfficerProfile& officerProfile(OfficerNumber n) { return officerProfile(n.value()); }
  const OfficerProfile& officerProfile(OfficerNumber n) const { return officerProfile(n.value()); }
  bool isOfficerNumber(OfficerNumber n) const { return isOfficerNumber(n.value()); }
  bool isOnMapNumber(OfficerNumber n) const { return isOnMapNumber(n.value()); }

  friend bool operator==(const Scenario&, const Scenario&) = default;

 private:
  [[noreturn]] static void raiseBadOfficerNumber();
  [[noreturn]] static void raiseBadCityNumber();
  [[noreturn]] static void raiseBadForceNumber();
  std::size_t cityOffset(std::size_t base, std::size_t size, int c) const {
    if (!isCityNumber(c)) raiseBadCityNumber();
    return base + size * static_cast<std::size_t>(c - 1);
  }
  std::size_t forceOffset(int f) const {
    if (!isForceNumber(f)) raiseBadForceNumber();
    return block::forceRecords + kForceRecordSize * static_cast<std::size_t>(f - 1);
  }
  std::size_t officerIndex(int n) const {
    if (!isOfficerNumber(n)) raiseBadOfficerNumber();
    return static_cast<std::size_t>(n - 1);
  }
};

// The locators are small and on every hot path: they stay inline.
inline CityRecord Scenario::city(int c) {
  return CityRecord(block.bytes.data() + cityOffset(block::cityRecords, kCityRecordSize, c));
}
inline ConstCityRecord Scenario::city(int c) const {
  return ConstCityRecord(block.bytes.data() + cityOffset(block::cityRecords, kCityRecordSize, c));
}
inline CityNameRecord Scenario::cityName(int c) {
  return CityNameRecord(block.bytes.data() + cityOffset(block::cityNameRecords, kCityNameRecordSize, c));
}
inline ConstCityNameRecord Scenario::cityName(int c) const {
  return ConstCityNameRecord(block.bytes.data() + cityOffset(block::cityNameRecords, kCityNameRecordSize, c));
}
inline ForceRecord Scenario::force(int f) { return ForceRecord(block.bytes.data() + forceOffset(f)); }
inline ConstForceRecord Scenario::force(int f) const { return ConstForceRecord(block.bytes.data() + forceOffset(f)); }

inline bool Scenario::isOfficerNumber(int n) const {
  return n >= 1 && static_cast<std::size_t>(n) <= officerCount && static_cast<std::size_t>(n) <= states.size() &&
         static_cast<std::size_t>(n) <= profiles.size();
}
inline bool Scenario::isOnMapNumber(int n) const {
  return isOfficerNumber(n) && static_cast<std::size_t>(n) <= onMapCount;
}

inline OfficerState& Scenario::officerState(int n) { return states[officerIndex(n)]; }
inline const OfficerState& Scenario::officerState(int n) const { return states[officerIndex(n)]; }
inline OfficerProfile& Scenario::officerProfile(int n) { return profiles[officerIndex(n)]; }
inline const OfficerProfile& Scenario::officerProfile(int n) const { return profiles[officerIndex(n)]; }

struct ScenarioSet {
  std::uint32_t idCapacity = 0;  // length of every officerIndexById vector; only grows
  bool longTrailer = false;      // trailers are 1100 bytes long in the file instead of 64
  std::vector<ChunkEntry> sndataTable;
  std::vector<ChunkEntry> taikiTable;
  std::vector<Scenario> scenarios;
  std::vector<OfficerIdIndex> officerIndexById;         // per scenario
  std::vector<std::vector<WaitingEntry>> waitingQueue;  // per scenario: one entry per waiting officer

  std::size_t scenarioCount() const { return scenarios.size(); }
  // Raises for a number that is not a scenario of the set.
  Scenario& scenario(std::size_t s) {
    if (s >= scenarios.size()) raiseBadScenarioNumber();
    return scenarios[s];
  }
  const Scenario& scenario(std::size_t s) const {
    if (s >= scenarios.size()) raiseBadScenarioNumber();
    return scenarios[s];
  }
  [[noreturn]] static void raiseBadScenarioNumber();

  // The officer registered under the id in scenario s; nothing when there is none (also for an id or
  // scenario outside the index).
  std::optional<OfficerIndex> officerIndexOf(std::size_t s, long id) const;

  friend bool operator==(const ScenarioSet&, const ScenarioSet&) = default;
};

}  // namespace vorandel
