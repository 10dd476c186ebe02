// Reading a file whole, up to a limit: its bytes exactly, one byte past the limit at most, and no more
// memory than the file takes.
#include "model/FileRead.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/TempFolder.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <future>
#endif

namespace vorandel {
namespace {

std::string patterned(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

TEST(FileRead, AFileIsReadExactlyUpToOneBytePastTheLimitWithoutSpareMemory) {
  testing::TempFolder folder;
  const struct {
    std::size_t size;
    std::size_t limit;
    std::size_t read;
  } cases[] = {
      {0, 10, 0},
      {1, 1, 1},
      {2, 1, 2},
      {(1 << 16) - 1, 1 << 20, (1 << 16) - 1},
      {(1 << 16) + 1, 1 << 20, (1 << 16) + 1},
      {3'000'000, 4'000'000, 3'000'000},
      {3'000'000, 1'000'000, 1'000'001},
  };
  for (const auto& c : cases) {
    const std::string file = folder.file("table-" + std::to_string(c.size) + ".txt");
    const std::string bytes = patterned(c.size);
    std::ofstream(file, std::ios::binary) << bytes;
    const std::string got = readFileUpTo(file, c.limit);
    EXPECT_TRUE(got == bytes.substr(0, c.read)) << c.size << " bytes, limit " << c.limit << ": read " << got.size();
    // A growing string would hold up to twice what it read.
    if (c.read > 100'000) {
      EXPECT_LE(got.capacity(), c.read + 64) << c.size << " bytes";
    }
  }
}

#ifndef _WIN32
TEST(FileRead, APipeHasNoSizeAndIsReadToItsEnd) {
  testing::TempFolder folder;
  const std::string pipe = folder.file("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string bytes = patterned(200'000);
  auto writer = std::async(std::launch::async, [&] { std::ofstream(pipe, std::ios::binary) << bytes; });
  EXPECT_TRUE(readFileUpTo(pipe, 1'000'000) == bytes);
  writer.wait();
}
#endif

}  // namespace
}  // namespace vorandel
