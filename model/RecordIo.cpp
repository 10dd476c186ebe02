#include "model/RecordIo.h"

#include <cstddef>
#include <cstring>
#include <memory>

#include "model/MemoryStream.h"

namespace vorandel {

namespace {

void readBytes(std::istream& in, void* target, std::size_t n) {
  in.read(static_cast<char*>(target), static_cast<std::streamsize>(n));
  if (!in) throw StreamError(StreamError::ReadFailed);
}

void writeBytes(std::ostream& out, const void* source, std::size_t n) {
  out.write(static_cast<const char*>(source), static_cast<std::streamsize>(n));
  if (!out) throw StreamError(StreamError::WriteFailed);
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

namespace {

// The next n bytes of the stream: where they lie when it reads from memory, else read into `scratch`.
// Either way the stream ends up where a read of the n bytes leaves it.
const std::uint8_t* nextBytes(std::istream& in, std::size_t n, std::unique_ptr<std::uint8_t[]>& scratch) {
  if (in.good()) {
    if (auto* memory = dynamic_cast<MemoryBuffer*>(in.rdbuf()))
      if (const char* bytes = memory->take(n)) return reinterpret_cast<const std::uint8_t*>(bytes);
  }
  scratch = std::make_unique_for_overwrite<std::uint8_t[]>(n);
  readBytes(in, scratch.get(), n);
  return scratch.get();
}

// Appends n more records, their bytes unset, and returns the first of them for the caller to fill.
template <class Records>
auto* appendRoom(Records& records, std::size_t n) {
  static_assert(sizeof(typename Records::value_type) == Records::value_type::size, "records are plain bytes");
  const std::size_t old = records.size();
  records.resize(old + n);
  return records.data() + old;
}

// Appends the n records that lie one after the other from `bytes`.
template <class Records>
void appendRecords(Records& records, const std::uint8_t* bytes, std::size_t n) {
  auto* to = appendRoom(records, n);
  if (n != 0) std::memcpy(to, bytes, sizeof *to * n);
}

}  // namespace

void readOfficerStates(std::istream& in, OfficerStates& states, std::size_t n) {
  std::unique_ptr<std::uint8_t[]> scratch;
  appendRecords(states, nextBytes(in, kOfficerStateSize * n, scratch), n);
}

void readOfficerProfiles(std::istream& in, OfficerProfiles& profiles, std::size_t n) {
  std::unique_ptr<std::uint8_t[]> scratch;
  appendRecords(profiles, nextBytes(in, kOfficerProfileSize * n, scratch), n);
}

void readOfficerRecords(std::istream& in, OfficerStates& states, OfficerProfiles& profiles, std::size_t n) {
  // The whole run at once, each record then split into its two parts in one pass over it.
  std::unique_ptr<std::uint8_t[]> scratch;
  const std::uint8_t* bytes = nextBytes(in, kOfficerRecordSize * n, scratch);
  OfficerState* state = appendRoom(states, n);
  OfficerProfile* profile = appendRoom(profiles, n);
  for (std::size_t k = 0; k < n; ++k, bytes += kOfficerRecordSize) {
    std::memcpy(state[k].bytes.data(), bytes, kOfficerStateSize);
    std::memcpy(profile[k].bytes.data(), bytes + kOfficerStateSize, kOfficerProfileSize);
  }
}

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

void writeOfficerRecords(std::ostream& out, const OfficerState* states, const OfficerProfile* profiles, std::size_t n) {
  std::vector<std::uint8_t> bytes(kOfficerRecordSize * n);
  std::uint8_t* record = bytes.data();
  for (std::size_t k = 0; k < n; ++k, record += kOfficerRecordSize) {
    std::memcpy(record, states[k].bytes.data(), kOfficerStateSize);
    std::memcpy(record + kOfficerStateSize, profiles[k].bytes.data(), kOfficerProfileSize);
  }
  writeBytes(out, bytes.data(), bytes.size());
}

void writeTrailer(std::ostream& out, const ScenarioTrailer& trailer, bool longForm) {
  writeBytes(out, trailer.bytes.data(), longForm ? kLongTrailerSize : kShortTrailerSize);
}

}  // namespace vorandel
