#include "model/Writer.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "model/EditError.h"
#include "model/Messages.h"
#include "model/OpenFile.h"
#include "model/RecordIo.h"
#include "model/StreamError.h"

namespace vorandel {

namespace {

std::streamoff positionOf(std::ostream& out) {
  const std::streamoff position = out.tellp();
  if (position < 0) throw StreamError(StreamError::WriteFailed);
  return position;
}

void seekTo(std::ostream& out, std::streamoff position) {
  if (!out.seekp(position)) throw StreamError(StreamError::WriteFailed);
}

ChunkEntry entryBetween(std::streamoff base, std::streamoff start, std::streamoff stop) {
  return ChunkEntry{static_cast<std::uint32_t>(start - base), static_cast<std::uint16_t>(stop - start)};
}

}  // namespace

bool writeScenarioStreams(const ScenarioSet& set, std::ostream& sndata, std::ostream& taiki, std::size_t first,
                          std::size_t end) {
  const std::size_t last = std::min(end, set.scenarioCount());
  if (first >= last) return false;
  const std::size_t n = last - first;
  // The tables as read serve as placeholders until the real entries are known; a set built in memory
  // may have none, so pad with empty entries.
  std::vector<ChunkEntry> sndataEntries(n), taikiEntries(n);
  for (std::size_t k = 0; k < n; ++k) {
    if (first + k < set.sndataTable.size()) sndataEntries[k] = set.sndataTable[first + k];
    if (first + k < set.taikiTable.size()) taikiEntries[k] = set.taikiTable[first + k];
  }

  writeCount(sndata, static_cast<std::uint16_t>(n));
  writeChunkEntries(sndata, sndataEntries.data(), n);
  const std::streamoff sndataBase = positionOf(sndata);
  for (std::size_t k = first; k < last; ++k) {
    const Scenario& scenario = set.scenarios[k];
    const std::size_t onMap = scenario.block.get(block::storedOnMapCount);
    // The validator makes the stored count agree with the records before files are written; a set
    // that did not pass it must still not be read beyond its officers.
    require(onMap <= scenario.states.size() && onMap <= scenario.profiles.size(), kOfficersBroken);
    const std::streamoff start = positionOf(sndata);
    writeBlock(sndata, scenario.block);
    writeOfficerStates(sndata, scenario.states.data(), onMap);
    writeOfficerProfiles(sndata, scenario.profiles.data(), onMap);
    writeTrailer(sndata, scenario.trailer, set.longTrailer);
    sndataEntries[k - first] = entryBetween(sndataBase, start, positionOf(sndata));
  }
  seekTo(sndata, 2);
  writeChunkEntries(sndata, sndataEntries.data(), n);

  writeCount(taiki, static_cast<std::uint16_t>(n));
  writeChunkEntries(taiki, taikiEntries.data(), n);
  const std::streamoff taikiBase = positionOf(taiki);
  for (std::size_t k = first; k < last; ++k) {
    const Scenario& scenario = set.scenarios[k];
    const std::size_t stop =
        std::min<std::size_t>({scenario.officerCount, scenario.states.size(), scenario.profiles.size()});
    const std::streamoff start = positionOf(taiki);
    if (stop > scenario.onMapCount)
      writeOfficerRecords(taiki, scenario.states.data() + scenario.onMapCount,
                          scenario.profiles.data() + scenario.onMapCount, stop - scenario.onMapCount);
    taikiEntries[k - first] = entryBetween(taikiBase, start, positionOf(taiki));
  }
  seekTo(taiki, 2);
  writeChunkEntries(taiki, taikiEntries.data(), n);
  return true;
}

bool saveScenarioFiles(const ScenarioSet& set, const std::string& sndataPath, const std::string& taikiPath,
                       std::size_t first, std::size_t end, std::string* failedPath) {
  std::ofstream sndata(systemPath(sndataPath), std::ios::binary | std::ios::trunc);
  std::ofstream taiki(systemPath(taikiPath), std::ios::binary | std::ios::trunc);
  const auto fail = [&] {
    if (failedPath) *failedPath = sndata.fail() ? sndataPath : taikiPath;
    throw StreamError(StreamError::WriteFailed);
  };
  bool written = false;
  try {
    written = writeScenarioStreams(set, sndata, taiki, first, end);
  } catch (const StreamError&) {
    fail();
  }
  // Buffered bytes reach the disk only when the files are closed: a full disk may show up here.
  sndata.close();
  if (sndata.fail()) fail();
  taiki.close();
  if (taiki.fail()) fail();
  return written;
}

}  // namespace vorandel
