// Generating the files when the output folder fails: a folder that cannot be written, a disk that fills
// up half way, a backup name that is taken by a folder. Each must end with a message and a non-zero
// exit code, never claim success, and leave the player's previous files byte-identical under their own
// names, with no temporary file behind.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/TerminalText.h"
#include "model/BuiltInData.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Text.h"

namespace vorandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

const std::string kDone = "已生成新的剧本。";

struct Outcome {
  int code = -1;
  std::string messages;  // GBK
};

Outcome generateInto(const std::string& folder) {
  std::ostringstream out, err;
  CliContext context{out, err, "UTF-8", builtInData()};
  Outcome outcome;
  outcome.code = runCli({"generate", "--out", folder}, context);
  outcome.messages = err.str();
  return outcome;
}

using testing::contains;

// The player's files from before: recognisable bytes, not a valid pair.
struct PreviousFiles {
  explicit PreviousFiles(const TempFolder& folder) : folder_(folder) {
    writeFile(folder.file("sndata.s5"), "previous sndata");
    writeFile(folder.file("taiki.s5"), "previous taiki");
  }
  // Both previous files are there under their own names, and nothing else but what the test made.
  void expectKept(std::size_t otherEntries = 0) const {
    EXPECT_EQ(readFile(folder_.file("sndata.s5")), "previous sndata");
    EXPECT_EQ(readFile(folder_.file("taiki.s5")), "previous taiki");
    const auto entries = std::distance(std::filesystem::directory_iterator(folder_.path()), {});
    EXPECT_EQ(static_cast<std::size_t>(entries), 2 + otherEntries) << "a temporary file was left behind";
  }

 private:
  const TempFolder& folder_;
};

TEST(GenerateFaults, OutputFolderBelowARegularFileIsReportedWithItsPath) {
  TempFolder folder;
  writeFile(folder.file("plain"), "x");
  const std::string out = folder.file("plain") + "/scenarios";
  const Outcome outcome = generateInto(out);
  EXPECT_EQ(outcome.code, kExitFileFailed);
  EXPECT_TRUE(contains(outcome.messages, "无法创建文件夹：" + out + "\n")) << outcome.messages;
  EXPECT_FALSE(contains(outcome.messages, kDone));
}

TEST(GenerateFaults, OutputFolderThatIsARegularFileIsRefusedAndKept) {
  TempFolder folder;
  writeFile(folder.file("plain"), "keep me");
  const Outcome outcome = generateInto(folder.file("plain"));
  EXPECT_EQ(outcome.code, kExitFileFailed);
  EXPECT_FALSE(contains(outcome.messages, kDone));
  EXPECT_EQ(readFile(folder.file("plain")), "keep me");
}

TEST(GenerateFaults, BackupNameTakenByAFolderStopsBeforeWriting) {
  TempFolder folder;
  PreviousFiles previous(folder);
  std::filesystem::create_directory(folder.file("sndata.s5.bak"));
  writeFile(folder.file("sndata.s5.bak") + "/inside", "x");
  const Outcome outcome = generateInto(folder.path().string());
  EXPECT_EQ(outcome.code, kExitFileFailed);
  EXPECT_TRUE(
      contains(outcome.messages, "无法将 " + folder.file("sndata.s5") + " 重命名为: " + folder.file("sndata.s5.bak")))
      << outcome.messages;
  EXPECT_FALSE(contains(outcome.messages, kDone));
  previous.expectKept(1);
  EXPECT_EQ(readFile(folder.file("sndata.s5.bak") + "/inside"), "x");
}

TEST(GenerateFaults, TaikiBackupNameTakenByAFolderKeepsBothPreviousFiles) {
  TempFolder folder;
  PreviousFiles previous(folder);
  std::filesystem::create_directory(folder.file("taiki.s5.bak"));
  writeFile(folder.file("taiki.s5.bak") + "/inside", "x");
  const Outcome outcome = generateInto(folder.path().string());
  EXPECT_EQ(outcome.code, kExitFileFailed);
  EXPECT_TRUE(contains(outcome.messages, "重命名为: " + folder.file("taiki.s5.bak"))) << outcome.messages;
  EXPECT_FALSE(contains(outcome.messages, kDone));
  previous.expectKept(1);
}

#ifdef _WIN32
// The runs below limit a child process's file size (setrlimit) and start it with fork and exec.
const char* const kNeedsPosixProcesses = "needs fork, exec and setrlimit (POSIX only)";
#else
struct ProgramRun {
  int code = -1;
  std::string messages;  // as the program printed them, UTF-8
};

// Runs the vorandel program with the arguments, its files limited to fileSizeLimit bytes: a write
// beyond that fails with EFBIG (SIGXFSZ is ignored), as on a disk that has filled up.
ProgramRun runProgramWithFileLimit(const std::vector<std::string>& args, rlim_t fileSizeLimit) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    dup2(pipeEnds[1], STDERR_FILENO);
    dup2(pipeEnds[1], STDOUT_FILENO);
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{fileSizeLimit, fileSizeLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    setenv("LC_ALL", "C", 1);
    std::vector<char*> argv{const_cast<char*>("vorandel")};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(VORANDEL_PROGRAM, argv.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  ProgramRun run;
  char buffer[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
    run.messages.append(buffer, static_cast<std::size_t>(got));
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

#endif

TEST(GenerateFaults, DiskFillingUpHalfWayIsReportedAndThePreviousFilesAreKept) {
#ifdef _WIN32
  GTEST_SKIP() << kNeedsPosixProcesses;
#else
  const std::size_t sndataSize = builtInData().sndata.size();
  const std::string failed = "无法写入文件";
  const std::string done = kDone;
  // No byte at all, inside the first buffer, past the first buffer, and all but the last bytes.
  for (const rlim_t limit : {rlim_t{0}, rlim_t{100}, rlim_t{10000}, rlim_t{sndataSize / 2}, rlim_t{sndataSize - 1}}) {
    SCOPED_TRACE("file size limit " + std::to_string(limit));
    TempFolder folder;
    PreviousFiles previous(folder);
    const ProgramRun run = runProgramWithFileLimit({"generate", "--out", folder.path().string()}, limit);
    EXPECT_EQ(run.code, kExitFileFailed) << run.messages;
    EXPECT_TRUE(contains(run.messages, failed)) << run.messages;
    EXPECT_TRUE(contains(run.messages, folder.file("sndata.s5"))) << run.messages;
    EXPECT_FALSE(contains(run.messages, done)) << run.messages;
    previous.expectKept();
  }
#endif
}

// A map or a table that fills the disk half way leaves the earlier file whole: nothing is written in
// place, and no temporary name is left.
TEST(GenerateFaults, OtherFilesFillingTheDiskKeepTheEarlierFile) {
#ifdef _WIN32
  GTEST_SKIP() << kNeedsPosixProcesses;
#else
  TempFolder folder;
  const std::string file = folder.file("old.txt");
  const std::vector<std::vector<std::string>> commands{{"map", "-o", file},
                                                       {"export", "officer", "-o", file, "--force"}};
  for (const std::vector<std::string>& args : commands) {
    SCOPED_TRACE(args.front());
    writeFile(file, std::string(3000, 'x'));
    const ProgramRun run = runProgramWithFileLimit(args, 1000);
    EXPECT_EQ(run.code, kExitFileFailed) << run.messages;
    EXPECT_EQ(readFile(file), std::string(3000, 'x'));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "debris left";
  }
#endif
}

TEST(GenerateFaults, ALimitAboveBothFilesLetsTheProgramFinish) {
#ifdef _WIN32
  GTEST_SKIP() << kNeedsPosixProcesses;
#else
  TempFolder folder;
  const ProgramRun run = runProgramWithFileLimit({"generate", "--out", folder.path().string()}, 1 << 20);
  EXPECT_EQ(run.code, kExitDone) << run.messages;
  EXPECT_EQ(readFile(folder.file("sndata.s5")), builtInData().sndata);
  EXPECT_EQ(readFile(folder.file("taiki.s5")), builtInData().taiki);
#endif
}

#ifndef _WIN32
pid_t startProgram(const std::vector<std::string>& args) {
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>("vorandel")};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(VORANDEL_PROGRAM, argv.data());
    _exit(127);
  }
  return child;
}

int exitCodeOf(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
#endif

// Two generations from different pairs into one folder at the same moment: one waits for the other, so
// both succeed, the folder holds one whole pair, never a mix, and every pair replaced is kept whole.
TEST(GenerateFaults, TwoWritersAtOnceLeaveOneWholePair) {
#ifdef _WIN32
  GTEST_SKIP() << kNeedsPosixProcesses;
#else
  TempFolder folder;
  const std::string first = folder.file("first"), second = folder.file("second"), out = folder.file("out");
  for (const std::string& made : {first, second, out}) std::filesystem::create_directory(made);
  ASSERT_EQ(runProgramWithFileLimit({"generate", "--out", first}, RLIM_INFINITY).code, kExitDone);
  ASSERT_EQ(runProgramWithFileLimit({"generate", "--out", second}, RLIM_INFINITY).code, kExitDone);
  // The second pair is another valid one, different in both files.
  const testing::FileBytes other = testing::writeToBytes(testing::smallValidSet());
  testing::writePair(second, other);
  const std::string firstSndata = readFile(first + "/sndata.s5"), firstTaiki = readFile(first + "/taiki.s5");
  const std::string secondSndata = readFile(second + "/sndata.s5"), secondTaiki = readFile(second + "/taiki.s5");
  ASSERT_NE(firstSndata, secondSndata);
  ASSERT_NE(firstTaiki, secondTaiki);

  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const pid_t a = startProgram({"generate", "--from", first, "--out", out});
    const pid_t b = startProgram({"generate", "--from", second, "--out", out});
    EXPECT_EQ(exitCodeOf(a), kExitDone);
    EXPECT_EQ(exitCodeOf(b), kExitDone);
    const std::string sndata = readFile(out + "/sndata.s5"), taiki = readFile(out + "/taiki.s5");
    EXPECT_TRUE((sndata == firstSndata && taiki == firstTaiki) || (sndata == secondSndata && taiki == secondTaiki))
        << "a mixed pair";
  }
  // Every pair replaced was kept whole, each in its own generation: the newest ten of 99.
  int generations = 0;
  for (const auto& kept : std::filesystem::directory_iterator(std::filesystem::path(out) / "Vorandel备份")) {
    const std::string sndata = readFile((kept.path() / "sndata.s5").string());
    const std::string taiki = readFile((kept.path() / "taiki.s5").string());
    EXPECT_TRUE((sndata == firstSndata && taiki == firstTaiki) || (sndata == secondSndata && taiki == secondTaiki))
        << "a mixed generation: " << kept.path();
    ++generations;
  }
  EXPECT_EQ(generations, 10);
#endif
}

}  // namespace
}  // namespace vorandel
