// The pair the program carries: it has the game's shape, loads, passes the validator and writes back
// byte for byte; and the generator, run again, gives exactly the committed and the embedded bytes.
#include "model/BuiltInData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>

#include "model/EditError.h"
#include "model/Loader.h"
#include "model/TrailingBytes.h"
#include "model/Writer.h"
#include "rules/Validator.h"
#include "tests/support/TempFolder.h"
#include "tools/SyntheticScenarioSet.h"

namespace vorandel {
namespace {

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

using testing::readFile;

struct Written {
  std::string sndata, taiki;
};

Written write(const ScenarioSet& set) {
  std::ostringstream sndata, taiki;
  EXPECT_TRUE(writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios));
  return {sndata.str(), taiki.str()};
}

TEST(BuiltInData, HasTheShapeOfTheGamesPair) {
  const BuiltInData& data = builtInData();
  ASSERT_EQ(data.sndata.size(), 213891u);
  ASSERT_EQ(data.taiki.size(), 165254u);

  ScenarioSet set;
  loadScenarioSet(set, data.sndata, data.taiki);
  ASSERT_EQ(set.scenarioCount(), 11u);
  EXPECT_FALSE(set.longTrailer);
  EXPECT_EQ(set.idCapacity, 500u);
  EXPECT_EQ(set.scenario(0).onMapCount, 148u);
  EXPECT_EQ(set.scenario(0).waitingCount, 352u);
  EXPECT_EQ(set.sndataTable[0], (ChunkEntry{0, 15794}));
  EXPECT_EQ(set.taikiTable[0], (ChunkEntry{0, 24288}));
  EXPECT_EQ(set.scenario(1).onMapCount, 188u);
  EXPECT_EQ(set.sndataTable[1], (ChunkEntry{15794, 18554}));

  std::uint32_t onMap = 0, waiting = 0;
  for (const Scenario& s : set.scenarios) {
    EXPECT_LE(s.onMapCount, 292u);
    EXPECT_LE(s.waitingCount, 380u);
    onMap += s.onMapCount;
    waiting += s.waitingCount;
  }
  EXPECT_EQ(onMap, 2209u);
  EXPECT_EQ(waiting, 2394u);

  EXPECT_NO_THROW(validateScenarios(set, 0, kAll));
  EXPECT_TRUE(trailingBytesWarnings(data.sndata, data.taiki).empty());
  const Written back = write(set);
  EXPECT_TRUE(back.sndata == data.sndata) << "sndata.s5 is not written back byte for byte";
  EXPECT_TRUE(back.taiki == data.taiki) << "taiki.s5 is not written back byte for byte";
}

TEST(BuiltInData, GeneratorGivesTheCommittedPairAgain) {
  const ScenarioSet generated = gendata::buildSyntheticScenarioSet();
  EXPECT_NO_THROW(validateScenarios(generated, 0, kAll));
  const Written bytes = write(generated);
  EXPECT_TRUE(bytes.sndata == readFile(VORANDEL_COMMITTED_DATA_DIR "/sndata.s5"))
      << "data/sndata.s5 is not what the generator writes; run vorandel-gendata data";
  EXPECT_TRUE(bytes.taiki == readFile(VORANDEL_COMMITTED_DATA_DIR "/taiki.s5"))
      << "data/taiki.s5 is not what the generator writes; run vorandel-gendata data";

  // Reading the files gives back the very set the generator built, chunk tables and indexes included.
  ScenarioSet loaded;
  loadScenarioSet(loaded, bytes.sndata, bytes.taiki);
  EXPECT_TRUE(loaded == generated);

  // A second run in the same process draws the same numbers.
  EXPECT_TRUE(gendata::buildSyntheticScenarioSet() == generated);
}

TEST(BuiltInData, EmbedsTheCommittedPair) {
  if (!VORANDEL_CARRIES_COMMITTED_DATA) GTEST_SKIP() << "this build carries a pair of its own";
  const BuiltInData& data = builtInData();
  EXPECT_TRUE(data.sndata == readFile(VORANDEL_COMMITTED_DATA_DIR "/sndata.s5"));
  EXPECT_TRUE(data.taiki == readFile(VORANDEL_COMMITTED_DATA_DIR "/taiki.s5"));
}

}  // namespace
}  // namespace vorandel
