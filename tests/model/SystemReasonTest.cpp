#include "model/SystemReason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "model/FileError.h"
#include "model/FileRead.h"
#include "model/FileWriter.h"
#include "model/Messages.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

bool hasLatinLetters(const std::string& text) {
  for (char c : text)
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  return false;
}

TEST(SystemReason, TheCommonReasonsAreToldInChineseAndAnyOtherByItsNumber) {
  const struct {
    int error;
    std::string reason;
  } cases[] = {
      {ENOENT, kReasonNotFound},      {ENOTDIR, kReasonNotAFolder},
      {EISDIR, kReasonIsAFolder},     {EACCES, kReasonNoPermission},
      {EPERM, kReasonNoPermission},   {ENOSPC, kReasonDiskFull},
      {EROFS, kReasonReadOnlySystem}, {ENAMETOOLONG, kReasonNameTooLong},
      {ELOOP, kReasonLinkLoop},       {EFBIG, kReasonFileTooLarge},
      {9999, "系统错误 9999"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(systemReason(c.error), c.reason) << c.error;
    EXPECT_FALSE(hasLatinLetters(systemReason(c.error))) << c.error;
  }
}

TEST(SystemReason, AFileThatCannotBeReadIsRefusedWithTheChineseReason) {
  testing::TempFolder folder;
  std::ofstream(folder.file("plain.txt")) << "x";
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
    {folder.file("missing.txt"), kReasonNotFound},
#if !defined(_WIN32)
    {folder.file("plain.txt") + "/below.txt", kReasonNotAFolder},
#endif
  };
  for (const auto& c : cases) {
    try {
      readFileUpTo(c.path, 100);
      ADD_FAILURE() << c.path << " was read";
    } catch (const FileError& error) {
      const std::string text = error.message().joined();
      EXPECT_NE(text.find(c.reason), std::string::npos) << text;
      EXPECT_EQ(text.find("No such"), std::string::npos) << text;
      EXPECT_EQ(text.find("Not a directory"), std::string::npos) << text;
    }
  }
}

#if !defined(_WIN32)
// The lines of a file that cannot be written: the file, then the reason in Chinese.
TEST(SystemReason, AFileThatCannotBeWrittenIsRefusedWithTheChineseReason) {
  testing::TempFolder folder;
  std::ofstream(folder.file("plain.txt")) << "x";
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {folder.file("missing/table.txt"), kReasonNotFound},
      {folder.file("plain.txt") + "/table.txt", kReasonNotAFolder},
      {"/dev/full", kReasonDiskFull},
  };
  for (const auto& c : cases) {
    try {
      writeFiles({OutputFile{c.path, "bytes"}}, WriteChoices{});
      ADD_FAILURE() << c.path << " was written";
    } catch (const FileError& error) {
      EXPECT_EQ(error.message().joined(), "无法写入文件：" + c.path + "\n原因：" + c.reason) << c.path;
    }
  }
}
#endif

}  // namespace
}  // namespace vorandel
