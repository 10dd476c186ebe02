#include "model/Loader.h"

#include <gtest/gtest.h>

#include <string>

#include "model/EditError.h"
#include "model/Messages.h"
#include "model/StreamError.h"
#include "model/Writer.h"
#include "tests/support/ErrorText.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel {
namespace {

using testing::FileBytes;
using testing::writeToBytes;

std::string loadError(const FileBytes& files) {
  ScenarioSet set;
  return testing::errorText([&] { loadScenarioSet(set, files.sndata, files.taiki); });
}

ScenarioSet load(const FileBytes& files) {
  ScenarioSet set;
  loadScenarioSet(set, files.sndata, files.taiki);
  return set;
}

// A scenario with the given numbers of officers, all with distinct ids from firstId; the loader does not
// look at lists, so the officers need not stand anywhere.
Scenario scenarioWithCounts(std::uint32_t onMap, std::uint32_t waiting, std::uint16_t firstId = 0) {
  Scenario s = testing::ScenarioBuilder().build();
  s.onMapCount = onMap;
  s.waitingCount = waiting;
  s.officerCount = onMap + waiting;
  s.states.assign(s.officerCount, OfficerState{});
  s.profiles.assign(s.officerCount, OfficerProfile{});
  for (std::uint32_t k = 0; k < s.officerCount; ++k)
    s.profiles[k].set(profile::id, static_cast<std::uint16_t>(firstId + k));
  s.block.set(block::storedOnMapCount, static_cast<std::uint16_t>(onMap));
  s.block.set(block::storedWaitingCount, static_cast<std::uint16_t>(waiting));
  return s;
}

// Only the scenarios: enough to write the files of data that the loader is to refuse.
ScenarioSet rawSet(std::vector<Scenario> scenarios) {
  ScenarioSet set;
  set.scenarios = std::move(scenarios);
  return set;
}

void putU16(std::string& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}
void putU32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

TEST(Loader, LoadsWhatTheWriterWroteAndWritesItBackByteForByte) {
  const ScenarioSet built = testing::smallValidSet();
  const FileBytes files = writeToBytes(built);
  const ScenarioSet loaded = load(files);
  EXPECT_EQ(loaded.scenarios, built.scenarios);
  EXPECT_EQ(loaded.officerIndexById, built.officerIndexById);
  EXPECT_EQ(loaded.waitingQueue, built.waitingQueue);
  EXPECT_EQ(loaded.idCapacity, 43u);
  EXPECT_FALSE(loaded.longTrailer);
  const FileBytes again = writeToBytes(loaded);
  EXPECT_EQ(again.sndata, files.sndata);
  EXPECT_EQ(again.taiki, files.taiki);
}

TEST(Loader, BuildsTheIdIndexAndTheWaitingQueue) {
  const ScenarioSet set = load(writeToBytes(testing::smallValidSet()));
  const Scenario& s = set.scenarios[1];
  EXPECT_EQ(set.officerIndexOf(1, 10), OfficerIndex{0});
  EXPECT_EQ(set.officerIndexOf(1, 42), OfficerIndex{12});
  EXPECT_EQ(set.officerIndexOf(1, 0), std::nullopt);
  EXPECT_EQ(set.officerIndexOf(1, 43), std::nullopt);
  ASSERT_EQ(set.waitingQueue[1].size(), 3u);
  const WaitingEntry& first = set.waitingQueue[1][0];
  EXPECT_EQ(first.id, 40);
  EXPECT_EQ(first.index, 10);
  EXPECT_EQ(first.orderKey, 11u);
  EXPECT_EQ(first.appearYear, s.block.get(block::appearYear, 0));
}

TEST(Loader, ScenarioCountLimit) {
  const Scenario one = scenarioWithCounts(1, 0);
  EXPECT_EQ(loadError(writeToBytes(rawSet(std::vector<Scenario>(32, one)))), "");
  EXPECT_EQ(loadError(writeToBytes(rawSet(std::vector<Scenario>(33, one)))), "剧本数超出允许范围");
}

TEST(Loader, OfficerCountLimits) {
  EXPECT_EQ(loadError(writeToBytes(rawSet({scenarioWithCounts(2619, 380)}))), "");
  EXPECT_EQ(loadError(writeToBytes(rawSet({scenarioWithCounts(2620, 380)}))), "剧本武将总数超出范围");
  EXPECT_EQ(loadError(writeToBytes(rawSet({scenarioWithCounts(10, 381)}))), kTooManyWaiting);
}

TEST(Loader, IdLimit) {
  Scenario s = scenarioWithCounts(2, 0);
  s.profiles[1].set(profile::id, 2999);
  const ScenarioSet set = load(writeToBytes(rawSet({s})));
  EXPECT_EQ(set.idCapacity, 3000u);
  EXPECT_EQ(set.officerIndexById[0].size(), 3000u);
  s.profiles[1].set(profile::id, 3000);
  EXPECT_EQ(loadError(writeToBytes(rawSet({s}))), kPortraitOutOfRange);
}

TEST(Loader, NoOfficersGiveAnIdCapacityOfOne) {
  const ScenarioSet set = load(writeToBytes(testing::makeSet({scenarioWithCounts(0, 0)})));
  EXPECT_EQ(set.idCapacity, 1u);
}

TEST(Loader, TrailerFormIsDecidedByTheFirstChunkSize) {
  ScenarioSet longSet = testing::smallValidSet();
  longSet.longTrailer = true;
  for (Scenario& s : longSet.scenarios)
    for (std::size_t i = 64; i < kLongTrailerSize; ++i) s.trailer.bytes[i] = static_cast<std::uint8_t>(i);
  FileBytes files = writeToBytes(longSet);
  const std::uint32_t m = longSet.scenarios[0].onMapCount;
  ASSERT_EQ(static_cast<std::uint8_t>(files.sndata[6]) | static_cast<std::uint8_t>(files.sndata[7]) << 8,
            static_cast<int>(69 * m + 6618));
  ScenarioSet loaded = load(files);
  EXPECT_TRUE(loaded.longTrailer);
  EXPECT_EQ(loaded.scenarios, longSet.scenarios);
  EXPECT_EQ(writeToBytes(loaded).sndata, files.sndata);

  putU16(files.sndata, 6, static_cast<std::uint16_t>(69 * m + 6617));
  loaded = load(files);
  EXPECT_FALSE(loaded.longTrailer);
  EXPECT_EQ(loaded.scenarios[1].trailer.bytes[63], longSet.scenarios[1].trailer.bytes[63]);
  EXPECT_EQ(loaded.scenarios[1].trailer.bytes[64], 0);
}

TEST(Loader, FollowsTheOffsetsOfChunksStoredOutOfOrderOrWithGaps) {
  const ScenarioSet built = testing::smallValidSet();
  const FileBytes files = writeToBytes(built);
  const std::size_t base = 2 + 6 * 2;
  const std::size_t size0 = static_cast<std::uint8_t>(files.sndata[6]) | static_cast<std::uint8_t>(files.sndata[7])
                                                                             << 8;
  const std::string chunk0 = files.sndata.substr(base, size0);
  const std::string chunk1 = files.sndata.substr(base + size0);
  FileBytes moved = files;
  moved.sndata = files.sndata.substr(0, base) + chunk1 + std::string(7, '\xEE') + chunk0;
  putU32(moved.sndata, 2, static_cast<std::uint32_t>(chunk1.size() + 7));
  putU32(moved.sndata, 8, 0);
  const ScenarioSet loaded = load(moved);
  EXPECT_EQ(loaded.scenarios, built.scenarios);
  EXPECT_EQ(writeToBytes(loaded).sndata, files.sndata);  // written back in order, without the gap
}

std::uint16_t getU16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1])
                                                                               << 8);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Table entry i of a file of n scenarios: the offset at 2 + 6i, the size at 2 + 6i + 4.
std::size_t sizeAt(std::size_t i) { return 2 + 6 * i + 4; }

TEST(Loader, ATaikiChunkMustHoldExactlyTheWaitingOfficers) {
  const FileBytes files = writeToBytes(testing::smallValidSet());
  const std::uint16_t size1 = getU16(files.taiki, sizeAt(1));
  ASSERT_EQ(size1, 3 * 69);
  for (int delta : {-69, 69, -1, 1}) {
    FileBytes damaged = files;
    putU16(damaged.taiki, sizeAt(1), static_cast<std::uint16_t>(size1 + delta));
    const std::string text = loadError(damaged);
    EXPECT_TRUE(
        contains(text, formatMessage("剧本1在 taiki.s5 中记录的数据长度为 %d 字节，而 3 名待上场武将需要正好 207 字节",
                                     size1 + delta)))
        << delta << ": " << text;
  }
}

TEST(Loader, AWaitingCountDamagedToOneIsRefused) {
  const ScenarioSet built = testing::smallValidSet();
  FileBytes files = writeToBytes(built);
  const std::size_t base = 2 + 6 * 2;
  ASSERT_EQ(built.scenarios[0].waitingCount, 3u);
  putU16(files.sndata, base + 581, 1);
  EXPECT_TRUE(
      contains(loadError(files), "剧本0在 taiki.s5 中记录的数据长度为 207 字节，而 1 名待上场武将需要正好 69 字节"))
      << loadError(files);
}

TEST(Loader, ATableLeftFromTheFilesBeforeIsRefused) {
  // A write that stopped before the chunk tables were rewritten leaves the old sizes in front of the new
  // chunks: scenario 0 has one waiting officer more than its old entry says.
  const ScenarioSet before = testing::smallValidSet();
  const FileBytes old = writeToBytes(before);
  ScenarioSet after = before;
  Scenario& s = after.scenarios[0];
  s.states.push_back(s.states.back());
  s.profiles.push_back(s.profiles.back());
  s.profiles.back().set(profile::id, 99);
  ++s.waitingCount;
  ++s.officerCount;
  s.block.set(block::storedWaitingCount, static_cast<std::uint16_t>(s.waitingCount));
  FileBytes interrupted = writeToBytes(after);
  interrupted.taiki.replace(0, 2 + 6 * 2, old.taiki, 0, 2 + 6 * 2);
  EXPECT_TRUE(contains(loadError(interrupted),
                       "剧本0在 taiki.s5 中记录的数据长度为 207 字节，而 4 名待上场武将需要正好 276 字节"))
      << loadError(interrupted);
  EXPECT_EQ(loadError(writeToBytes(after)), "");
}

TEST(Loader, ASndataChunkMustCoverItsBlockOfficersAndTrailer) {
  const ScenarioSet built = testing::smallValidSet();
  const FileBytes files = writeToBytes(built);
  const std::uint32_t m = built.scenarios[1].onMapCount;
  const std::uint16_t size1 = getU16(files.sndata, sizeAt(1));
  ASSERT_EQ(size1, 5518 + 69 * m + 64);
  FileBytes shorter = files;
  putU16(shorter.sndata, sizeAt(1), static_cast<std::uint16_t>(size1 - 1));
  const std::string text = loadError(shorter);
  EXPECT_TRUE(contains(
      text, formatMessage(
                "剧本1在 sndata.s5 中记录的数据长度为 %u 字节，而它的地图数据、%u 名已上场武将和结尾部分需要 %u 字节。",
                size1 - 1u, m, unsigned{size1})))
      << text;
  EXPECT_TRUE(contains(text, "两个剧本文件不是同一次生成的，或者已经损坏。"));
  // A chunk recorded longer than its data needs still loads: the rest is a gap the loader skips.
  FileBytes longer = files;
  putU16(longer.sndata, sizeAt(1), static_cast<std::uint16_t>(size1 + 7));
  longer.sndata += std::string(7, '\0');
  EXPECT_EQ(loadError(longer), "");
}

TEST(Loader, ChunksBeyondTheSixteenBitSizeFieldAreComparedModulo65536) {
  // More officers on the map than the game allows make a sndata.s5 chunk longer than its size field:
  // the writer stores the length modulo 65536, which is all the loader can check.
  for (bool longTrailer : {false, true}) {
    ScenarioSet set = rawSet({scenarioWithCounts(1000, 380), scenarioWithCounts(3, 2, 1400)});
    set.longTrailer = longTrailer;
    for (Scenario& s : set.scenarios) s.trailer.bytes[kLongTrailerSize - 1] = 0x5A;
    const FileBytes files = writeToBytes(set);
    const std::uint64_t needed = 5518 + 69 * 1000 + (longTrailer ? 1100 : 64);
    ASSERT_EQ(getU16(files.sndata, sizeAt(0)), needed % 65536);
    ScenarioSet loaded;
    loadScenarioSet(loaded, files.sndata, files.taiki);
    EXPECT_EQ(loaded.longTrailer, longTrailer);
    EXPECT_EQ(loaded.scenarios[1].trailer.bytes[kLongTrailerSize - 1], longTrailer ? 0x5A : 0);
    EXPECT_EQ(writeToBytes(loaded).sndata, files.sndata);

    FileBytes damaged = files;
    putU16(damaged.sndata, sizeAt(0), static_cast<std::uint16_t>(needed % 65536 + 1));
    const std::string text = loadError(damaged);
    EXPECT_TRUE(contains(text, "剧本0在 sndata.s5 中记录的数据长度为")) << text;
    EXPECT_TRUE(contains(text, "长度字段只有16位")) << text;
  }
}

// The file a load found cut short, or "(none)" when it raised no StreamError.
template <class Load>
std::string cutShortFile(Load load) {
  try {
    load();
  } catch (const StreamError& error) {
    return error.file();
  }
  return "(none)";
}

TEST(Loader, FilesThatDisagreeOrEndEarlyAreRefused) {
  const ScenarioSet two = testing::smallValidSet();
  FileBytes files = writeToBytes(two);
  FileBytes fewer = files;
  fewer.taiki = writeToBytes(rawSet({two.scenarios[0]})).taiki;
  EXPECT_EQ(loadError(fewer), "两个剧本文件的剧本数目必须一致");

  for (std::size_t cut :
       {std::size_t{0}, std::size_t{1}, std::size_t{9}, files.sndata.size() / 2, files.sndata.size() - 1}) {
    ScenarioSet set;
    EXPECT_EQ(cutShortFile([&] { loadScenarioSet(set, files.sndata.substr(0, cut), files.taiki); }), "sndata.s5")
        << cut;
  }
  FileBytes shortTaiki = files;
  shortTaiki.taiki.pop_back();
  ScenarioSet set;
  EXPECT_EQ(cutShortFile([&] { loadScenarioSet(set, shortTaiki.sndata, shortTaiki.taiki); }), "taiki.s5");
  FileBytes farOffset = files;
  putU32(farOffset.sndata, 8, 0x7FFFFFF0u);
  EXPECT_THROW(loadScenarioSet(set, farOffset.sndata, farOffset.taiki), StreamError);
}

}  // namespace
}  // namespace vorandel
