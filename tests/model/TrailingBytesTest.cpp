#include "model/TrailingBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/EditError.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

using testing::FileBytes;
using testing::writeToBytes;

using Lines = std::vector<std::string>;

TEST(TrailingBytes, ACleanPairHasNone) {
  const FileBytes files = writeToBytes(testing::smallValidSet());
  EXPECT_EQ(trailingBytesWarnings(files.sndata, files.taiki), Lines{});
}

TEST(TrailingBytes, BytesBehindTheLastChunkAreCountedPerFile) {
  const FileBytes files = writeToBytes(testing::smallValidSet());
  FileBytes padded = files;
  padded.sndata += std::string(5, '\0');
  EXPECT_EQ(trailingBytesWarnings(padded.sndata, padded.taiki),
            Lines{"文件 sndata.s5 在最后一个剧本之后还有 5 个多余的字节。"});
  padded.taiki += "xyz";
  EXPECT_EQ(trailingBytesWarnings(padded.sndata, padded.taiki),
            (Lines{"文件 sndata.s5 在最后一个剧本之后还有 5 个多余的字节。",
                   "文件 taiki.s5 在最后一个剧本之后还有 3 个多余的字节。"}));
  padded.sndata = files.sndata;
  EXPECT_EQ(trailingBytesWarnings(padded.sndata, padded.taiki),
            Lines{"文件 taiki.s5 在最后一个剧本之后还有 3 个多余的字节。"});
}

TEST(TrailingBytes, TheLastChunkEndsWhereItsRecordedSizeEnds) {
  // A chunk recorded longer than its data owns the bytes it records. Chunks out of order are refused
  // by the loader, and so here.
  const FileBytes files = writeToBytes(testing::smallValidSet());
  const std::size_t base = 2 + 6 * 2;
  const auto u16 = [](const std::string& b, std::size_t at) {
    return static_cast<std::size_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
  };
  const std::size_t size0 = u16(files.taiki, 6);
  const std::string chunk0 = files.taiki.substr(base, size0);
  const std::string chunk1 = files.taiki.substr(base + size0);
  FileBytes moved = files;
  moved.taiki = files.taiki.substr(0, base) + chunk1 + chunk0;
  moved.taiki[2] = static_cast<char>(chunk1.size());
  moved.taiki[8] = 0;
  EXPECT_THROW(trailingBytesWarnings(moved.sndata, moved.taiki), EditError);

  FileBytes gap = files;
  const std::size_t size1 = u16(files.sndata, 12);
  gap.sndata[12] = static_cast<char>((size1 + 4) & 0xFF);
  gap.sndata[13] = static_cast<char>((size1 + 4) >> 8);
  gap.sndata += std::string(10, '\0');
  EXPECT_EQ(trailingBytesWarnings(gap.sndata, gap.taiki),
            Lines{"文件 sndata.s5 在最后一个剧本之后还有 6 个多余的字节。"});
}

TEST(TrailingBytes, ChunksBeyondTheSizeFieldEndWhereTheirDataEnds) {
  Scenario big = testing::ScenarioBuilder().build();
  big.onMapCount = big.officerCount = 1000;
  big.states.assign(1000, OfficerState{});
  big.profiles.assign(1000, OfficerProfile{});
  big.block.set(block::storedOnMapCount, 1000);
  big.block.set(block::storedWaitingCount, 0);
  ScenarioSet set;
  set.scenarios = {big};
  FileBytes files = writeToBytes(set);
  EXPECT_EQ(trailingBytesWarnings(files.sndata, files.taiki), Lines{});
  files.sndata += "ab";
  EXPECT_EQ(trailingBytesWarnings(files.sndata, files.taiki),
            Lines{"文件 sndata.s5 在最后一个剧本之后还有 2 个多余的字节。"});
}

TEST(TrailingBytes, APairTheLoaderRefusesIsRefusedHereToo) {
  FileBytes files = writeToBytes(testing::smallValidSet());
  files.taiki[6] = 1;
  EXPECT_THROW(trailingBytesWarnings(files.sndata, files.taiki), EditError);
}

}  // namespace
}  // namespace vorandel
