#include "bench/BenchTables.h"

#include "app/TableEncoding.h"
#include "tables/TableExport.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::bench {

// The tables as the programs write them: GBK, as players' tables are.
std::string officerTable(const ScenarioSet& set) { return encodeTable(exportOfficerTable(set, {}).text, false); }

std::string cityTable(const ScenarioSet& set) { return encodeTable(exportCityTable(set, {}).text, false); }

std::string cityTableRows(const ScenarioSet& set, std::size_t rows) {
  const std::string all = cityTable(set);
  const std::size_t headerEnd = all.find('\n', all.find('\n') + 1) + 1;
  std::string text = all.substr(0, headerEnd);
  std::size_t written = 0, at = headerEnd;
  while (written < rows) {
    const std::size_t end = all.find('\n', at) + 1;
    text.append(all, at, end - at);
    at = end == all.size() ? headerEnd : end;
    ++written;
  }
  return text;
}

std::string forceTable(const ScenarioSet& set) { return encodeTable(exportForceTable(set, {}).text, false); }

ScenarioSet setAtLimits() {
  std::vector<Scenario> scenarios;
  for (int s = 0; s < 32; ++s) {
    testing::ScenarioBuilder builder(190);
    std::uint16_t id = 0;
    for (int f = 0; f < 16; ++f) builder.addForce(1 + f * 2, id++);
    int onMap = 16;
    for (int k = 0; onMap < 180; ++k, ++onMap) builder.addServing(1 + (k % 16) * 2, id++);
    for (int k = 0; onMap < 292; ++k, ++onMap) builder.addFree(2 + (k % 23) * 2, id++, k % 2 == 0 ? 4 : 5);
    for (int k = 0; k < 380; ++k) builder.addWaiting(id++, 1 + k % 47, static_cast<std::uint8_t>(91 + k % 60));
    scenarios.push_back(builder.build());
  }
  return testing::makeSet(std::move(scenarios));
}

}  // namespace vorandel::bench
