#include "model/Loader.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/ChunkSize.h"
#include "model/EditError.h"
#include "model/MemoryStream.h"
#include "model/Messages.h"
#include "model/PairNames.h"
#include "model/RecordIo.h"

namespace vorandel {

namespace {

void seekTo(std::istream& in, std::streamoff position) {
  if (!in.seekg(position)) throw StreamError(StreamError::ReadFailed);
}

// The first chunk of sndata.s5 decides the trailer form: long when it is big enough for the long
// trailer (beyond the 16-bit size field: when its size is that of the long form).
bool recordsLongTrailer(std::uint16_t recorded, std::uint32_t onMap) {
  return recordedSizeCovers(recorded, neededSndataChunk(onMap, true));
}

// The bytes of the stream behind `base`; as many as a position can count when its end cannot be found,
// so that only the reads find a stream cut short.
std::uint64_t roomBehind(std::istream& in, std::streamoff base) {
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  if (!in || end < base) {
    in.clear();
    return UINT64_MAX;
  }
  return static_cast<std::uint64_t>(end - base);
}

// The largest of the ids of officers from..from+n-1, or `largest` when it is larger: the loader takes it
// while it has the records at hand, as the index by id needs it before it is built.
std::int32_t largestId(const OfficerProfiles& profiles, std::size_t from, std::size_t n, std::int32_t largest) {
  for (std::size_t k = from; k < from + n; ++k) largest = std::max<std::int32_t>(largest, profiles[k].get(profile::id));
  return largest;
}

void buildDerivedIndexes(ScenarioSet& set, std::int32_t largest);

void parsePair(ScenarioSet& set, std::istream& sndata, std::istream& taiki, ChunkEnds& ends) {
  ends = ChunkEnds{};
  const std::uint16_t count = readCount(sndata);
  require(count <= kMaxScenarios, "剧本数超出允许范围");
  set.sndataTable.assign(count, ChunkEntry{});
  set.scenarios.clear();
  set.scenarios.resize(count);
  readChunkEntries(sndata, set.sndataTable);
  const std::streamoff sndataBase = sndata.tellg();
  const std::uint64_t sndataRoom = roomBehind(sndata, sndataBase);
  std::uint64_t sndataEnd = 0;  // behind the data base, where the chunks read so far end
  std::int32_t largest = 0;     // of the ids; 0 when there are none, for an id capacity of 1

  for (std::size_t i = 0; i < count; ++i) {
    Scenario& scenario = set.scenarios[i];
    const ChunkPlace place{kSndataName, i, static_cast<std::uint64_t>(sndataBase), set.sndataTable[i].offset};
    requireChunkStart(place, sndataEnd, sndataRoom);
    seekTo(sndata, sndataBase + set.sndataTable[i].offset);
    readBlock(sndata, scenario.block);
    const std::uint32_t onMap = scenario.block.get(block::storedOnMapCount);
    const std::uint32_t waiting = scenario.block.get(block::storedWaitingCount);
    scenario.onMapCount = onMap;
    scenario.waitingCount = waiting;
    scenario.officerCount = onMap + waiting;
    require(scenario.officerCount <= kMaxOfficers, kTooManyOfficers);
    const std::uint16_t recorded = set.sndataTable[i].size;
    if (i == 0) set.longTrailer = recordsLongTrailer(recorded, onMap);
    const std::uint64_t needed = neededSndataChunk(onMap, set.longTrailer);
    if (!recordedSizeCovers(recorded, needed)) refuseSndataChunk(i, recorded, needed, onMap);
    const std::uint64_t length = chunkLength(recorded, needed);
    // A chunk recorded longer than its data must still end inside the file.
    if (place.offset + length > sndataRoom) throw StreamError(StreamError::ReadFailed, kSndataName);
    sndataEnd = place.offset + length;
    // The waiting officers' records follow from taiki.s5 once all of sndata.s5 has been read.
    scenario.states.reserve(scenario.officerCount);
    scenario.profiles.reserve(scenario.officerCount);
    readOfficerStates(sndata, scenario.states, onMap);
    readOfficerProfiles(sndata, scenario.profiles, onMap);
    largest = largestId(scenario.profiles, 0, onMap, largest);
    readTrailer(sndata, scenario.trailer, set.longTrailer);
  }

  require(readCount(taiki) == count, "两个剧本文件的剧本数目必须一致");
  set.taikiTable.assign(count, ChunkEntry{});
  readChunkEntries(taiki, set.taikiTable);
  const std::streamoff taikiBase = taiki.tellg();
  const std::uint64_t taikiRoom = roomBehind(taiki, taikiBase);
  std::uint64_t taikiEnd = 0;

  for (std::size_t i = 0; i < count; ++i) {
    Scenario& scenario = set.scenarios[i];
    const std::uint16_t recorded = set.taikiTable[i].size;
    const std::uint64_t needed = neededTaikiChunk(scenario.waitingCount);
    if (!recordedSizeMatches(recorded, needed)) refuseTaikiChunk(i, recorded, needed, scenario.waitingCount);
    const ChunkPlace place{kTaikiName, i, static_cast<std::uint64_t>(taikiBase), set.taikiTable[i].offset};
    requireChunkStart(place, taikiEnd, taikiRoom);
    taikiEnd = place.offset + needed;
    seekTo(taiki, taikiBase + set.taikiTable[i].offset);
    readOfficerRecords(taiki, scenario.states, scenario.profiles, scenario.waitingCount);
    largest = largestId(scenario.profiles, scenario.onMapCount, scenario.waitingCount, largest);
  }

  ends.sndata = static_cast<std::uint64_t>(sndataBase) + sndataEnd;
  ends.taiki = static_cast<std::uint64_t>(taikiBase) + taikiEnd;
  buildDerivedIndexes(set, largest);
}

// The officers of a scenario that have their records: a set built in memory may have counts that run
// ahead of them.
std::size_t officersWithRecords(const Scenario& scenario) {
  return std::min<std::size_t>(scenario.officerCount, scenario.profiles.size());
}

void buildDerivedIndexes(ScenarioSet& set, std::int32_t largest) {
  require(largest < kIdLimit, kPortraitOutOfRange);  // the one message for any id beyond the limit

  set.idCapacity = static_cast<std::uint32_t>(largest + 1);
  set.officerIndexById.clear();
  set.officerIndexById.reserve(set.scenarios.size());
  for (const Scenario& scenario : set.scenarios) {
    OfficerIdIndex& index = set.officerIndexById.emplace_back(set.idCapacity, kNoOfficerIndex);
    const std::size_t n = officersWithRecords(scenario);
    for (std::size_t k = 0; k < n; ++k) index[scenario.profiles[k].get(profile::id)] = static_cast<std::int16_t>(k);
  }

  set.waitingQueue.assign(set.scenarios.size(), {});
  for (std::size_t s = 0; s < set.scenarios.size(); ++s) {
    const Scenario& scenario = set.scenarios[s];
    require(scenario.waitingCount <= kMaxWaiting, kTooManyWaiting);
    const std::size_t officerCount = officersWithRecords(scenario);
    // One entry for each waiting officer that has his records.
    const std::uint32_t onMap = scenario.onMapCount;
    const std::uint32_t waiting =
        officerCount > onMap
            ? static_cast<std::uint32_t>(std::min<std::size_t>(scenario.waitingCount, officerCount - onMap))
            : 0;
    std::vector<WaitingEntry>& queue = set.waitingQueue[s];
    queue.reserve(waiting);
    for (std::uint32_t j = 0; j < waiting; ++j) {
      const std::int32_t id = scenario.profiles[onMap + j].get(profile::id);
      queue.push_back(WaitingEntry{id, static_cast<std::int32_t>(onMap + j), onMap + j + 1,
                                   scenario.block.get(block::appearYear, j)});
    }
  }
}

}  // namespace

void loadScenarioSet(ScenarioSet& set, std::string_view sndata, std::string_view taiki) {
  MemoryInputStream sndataStream(sndata);
  MemoryInputStream taikiStream(taiki);
  parseScenarioStreams(set, sndataStream, taikiStream);
}

void parseScenarioStreams(ScenarioSet& set, std::istream& sndata, std::istream& taiki) {
  ChunkEnds ends;
  parseScenarioStreams(set, sndata, taiki, ends);
}

void parseScenarioStreams(ScenarioSet& set, std::istream& sndata, std::istream& taiki, ChunkEnds& ends) {
  // A stream cut short names its file: the one whose stream failed.
  try {
    parsePair(set, sndata, taiki, ends);
  } catch (const StreamError& error) {
    if (!error.file().empty()) throw;
    throw StreamError(error.kind(), sndata.fail() ? kSndataName : kTaikiName);
  }
}

void buildDerivedIndexes(ScenarioSet& set) {
  std::int32_t largest = 0;
  for (const Scenario& scenario : set.scenarios) {
    const std::size_t n = officersWithRecords(scenario);
    require(n <= kMaxOfficers, kTooManyOfficers);  // as the loader refuses it: the index holds no more
    largest = largestId(scenario.profiles, 0, n, largest);
  }
  buildDerivedIndexes(set, largest);
}

}  // namespace vorandel
