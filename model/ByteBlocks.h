#pragma once
// Looking at text a block of bytes at a time: sixteen with SSE2, otherwise eight in a machine word. Each
// search gives a mark for every byte of the block from `at` that it looks for, and nothing else; the first
// such byte is bytesBeforeMark(marks) bytes from `at`, and marks &= marks - 1 passes to the next. The block
// must lie wholly within the text.
// Both forms are always compiled, so that each is tested on every machine; the text is read with the
// widest one the machine has.
#include <bit>
#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vorandel {

namespace wordBlocks {

inline constexpr std::size_t kByteBlock = 8;
using ByteMarks = std::uint64_t;  // the high bit of each byte found

inline std::uint64_t loadBlock(const char* at) {
  std::uint64_t word = 0;
  for (unsigned k = 0; k < 8; ++k) word |= std::uint64_t{static_cast<unsigned char>(at[k])} << (8 * k);
  return word;
}

// The high bit of each byte of the word that is zero, and no other bit.
inline std::uint64_t zeroBytes(std::uint64_t word) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  return ~(((word & kLow7) + kLow7) | word | kLow7);
}

// The bytes equal to a or to b.
inline ByteMarks bytesEqualTo(const char* at, char a, char b) {
  const std::uint64_t word = loadBlock(at);
  const auto spread = [](char c) { return 0x0101010101010101ull * static_cast<unsigned char>(c); };
  return zeroBytes(word ^ spread(a)) | zeroBytes(word ^ spread(b));
}

// The bytes of 0x80 or above: those that are not ASCII.
inline ByteMarks bytesBeyondAscii(const char* at) { return loadBlock(at) & 0x8080808080808080ull; }

// How many bytes from `at` come before the first one marked.
inline std::size_t bytesBeforeMark(ByteMarks marks) { return static_cast<std::size_t>(std::countr_zero(marks)) / 8; }

}  // namespace wordBlocks

#ifdef __SSE2__

namespace sse2Blocks {

inline constexpr std::size_t kByteBlock = 16;
using ByteMarks = std::uint32_t;  // one bit for each byte found

inline __m128i loadBlock(const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

inline ByteMarks bytesEqualTo(const char* at, char a, char b) {
  const __m128i bytes = loadBlock(at);
  const __m128i found = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(a)), _mm_cmpeq_epi8(bytes, _mm_set1_epi8(b)));
  return static_cast<ByteMarks>(_mm_movemask_epi8(found));
}

inline ByteMarks bytesBeyondAscii(const char* at) { return static_cast<ByteMarks>(_mm_movemask_epi8(loadBlock(at))); }

inline std::size_t bytesBeforeMark(ByteMarks marks) { return static_cast<std::size_t>(std::countr_zero(marks)); }

}  // namespace sse2Blocks

namespace widestBlocks = sse2Blocks;

#else

namespace widestBlocks = wordBlocks;

#endif

inline constexpr std::size_t kByteBlock = widestBlocks::kByteBlock;
using ByteMarks = widestBlocks::ByteMarks;
using widestBlocks::bytesBeforeMark;
using widestBlocks::bytesBeyondAscii;
using widestBlocks::bytesEqualTo;

}  // namespace vorandel
