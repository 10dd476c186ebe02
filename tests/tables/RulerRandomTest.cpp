// Random batches of ruler changes, new forces, owner changes and officer moves, on the built-in pair and
// on a generated set: every accepted batch leaves every scenario valid, and every refused single-row
// force or city table leaves the set exactly as it was (its one cell refuses before it writes). VORANDEL_RULER_BATCHES sets the number of batches per set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "model/BuiltInData.h"
#include "model/Loader.h"
#include "tests/support/ErrorText.h"
#include "tests/tables/RandomBatches.h"
#include "tests/tables/TableExportSets.h"

namespace vorandel::testing {
namespace {

constexpr int kDefaultBatches = 300;

int batchCount() {
  const char* text = std::getenv("VORANDEL_RULER_BATCHES");
  const int count = text != nullptr ? std::atoi(text) : 0;
  return count > 0 ? count : kDefaultBatches;
}

void run(const char* what, unsigned seed, ScenarioSet start) {
  ASSERT_EQ(validationError(start), "");
  RandomBatches batches(seed, std::move(start));
  const int count = batchCount();
  for (int i = 0; i < count && !::testing::Test::HasFatalFailure(); ++i) batches.batch();
  const Tally& t = batches.tally;
  std::cout << what << ": " << t.batches << " batches, " << t.accepted << " accepted, " << t.refused
            << " refused; rows: " << t.rulers << " ruler changes, " << t.foundings << " foundings, " << t.owners
            << " owner changes, " << t.releases << " releases; " << t.moves << " moves (" << t.movesAccepted
            << " accepted)\n";
  // Both kinds of outcome were reached, or the test would not test the property.
  EXPECT_GT(t.accepted, count / 20);
  EXPECT_GT(t.refused, count / 20);
  EXPECT_GT(t.movesAccepted, count / 100);
}

TEST(RulerRandomTest, BatchesOnTheBuiltInPairLeaveEveryScenarioValid) {
  ScenarioSet set;
  loadScenarioSet(set, builtInData().sndata, builtInData().taiki);
  run("built-in", 2501u, std::move(set));
}

TEST(RulerRandomTest, BatchesOnAGeneratedSetLeaveEveryScenarioValid) { run("generated", 2502u, tableReadySet()); }

}  // namespace
}  // namespace vorandel::testing
