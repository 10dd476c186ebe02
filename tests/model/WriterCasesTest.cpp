// The writer's answers to the faults that once broke a replacement, each by its own plan of faults at
// named system calls, and readers racing a writer: no read ever sees a mixed pair.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "model/FileWriter.h"
#include "model/SystemCallFaults.h"
#include "model/WriteJournal.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

namespace fs = std::filesystem;
using platform::FaultKind;
using platform::FaultPlan;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

class WriterCases : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(file("sndata.s5"), "previous sndata");
    writeFile(file("taiki.s5"), "previous taiki");
    writeFile(file("sndata.s5.bak"), "older sndata");
    writeFile(file("taiki.s5.bak"), "older taiki");
  }
  void TearDown() override { platform::planFaults({}); }
  // The folder as SetUp makes it, whatever the last run left.
  void reset() {
    for (const auto& entry : fs::directory_iterator(folder.path())) fs::remove_all(entry.path());
    SetUp();
  }
  std::string file(const std::string& name) const { return folder.file(name); }
  std::string pair() const { return readFile(file("sndata.s5")) + " + " + readFile(file("taiki.s5")); }
  std::string backups() const { return readFile(file("sndata.s5.bak")) + " + " + readFile(file("taiki.s5.bak")); }
  std::string read() const {
    const KeptFiles kept = readKeptFiles({file("sndata.s5"), file("taiki.s5")}, 1024);
    return kept.bytes.at(0) + " + " + kept.bytes.at(1);
  }
  std::set<std::string> names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) names.insert(entry.path().filename().string());
    return names;
  }
  // Runs the writer under the plans; returns the message of its failure ("" when it succeeded, "kill").
  std::string write(std::vector<FaultPlan> plans) {
    platform::planFaults(std::move(plans));
    std::string said;
    try {
      writeFiles({{file("sndata.s5"), "new sndata"}, {file("taiki.s5"), "new taiki"}}, WriteChoices{});
    } catch (const WriteUnfinished& error) {
      said = "unfinished: " + error.message().joined();
    } catch (const FileError& error) {
      said = error.message().joined();
    } catch (const platform::SimulatedKill&) {
      said = "kill";
    }
    platform::planFaults({});
    return said;
  }
  std::string recover(std::vector<FaultPlan> plans) {
    platform::planFaults(std::move(plans));
    std::string said;
    try {
      recoverInterruptedWrites(folder.path().string());
    } catch (const FileError& error) {
      said = error.message().joined();
    } catch (const platform::SimulatedKill&) {
      said = "kill";
    }
    platform::planFaults({});
    return said;
  }

  TempFolder folder;
  const std::set<std::string> settled{"sndata.s5", "taiki.s5", "sndata.s5.bak", "taiki.s5.bak"};
};

// Renames of a replacement: the journal (begun), the journal (ready), sndata.s5 moves in, taiki.s5
// moves in, then the two second names become the backups.
constexpr int kFirstMove = 3;
constexpr int kFirstBackup = 5;

TEST_F(WriterCases, ARecoveryKilledPartWayIsFinishedByTheNextWithoutLosingAFile) {
  EXPECT_EQ(write({{"rename", kFirstMove + 1, FaultKind::Kill}}), "kill");  // sndata.s5 new, taiki.s5 not yet
  EXPECT_EQ(read(), "new sndata + new taiki");
  EXPECT_EQ(recover({{"unlink", 1, FaultKind::Kill}}), "kill");
  EXPECT_EQ(read(), "new sndata + new taiki");
  EXPECT_EQ(recover({}), "");
  EXPECT_EQ(pair(), "new sndata + new taiki");
  EXPECT_EQ(backups(), "previous sndata + previous taiki");
  EXPECT_EQ(names(), settled);
}

TEST_F(WriterCases, AFailedFolderSyncAfterAMoveUndoesTheFileThatMoved) {
  // The first folder sync after the moves is the writer's last "fsync" before the backups: found by
  // counting the calls of a run that fails at the second move instead.
  const std::string said = write({{"rename", kFirstMove + 1, FaultKind::Error}});
  EXPECT_NE(said.find("原有的文件保持不变。"), std::string::npos) << said;
  EXPECT_EQ(pair(), "previous sndata + previous taiki");
  for (int fsync = 1; fsync < 40; ++fsync) {
    reset();
    const std::string failed = write({{"fsync", fsync, FaultKind::Error}});
    if (failed.empty()) break;
    SCOPED_TRACE(failed);
    if (failed.find("原有的文件保持不变。") != std::string::npos) {
      EXPECT_EQ(pair(), "previous sndata + previous taiki");
    }
    if (failed.starts_with("unfinished")) {
      EXPECT_EQ(pair(), "new sndata + new taiki");
    }
    EXPECT_TRUE(read() == "previous sndata + previous taiki" || read() == "new sndata + new taiki") << read();
    const std::string kept = read();
    EXPECT_EQ(recover({}), "");
    EXPECT_EQ(pair(), kept);
  }
}

// Every call of the kind from the n-th on fails: a failure that the writer's second try meets again.
std::vector<FaultPlan> failingFrom(const char* call, int n) {
  std::vector<FaultPlan> plans;
  for (int k = n; k < n + 40; ++k) plans.push_back({call, k, FaultKind::Error});
  return plans;
}

TEST_F(WriterCases, AFailedBackupRenameKeepsTheOlderBackup) {
  // A rename that fails once is tried again, and the group finishes.
  EXPECT_EQ(write({{"rename", kFirstBackup, FaultKind::Error}}), "");
  EXPECT_EQ(backups(), "previous sndata + previous taiki");
  EXPECT_EQ(names(), settled);
  reset();
  const std::string said = write(failingFrom("rename", kFirstBackup));
  EXPECT_TRUE(said.starts_with("unfinished: ")) << said;
  EXPECT_EQ(pair(), "new sndata + new taiki");
  EXPECT_EQ(readFile(file("sndata.s5.bak")), "older sndata");
  // With a failed undo on top there is nothing to undo: the next writer finishes the backups.
  EXPECT_EQ(recover({{"rename", 1, FaultKind::Error}}).find("上次中断的写入无法恢复。") != std::string::npos, true);
  EXPECT_EQ(readFile(file("sndata.s5.bak")), "older sndata");
  EXPECT_EQ(recover({}), "");
  EXPECT_EQ(backups(), "previous sndata + previous taiki");
  EXPECT_EQ(names(), settled);
}

TEST_F(WriterCases, AJournalThatCannotBeRemovedIsToldAndAStatErrorIsNoMissingFile) {
  // The journal's removal is the writer's last unlink: a failure there is no silent success.
  int last = 0;
  for (int n = 1; n < 30; ++n) {
    reset();
    if (write(failingFrom("unlink", n)).empty()) break;
    last = n;
  }
  reset();
  const std::string said = write(failingFrom("unlink", last));
  EXPECT_TRUE(said.starts_with("unfinished: ")) << said;
  EXPECT_NE(said.find(kJournalName), std::string::npos) << said;
  EXPECT_EQ(pair(), "new sndata + new taiki");
  EXPECT_EQ(recover({}), "");
  EXPECT_EQ(names(), settled);

  // The first look at the old files fails: the writer stops rather than take them for missing.
  reset();
  EXPECT_FALSE(write({{"stat", 1, FaultKind::Error}}).empty());
  EXPECT_EQ(pair(), "previous sndata + previous taiki");
  EXPECT_EQ(backups(), "older sndata + older taiki");
  EXPECT_EQ(names(), settled);
}

// A run killed once its new files were ready is finished by the next writer only when those files are
// whole: one cut short or changed sends the group back to the earlier files.
TEST_F(WriterCases, ARecoveryMovesInOnlyNewFilesThatAreWhole) {
  for (const bool cut : {false, true}) {
    SCOPED_TRACE(cut ? "cut" : "whole");
    reset();
    // Renames: the journal (begun, ready), then the moves: killed at the first move.
    EXPECT_EQ(write({{"rename", 3, FaultKind::Kill}}), "kill");
    std::string fresh;
    for (const std::string& name : names())
      if (name.ends_with(".new") && fresh.empty()) fresh = file(name);
    ASSERT_FALSE(fresh.empty());
    if (cut) fs::resize_file(fresh, 3);
    EXPECT_EQ(recover({}), "");
    EXPECT_EQ(pair(), cut ? "previous sndata + previous taiki" : "new sndata + new taiki");
    EXPECT_EQ(backups(), cut ? "older sndata + older taiki" : "previous sndata + previous taiki");
    EXPECT_EQ(names(), settled);
  }
}

TEST_F(WriterCases, ANameTooLongForANameBesideItIsWrittenAllTheSame) {
  const std::string name(250, 'n');
  writeFile(file(name), "old");
  WriteChoices choices;
  choices.keepBackup = false;
  EXPECT_NO_THROW(writeFiles({{file(name), "new"}}, choices));
  EXPECT_EQ(readFile(file(name)), "new");
  EXPECT_EQ(names().size(), settled.size() + 1);
}

void pause(int milliseconds) {
#ifdef _WIN32
  Sleep(milliseconds);
#else
  usleep(static_cast<useconds_t>(milliseconds) * 1000);
#endif
}

// Readers slowed between the two files race a writer that swaps two pairs: every read is whole.
TEST_F(WriterCases, SlowReadersNeverSeeAMixedPair) {
  std::atomic<bool> done{false};
  std::atomic<int> reads{0}, mixed{0}, failed{0};
  const auto reader = [&] {
    while (!done) {
      try {
        const KeptFiles kept = readKeptFiles({file("sndata.s5"), file("taiki.s5")}, 1024, [] { pause(3); });
        if (kept.bytes.at(0).substr(0, 2) != kept.bytes.at(1).substr(0, 2)) ++mixed;
        ++reads;
      } catch (const FileError&) {
        ++failed;
      }
      pause(1);
    }
  };
  writeFile(file("sndata.s5"), "A0 sndata");
  writeFile(file("taiki.s5"), "A0 taiki");
  std::vector<std::thread> readers;
  for (int i = 0; i < 3; ++i) readers.emplace_back(reader);
  // The writer goes on until the readers have read often enough to race it (a busy machine may give
  // them little time), within a bound.
  int written = 0;
  const auto started = std::chrono::steady_clock::now();
  for (int round = 0;
       round < 60 || (reads < 30 && std::chrono::steady_clock::now() - started < std::chrono::seconds(20)); ++round) {
    const std::string tag = std::string(1, static_cast<char>('A' + round % 26)) + std::to_string(round % 10);
    try {
      writeFiles({{file("sndata.s5"), tag + " sndata"}, {file("taiki.s5"), tag + " taiki"}}, WriteChoices{});
      ++written;
    } catch (const FileError&) {
    }
  }
  done = true;
  for (std::thread& thread : readers) thread.join();
  EXPECT_EQ(mixed, 0);
  EXPECT_EQ(failed, 0);
  EXPECT_GT(reads, 20);
  EXPECT_GT(written, 50);
}

}  // namespace
}  // namespace vorandel
