// Every failure of the command line reaches the user as a message and an exit code, never as an abort,
// and a path is shown exactly as it was typed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/Cli.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class CliFailures : public ::testing::Test {
 protected:
  int run(std::vector<std::string> args) {
    err.str("");
    CliContext context{out, err, "UTF-8", builtIn};
    return runCli(args, context);
  }
  bool said(const std::string& part) const { return err.str().find(part) != std::string::npos; }

  testing::FileBytes pristine = testing::writeToBytes(testing::smallValidSet());
  BuiltInData builtIn{pristine.sndata, pristine.taiki};
  TempFolder folder;
  std::ostringstream out, err;
};

TEST_F(CliFailures, UnreadableScenarioFilesAreToldWithTheirPathAndReason) {
  const std::string from = folder.file("from");
  fs::create_directories(from + "/sndata.s5");  // a folder where the file should be
  writeFile(from + "/taiki.s5", pristine.taiki);
  EXPECT_EQ(run({"check", "--from", from}), kExitFileFailed);
  EXPECT_TRUE(err.str().starts_with(utf8(u8"无法读取文件：") + (fs::path(from) / "sndata.s5").string() + "\n"))
      << err.str();
  EXPECT_TRUE(said("Is a directory") || said("directory")) << err.str();

  // A file that never ends (a device) is refused once it is larger than any pair could be.
  fs::remove_all(from + "/sndata.s5");
  writeFile(from + "/sndata.s5", pristine.sndata);
#ifndef _WIN32  // Windows has no such device
  fs::remove(from + "/taiki.s5");
  fs::create_symlink("/dev/zero", from + "/taiki.s5");
  EXPECT_EQ(run({"check", "--from", from}), kExitFileFailed);
  EXPECT_TRUE(said(utf8(u8"文件太大"))) << err.str();
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

}  // namespace
}  // namespace vorandel
