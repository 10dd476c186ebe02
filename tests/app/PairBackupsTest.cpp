// The earlier pairs of a folder: generations kept beside it, the first pair for good and the newest ten
// of the others; a generation left half written is never offered; restoring one brings its bytes back
// through the writer, the pair it replaces becoming a generation. And the writer's own keeping of a
// table's versions (NAME.bak, NAME.bak2, …) and its refusal of a file another program holds open.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <set>

#include "app/AppMessages.h"
#include "app/Generate.h"
#include "app/PairBackups.h"
#include "app/RestorePair.h"
#include "model/FileWriter.h"
#include "model/OpenFile.h"
#include "model/Records.h"
#include "model/SystemCallFaults.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

namespace fs = std::filesystem;
using testing::namesIn;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

// Each replacement keeps the pair it replaced: the player's first one for good, the newest ten others.
// Pruning removes only whole generations and empty folders; a new name sorts after every name there,
// even one the clock has not reached.
TEST(PairBackups, TheFirstPairStaysForGoodTheNewestTenOthersAndNothingUncertainGoes) {
  TempFolder folder;
  const std::string dir = folder.path().string();
  writeFile(dir + "/sndata.s5", "pair 1");
  writeFile(dir + "/taiki.s5", "pair 1 taiki");
  const auto replaceWith = [&](int n) {
    const std::string bytes = "pair " + std::to_string(n);
    return replacePair(dir, {bytes, bytes + " taiki"}).keptAs.value().name;
  };
  std::vector<std::string> names;
  for (int n = 2; n <= 14; ++n) names.push_back(replaceWith(n));
  std::vector<Generation> kept = listGenerations(dir);
  ASSERT_EQ(kept.size(), 11u);
  EXPECT_TRUE(kept[0].original);
  EXPECT_EQ(readFile(kept[0].path + "/sndata.s5"), "pair 1");
  EXPECT_EQ(readFile(kept[1].path + "/sndata.s5"), "pair 4") << "the oldest others go first";
  EXPECT_EQ(readFile(kept[10].path + "/taiki.s5"), "pair 13 taiki");
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "a name is taken once";
  for (std::size_t i = 2; i < kept.size(); ++i) EXPECT_LT(kept[i - 1].name, kept[i].name) << "names sort by time";

  // A generation whose state is not certain stays; an empty one goes; one from a clock ahead is followed.
  const std::string half = backupFolderOf(dir) + "/20000101-000000-01";
  const std::string empty = backupFolderOf(dir) + "/20000101-000000-02";
  const std::string ahead = backupFolderOf(dir) + "/29991231-235958-99";
  fs::create_directories(systemPath(half));
  fs::create_directories(systemPath(empty));
  fs::create_directories(systemPath(ahead));
  writeFile(half + "/sndata.s5", "half");
  writeFile(ahead + "/sndata.s5", "ahead");
  writeFile(ahead + "/taiki.s5", "ahead taiki");
  EXPECT_EQ(replaceWith(15), "29991231-235959-01");
  kept = listGenerations(dir);
  ASSERT_EQ(kept.size(), 11u);
  EXPECT_EQ(readFile(kept[0].path + "/sndata.s5"), "pair 1");
  EXPECT_EQ(readFile(kept[1].path + "/sndata.s5"), "pair 6");
  EXPECT_EQ(readFile(kept[10].path + "/sndata.s5"), "pair 14");
  EXPECT_TRUE(fs::exists(systemPath(half)));
  EXPECT_FALSE(fs::exists(systemPath(empty)));
  EXPECT_EQ(kept[3].time.size(), std::string("2026-12-07 18:32:05").size()) << kept[3].time;
}

class RestorePair : public ::testing::Test {
 protected:
  ScenarioSet withMoney(int money) const {
    ScenarioSet set = testing::smallValidSet();
    set.scenarios[1].force(2).set(force::money, money);
    return set;
  }
  TempFolder folder;
  std::string dir = folder.path().string();
};

// The player's pair, three generations of the program's own, then the first kept pair restored.
TEST_F(RestorePair, TheFirstGenerationBringsThePlayersPairBackByteForByte) {
  const testing::FileBytes player = testing::writeToBytes(withMoney(1111));
  testing::writePair(dir, player);
  const testing::FileBytes start = testing::writeToBytes(testing::smallValidSet());
  const PairView startView{start.sndata, start.taiki};
  for (int money : {2222, 3333, 4444}) {
    const ReplacedPair replaced = generateScenarioFiles(withMoney(money), dir, {}, startView);
    ASSERT_TRUE(replaced.keptAs);
    EXPECT_TRUE(replaced.differedFromStart) << "every pair it replaced was not the starting one";
    EXPECT_EQ(replaced.keptAs->original, money == 2222);
  }
  // The starting pair replaced is not told.
  EXPECT_TRUE(generateScenarioFiles(testing::smallValidSet(), dir, {}, startView).differedFromStart);
  // The same pair written again keeps no generation.
  const ReplacedPair again = generateScenarioFiles(testing::smallValidSet(), dir, {}, startView);
  EXPECT_FALSE(again.differedFromStart);
  EXPECT_TRUE(again.sameAsBefore);
  EXPECT_FALSE(again.keptAs);

  std::vector<GenerationChoice> choices = generationChoices(dir);
  ASSERT_EQ(choices.size(), 4u);
  EXPECT_TRUE(choices[0].generation.original);
  EXPECT_EQ(choices[0].differences, "势力 1 项不同");
  EXPECT_EQ(readFile(choices[3].generation.path + "/sndata.s5"), testing::writeToBytes(withMoney(4444)).sndata);
  EXPECT_EQ(findGeneration(choices, "1")->name, choices[0].generation.name);
  EXPECT_EQ(findGeneration(choices, choices[2].generation.name)->path, choices[2].generation.path);
  EXPECT_FALSE(findGeneration(choices, "5"));
  EXPECT_FALSE(findGeneration(choices, "0"));

  const ReplacedPair replaced = restoreGeneration(dir, choices[0].generation);
  EXPECT_EQ(readFile(dir + "/sndata.s5"), player.sndata);
  EXPECT_EQ(readFile(dir + "/taiki.s5"), player.taiki);
  ASSERT_TRUE(replaced.keptAs);
  EXPECT_EQ(readFile(replaced.keptAs->path + "/sndata.s5"), start.sndata) << "the pair it replaced is kept";
  choices = generationChoices(dir);
  ASSERT_EQ(choices.size(), 5u);
  EXPECT_EQ(readFile(dir + "/sndata.s5.bak"), start.sndata) << "the .bak as always";
  EXPECT_EQ(choices[0].differences, kSameAsCurrent);
}

TEST_F(RestorePair, AGenerationThatIsNoPairIsRefusedTouchingNothing) {
  const testing::FileBytes start = testing::writeToBytes(testing::smallValidSet());
  writeFile(dir + "/sndata.s5", "not a pair");
  writeFile(dir + "/taiki.s5", "not a pair either");
  generateScenarioFiles(testing::smallValidSet(), dir);
  const std::vector<GenerationChoice> choices = generationChoices(dir);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].differences, kBrokenGenerationShort);
  EXPECT_THROW(restoreGeneration(dir, choices[0].generation), FileError);
  EXPECT_EQ(readFile(dir + "/sndata.s5"), start.sndata);
  EXPECT_EQ(generationChoices(dir).size(), 1u);
}

class WriterKeeping : public ::testing::Test {
 protected:
  ~WriterKeeping() override { platform::planFaults({}); }
  std::vector<std::string> write(const std::string& bytes, int versions) {
    WriteChoices choices;
    choices.keptVersions = versions;
    return writeFiles({{table, bytes}}, choices);
  }
  TempFolder folder;
  std::string table = folder.file("ruv5_lord.txt");
};

TEST_F(WriterKeeping, NumberedBackupsKeepTheNewestVersionsUpToTheBound) {
  for (int n = 1; n <= 5; ++n) write("version " + std::to_string(n), 3);
  EXPECT_EQ(readFile(table), "version 5");
  EXPECT_EQ(readFile(table + ".bak"), "version 4");
  EXPECT_EQ(readFile(table + ".bak2"), "version 3");
  EXPECT_EQ(readFile(table + ".bak3"), "version 2");
  EXPECT_EQ(namesIn(folder.path().string()),
            (std::set<std::string>{"ruv5_lord.txt", "ruv5_lord.txt.bak", "ruv5_lord.txt.bak2", "ruv5_lord.txt.bak3"}));
  // One version, as the pair keeps: .bak only.
  write("version 6", 1);
  EXPECT_EQ(readFile(table + ".bak"), "version 5");
  EXPECT_EQ(readFile(table + ".bak2"), "version 3");
}

TEST_F(WriterKeeping, AFileHeldOpenByAnotherProgramIsRefusedBeforeAnythingIsTouched) {
  write("edited", 5);
  write("edited again", 5);
  const std::set<std::string> before = namesIn(folder.path().string());
  platform::planFaults({{"share", 1, platform::FaultKind::Error}});
  try {
    write("new", 5);
    FAIL() << "no FileHeldOpen";
  } catch (const FileHeldOpen& held) {
    const std::string text = held.message().joined();
    EXPECT_NE(text.find("正被另一个程序打开"), std::string::npos) << text;
    EXPECT_NE(text.find("原有的文件保持不变。"), std::string::npos) << text;
  }
  platform::planFaults({});
  EXPECT_EQ(readFile(table), "edited again");
  EXPECT_EQ(readFile(table + ".bak"), "edited");
  EXPECT_EQ(namesIn(folder.path().string()), before) << "no temporary name, no shifted backup";
  // Reading is asked the same way.
  platform::planFaults({{"share", 1, platform::FaultKind::Error}});
  EXPECT_THROW(requireNotHeldOpen(table, platform::FileUse::Read), FileHeldOpen);
  EXPECT_NO_THROW(requireNotHeldOpen(table, platform::FileUse::Read));
}

// On Windows a spreadsheet holds a table open without sharing it: a real sharing violation, told the same
// way and leaving the folder as it was.
TEST_F(WriterKeeping, ATableOpenedWithoutSharingIsToldAsHeldOpen) {
#ifndef _WIN32
  GTEST_SKIP() << "files are opened without sharing only on Windows";
#else
  write("edited", 5);
  const std::set<std::string> before = namesIn(folder.path().string());
  const HANDLE held = CreateFileW(systemPath(table).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(write("new", 5), FileHeldOpen);
  EXPECT_THROW(requireNotHeldOpen(table, platform::FileUse::Read), FileHeldOpen);
  CloseHandle(held);
  EXPECT_EQ(namesIn(folder.path().string()), before) << "no temporary name, no shifted backup";
  EXPECT_EQ(readFile(table), "edited");
  write("new", 5);
  EXPECT_EQ(readFile(table), "new");
#endif
}

}  // namespace
}  // namespace vorandel
