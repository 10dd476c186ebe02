#pragma once
// Turns a pair of scenario files (sndata.s5 and taiki.s5) into a ScenarioSet.
#include <istream>
#include <string_view>

#include "model/ScenarioSet.h"

namespace vorandel {

// Loads the two files' bytes into the set. Returns true; every failure is raised (EditError for data
// outside the game's limits, StreamError::ReadFailed for data shorter than its counts). A failed load
// leaves the set partly filled: callers discard it.
bool loadScenarioSet(ScenarioSet& set, std::string_view sndata, std::string_view taiki);

// The parser behind loadScenarioSet, on any pair of binary input streams; fills an empty set.
void parseScenarioStreams(ScenarioSet& set, std::istream& sndata, std::istream& taiki);

// Registers every officer under his id and lines up the waiting officers: the last step of loading.
void buildDerivedIndexes(ScenarioSet& set);

}  // namespace vorandel
