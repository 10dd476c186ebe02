// Speed of start-up, copying, writing and the batch tables. Every measurement has a plain memcpy of the
// same bytes beside it (the *Floor benchmarks), the least that any work on those bytes can cost; the
// tables also show their throughput (bytes_per_second, over the table's bytes).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/BatchRun.h"
#include "app/Session.h"
#include "bench/BenchTables.h"
#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/Loader.h"
#include "model/Writer.h"
#include "rules/Validator.h"
#include "tests/support/ScenarioBuilder.h"

namespace vorandel::bench {
namespace {

const ScenarioSet& builtInSet() {
  static const ScenarioSet set = [] {
    ScenarioSet loaded;
    loadScenarioSet(loaded, builtInData().sndata, builtInData().taiki);
    return loaded;
  }();
  return set;
}

const ScenarioSet& limitsSet() {
  static const ScenarioSet set = [] {
    ScenarioSet built = setAtLimits();
    validateScenarios(built, 0, kAllScenarios);
    return built;
  }();
  return set;
}

const testing::FileBytes& limitsFiles() {
  static const testing::FileBytes files = testing::writeToBytes(limitsSet());
  return files;
}

// A table file in the temporary folder, removed when the program ends.
class TableFile {
 public:
  TableFile(const std::string& name, const std::string& bytes) : size_(bytes.size()) {
    path_ = (std::filesystem::temp_directory_path() / ("vorandel-bench-" + std::to_string(::getpid()) + "-" + name))
                .string();
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~TableFile() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }
  std::size_t size() const { return size_; }

 private:
  std::string path_;
  std::size_t size_;
};

// Shows, beside a benchmark's time, the page faults of each pass. Memory that a pass frees and the next
// one takes again may have gone back to the kernel in between, and on some machines mapping it afresh
// costs several times the work itself; keepFreedMemory() below is there so that it does not, and this
// shows that it did not.
class FaultsPerPass {
 public:
  explicit FaultsPerPass(benchmark::State& state) : state_(state), before_(minorFaults()) {}
  ~FaultsPerPass() {
    state_.counters["faults_per_pass"] =
        benchmark::Counter(static_cast<double>(minorFaults() - before_), benchmark::Counter::kAvgIterations);
  }
  FaultsPerPass(const FaultsPerPass&) = delete;
  FaultsPerPass& operator=(const FaultsPerPass&) = delete;

 private:
  static long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
  }
  benchmark::State& state_;
  long before_;
};

void copyFloor(benchmark::State& state, std::size_t bytes) {
  std::string from(bytes, 'x'), to(bytes, '\0');
  const FaultsPerPass faults(state);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

std::size_t builtInBytes() { return builtInData().sndata.size() + builtInData().taiki.size(); }

// --- start-up, copy, write: the built-in pair ----------------------------------------------------------

void BM_FilesFloor(benchmark::State& state) { copyFloor(state, builtInBytes()); }
BENCHMARK(BM_FilesFloor);

void measureStartUp(benchmark::State& state, std::string_view sndata, std::string_view taiki) {
  const FaultsPerPass faults(state);
  for (auto _ : state) {
    Session session;
    startUp(session, sndata, taiki);
    benchmark::DoNotOptimize(session);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (sndata.size() + taiki.size())));
}

void BM_StartUp(benchmark::State& state) { measureStartUp(state, builtInData().sndata, builtInData().taiki); }
BENCHMARK(BM_StartUp);

void BM_LoadOnly(benchmark::State& state) {
  const FaultsPerPass faults(state);
  for (auto _ : state) {
    ScenarioSet current;
    loadScenarioSet(current, builtInData().sndata, builtInData().taiki);
    benchmark::DoNotOptimize(current);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * builtInBytes()));
}
BENCHMARK(BM_LoadOnly);

void BM_ValidateOnly(benchmark::State& state) {
  const FaultsPerPass faults(state);
  for (auto _ : state) validateScenarios(builtInSet(), 0, kAllScenarios);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * builtInBytes()));
}
BENCHMARK(BM_ValidateOnly);

void BM_DeepCopy(benchmark::State& state) {
  const FaultsPerPass faults(state);
  for (auto _ : state) {
    ScenarioSet copy = builtInSet();
    benchmark::DoNotOptimize(copy);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * builtInBytes()));
}
BENCHMARK(BM_DeepCopy);

void writeToMemory(benchmark::State& state, const ScenarioSet& set, std::size_t bytes) {
  const FaultsPerPass faults(state);
  for (auto _ : state) {
    std::ostringstream sndata(std::ios::binary), taiki(std::ios::binary);
    writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios);
    benchmark::DoNotOptimize(sndata);
    benchmark::DoNotOptimize(taiki);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_WriteToMemory(benchmark::State& state) { writeToMemory(state, builtInSet(), builtInBytes()); }
BENCHMARK(BM_WriteToMemory);

// --- the pair at the limits: 32 scenarios of 292 + 380 officers ------------------------------------------
// Per byte, these should cost about what the built-in pair costs.

void BM_LimitsFilesFloor(benchmark::State& state) {
  copyFloor(state, limitsFiles().sndata.size() + limitsFiles().taiki.size());
}
BENCHMARK(BM_LimitsFilesFloor);

void BM_LimitsStartUp(benchmark::State& state) { measureStartUp(state, limitsFiles().sndata, limitsFiles().taiki); }
BENCHMARK(BM_LimitsStartUp);

void BM_LimitsWriteToMemory(benchmark::State& state) {
  writeToMemory(state, limitsSet(), limitsFiles().sndata.size() + limitsFiles().taiki.size());
}
BENCHMARK(BM_LimitsWriteToMemory);

// --- the tables: each rewrites every record of its kind in every scenario -------------------------------

void applyTable(benchmark::State& state, const ScenarioSet& start, BatchKind kind, const TableFile& table) {
  ScenarioSet current = start;
  const FaultsPerPass faults(state);
  for (auto _ : state) {
    try {
      runBatch(current, kind, table.path());  // the values are the ones there, so every pass is the same
    } catch (const EditError& error) {        // a table that is refused measures nothing, and the others still run
      state.SkipWithError(error.text().c_str());
      break;
    }
    benchmark::DoNotOptimize(current);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * table.size()));
  state.counters["table_bytes"] = static_cast<double>(table.size());
}

const TableFile& officerFile() {
  static const TableFile file("officers.txt", officerTable(builtInSet()));
  return file;
}
const TableFile& cityFile() {
  static const TableFile file("cities.txt", cityTable(builtInSet()));
  return file;
}
const TableFile& forceFile() {
  static const TableFile file("forces.txt", forceTable(builtInSet()));
  return file;
}

void BM_OfficerTableFloor(benchmark::State& state) { copyFloor(state, officerFile().size()); }
BENCHMARK(BM_OfficerTableFloor);
void BM_OfficerTable(benchmark::State& state) {
  applyTable(state, builtInSet(), BatchKind::OfficerTable, officerFile());
}
BENCHMARK(BM_OfficerTable)->Unit(benchmark::kMillisecond);

void BM_CityTableFloor(benchmark::State& state) { copyFloor(state, cityFile().size()); }
BENCHMARK(BM_CityTableFloor);
void BM_CityTable(benchmark::State& state) { applyTable(state, builtInSet(), BatchKind::CityTable, cityFile()); }
BENCHMARK(BM_CityTable)->Unit(benchmark::kMillisecond);

void BM_ForceTableFloor(benchmark::State& state) { copyFloor(state, forceFile().size()); }
BENCHMARK(BM_ForceTableFloor);
void BM_ForceTable(benchmark::State& state) { applyTable(state, builtInSet(), BatchKind::ForceTable, forceFile()); }
BENCHMARK(BM_ForceTable)->Unit(benchmark::kMillisecond);

// --- a long table: the time per row must not grow with the number of rows -------------------------------

void BM_CityTableRows(benchmark::State& state) {
  const TableFile file("rows-" + std::to_string(state.range(0)) + ".txt",
                       cityTableRows(builtInSet(), static_cast<std::size_t>(state.range(0))));
  applyTable(state, builtInSet(), BatchKind::CityTable, file);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CityTableRows)->Arg(1000)->Arg(10000)->Arg(25000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

// glibc gives the top of its heap back to the kernel when more than a threshold is free there, and maps
// each block above a second threshold on its own. Both rise the first time such a block is freed, which
// in a full run the first benchmark does, so that in a run of only some benchmarks the start-up could
// map its memory afresh on every pass: page faults that cost about 3 µs each on some machines, several
// times the work. Fixed from the start, the thresholds keep every pass on the memory that the pass before
// it freed, whichever benchmarks run; faults_per_pass shows what is left.
void keepFreedMemory() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace vorandel::bench

int main(int argc, char** argv) {
  vorandel::bench::keepFreedMemory();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
