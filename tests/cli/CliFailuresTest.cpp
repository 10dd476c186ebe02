// Every failure of the command line reaches the user as a message and an exit code, never as an abort,
// and a path is shown exactly as it was typed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

#include <sys/stat.h>

#include "cli/Cli.h"
#include "tests/support/CliRun.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

using testing::utf8;

using CliFailures = testing::SmallSetCli;

TEST_F(CliFailures, UnreadableScenarioFilesAreToldWithTheirPathAndReason) {
  const std::string from = folder.file("from");
  fs::create_directories(from + "/sndata.s5");  // a folder where the file should be
  writeFile(from + "/taiki.s5", pristine.taiki);
  EXPECT_EQ(run({"check", "--from", from}), kExitFileFailed);
  EXPECT_TRUE(err.str().starts_with(utf8(u8"无法读取文件：") + (fs::path(from) / "sndata.s5").string() + "\n"))
      << err.str();
  EXPECT_TRUE(said(utf8(u8"原因：这是一个文件夹，不是文件"))) << err.str();

  // A device or a named pipe is refused at once: one never ends, the other waits for a writer.
  fs::remove_all(from + "/sndata.s5");
  writeFile(from + "/sndata.s5", pristine.sndata);
#ifndef _WIN32  // Windows has no such device
  fs::remove(from + "/taiki.s5");
  fs::create_symlink("/dev/zero", from + "/taiki.s5");
  for (const char* command : {"check", "info"}) {
    EXPECT_EQ(run({command, "--from", from}), kExitFileFailed);
    EXPECT_EQ(err.str(), utf8(u8"无法读取文件：") + from +
                             utf8(u8"/taiki.s5\n这不是普通文件，而是管道或设备：剧本文件只能从普通文件读取。\n"));
  }
  fs::remove(from + "/taiki.s5");
  writeFile(from + "/taiki.s5", pristine.taiki);
  fs::remove(from + "/sndata.s5");
  ASSERT_EQ(mkfifo((from + "/sndata.s5").c_str(), 0600), 0);
  EXPECT_EQ(run({"diff", from}), kExitFileFailed);
  EXPECT_TRUE(err.str().starts_with(utf8(u8"无法读取文件：") + from + "/sndata.s5\n")) << err.str();
  EXPECT_TRUE(said(utf8(u8"这不是普通文件，而是管道或设备"))) << err.str();
#endif
}

// Points the system's temporary folder elsewhere while it lives (TMPDIR on POSIX, TMP and TEMP on Windows).
class TemporaryFolderSetting {
 public:
  explicit TemporaryFolderSetting(const std::string& folder) {
    for (const char* name : kNames) {
      const char* old = std::getenv(name);
      saved_.push_back(old ? std::optional<std::string>(old) : std::nullopt);
      set(name, folder.c_str());
    }
  }
  ~TemporaryFolderSetting() {
    for (std::size_t i = 0; i < saved_.size(); ++i) set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }

 private:
#ifdef _WIN32
  static constexpr const char* kNames[] = {"TMP", "TEMP"};
  static void set(const char* name, const char* value) { _putenv_s(name, value ? value : ""); }
#else
  static constexpr const char* kNames[] = {"TMPDIR"};
  static void set(const char* name, const char* value) { value ? setenv(name, value, 1) : unsetenv(name); }
#endif
  std::vector<std::optional<std::string>> saved_;
};

// A UTF-8 table is converted in memory: it needs no temporary folder.
TEST_F(CliFailures, AUtf8TableNeedsNoTemporaryFolder) {
  const std::string table = folder.file("names.txt");
  writeFile(table, "C 1 A\n");
  int code = 0;
  {
    const TemporaryFolderSetting nowhere(folder.file("no such folder"));
    code = run({"check", "--utf8", "--name", table});
  }
  EXPECT_EQ(code, kExitDone) << err.str();
  EXPECT_FALSE(said(utf8(u8"无法写入文件"))) << err.str();
  EXPECT_TRUE(said(utf8(u8"检查完毕，全部剧本的数据正确。\n"))) << err.str();
}

TEST_F(CliFailures, PathsAreShownAsTyped) {
  const std::string missing = folder.file(utf8(u8"我的 修改/不存在.txt"));
  EXPECT_EQ(run({"check", "--officer", missing}), kExitFileFailed);
  EXPECT_EQ(err.str(), utf8(u8"文件不存在！\n") + missing + utf8(u8"\n原因：找不到这个文件（请检查文件名和文件夹）\n"));

  const std::string target = folder.file(utf8(u8"剧本 输出"));
  writeFile(target, "a file, not a folder");
  EXPECT_EQ(run({"generate", "--out", target}), kExitFileFailed);
  EXPECT_TRUE(err.str().starts_with(utf8(u8"无法创建文件夹：") + target + "\n")) << err.str();

  const std::string existing = folder.file(utf8(u8"武将表.txt"));
  writeFile(existing, "edited by hand");
  EXPECT_EQ(run({"export", "officer", "-o", existing}), kExitRefused);
  EXPECT_TRUE(said(utf8(u8"\n文件 ") + existing + utf8(u8" 已存在，没有导出。\n"))) << err.str();
}

TEST_F(CliFailures, APairWithoutScenariosIsNotGenerated) {
  const std::string from = folder.file("empty");
  fs::create_directories(from);
  writeFile(from + "/sndata.s5", std::string(2, '\0'));
  writeFile(from + "/taiki.s5", std::string(2, '\0'));
  const std::string outFolder = folder.file("out");
  fs::create_directories(outFolder);
  EXPECT_EQ(run({"generate", "--from", from, "--out", outFolder}), kExitRefused);
  EXPECT_EQ(err.str(), utf8(u8"没有任何剧本，不能生成剧本文件。\n"));
  EXPECT_TRUE(fs::is_empty(outFolder));
  EXPECT_EQ(run({"check", "--from", from}), kExitRefused);
  EXPECT_EQ(err.str(), utf8(u8"没有任何剧本，不能生成剧本文件。\n"));
}

// Table entry s of a pair's file: its u32 offset at 2 + 6s.
void moveChunk(std::string& bytes, std::size_t s, int delta) {
  std::uint32_t offset = 0;
  for (int i = 0; i < 4; ++i) offset |= std::uint32_t{static_cast<std::uint8_t>(bytes[2 + 6 * s + i])} << (8 * i);
  offset += static_cast<std::uint32_t>(delta);
  for (int i = 0; i < 4; ++i) bytes[2 + 6 * s + i] = static_cast<char>(offset >> (8 * i));
}

TEST_F(CliFailures, AMovedChunkOffsetIsRefusedByEveryCommand) {
  // One waiting officer's record back, or two: the waiting queue of that scenario would be rotated.
  const std::string from = folder.file("moved");
  fs::create_directories(from);
  writeFile(from + "/sndata.s5", pristine.sndata);
  for (int back : {69, 138}) {
    std::string taiki = pristine.taiki;
    moveChunk(taiki, 1, -back);
    writeFile(from + "/taiki.s5", taiki);
    const std::string outFolder = folder.file("out" + std::to_string(back));
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"check", "--from", from}, {"generate", "--from", from, "--out", outFolder}}) {
      EXPECT_EQ(run(command), kExitRefused) << err.str();
      EXPECT_TRUE(err.str().starts_with(utf8(u8"剧本1在 taiki.s5 中记录的数据位置为 "))) << err.str();
      EXPECT_TRUE(said(utf8(u8"它的开头早了 ") + std::to_string(back) + utf8(u8" 字节，与前面剧本的数据重叠。")))
          << err.str();
    }
    EXPECT_FALSE(fs::exists(outFolder));
  }
}

TEST_F(CliFailures, CheckWarnsOfBytesBehindTheLastScenario) {
  const std::string from = folder.file("from");
  fs::create_directories(from);
  writeFile(from + "/sndata.s5", pristine.sndata + "xyz");
  writeFile(from + "/taiki.s5", pristine.taiki);
  EXPECT_EQ(run({"check", "--from", from}), kExitDone);
  EXPECT_EQ(err.str(),
            utf8(u8"检查完毕，全部剧本的数据正确。\n文件 sndata.s5 在最后一个剧本之后还有 3 个多余的字节。\n"));
}

// Standard input that never ends, like /dev/zero, counting what was taken from it.
class EndlessZeros : public std::streambuf {
 public:
  std::size_t served = 0;

 protected:
  int_type underflow() override {
    served += sizeof zeros_;
    setg(zeros_, zeros_, zeros_ + sizeof zeros_);
    return 0;
  }

 private:
  char zeros_[4096] = {};
};

TEST_F(CliFailures, ATableFarLargerThanItsKindIsRefusedWithoutReadingItAll) {
  EndlessZeros zeros;
  std::istream endless(&zeros);
  CliContext context{out, err, "UTF-8", builtIn, &endless};
  EXPECT_EQ(runCli({"check", "--lord", "-"}, context), kExitRefused);
  EXPECT_TRUE(err.str().starts_with(utf8(u8"标准输入的批量表太大，无法读取。\n势力表最多 "))) << err.str();
  EXPECT_LT(zeros.served, std::size_t{4} << 20);

  err.str("");
  EXPECT_EQ(run({"check", "--name", "/dev/zero"}), kExitRefused);
  EXPECT_TRUE(err.str().starts_with(utf8(u8"批量表太大，无法读取。\n表：/dev/zero\n名单最多 "))) << err.str();
}

}  // namespace
}  // namespace vorandel
