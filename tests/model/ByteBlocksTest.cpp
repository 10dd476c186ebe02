// Both forms of the block search, the machine word and SSE2, must mark exactly the bytes a byte-by-byte
// look marks: every byte value beside every other, and blocks of the bytes tables are made of.
#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/ByteBlocks.h"

namespace vorandel {
namespace {

template <class Marks, class BeforeMark>
std::vector<std::size_t> markedBytes(Marks marks, BeforeMark beforeMark) {
  std::vector<std::size_t> found;
  for (; marks != 0; marks &= marks - 1) found.push_back(beforeMark(marks));
  return found;
}

template <class Wanted>
std::vector<std::size_t> bytesLookedAtOneByOne(const std::string& block, std::size_t size, Wanted wanted) {
  std::vector<std::size_t> found;
  for (std::size_t k = 0; k < size; ++k)
    if (wanted(static_cast<unsigned char>(block[k]))) found.push_back(k);
  return found;
}

// The number of searches, in either form, that marked other bytes than the one-by-one look; the first is
// described in `first`.
int searchesThatDiffer(const std::string& block, char a, char b, std::string& first) {
  int differ = 0;
  const auto check = [&](const char* form, std::size_t size, const std::vector<std::size_t>& equal,
                         const std::vector<std::size_t>& beyond) {
    const auto isAOrB = [&](unsigned char c) {
      return c == static_cast<unsigned char>(a) || c == static_cast<unsigned char>(b);
    };
    const auto isBeyondAscii = [](unsigned char c) { return c >= 0x80; };
    const bool same = equal == bytesLookedAtOneByOne(block, size, isAOrB) &&
                      beyond == bytesLookedAtOneByOne(block, size, isBeyondAscii);
    if (same) return;
    if (differ++ == 0) {
      std::ostringstream described;
      described << form << ", looking for " << int{static_cast<unsigned char>(a)} << " and "
                << int{static_cast<unsigned char>(b)} << " in";
      for (std::size_t k = 0; k < size; ++k) described << ' ' << int{static_cast<unsigned char>(block[k])};
      first = described.str();
    }
  };
  check("word", wordBlocks::kByteBlock,
        markedBytes(wordBlocks::bytesEqualTo(block.data(), a, b), wordBlocks::bytesBeforeMark),
        markedBytes(wordBlocks::bytesBeyondAscii(block.data()), wordBlocks::bytesBeforeMark));
#ifdef __SSE2__
  check("SSE2", sse2Blocks::kByteBlock,
        markedBytes(sse2Blocks::bytesEqualTo(block.data(), a, b), sse2Blocks::bytesBeforeMark),
        markedBytes(sse2Blocks::bytesBeyondAscii(block.data()), sse2Blocks::bytesBeforeMark));
#endif
  return differ;
}

TEST(ByteBlocks, BothFormsMarkExactlyTheBytesLookedFor) {
  static_assert(kByteBlock == 16 || kByteBlock == 8);
  int differ = 0;
  std::string first;
  // Every byte value at every place of a block of every other value: the word form's carries between
  // neighbouring bytes are where it could go wrong.
  for (int value = 0; value <= 0xFF; ++value) {
    for (int around = 0; around <= 0xFF; ++around) {
      std::string block(16, static_cast<char>(around));
      for (std::size_t at = 0; at < 16; at += 5) block[at] = static_cast<char>(value);
      differ += searchesThatDiffer(block, static_cast<char>(value), '\t', first);
      differ += searchesThatDiffer(block, '\n', static_cast<char>(around), first);
      differ += searchesThatDiffer(block, '\t', '\n', first);
    }
  }
  // Blocks of the bytes tables are made of, in any order.
  const std::string kTableBytes = std::string("\t\n\r \",0a\x7F\x80\x81\xB0\xFE\xFF", 14) + '\0';
  std::mt19937 random(20261208);
  for (int k = 0; k < 20000; ++k) {
    std::string block(16, ' ');
    for (char& c : block) c = kTableBytes[random() % kTableBytes.size()];
    differ += searchesThatDiffer(block, '\t', '\n', first);
    differ += searchesThatDiffer(block, '"', '\0', first);
  }
  EXPECT_EQ(differ, 0) << "first: " << first;
}

}  // namespace
}  // namespace vorandel
