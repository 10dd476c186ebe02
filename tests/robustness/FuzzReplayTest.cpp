// Every input kept for the fuzzing harnesses (the seed corpus and the inputs that once broke the code)
// goes through the same harness code in the normal test suite, under the normal build's sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "fuzz/FuzzTargets.h"
#include "tests/support/TempFolder.h"

namespace vorandel {
namespace {

using Harness = std::function<void(const std::uint8_t*, std::size_t)>;

const std::map<std::string, Harness>& harnesses() {
  static const std::map<std::string, Harness> all{
      {"loader", fuzz::loadScenarioPair},
      {"names", [](const std::uint8_t* d, std::size_t n) { fuzz::applyTable(0, d, n); }},
      {"officers", [](const std::uint8_t* d, std::size_t n) { fuzz::applyTable(1, d, n); }},
      {"officers_after", fuzz::applyTableThenOfficerTable},
      {"forces", [](const std::uint8_t* d, std::size_t n) { fuzz::applyTable(2, d, n); }},
      {"cities", [](const std::uint8_t* d, std::size_t n) { fuzz::applyTable(3, d, n); }},
  };
  return all;
}

// Replays every file of fuzz/<kind>/<harness>/ and returns how many there were.
int replay(const std::string& kind) {
  const std::filesystem::path root = std::filesystem::path(VORANDEL_FUZZ_DIR) / kind;
  int count = 0;
  if (!std::filesystem::exists(root)) return 0;
  for (const auto& folder : std::filesystem::directory_iterator(root)) {
    if (!folder.is_directory()) continue;
    const std::string harness = folder.path().filename().string();
    const auto found = harnesses().find(harness);
    if (found == harnesses().end()) {
      ADD_FAILURE() << "no harness " << harness << " for " << folder.path();
      continue;
    }
    for (const auto& input : std::filesystem::directory_iterator(folder.path())) {
      SCOPED_TRACE(input.path().string());
      const std::string bytes = testing::readFile(input.path().string());
      found->second(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++count;
    }
  }
  return count;
}

TEST(FuzzReplay, SeedCorpusRunsThroughEveryHarness) {
  EXPECT_GE(replay("corpus"), 10);
}

TEST(FuzzReplay, KeptRegressionInputsNoLongerBreakAnything) {
  replay("regressions");
}

TEST(FuzzReplay, SplitsAtTheLengthPrefix) {
  const std::uint8_t input[] = {3, 0, 0, 0, 'a', 'b', 'c', 'd', 'e'};
  const fuzz::InputPair pair = fuzz::splitInput(input, sizeof input);
  EXPECT_EQ(pair.first, "abc");
  EXPECT_EQ(pair.second, "de");
  const std::uint8_t longPrefix[] = {0xff, 0xff, 0xff, 0xff, 'a'};
  EXPECT_EQ(fuzz::splitInput(longPrefix, sizeof longPrefix).first, "a");
  EXPECT_EQ(fuzz::splitInput(longPrefix, 2).first.size(), 2u);
}

}  // namespace
}  // namespace vorandel
