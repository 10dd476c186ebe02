// The commands around the file writer: read commands leave an interrupted folder byte for byte as they
// found it and read the pair its next writer keeps; outputs over the run's own files are refused; a
// report fails before the pair is replaced or is replaced with it; a map never blocks on a pipe.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "app/PairBackups.h"
#include "cli/Cli.h"
#include "model/OpenFile.h"
#include "model/Records.h"
#include "model/SystemCallFaults.h"
#include "model/SystemFiles.h"
#include "model/WriteJournal.h"
#include "tests/support/CliRun.h"
#include "tests/support/RecordNames.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vorandel {
namespace {

namespace fs = std::filesystem;
using testing::gbkBytes;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;
using testing::writeGbkFile;

const std::string kNotice = "中有一次中断的写入：读取的是下一次写入时会保留的文件。";
const std::string kLordTable = "剧本\t编号\t设置\t金钱\t粮食\n0\t0\t0\t1\t1\n1\t2\t1\t12345\t777\n";

class WriterCommands : public ::testing::Test, protected testing::CliRun {
 protected:
  // Runs the command line with the given built-in pair; a simulated kill ends it as a kill would.
  int run(std::vector<std::string> args, const BuiltInData& data) { return runWith(data, std::move(args)); }
  int run(std::vector<std::string> args) { return run(std::move(args), previous); }

  // Every name of the folder with its bytes: what "unchanged" means.
  std::map<std::string, std::string> snapshot(const std::string& dir) const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(systemPath(dir))) {
      const std::string path = testing::utf8Path(entry.path());
      files[platform::nameOf(path)] = entry.is_directory() ? "(folder)" : readFile(path);
    }
    return files;
  }
  void writePrevious(const std::string& dir) { testing::writePair(dir, previousBytes); }

  testing::FileBytes previousBytes = testing::writeToBytes(testing::smallValidSet());
  testing::FileBytes newBytes = testing::writeToBytes(testing::busyValidSet());
  BuiltInData previous{previousBytes.sndata, previousBytes.taiki};
  BuiltInData fresh{newBytes.sndata, newBytes.taiki};
  TempFolder folder;
};

// A generation killed at each of its system calls; the read commands then change nothing, read a
// whole pair and say so in one line when the folder was left interrupted; a writing command settles it.
TEST_F(WriterCommands, ReadCommandsNeverChangeAnInterruptedFolder) {
  const std::string dir = folder.file("A");
  writePrevious(dir);
  platform::planFaults({});
  ASSERT_EQ(run({"generate", "--out", dir}, fresh), kExitDone);
  const int calls = platform::countedCalls();
  ASSERT_GT(calls, 20);
  int interrupted = 0;
  for (int kill = 1; kill <= calls; ++kill) {
    SCOPED_TRACE("killed at call " + std::to_string(kill));
    fs::remove_all(dir);
    writePrevious(dir);
    platform::planFaults({{"", kill, platform::FaultKind::Kill}});
    EXPECT_THROW(run({"generate", "--out", dir}, fresh), platform::SimulatedKill);
    platform::planFaults({});
    const bool journal = fs::exists(dir + "/" + kJournalName);
    interrupted += journal ? 1 : 0;
    const auto before = snapshot(dir);
    const std::vector<std::vector<std::string>> reads{
        {"check", "--from", dir},
        {"diff", dir},
        {"info", "--from", dir},
        {"export", "officer", "--from", dir, "-o", folder.file("t.txt"), "--force"}};
    for (const std::vector<std::string>& args : reads) {
      SCOPED_TRACE(args.front());
      const int code = run(args);
      EXPECT_TRUE(code == kExitDone || (args.front() == "diff" && code == kExitRefused)) << err.str();
      EXPECT_EQ(snapshot(dir), before);
      EXPECT_EQ(said(kNotice), journal) << err.str();
    }
    EXPECT_EQ(run({"generate", "--from", dir, "--out", dir}), kExitDone) << err.str();
    EXPECT_FALSE(fs::exists(dir + "/" + kJournalName));
    EXPECT_EQ(snapshot(dir).size(), 5u) << "the pair, its .bak files and the backup folder";
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(interrupted, 10);
}

// A restore failed or killed at each of its system calls, then the next generation there: the pair is the one
// before the restore or the restored one, every generation is a whole pair the folder once held, and
// the player's own pair stays the one original.
TEST_F(WriterCommands, ARestoreFailedOrKilledAnywhereLosesNoGeneration) {
  const std::string dir = folder.file("R");
  const auto setUp = [&] {
    fs::remove_all(dir);
    writePrevious(dir);  // the player's own pair
    platform::planFaults({});
    ASSERT_EQ(run({"generate", "--out", dir}, fresh), kExitDone) << err.str();
  };
  setUp();
  platform::planFaults({});
  ASSERT_EQ(run({"restore", "--out", dir, "1"}), kExitDone) << err.str();
  const int calls = platform::countedCalls();
  ASSERT_GT(calls, 20);
  const std::set<std::string> pairs{previousBytes.sndata + previousBytes.taiki, newBytes.sndata + newBytes.taiki};
  for (int at = 1; at <= 2 * calls; ++at) {
    const bool kill = at > calls;
    const int call = kill ? at - calls : at;
    SCOPED_TRACE((kill ? "killed at call " : "failed at call ") + std::to_string(call));
    setUp();
    platform::planFaults({{"", call, kill ? platform::FaultKind::Kill : platform::FaultKind::Error}});
    if (kill)
      EXPECT_THROW(run({"restore", "--out", dir, "1"}), platform::SimulatedKill);
    else
      run({"restore", "--out", dir, "1"});
    platform::planFaults({});
    EXPECT_EQ(run({"generate", "--from", dir, "--out", dir}), kExitDone) << err.str();
    EXPECT_TRUE(pairs.contains(readFile(dir + "/sndata.s5") + readFile(dir + "/taiki.s5")));
    int originals = 0;
    for (const auto& entry : fs::directory_iterator(systemPath(backupFolderOf(dir)))) {
      const std::string kept = testing::utf8Path(entry.path());
      const std::string name = platform::nameOf(kept);
      EXPECT_EQ(snapshot(kept).size(), 2u) << name;
      const std::string bytes = readFile(kept + "/sndata.s5") + readFile(kept + "/taiki.s5");
      EXPECT_TRUE(pairs.contains(bytes)) << name;
      if (name.ends_with("-原始")) {
        ++originals;
        EXPECT_EQ(bytes, previousBytes.sndata + previousBytes.taiki);
      }
    }
    EXPECT_EQ(originals, 1);
    if (::testing::Test::HasFailure()) return;
  }
  std::cout << "restore fault walk: " << calls << " calls, each failed and killed\n";
}

// A power cut at each system call of the first generation in a player's folder and of the next one
// (every change to a folder's names not yet synced is lost), then the next generation there: the
// player's pair survives as the one original (or still in the folder), and the pair the second run
// replaced survives in the folder or as a whole generation.
TEST_F(WriterCommands, APowerCutAnywhereLosesNeitherTheOriginalNorTheReplacedPair) {
  const TempFolder memory(TempFolder::Where::Memory);
  const std::string dir = memory.file("P");
  const std::string player = previousBytes.sndata + previousBytes.taiki;
  const std::string built = newBytes.sndata + newBytes.taiki;
  ScenarioSet richer = testing::smallValidSet();
  richer.scenarios[1].force(2).set(force::money, 4321);
  const testing::FileBytes thirdBytes = testing::writeToBytes(richer);
  const BuiltInData third{thirdBytes.sndata, thirdBytes.taiki};
  for (const bool second : {false, true}) {
    const auto setUp = [&] {
      fs::remove_all(dir);
      writePrevious(dir);
      platform::planFaults({});
      if (second) {
        ASSERT_EQ(run({"generate", "--out", dir}, fresh), kExitDone) << err.str();
      }
      platform::planFaults({});
    };
    setUp();
    ASSERT_EQ(run({"generate", "--out", dir}, second ? third : fresh), kExitDone) << err.str();
    const int calls = platform::countedCalls();
    for (int cut = 1; cut <= calls; ++cut) {
      SCOPED_TRACE((second ? "second run, cut at call " : "first run, cut at call ") + std::to_string(cut));
      setUp();
      platform::planFaults({{"", cut, platform::FaultKind::PowerCut}});
      EXPECT_THROW(run({"generate", "--out", dir}, second ? third : fresh), platform::SimulatedKill);
      platform::planFaults({});
      ASSERT_EQ(run({"generate", "--from", dir, "--out", dir}), kExitDone) << err.str();
      std::set<std::string> kept{readFile(dir + "/sndata.s5") + readFile(dir + "/taiki.s5")};
      int originals = 0;
      for (const auto& entry : fs::directory_iterator(systemPath(backupFolderOf(dir)))) {
        const std::string generation = testing::utf8Path(entry.path());
        const std::string bytes = readFile(generation + "/sndata.s5") + readFile(generation + "/taiki.s5");
        kept.insert(bytes);
        if (generation.ends_with("-原始")) {
          ++originals;
          EXPECT_EQ(bytes, player);
        }
      }
      EXPECT_EQ(originals, 1);
      EXPECT_TRUE(kept.contains(player)) << "the player's pair";
      if (second) {
        EXPECT_TRUE(kept.contains(built)) << "the pair the second run replaced";
      }
      if (::testing::Test::HasFailure()) return;
    }
    std::cout << "power cut walk (" << (second ? "second" : "first") << " run): " << calls << " calls\n";
  }
}

// A journal shipped in a mod folder, naming files elsewhere (by "..", by a full path) or temporary names
// of another form, is never acted on by any writing command there: each is refused with one message,
// and nothing outside the folder changes, the player's game folder included.
TEST_F(WriterCommands, APlantedJournalIsNeverActedOn) {
  const std::string game = folder.file("game");
  const std::string mod = folder.file("game/mods/evil");
  writePrevious(game);
  writeFile(folder.file("save.dat"), "the player's save");
  fs::create_directories(mod);
  const std::string hash = "0000000000000000";
  const std::vector<std::string> journals{
      "vorandel-journal 1\nrun abc123\nstage begun\nfile 1 1 0 ../../../save.dat ../../sndata.s5 @sndata.s5\nend\n",
      "vorandel-journal 1\nrun abc123\nstage ready\nfile 1 1 0 sndata.s5 n.old @../../sndata.s5\nend\n",
      "vorandel-journal 2\nrun abc123\nstage begun\nfile 0 1 1 0 5 " + hash + " ../../sndata.s5\nend\n",
      "vorandel-journal 2\nrun abc123\nstage ready\nfile 0 1 1 0 5 " + hash + " " + folder.file("save.dat") + "\nend\n",
      "vorandel-journal 2\nrun ../../x\nstage begun\nfile 0 1 1 0 5 " + hash + " sndata.s5\nend\n",
      "vorandel-journal 2\nrun abc123\nstage begun\nfile 0 1 1 0 5 " + hash + " sndata.s5\nmade ../..\nend\n"};
  const std::vector<std::vector<std::string>> writes{
      {"generate", "--out", mod},
      {"export", "officer", "-o", mod + "/t.txt", "--force"},
      {"map", "-o", mod + "/map.svg"},
      {"check", "--report", mod + "/report.txt"}};
  for (const std::string& journal : journals) {
    for (const std::vector<std::string>& args : writes) {
      SCOPED_TRACE(journal + args.front());
      writeFile(mod + "/" + kJournalName, journal);
      writeFile(mod + "/.vorandel-abc123-0.new", "mod bytes");
      writeFile(mod + "/n.old", "mod bytes");
      const auto gameBefore = snapshot(game);
      const auto modBefore = snapshot(mod);
      EXPECT_EQ(run(args), kExitFileFailed);
      EXPECT_TRUE(said("不是本程序写下的，或者已经损坏：本程序不会按它改动任何文件。")) << err.str();
      EXPECT_TRUE(said("把这个记录文件移到别处（或删除）不会损坏任何文件；移走后再试。")) << err.str();
      EXPECT_EQ(snapshot(game), gameBefore);
      EXPECT_EQ(snapshot(mod), modBefore);
      EXPECT_EQ(readFile(folder.file("save.dat")), "the player's save");
    }
  }
  // Moved aside, the journal is nothing: the next write goes on.
  fs::remove(mod + "/" + kJournalName);
  EXPECT_EQ(run({"generate", "--out", mod}), kExitDone) << err.str();
  EXPECT_EQ(run({"check", "--from", game}), kExitDone) << err.str();
}

TEST_F(WriterCommands, OutputsOverTheRunsOwnFilesAreRefused) {
  const std::string dir = folder.file("D");
  writePrevious(dir);
  const std::string table = folder.file("lord.txt");
  writeGbkFile(table, kLordTable);
  const auto before = snapshot(dir);
  const std::vector<std::vector<std::string>> refused{
      {"generate", "--out", dir, "--report", dir + "/sndata.s5"},
      {"check", "--from", dir, "--report", dir + "/taiki.s5"},
      {"map", "--from", dir, "-o", dir + "/sndata.s5"},
      {"map", "-o", folder.file("TAIKI.S5")},
      {"check", "--lord", table, "--report", table},
      {"export", "officer", "--from", dir, "-o", dir + "/sndata.s5", "--force"}};
  for (const std::vector<std::string>& args : refused) {
    SCOPED_TRACE(args.back());
    EXPECT_EQ(run(args), kExitUsage) << err.str();
    EXPECT_TRUE(err.str().starts_with("不能写入 ")) << err.str();
  }
  EXPECT_EQ(snapshot(dir), before);
  EXPECT_EQ(readFile(table), gbkBytes(kLordTable));
  EXPECT_FALSE(fs::exists(folder.file("TAIKI.S5")));
}

// A report into a file is replaced with the pair or not at all; one into a device goes first.
TEST_F(WriterCommands, AFailedReportNeverFollowsAReplacedPair) {
  const std::string dir = folder.file("OUT");
  writePrevious(dir);
  const std::string table = folder.file("lord.txt");
  writeGbkFile(table, kLordTable);
  const auto before = snapshot(dir);
#ifndef _WIN32
  if (fs::exists("/dev/full")) {
    EXPECT_EQ(run({"generate", "--out", dir, "--lord", table, "--report", "/dev/full"}), kExitFileFailed);
    EXPECT_FALSE(said("已生成新的剧本。")) << err.str();
    EXPECT_EQ(snapshot(dir), before);
  }
#endif
  const std::string report = folder.file("report.txt");
  writeFile(report, "old report");
  fs::permissions(dir + "/taiki.s5", fs::perms::owner_read);  // the pair cannot be replaced
  EXPECT_EQ(run({"generate", "--out", dir, "--lord", table, "--report", report}), kExitFileFailed);
  EXPECT_EQ(readFile(report), "old report");
  EXPECT_EQ(snapshot(dir), before);
  fs::permissions(dir + "/taiki.s5", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(run({"generate", "--out", dir, "--lord", table, "--report", report}), kExitDone) << err.str();
  EXPECT_NE(readFile(report), "old report");
  EXPECT_EQ(readFile(report + ".bak"), "old report");
  EXPECT_NE(err.str().find("已生成新的剧本。\n原有的剧本已保存到 "), std::string::npos) << err.str();
}

// The journal cannot be removed at the end: the pair is new, and the command says so and fails.
TEST_F(WriterCommands, AJournalLeftBehindIsNoSilentSuccess) {
  const std::string dir = folder.file("OUT");
  writePrevious(dir);
  // A step that fails once is tried again: here every removal from the n-th on fails.
  const auto failingFrom = [](int n) {
    std::vector<platform::FaultPlan> plans;
    for (int k = n; k < n + 40; ++k) plans.push_back({"unlink", k, platform::FaultKind::Error});
    return plans;
  };
  int last = 0;
  for (int n = 1; n < 30; ++n) {
    fs::remove_all(dir);
    writePrevious(dir);
    platform::planFaults(failingFrom(n));
    const int code = run({"generate", "--out", dir}, fresh);
    platform::planFaults({});
    if (code == kExitDone) break;
    last = n;
  }
  fs::remove_all(dir);
  writePrevious(dir);
  platform::planFaults(failingFrom(last));
  EXPECT_EQ(run({"generate", "--out", dir}, fresh), kExitFileFailed);
  platform::planFaults({});
  EXPECT_TRUE(err.str().starts_with("已生成新的剧本。\n")) << err.str();
  EXPECT_EQ(readFile(dir + "/sndata.s5"), newBytes.sndata);
}

#ifndef _WIN32
TEST_F(WriterCommands, AMapIntoAPipeNobodyReadsIsRefusedAtOnce) {
  const std::string pipe = folder.file("map.svg");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(run({"map", "-o", pipe}), kExitFileFailed);
  EXPECT_TRUE(said("这是一个管道，但没有程序在读取它。")) << err.str();
}
#endif

}  // namespace
}  // namespace vorandel
