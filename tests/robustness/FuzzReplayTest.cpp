// Every input kept for the fuzzing harnesses (the seed corpus and the inputs that once broke the code)
// goes through the same harness code in the normal test suite, under the normal build's sanitizers.
// Every harness keeps inputs of both kinds, and every file on disk is replayed: a folder that went
// missing or a file the replay passed over fails here. A kept input named refused-* must also still be
// refused by the code it was kept for.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/BatchRun.h"
#include "fuzz/FuzzTargets.h"
#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/Loader.h"
#include "model/StreamError.h"
#include "model/WriteJournal.h"
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
      {"journal", fuzz::readJournal},
  };
  return all;
}

std::filesystem::path keptFolder(const std::string& kind) { return std::filesystem::path(VORANDEL_FUZZ_DIR) / kind; }

// Every regular file anywhere under root, counted apart from the replay.
int filesOnDisk(const std::filesystem::path& root) {
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
    if (entry.is_regular_file()) ++count;
  return count;
}

struct Replayed {
  int inputs = 0;
  std::map<std::string, int> perHarness;
};

// Replays every file of fuzz/<kind>/<harness>/ through its harness.
Replayed replay(const std::string& kind) {
  Replayed replayed;
  for (const auto& folder : std::filesystem::directory_iterator(keptFolder(kind))) {
    if (!folder.is_directory()) continue;
    const std::string harness = folder.path().filename().string();
    const auto found = harnesses().find(harness);
    if (found == harnesses().end()) {
      ADD_FAILURE() << "no harness " << harness << " for " << folder.path();
      continue;
    }
    for (const auto& input : std::filesystem::directory_iterator(folder.path())) {
      if (!input.is_regular_file()) continue;  // not replayed, so the count below tells
      SCOPED_TRACE(input.path().string());
      const std::string bytes = testing::readFile(input.path().string());
      found->second(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed.inputs;
      ++replayed.perHarness[harness];
    }
  }
  return replayed;
}

void expectEveryHarnessAndFileReplayed(const std::string& kind) {
  ASSERT_TRUE(std::filesystem::is_directory(keptFolder(kind))) << keptFolder(kind);
  const Replayed replayed = replay(kind);
  EXPECT_EQ(replayed.inputs, filesOnDisk(keptFolder(kind)));
  for (const auto& [harness, run] : harnesses()) {
    const auto found = replayed.perHarness.find(harness);
    EXPECT_TRUE(found != replayed.perHarness.end() && found->second > 0)
        << "fuzz/" << kind << "/" << harness << "/ holds no input";
  }
}

TEST(FuzzReplay, SeedCorpusRunsThroughEveryHarness) { expectEveryHarnessAndFileReplayed("corpus"); }

TEST(FuzzReplay, KeptRegressionInputsNoLongerBreakAnything) { expectEveryHarnessAndFileReplayed("regressions"); }

// The kept refusals given to the code directly: whether the loader, the journal reader or the table's
// batch run refuses them (nullopt for a harness that has no single refusal to check).
std::optional<bool> refusedDirectly(const std::string& harness, const std::filesystem::path& input) {
  const std::string bytes = testing::readFile(input.string());
  if (harness == "loader") {
    const fuzz::InputPair files = fuzz::splitInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ScenarioSet set;
    try {
      loadScenarioSet(set, files.first, files.second);
    } catch (const EditError&) {
      return true;
    } catch (const StreamError&) {
      return true;
    }
    return false;
  }
  if (harness == "journal") return !parseJournal(bytes, "/fuzz/journal");
  const std::map<std::string, BatchKind> kinds{{"names", BatchKind::NameList},
                                               {"officers", BatchKind::OfficerTable},
                                               {"forces", BatchKind::ForceTable},
                                               {"cities", BatchKind::CityTable}};
  const auto kind = kinds.find(harness);
  if (kind == kinds.end()) return std::nullopt;
  ScenarioSet current;
  loadScenarioSet(current, builtInData().sndata, builtInData().taiki);
  const ScenarioSet before = current;
  try {
    runBatch(current, kind->second, input.string());
  } catch (const EditError&) {
    EXPECT_TRUE(current == before) << "a refused table changed the current set";
    return true;
  }
  return false;
}

TEST(FuzzReplay, KeptRefusalsAreStillRefused) {
  int checked = 0;
  for (const auto& folder : std::filesystem::directory_iterator(keptFolder("regressions"))) {
    if (!folder.is_directory()) continue;
    const std::string harness = folder.path().filename().string();
    for (const auto& input : std::filesystem::directory_iterator(folder.path())) {
      if (input.path().filename().string().rfind("refused-", 0) != 0) continue;
      SCOPED_TRACE(input.path().string());
      const std::optional<bool> refused = refusedDirectly(harness, input.path());
      ASSERT_TRUE(refused.has_value()) << "no refusal to check for the harness " << harness;
      EXPECT_TRUE(*refused) << "accepted";
      ++checked;
    }
  }
  // The truncated pairs, the chunk sizes against the counts, the rows with a cell too many and more.
  EXPECT_GE(checked, 10);
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
