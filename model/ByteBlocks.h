#pragma once
// Looking at text a block of bytes at a time: sixteen with SSE2, otherwise eight in a machine word. Each
// search gives a mark for every byte of the block from `at` that it looks for, and nothing else; the first
// such byte is countr_zero(marks) / kBitsPerMark bytes from `at`, and marks &= marks - 1 passes to the
// next. The block must lie wholly within the text.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vorandel {

#ifdef __SSE2__

inline constexpr std::size_t kByteBlock = 16;
inline constexpr unsigned kBitsPerMark = 1;
using ByteMarks = std::uint32_t;

inline __m128i loadBlock(const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

// The bytes equal to a or to b.
inline ByteMarks bytesEqualTo(const char* at, char a, char b) {
  const __m128i bytes = loadBlock(at);
  const __m128i found = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(a)), _mm_cmpeq_epi8(bytes, _mm_set1_epi8(b)));
  return static_cast<ByteMarks>(_mm_movemask_epi8(found));
}

// The bytes of 0x80 or above: those that are not ASCII.
inline ByteMarks bytesBeyondAscii(const char* at) { return static_cast<ByteMarks>(_mm_movemask_epi8(loadBlock(at))); }

#else

inline constexpr std::size_t kByteBlock = 8;
inline constexpr unsigned kBitsPerMark = 8;
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

inline ByteMarks bytesEqualTo(const char* at, char a, char b) {
  const std::uint64_t word = loadBlock(at);
  const auto spread = [](char c) { return 0x0101010101010101ull * static_cast<unsigned char>(c); };
  return zeroBytes(word ^ spread(a)) | zeroBytes(word ^ spread(b));
}

inline ByteMarks bytesBeyondAscii(const char* at) { return loadBlock(at) & 0x8080808080808080ull; }

#endif

// How many bytes from `at` come before the first one marked.
inline std::size_t bytesBeforeMark(ByteMarks marks) {
  return static_cast<std::size_t>(std::countr_zero(marks)) / kBitsPerMark;
}

}  // namespace vorandel
