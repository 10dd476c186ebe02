// Generating into a folder: the pair is replaced as one, the previous pair kept as .bak; every fault
// leaves the previous files byte-identical under their own names, with no temporary file behind, and a
// run killed at any step leaves a whole pair once the folder is recovered.
#include "app/Generate.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "model/FileError.h"
#include "model/FileReplacement.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

namespace fs = std::filesystem;
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
  // The folder's names, apart from those given: no temporary or marker file may be left behind.
  std::set<std::string> namesIn(const std::string& where) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(where)) names.insert(entry.path().filename().string());
    return names;
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
  EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5"}));

  writePrevious();
  writeFile(file("sndata.s5.bak"), "older sndata");
  generateScenarioFiles(set, folder.path().string());
  expectNew();
  EXPECT_EQ(readFile(file("sndata.s5.bak")), "previous sndata");
  EXPECT_EQ(readFile(file("taiki.s5.bak")), "previous taiki");
  EXPECT_EQ(namesIn(folder.path().string()),
            (std::set<std::string>{"sndata.s5", "taiki.s5", "sndata.s5.bak", "taiki.s5.bak"}));
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
      EXPECT_TRUE(text(error).starts_with("无法写入文件 " + out + "/sndata.s5，新的剧本没有生成。\n")) << text(error);
      // The system's reason follows on the next line.
      EXPECT_GT(text(error).size(), text(error).find('\n') + 1);
    }
    EXPECT_EQ(readFile(file("plain")), "keep me");
  }
}

// Permissions bind every user but root, who may write anywhere: run as root, the test is skipped.
TEST_F(Generate, AFolderThatCannotBeWrittenKeepsThePreviousFiles) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
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

// A step that fails half way (here the new taiki.s5 disappears before it moves in, after the new
// sndata.s5 has moved in) is undone: the previous pair is back under its own names.
TEST_F(Generate, AFailedSecondMoveUndoesTheFirst) {
  writePrevious();
  writeFile(file("sndata.s5.bak"), "older sndata");
  int steps = 0;
  try {
    replaceFiles(folder.path().string(), {{"sndata.s5", expected.sndata}, {"taiki.s5", expected.taiki}}, [&] {
      // Steps: two new files, the mark, two second names, then the first move.
      if (++steps == 6) fs::remove(file("taiki.s5.vorandel-new"));
    });
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_TRUE(text(error).starts_with("无法写入文件 " + file("taiki.s5") + "，新的剧本没有生成。")) << text(error);
    EXPECT_NE(text(error).find("原有的文件保持不变。"), std::string::npos) << text(error);
  }
  EXPECT_EQ(steps, 6);
  expectPreviousUntouched();
  EXPECT_EQ(readFile(file("sndata.s5.bak")), "older sndata");
  EXPECT_EQ(namesIn(folder.path().string()), (std::set<std::string>{"sndata.s5", "taiki.s5", "sndata.s5.bak"}));
}

// The link keeps working: the file it points to is replaced and backed up beside itself.
TEST_F(Generate, ALinkedFileIsReplacedWhereItLives) {
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

TEST_F(Generate, ASecondWriterWaitsForTheFirst) {
  // A process holding the folder's lock stands for a generation that takes long.
  int ready[2], release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  if (child == 0) {
    replaceFiles(folder.path().string(), {{"sndata.s5", "first"}, {"taiki.s5", "first"}}, [&, steps = 0]() mutable {
      if (++steps != 1) return;
      char byte = 0;
      if (write(ready[1], "x", 1) != 1 || read(release[0], &byte, 1) != 1) _exit(2);
    });
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  try {
    generateScenarioFiles(set, folder.path().string());
    ADD_FAILURE() << "two writers at once";
  } catch (const FileError& error) {
    EXPECT_EQ(text(error), "另一个程序正在向文件夹 " + folder.path().string() + " 写入文件，请稍后再试。");
  }
  ASSERT_EQ(write(release[1], "x", 1), 1);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(readFile(file("sndata.s5")), "first");
  generateScenarioFiles(set, folder.path().string());  // the lock is free again
  expectNew();
  for (const int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

// A run killed after each of its steps in turn: the final names always hold whole files, and once the
// folder is recovered they are the previous pair or the new pair, never a mix, with nothing left over.
TEST_F(Generate, ARunKilledAtAnyStepLeavesAWholePairAfterRecovery) {
  bool finished = false;
  for (int killAt = 1; !finished && killAt < 30; ++killAt) {
    SCOPED_TRACE("killed after step " + std::to_string(killAt));
    TempFolder place;
    writeFile(place.file("sndata.s5"), "previous sndata");
    writeFile(place.file("taiki.s5"), "previous taiki");
    writeFile(place.file("taiki.s5.bak"), "older taiki");
    const pid_t child = fork();
    if (child == 0) {
      int steps = 0;
      replaceFiles(place.path().string(), {{"sndata.s5", expected.sndata}, {"taiki.s5", expected.taiki}}, [&] {
        if (++steps == killAt) _exit(9);
      });
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    finished = WEXITSTATUS(status) == 0;

    const std::string sndata = readFile(place.file("sndata.s5"));
    const std::string taiki = readFile(place.file("taiki.s5"));
    EXPECT_TRUE(sndata == "previous sndata" || sndata == expected.sndata);
    EXPECT_TRUE(taiki == "previous taiki" || taiki == expected.taiki);

    recoverInterruptedGeneration(place.path().string());
    const bool isNew = readFile(place.file("sndata.s5")) == expected.sndata;
    EXPECT_EQ(readFile(place.file("sndata.s5")), isNew ? expected.sndata : "previous sndata");
    EXPECT_EQ(readFile(place.file("taiki.s5")), isNew ? expected.taiki : "previous taiki");
    EXPECT_EQ(readFile(place.file("taiki.s5.bak")), isNew ? "previous taiki" : "older taiki");
    std::set<std::string> names{"sndata.s5", "taiki.s5", "taiki.s5.bak"};
    if (isNew) names.insert("sndata.s5.bak");
    EXPECT_EQ(namesIn(place.path().string()), names);
  }
  EXPECT_TRUE(finished) << "the sequence never ran to its end";
}

}  // namespace
}  // namespace vorandel
