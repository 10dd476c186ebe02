#pragma once
// Turns a pair of scenario files (sndata.s5 and taiki.s5) into a ScenarioSet.
#include <cstdint>
#include <istream>
#include <string_view>

#include "model/ScenarioSet.h"

namespace vorandel {

// Loads the two files' bytes into the set. Every failure is raised (EditError for data
// outside the game's limits and for chunk sizes that disagree with the counts, StreamError::ReadFailed
// for data shorter than its counts). A failed load leaves the set partly filled: callers discard it.
void loadScenarioSet(ScenarioSet& set, std::string_view sndata, std::string_view taiki);

// The parser behind loadScenarioSet, on any pair of binary input streams; fills an empty set. A pair
// whose chunk sizes disagree with the counts of the blocks is refused: a sndata.s5 chunk must cover
// its block, on-map officers and trailer, a taiki.s5 chunk must be exactly 69 bytes per waiting officer.
// So is a pair whose chunks do not follow each other in scenario order, each beginning where the one
// before it ends (see requireChunkStart).
void parseScenarioStreams(ScenarioSet& set, std::istream& sndata, std::istream& taiki);

// Where the chunks of a loaded pair end: the stream position just behind the chunk that ends last in
// each file (just behind the table when the file has no scenario).
struct ChunkEnds {
  std::uint64_t sndata = 0;
  std::uint64_t taiki = 0;
};
// parseScenarioStreams, also telling where the chunks end.
void parseScenarioStreams(ScenarioSet& set, std::istream& sndata, std::istream& taiki, ChunkEnds& ends);

// Registers every officer under his id and lines up the waiting officers: the last step of loading.
void buildDerivedIndexes(ScenarioSet& set);

}  // namespace vorandel
