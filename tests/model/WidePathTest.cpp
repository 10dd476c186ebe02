// Files in a folder as players name them (Chinese, Japanese, a space) and deeper than the old limit of
// 260 characters: every file call of the program opens them. On Windows these go through the wide
// calls; the checks hold on every system.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/FileOps.h"
#include "model/FileRead.h"
#include "model/OpenFile.h"
#include "model/SystemFiles.h"
#include "tests/support/TempFolder.h"

#ifdef _WIN32
#include "model/WideText.h"
#endif

namespace vorandel {
namespace {

using testing::TempFolder;

class WidePath : public ::testing::Test {
 protected:
  WidePath() {
    std::string path = root.path().string();
    for (int level = 0; level < 6; ++level)
      path = platform::pathIn(path, "三国 修改 フォルダ " + std::to_string(level) + std::string(40, 'x'));
    std::filesystem::create_directories(systemPath(path));
    folder = path;
  }

  TempFolder root;
  std::string folder;
};

TEST_F(WidePath, FilesDeepInAChineseFolderAreWrittenReadAndReplaced) {
  ASSERT_GT(folder.size(), 300u);
  const std::string file = platform::pathIn(folder, "武将 表.txt");
  const std::string fresh = file + ".new";
  EXPECT_FALSE(fileExists(file));
  EXPECT_EQ(platform::kindOf(file), platform::PathKind::Missing);

  ASSERT_EQ(platform::writeDurably(file, "first"), std::nullopt);
  EXPECT_TRUE(fileExists(file));
  EXPECT_EQ(unreadableReason(file), "");
  EXPECT_EQ(platform::kindOf(file), platform::PathKind::Regular);
  EXPECT_EQ(platform::kindOf(folder), platform::PathKind::Folder);
  EXPECT_EQ(readWholeFile(file, 100), "first");

  ASSERT_EQ(platform::writeDurably(fresh, "second"), std::nullopt);
  ASSERT_EQ(platform::linkOrCopy(file, file + ".bak"), std::nullopt);
  ASSERT_EQ(platform::renameFile(fresh, file), std::nullopt);
  EXPECT_EQ(readWholeFile(file, 100), "second");
  EXPECT_EQ(readWholeFile(file + ".bak", 100), "first");
  EXPECT_EQ(platform::kindOf(fresh), platform::PathKind::Missing);
  EXPECT_EQ(platform::folderOf(file), folder);

  const FileHandle opened = openFile(file, "rb");
  ASSERT_TRUE(opened);
  char bytes[8] = {};
  EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, opened.get()), 6u);
  EXPECT_EQ(platform::removeFile(file + ".bak"), std::nullopt);
  EXPECT_FALSE(fileExists(file + ".bak"));
}

TEST(WideText, ConvertsEveryScriptAndFormsLongPaths) {
#ifdef _WIN32
  const std::string texts[] = {"", "ruv5_officer.txt", "C:\\游戏\\三国 修改", "フォルダ", "한국어", "𠮷 emoji 😀"};
  for (const std::string& text : texts) EXPECT_EQ(platform::narrow(platform::wide(text)), text) << text;
  EXPECT_EQ(platform::wide("游戏"), L"\u6E38\u620F");

  // Short paths stay as they are; long ones become absolute with the prefix, UNC paths with its own.
  EXPECT_EQ(platform::widePath("表.txt"), L"表.txt");
  const std::string deep = "C:\\" + std::string(300, 'a') + "\\.\\b.txt";
  EXPECT_EQ(platform::widePath(deep), L"\\\\?\\C:\\" + std::wstring(300, L'a') + L"\\b.txt");
  const std::string share = "\\\\server\\share\\" + std::string(300, 'a');
  EXPECT_EQ(platform::widePath(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L'a'));
  EXPECT_EQ(platform::widePath("\\\\?\\C:\\" + std::string(300, 'a')), L"\\\\?\\C:\\" + std::wstring(300, L'a'));
#else
  GTEST_SKIP() << "the wide form of text and paths is Windows's";
#endif
}

}  // namespace
}  // namespace vorandel
