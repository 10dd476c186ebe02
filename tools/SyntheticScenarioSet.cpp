#include "tools/SyntheticScenarioSet.h"

#include "model/Loader.h"
#include "tools/CityGeography.h"
#include "tools/PersonPool.h"
#include "tools/Prng.h"
#include "tools/ScenarioComposer.h"
#include "tools/ScenarioPlan.h"

namespace vorandel::gendata {

namespace {

constexpr std::uint64_t kSeed = 0x566F72616E64656Cull;

// The chunk tables as the writer lays the chunks out: one after the other from offset 0.
void fillChunkTables(ScenarioSet& set) {
  std::uint32_t sndataOffset = 0, taikiOffset = 0;
  for (const Scenario& scenario : set.scenarios) {
    const auto sndataSize =
        static_cast<std::uint16_t>(kBlockSize + kOfficerRecordSize * scenario.onMapCount + kShortTrailerSize);
    const auto taikiSize = static_cast<std::uint16_t>(kOfficerRecordSize * scenario.waitingCount);
    set.sndataTable.push_back({sndataOffset, sndataSize});
    set.taikiTable.push_back({taikiOffset, taikiSize});
    sndataOffset += sndataSize;
    taikiOffset += taikiSize;
  }
}

}  // namespace

ScenarioSet buildSyntheticScenarioSet() {
  Prng prng(kSeed);
  const std::vector<CitySite> land = makeCityGeography(prng);
  const std::vector<Person> persons = makePersons(prng);
  ScenarioSet set;
  set.longTrailer = false;
  for (const ScenarioShape& shape : kScenarioShapes)
    set.scenarios.push_back(ScenarioComposer(shape, persons, land, prng).compose());
  fillChunkTables(set);
  buildDerivedIndexes(set);
  return set;
}

}  // namespace vorandel::gendata
