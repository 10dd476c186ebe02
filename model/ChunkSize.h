#pragma once
// What the chunk of a scenario must hold and where it must lie, and the checks of a chunk's recorded
// size and offset against them. The size field of a chunk entry has 16 bits: a chunk longer than 65535
// bytes (possible only with more officers on the map than the game allows) keeps just its length modulo
// 65536 there, which is what the writer stores, so for such a chunk only that remainder can be compared.
#include <cstddef>
#include <cstdint>

namespace vorandel {

// The bytes a sndata.s5 chunk needs: the block, the on-map officers' records and the trailer.
std::uint64_t neededSndataChunk(std::uint32_t onMap, bool longTrailer);
// The bytes a taiki.s5 chunk holds: one whole officer record per waiting officer, nothing else.
std::uint64_t neededTaikiChunk(std::uint32_t waiting);

// True when the recorded size could be the length of a chunk holding `needed` bytes.
bool recordedSizeCovers(std::uint16_t recorded, std::uint64_t needed);
// True when the recorded size is exactly `needed` (modulo 65536 beyond the field's range).
bool recordedSizeMatches(std::uint16_t recorded, std::uint64_t needed);
// The length of a chunk that passed recordedSizeCovers: the recorded size, or `needed` when that does
// not fit the field.
std::uint64_t chunkLength(std::uint16_t recorded, std::uint64_t needed);

// Where a chunk lies, as its file's table records it: the offset is counted from the data base, the
// position just behind the table.
struct ChunkPlace {
  const char* file = "";
  std::size_t scenario = 0;
  std::uint64_t base = 0;
  std::uint32_t offset = 0;
};

// The writer puts the chunks of a file one after the other in scenario order, the first directly
// behind the table; a sndata.s5 chunk recorded longer than its data owns the bytes it records, and
// bytes behind the last chunk belong to none (they are only warned of). So a chunk must begin exactly
// where the one before it ends (`expected`, 0 for the first): an offset that points into the chunks
// before it, past bytes that belong to no scenario, or beyond the file's `room` bytes behind its table,
// means that the table does not describe the chunks behind it. Raises the EditError that refuses such
// a chunk, before anything is read from the wrong place. (A chunk that begins right but ends beyond
// its file is a file cut short: its reading fails.)
void requireChunkStart(const ChunkPlace& place, std::uint64_t expected, std::uint64_t room);

// Raise the EditError that refuses a pair whose chunk of scenario s has the wrong recorded size.
[[noreturn]] void refuseSndataChunk(std::size_t s, std::uint16_t recorded, std::uint64_t needed, std::uint32_t onMap);
[[noreturn]] void refuseTaikiChunk(std::size_t s, std::uint16_t recorded, std::uint64_t needed, std::uint32_t waiting);

}  // namespace vorandel
