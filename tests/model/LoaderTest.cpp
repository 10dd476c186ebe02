#include "model/Loader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/Messages.h"
#include "model/StreamError.h"
#include "model/Writer.h"
#include "tests/support/ErrorText.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/Text.h"

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

  // A set built in memory meets the same limit when its indexes are built: the id index holds no more.
  ScenarioSet built = rawSet({scenarioWithCounts(2619, 380)});
  EXPECT_NO_THROW(buildDerivedIndexes(built));
  EXPECT_EQ(built.officerIndexOf(0, 2998), OfficerIndex{2998});
  built = rawSet({scenarioWithCounts(2620, 380)});
  EXPECT_THROW(buildDerivedIndexes(built), EditError);
}

TEST(Loader, IdLimit) {
  Scenario s = scenarioWithCounts(2, 0);
  s.profiles[1].set(profile::id, 2999);
  const ScenarioSet set = load(writeToBytes(rawSet({s})));
  EXPECT_EQ(set.idCapacity, 3000u);
  EXPECT_EQ(set.officerIndexById[0].size(), 3000u);
  s.profiles[1].set(profile::id, 3000);
  EXPECT_EQ(loadError(writeToBytes(rawSet({s}))), kPortraitOutOfRange);

  // The largest id may be a waiting officer's, read from the other file, in a later scenario.
  Scenario waits = scenarioWithCounts(1, 1);
  waits.profiles[1].set(profile::id, 2999);
  const ScenarioSet withWaiting = load(writeToBytes(rawSet({scenarioWithCounts(2, 0), waits})));
  EXPECT_EQ(withWaiting.idCapacity, 3000u);
  EXPECT_EQ(withWaiting.officerIndexOf(1, 2999), OfficerIndex{1});
  waits.profiles[1].set(profile::id, 3000);
  EXPECT_EQ(loadError(writeToBytes(rawSet({scenarioWithCounts(2, 0), waits}))), kPortraitOutOfRange);
}

TEST(Loader, NoOfficersGiveAnIdCapacityOfOne) {
  const ScenarioSet set = load(writeToBytes(testing::makeSet({scenarioWithCounts(0, 0)})));
  EXPECT_EQ(set.idCapacity, 1u);
}

// A set built in memory whose counts run ahead of its records: the indexes hold the records there are,
// and the queue no more than the waiting count.
TEST(Loader, DerivedIndexesHoldOnlyTheRecordsThereAre) {
  const struct {
    std::uint32_t waiting;
    std::size_t records;
    std::size_t queued;
  } cases[] = {{2, 2, 0}, {2, 3, 1}, {2, 4, 2}, {1, 4, 1}};
  for (const auto& c : cases) {
    Scenario s = scenarioWithCounts(2, 2, 7);  // ids 7, 8 on the map; 9, 10 waiting
    s.waitingCount = c.waiting;
    s.states.resize(c.records);
    s.profiles.resize(c.records);
    const ScenarioSet set = testing::makeSet({s});
    EXPECT_EQ(set.waitingQueue[0].size(), c.queued) << c.waiting << " waiting, " << c.records << " records";
    EXPECT_EQ(set.idCapacity, 7 + c.records) << c.records;
    EXPECT_EQ(set.officerIndexOf(0, static_cast<long>(6 + c.records)),
              OfficerIndex{static_cast<std::int32_t>(c.records - 1)})
        << c.records;
  }
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

  // One byte shorter: the last byte of chunk 0 is taken out, and chunk 1 follows it directly.
  putU16(files.sndata, 6, static_cast<std::uint16_t>(69 * m + 6617));
  files.sndata.erase(2 + 6 * 2 + 69 * m + 6617, 1);
  putU32(files.sndata, 8, 69 * m + 6617);
  loaded = load(files);
  EXPECT_FALSE(loaded.longTrailer);
  EXPECT_EQ(loaded.scenarios[1].trailer.bytes[63], longSet.scenarios[1].trailer.bytes[63]);
  EXPECT_EQ(loaded.scenarios[1].trailer.bytes[64], 0);
}

std::uint16_t getU16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1])
                                                                               << 8);
}

using testing::contains;

// Table entry i of a file of n scenarios: the offset at 2 + 6i, the size at 2 + 6i + 4.
std::size_t sizeAt(std::size_t i) { return 2 + 6 * i + 4; }
std::size_t offsetAt(std::size_t i) { return 2 + 6 * i; }
std::uint32_t getU32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<std::uint8_t>(bytes[at + i])} << (8 * i);
  return value;
}

FileBytes builtInPair() { return FileBytes{std::string(builtInData().sndata), std::string(builtInData().taiki)}; }

// The chunks of a file lie one after the other in scenario order, as the writer puts them: an offset
// moved by any amount, or onto the chunk before, is refused, naming the scenario, the file and the
// offsets, before anything is read from the wrong place.
TEST(Loader, RefusesAChunkThatDoesNotBeginWhereTheOneBeforeEnds) {
  const FileBytes pristine = builtInPair();
  ASSERT_EQ(loadError(pristine), "");
  const std::size_t last = getU16(pristine.sndata, 0) - 1;
  constexpr int kOntoTheChunkBefore = 0;  // the offset of the chunk before: the two overlap in full
  enum class Fault { Early, Gap, PastTheEnd };
  struct Case {
    bool taiki;
    std::size_t scenario;
    int delta;
    Fault fault;
  };
  const Case cases[] = {
      {true, 5, -1, Fault::Early},
      {true, 5, -69, Fault::Early},
      {true, 5, -138, Fault::Early},
      {true, 5, 1, Fault::Gap},
      {true, 5, 69, Fault::Gap},
      {true, 5, 138, Fault::Gap},
      {true, 1, kOntoTheChunkBefore, Fault::Early},
      {true, 0, 69, Fault::Gap},
      {true, last, 1, Fault::Gap},
      {true, last, 1000000, Fault::PastTheEnd},
      {false, 3, -1, Fault::Early},
      {false, 3, -69, Fault::Early},
      {false, 3, -138, Fault::Early},
      {false, 3, 1, Fault::Gap},
      {false, 3, 69, Fault::Gap},
      {false, 3, 138, Fault::Gap},
      {false, 1, kOntoTheChunkBefore, Fault::Early},
      {false, last, 1, Fault::Gap},
      {false, last, 100000, Fault::PastTheEnd},
  };
  for (const Case& c : cases) {
    FileBytes damaged = pristine;
    std::string& bytes = c.taiki ? damaged.taiki : damaged.sndata;
    const std::uint32_t offset = getU32(bytes, offsetAt(c.scenario));
    const std::uint32_t moved = c.delta == kOntoTheChunkBefore ? getU32(bytes, offsetAt(c.scenario - 1))
                                                               : offset + static_cast<std::uint32_t>(c.delta);
    putU32(bytes, offsetAt(c.scenario), moved);
    const std::string text = loadError(damaged);
    const std::string where = formatMessage("%s %zu %+d: ", c.taiki ? "taiki" : "sndata", c.scenario, c.delta) + text;
    EXPECT_TRUE(text.starts_with(
        formatMessage("剧本%zu在 %s 中记录的数据位置为 %u", c.scenario, c.taiki ? "taiki.s5" : "sndata.s5", moved)))
        << where;
    const std::string said =
        c.fault == Fault::Early ? formatMessage("\n它的开头早了 %u 字节，与前面剧本的数据重叠。\n", offset - moved)
        : c.fault == Fault::Gap ? formatMessage("\n它前面有 %u 个字节不属于任何剧本。\n", moved - offset)
                                : std::string("\n这个位置在文件的末尾之外：剧本表之后只有 ");
    EXPECT_TRUE(contains(text, said)) << where;
    EXPECT_TRUE(contains(text, "\n两个剧本文件不是同一次生成的，或者已经损坏。")) << where;
  }
}

TEST(Loader, RefusesBytesBetweenChunksAndChunksOutOfOrder) {
  // Ten bytes put between two chunks of taiki.s5, the offsets behind them moved along: consistent, but
  // those bytes belong to no scenario.
  const FileBytes pristine = builtInPair();
  const std::size_t count = getU16(pristine.taiki, 0);
  const std::size_t base = 2 + 6 * count;
  const std::uint32_t offset5 = getU32(pristine.taiki, offsetAt(5));
  FileBytes gap = pristine;
  gap.taiki.insert(base + offset5, 10, '\0');
  for (std::size_t s = 5; s < count; ++s) putU32(gap.taiki, offsetAt(s), getU32(pristine.taiki, offsetAt(s)) + 10);
  EXPECT_TRUE(contains(loadError(gap), formatMessage("剧本5在 taiki.s5 中记录的数据位置为 %u（距文件开头 %zu 字节），"
                                                     "而它应当紧接在前一个剧本之后，从位置 %u 开始。\n"
                                                     "它前面有 10 个字节不属于任何剧本。",
                                                     offset5 + 10, base + offset5 + 10, offset5)))
      << loadError(gap);

  // The two chunks of a pair swapped, each offset pointing at its own chunk.
  const FileBytes files = writeToBytes(testing::smallValidSet());
  const std::size_t size0 = getU16(files.sndata, sizeAt(0));
  FileBytes swapped = files;
  swapped.sndata = files.sndata.substr(0, 14) + files.sndata.substr(14 + size0) + files.sndata.substr(14, size0);
  putU32(swapped.sndata, offsetAt(0), static_cast<std::uint32_t>(files.sndata.size() - 14 - size0));
  putU32(swapped.sndata, offsetAt(1), 0);
  EXPECT_TRUE(loadError(swapped).starts_with("剧本0在 sndata.s5 中记录的数据位置为 ")) << loadError(swapped);
}

TEST(Loader, AcceptsTheLayoutsTheWriterWrites) {
  // Empty taiki.s5 chunks between others lie where the chunk before ends, like every other chunk.
  const ScenarioSet set = rawSet({scenarioWithCounts(3, 2), scenarioWithCounts(2, 0, 100), scenarioWithCounts(0, 0),
                                  scenarioWithCounts(1, 1, 200)});
  const FileBytes files = writeToBytes(set);
  EXPECT_EQ(loadError(files), "");
  EXPECT_EQ(getU32(files.taiki, offsetAt(3)), 2u * 69);
  const ScenarioSet builtIn = load(builtInPair());
  const FileBytes written = writeToBytes(builtIn);
  EXPECT_EQ(written.sndata, builtInData().sndata);
  EXPECT_EQ(written.taiki, builtInData().taiki);
}

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
  // A chunk recorded longer than the rest of the file: the file was cut short.
  FileBytes longer = files;
  putU16(longer.sndata, sizeAt(1), static_cast<std::uint16_t>(getU16(files.sndata, sizeAt(1)) + 1));
  EXPECT_EQ(cutShortFile([&] { loadScenarioSet(set, longer.sndata, longer.taiki); }), "sndata.s5");
}

// The records are taken straight from the bytes when the streams read from memory, and read out of any
// other stream: both ways load the same set and find the same file cut short.
TEST(Loader, MemoryAndOtherStreamsLoadAlike) {
  const auto fromStreams = [](const std::string& sndata, const std::string& taiki) {
    std::istringstream sndataStream(sndata, std::ios::binary), taikiStream(taiki, std::ios::binary);
    ScenarioSet set;
    parseScenarioStreams(set, sndataStream, taikiStream);
    return set;
  };
  const FileBytes builtIn{std::string(builtInData().sndata), std::string(builtInData().taiki)};
  for (const FileBytes& files : {builtIn, writeToBytes(testing::smallValidSet())}) {
    const ScenarioSet loaded = load(files);
    EXPECT_GT(loaded.scenarios.at(0).officerCount, 0u);
    EXPECT_EQ(fromStreams(files.sndata, files.taiki), loaded);
  }

  const FileBytes files = writeToBytes(testing::smallValidSet());
  for (const bool cutSndata : {true, false}) {
    FileBytes cut = files;
    // Cut inside the last officer records of the file.
    (cutSndata ? cut.sndata : cut.taiki).resize((cutSndata ? cut.sndata : cut.taiki).size() - 70);
    ScenarioSet set;
    const std::string inMemory = cutShortFile([&] { loadScenarioSet(set, cut.sndata, cut.taiki); });
    EXPECT_EQ(inMemory, cutSndata ? "sndata.s5" : "taiki.s5");
    EXPECT_EQ(cutShortFile([&] { fromStreams(cut.sndata, cut.taiki); }), inMemory);
  }
}

}  // namespace
}  // namespace vorandel
