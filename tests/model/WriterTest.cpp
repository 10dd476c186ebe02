#include "model/Writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "model/EditError.h"
#include "model/FileOps.h"
#include "model/Loader.h"
#include "model/Messages.h"
#include "model/StreamError.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}
std::uint16_t u16At(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1])
                                                                               << 8);
}

TEST(Writer, LaysOutChunksContiguouslyWithTheirSizes) {
  const ScenarioSet set = testing::smallValidSet();
  const testing::FileBytes files = testing::writeToBytes(set);
  const std::uint32_t m = set.scenarios[0].onMapCount;
  EXPECT_EQ(u16At(files.sndata, 0), 2);
  EXPECT_EQ(u32At(files.sndata, 2), 0u);
  EXPECT_EQ(u16At(files.sndata, 6), 5518 + 69 * m + 64);
  EXPECT_EQ(u32At(files.sndata, 8), 5518 + 69 * m + 64);
  EXPECT_EQ(files.sndata.size(), 14 + 2 * (5518 + 69 * m + 64));
  EXPECT_EQ(u16At(files.taiki, 6), 69 * 3);
  EXPECT_EQ(files.taiki.size(), 14u + 2 * 69 * 3);
  // The on-map records: states first, then profiles; the waiting ones in taiki.s5 as whole records.
  EXPECT_EQ(files.sndata.substr(14 + 5518, 31),
            std::string(set.scenarios[0].states[0].bytes.begin(), set.scenarios[0].states[0].bytes.end()));
  EXPECT_EQ(files.taiki.substr(14 + 31, 38),
            std::string(set.scenarios[0].profiles[m].bytes.begin(), set.scenarios[0].profiles[m].bytes.end()));
}

TEST(Writer, AScenarioWithoutWaitingOfficersHasAnEmptyChunk) {
  ScenarioSet set = testing::smallValidSet();
  testing::ScenarioBuilder noWaiting;
  noWaiting.addForce(3, 7);
  set = testing::makeSet({noWaiting.build(), set.scenarios[0]});
  const testing::FileBytes files = testing::writeToBytes(set);
  EXPECT_EQ(u16At(files.taiki, 6), 0);
  EXPECT_EQ(u32At(files.taiki, 2), u32At(files.taiki, 8));
  EXPECT_EQ(u32At(files.taiki, 8), 0u);
}

TEST(Writer, WritesTheAskedRangeAndLeavesTheSetAlone) {
  const ScenarioSet set = testing::smallValidSet();
  const ScenarioSet before = set;
  std::stringstream sndata, taiki;
  EXPECT_TRUE(writeScenarioStreams(set, sndata, taiki, 1, 99));
  EXPECT_EQ(set, before);
  ScenarioSet loaded;
  loadScenarioSet(loaded, sndata.str(), taiki.str());
  ASSERT_EQ(loaded.scenarioCount(), 1u);
  EXPECT_EQ(loaded.scenarios[0], set.scenarios[1]);

  std::stringstream none1, none2;
  EXPECT_FALSE(writeScenarioStreams(set, none1, none2, 2, kAllScenarios));
  EXPECT_FALSE(writeScenarioStreams(set, none1, none2, 1, 1));
  EXPECT_FALSE(writeScenarioStreams(ScenarioSet{}, none1, none2, 0, kAllScenarios));
  EXPECT_EQ(none1.str(), "");
  EXPECT_EQ(none2.str(), "");
}

TEST(Writer, ARecordCountAheadOfTheRecordsIsRefused) {
  ScenarioSet set = testing::smallValidSet();
  set.scenarios[0].block.set(block::storedOnMapCount, 200);
  std::stringstream sndata, taiki;
  EXPECT_THROW(writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios), EditError);
}

TEST(Writer, SaveCreatesBothFilesEvenWhenThereIsNothingToWrite) {
  TempFolder folder;
  EXPECT_FALSE(saveScenarioFiles(ScenarioSet{}, folder.file("a.s5"), folder.file("b.s5"), 0, kAllScenarios));
  EXPECT_TRUE(fileExists(folder.file("a.s5")));
  EXPECT_EQ(readFile(folder.file("b.s5")), "");
}

TEST(Writer, AFileThatCannotBeWrittenIsNamed) {
  TempFolder folder;
  std::filesystem::create_directory(folder.file("taiki.s5"));
  std::string failed;
  try {
    saveScenarioFiles(testing::smallValidSet(), folder.file("sndata.s5"), folder.file("taiki.s5"), 0, kAllScenarios,
                      &failed);
    ADD_FAILURE() << "no StreamError";
  } catch (const StreamError& e) {
    EXPECT_EQ(e.kind(), StreamError::WriteFailed);
  }
  EXPECT_EQ(failed, folder.file("taiki.s5"));
}

TEST(FileOps, FileExistsOnlyForFilesThatCanBeRead) {
  TempFolder folder;
  writeFile(folder.file("there"), "x");
  EXPECT_TRUE(fileExists(folder.file("there")));
  EXPECT_FALSE(fileExists(folder.file("missing")));
  EXPECT_FALSE(fileExists(""));
  EXPECT_FALSE(fileExists(folder.path().string()));
  EXPECT_EQ(unreadableReason(folder.file("there")), "");
  EXPECT_EQ(unreadableReason(folder.file("missing")), "原因：找不到这个文件（请检查文件名和文件夹）");
  EXPECT_EQ(unreadableReason(folder.path().string()), kFolderNotFile);
}

}  // namespace
}  // namespace vorandel
