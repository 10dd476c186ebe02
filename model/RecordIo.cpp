#include "model/RecordIo.h"

#include <array>

namespace vorandel {

namespace {

void readBytes(std::istream& in, void* target, std::size_t n) {
  in.read(static_cast<char*>(target), static_cast<std::streamsize>(n));
  if (!in) throw StreamError::ReadFailed;
}

void writeBytes(std::ostream& out, const void* source, std::size_t n) {
  out.write(static_cast<const char*>(source), static_cast<std::streamsize>(n));
  if (!out) throw StreamError::WriteFailed;
}

constexpr std::size_t kChunkEntrySize = 6;

}  // namespace

std::uint16_t readCount(std::istream& in) {
  std::uint8_t bytes[2];
  readBytes(in, bytes, sizeof bytes);
  return loadLe<std::uint16_t>(bytes);
}

void readChunkEntries(std::istream& in, std::vector<ChunkEntry>& table) {
  std::vector<std::uint8_t> bytes(kChunkEntrySize * table.size());
  readBytes(in, bytes.data(), bytes.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i].offset = loadLe<std::uint32_t>(&bytes[kChunkEntrySize * i]);
    table[i].size = loadLe<std::uint16_t>(&bytes[kChunkEntrySize * i + 4]);
  }
}

void readBlock(std::istream& in, ScenarioBlock& block) { readBytes(in, block.bytes.data(), kBlockSize); }

void readOfficerStates(std::istream& in, OfficerState* states, std::size_t n) {
  readBytes(in, states, kOfficerStateSize * n);
}

void readOfficerProfiles(std::istream& in, OfficerProfile* profiles, std::size_t n) {
  readBytes(in, profiles, kOfficerProfileSize * n);
}

void readOfficerState(std::istream& in, OfficerState& state) { readOfficerStates(in, &state, 1); }
void readOfficerProfile(std::istream& in, OfficerProfile& profile) { readOfficerProfiles(in, &profile, 1); }

void readTrailer(std::istream& in, ScenarioTrailer& trailer, bool longForm) {
  readBytes(in, trailer.bytes.data(), longForm ? kLongTrailerSize : kShortTrailerSize);
}

void writeCount(std::ostream& out, std::uint16_t count) {
  std::uint8_t bytes[2];
  storeLe(bytes, count);
  writeBytes(out, bytes, sizeof bytes);
}

void writeChunkEntries(std::ostream& out, const ChunkEntry* entries, std::size_t n) {
  std::vector<std::uint8_t> bytes(kChunkEntrySize * n);
  for (std::size_t i = 0; i < n; ++i) {
    storeLe(&bytes[kChunkEntrySize * i], entries[i].offset);
    storeLe(&bytes[kChunkEntrySize * i + 4], entries[i].size);
  }
  writeBytes(out, bytes.data(), bytes.size());
}

void writeBlock(std::ostream& out, const ScenarioBlock& block) { writeBytes(out, block.bytes.data(), kBlockSize); }

void writeOfficerStates(std::ostream& out, const OfficerState* states, std::size_t n) {
  writeBytes(out, states, kOfficerStateSize * n);
}

void writeOfficerProfiles(std::ostream& out, const OfficerProfile* profiles, std::size_t n) {
  writeBytes(out, profiles, kOfficerProfileSize * n);
}

void writeOfficerState(std::ostream& out, const OfficerState& state) { writeOfficerStates(out, &state, 1); }
void writeOfficerProfile(std::ostream& out, const OfficerProfile& profile) {
  writeOfficerProfiles(out, &profile, 1);
}

void writeTrailer(std::ostream& out, const ScenarioTrailer& trailer, bool longForm) {
  writeBytes(out, trailer.bytes.data(), longForm ? kLongTrailerSize : kShortTrailerSize);
}

}  // namespace vorandel
