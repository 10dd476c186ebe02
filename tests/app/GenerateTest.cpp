// Generating into a folder: the pair is replaced as one, the previous pair kept as .bak; every fault
// leaves the previous files byte-identical under their own names, with no temporary file behind, and a
// run killed at any step leaves a whole pair once the folder is recovered.
#include "app/Generate.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <set>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "model/FileError.h"
#include "model/OpenFile.h"
#include "model/SystemCallFaults.h"
#include "model/SystemFiles.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

namespace fs = std::filesystem;
using testing::namesIn;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

class Generate : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return folder.file(name); }
  std::string text(const FileError& error) const { return error.message().joined(); }
  void writePrevious() {
    writeFile(file("sndata.s5"), "previous sndata");
    writeFile(file("taiki.s5"), "previous taiki");
  }
  void expectPreviousUntouched() const {
    EXPECT_EQ(readFile(file("sndata.s5")), "previous sndata");
    EXPECT_EQ(readFile(file("taiki.s5")), "previous taiki");
  }
  void expectNew() const {
    EXPECT_EQ(readFile(file("sndata.s5")), expected.sndata);
    EXPECT_EQ(readFile(file("taiki.s5")), expected.taiki);
  }

  TempFolder folder;
  ScenarioSet set = testing::smallValidSet();
  testing::FileBytes expected = testing::writeToBytes(set);
};

TEST_F(Generate, WritesBothFilesAndKeepsThePreviousOnesAsBackups) {
  generateScenarioFiles(set, folder.path().string());
  expectNew();
  // The backup folder marks the folder as written by the program; there was no pair to keep.
  EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5", kBackupFolderName}));
  EXPECT_TRUE(listGenerations(folder.path().string()).empty());

  writePrevious();
  writeFile(file("sndata.s5.bak"), "older sndata");
  generateScenarioFiles(set, folder.path().string());
  expectNew();
  EXPECT_EQ(readFile(file("sndata.s5.bak")), "previous sndata");
  EXPECT_EQ(readFile(file("taiki.s5.bak")), "previous taiki");
  EXPECT_EQ(namesIn(folder.path().string()),
            (std::set<std::string>{"sndata.s5", "taiki.s5", "sndata.s5.bak", "taiki.s5.bak", kBackupFolderName}));
}

TEST_F(Generate, AnInvalidSetOrOneWithoutScenariosTouchesNothing) {
  writePrevious();
  set.scenarios[0].onMapCount = 400;
  EXPECT_THROW(generateScenarioFiles(set, folder.path().string()), EditError);
  try {
    generateScenarioFiles(ScenarioSet{}, folder.path().string());
    ADD_FAILURE() << "an empty set was written";
  } catch (const EditError& error) {
    EXPECT_EQ(error.text(), kNoScenarios);
  }
  expectPreviousUntouched();
  EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5"}));
}

TEST_F(Generate, ABackupNameTakenByAFolderIsRefusedBeforeAnythingIsTouched) {
  writePrevious();
  for (const std::string name : {"sndata.s5", "taiki.s5"}) {
    SCOPED_TRACE(name);
    fs::create_directories(file(name + ".bak/inside"));
    try {
      generateScenarioFiles(set, folder.path().string());
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
      EXPECT_TRUE(text(error).starts_with("无法将 " + file(name) + " 重命名为: " + file(name + ".bak"))) << text(error);
    }
    expectPreviousUntouched();
    EXPECT_TRUE(fs::exists(file(name + ".bak/inside")));
    fs::remove_all(file(name + ".bak"));
    EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5"}));
  }
}

TEST_F(Generate, AReadOnlyOldFileIsRefusedBeforeAnythingIsTouched) {
  writePrevious();
  fs::permissions(file("taiki.s5"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  try {
    generateScenarioFiles(set, folder.path().string());
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_TRUE(text(error).starts_with("无法写入文件 " + file("taiki.s5") + "，新的剧本没有生成。")) << text(error);
    EXPECT_NE(text(error).find("只读"), std::string::npos) << text(error);
  }
  expectPreviousUntouched();
  EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5"}));
}

TEST_F(Generate, AMissingFolderOrOneThatIsAFileIsReportedWithTheFileAndTheReason) {
  for (const std::string& out : {file("missing"), file("plain")}) {
    SCOPED_TRACE(out);
    writeFile(file("plain"), "keep me");
    try {
      generateScenarioFiles(set, out);
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
      // The file's name is joined to the folder with the system's separator.
      const std::string named = (fs::path(out) / "sndata.s5").string();
      EXPECT_TRUE(text(error).starts_with("无法写入文件 " + named + "，新的剧本没有生成。\n")) << text(error);
      // The system's reason follows on the next line.
      EXPECT_GT(text(error).size(), text(error).find('\n') + 1);
    }
    EXPECT_EQ(readFile(file("plain")), "keep me");
  }
}

// Permissions bind every user but root, who may write anywhere: run as root, the test is skipped.
TEST_F(Generate, AFolderThatCannotBeWrittenKeepsThePreviousFiles) {
#ifdef _WIN32
  GTEST_SKIP()
      << "needs POSIX folder permissions (chmod): a folder's read-only attribute does not stop writes on Windows";
#else
  if (geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
#endif
  writePrevious();
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  try {
    generateScenarioFiles(set, folder.path().string());
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_TRUE(text(error).starts_with("无法写入文件 " + file("sndata.s5") + "，新的剧本没有生成。\n")) << text(error);
  }
  fs::permissions(folder.path(), fs::perms::owner_all);
  expectPreviousUntouched();
  EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5"}));
}

// A generation that cannot be kept (its folder cannot be made, or a file has the backup folder's name)
// refuses the replacement before anything moves, as often as it is tried; the original is then kept.
TEST_F(Generate, ABackupFolderThatCannotBeWrittenRefusesTheReplacement) {
  writePrevious();
  const std::string backups = file("Vorandel备份");
  for (int attempt = 0; attempt < 2; ++attempt) {
    platform::planFaults({{"mkdir", 1, platform::FaultKind::Error}});
    try {
      generateScenarioFiles(set, folder.path().string());
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
      EXPECT_TRUE(text(error).starts_with("无法把原有的剧本保存到备份 " + backups)) << text(error);
    }
    platform::planFaults({});
    expectPreviousUntouched();
    EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5"}));
  }
  writeFile(backups, "a file");
  try {
    generateScenarioFiles(set, folder.path().string());
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_NE(text(error).find(kBackupNameTaken), std::string::npos) << text(error);
  }
  expectPreviousUntouched();
  fs::remove(systemPath(backups));
  const ReplacedPair replaced = generateScenarioFiles(set, folder.path().string());
  ASSERT_TRUE(replaced.keptAs.has_value());
  EXPECT_TRUE(replaced.keptAs->original);
  EXPECT_EQ(readFile(replaced.keptAs->path + "/sndata.s5"), "previous sndata");
  expectNew();
}

// A move that fails half way (the new taiki.s5 cannot move in after the new sndata.s5 has) is undone:
// the previous pair is back under its own names and the older backup is kept.
TEST_F(Generate, AFailedSecondMoveUndoesTheFirst) {
  writePrevious();
  writeFile(file("sndata.s5.bak"), "older sndata");
  // Renames: the journal (begun) into the folder, then into it and the generation's new folder, again
  // into both (ready), then the moves: sndata.s5 is the sixth, taiki.s5 the seventh.
  platform::planFaults({{"rename", 7, platform::FaultKind::Error}});
  try {
    generateScenarioFiles(set, folder.path().string());
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_TRUE(text(error).starts_with("无法写入文件 " + file("taiki.s5") + "，新的剧本没有生成。")) << text(error);
    EXPECT_NE(text(error).find("原有的文件保持不变。"), std::string::npos) << text(error);
  }
  EXPECT_EQ(platform::faultsHit(), 1);
  platform::planFaults({});
  expectPreviousUntouched();
  EXPECT_EQ(readFile(file("sndata.s5.bak")), "older sndata");
  EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5", "sndata.s5.bak"}));
}

// The link keeps working: the file it points to is replaced and backed up beside itself.
TEST_F(Generate, ALinkedFileIsReplacedWhereItLives) {
#ifdef _WIN32
  GTEST_SKIP() << "needs symbolic links, which the Windows runtime of this compiler does not make";
#endif
  writePrevious();
  TempFolder elsewhere;
  writeFile(elsewhere.file("real-taiki.s5"), "linked taiki");
  fs::remove(file("taiki.s5"));
  fs::create_symlink(elsewhere.file("real-taiki.s5"), file("taiki.s5"));
  generateScenarioFiles(set, folder.path().string());
  EXPECT_TRUE(fs::is_symlink(file("taiki.s5")));
  EXPECT_EQ(readFile(elsewhere.file("real-taiki.s5")), expected.taiki);
  EXPECT_EQ(readFile(elsewhere.file("real-taiki.s5.bak")), "linked taiki");
  EXPECT_FALSE(fs::exists(file("taiki.s5.bak")));
  EXPECT_EQ(readFile(file("sndata.s5.bak")), "previous sndata");
  EXPECT_EQ(namesIn(elsewhere.path().string()), (std::set<std::string>{"real-taiki.s5", "real-taiki.s5.bak"}));
}

// A writer takes the folder alone; readers share it with each other but not with a writer.
TEST_F(Generate, AWriterWaitsForEveryOtherHolderOfTheFolder) {
  generateScenarioFiles(set, folder.path().string());
  const std::string busy = "另一个程序正在向文件夹 " + folder.path().string() + " 写入文件，请稍后再试。";
  const std::string reading = "另一个程序正在读取文件夹 " + folder.path().string() + " 中的文件，请稍后再试。";
  for (const auto mode : {platform::FolderLock::Mode::Exclusive, platform::FolderLock::Mode::Shared}) {
    std::string reason;
    const std::optional<platform::FolderLock> held =
        platform::FolderLock::acquire(folder.path().string(), mode, 0, reason);
    ASSERT_TRUE(held.has_value()) << reason;
    try {
      generateScenarioFiles(set, folder.path().string());
      ADD_FAILURE() << "a writer did not wait";
    } catch (const FileError& error) {
      EXPECT_EQ(text(error), mode == platform::FolderLock::Mode::Exclusive ? busy : reading);
    }
    if (mode == platform::FolderLock::Mode::Shared) {
      const PairBytes read = readScenarioPair(folder.path().string());  // readers share
      EXPECT_EQ(read.sndata, expected.sndata);
      EXPECT_TRUE(read.notice.empty());
    } else {
      EXPECT_THROW(readScenarioPair(folder.path().string()), FileError);
    }
  }
  generateScenarioFiles(set, folder.path().string());  // the lock is free again
  expectNew();
}

}  // namespace
}  // namespace vorandel
