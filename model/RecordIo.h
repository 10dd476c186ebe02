#pragma once
// Readers and writers of the records of the scenario files. Each moves exactly the record's bytes and
// raises StreamError when the stream is in a failed state afterwards.
#include <cstdint>
#include <istream>
#include <ostream>
#include <vector>

#include "model/ScenarioSet.h"
#include "model/StreamError.h"

namespace vorandel {

std::uint16_t readCount(std::istream& in);
void readChunkEntries(std::istream& in, std::vector<ChunkEntry>& table);  // table.size() entries
void readBlock(std::istream& in, ScenarioBlock& block);
// The officer readers append what they read to the vectors.
void readOfficerStates(std::istream& in, OfficerStates& states, std::size_t n);
void readOfficerProfiles(std::istream& in, OfficerProfiles& profiles, std::size_t n);
// n whole officer records as taiki.s5 holds them: each state directly followed by its profile.
void readOfficerRecords(std::istream& in, OfficerStates& states, OfficerProfiles& profiles, std::size_t n);
void readTrailer(std::istream& in, ScenarioTrailer& trailer, bool longForm);

void writeCount(std::ostream& out, std::uint16_t count);
void writeChunkEntries(std::ostream& out, const ChunkEntry* entries, std::size_t n);
void writeBlock(std::ostream& out, const ScenarioBlock& block);
void writeOfficerStates(std::ostream& out, const OfficerState* states, std::size_t n);
void writeOfficerProfiles(std::ostream& out, const OfficerProfile* profiles, std::size_t n);
void writeOfficerRecords(std::ostream& out, const OfficerState* states, const OfficerProfile* profiles, std::size_t n);
void writeTrailer(std::ostream& out, const ScenarioTrailer& trailer, bool longForm);

}  // namespace vorandel
