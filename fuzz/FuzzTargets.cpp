#include "fuzz/FuzzTargets.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>

#include "app/BatchRun.h"
#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/Loader.h"
#include "model/StreamError.h"
#include "model/WriteJournal.h"
#include "model/Writer.h"
#include "rules/Validator.h"
#include "tables/TextFile.h"

namespace vorandel::fuzz {

namespace {

[[noreturn]] void broken(const char* what) {
  std::fprintf(stderr, "vorandel fuzz: %s\n", what);
  std::abort();
}

struct FileBytes {
  std::string sndata;
  std::string taiki;
};

FileBytes writeToMemory(const ScenarioSet& set) {
  std::ostringstream sndata(std::ios::binary), taiki(std::ios::binary);
  writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios);
  return {sndata.str(), taiki.str()};
}

const ScenarioSet& builtInSet() {
  static const ScenarioSet set = [] {
    ScenarioSet loaded;
    loadScenarioSet(loaded, builtInData().sndata, builtInData().taiki);
    return loaded;
  }();
  return set;
}

BatchKind batchKind(int kind) {
  switch (kind) {
    case 0: return BatchKind::NameList;
    case 1: return BatchKind::OfficerTable;
    case 2: return BatchKind::ForceTable;
    default: return BatchKind::CityTable;
  }
}

}  // namespace

InputPair splitInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return {std::string_view(reinterpret_cast<const char*>(data), size), {}};
  const std::size_t length =
      std::size_t{data[0]} | std::size_t{data[1]} << 8 | std::size_t{data[2]} << 16 | std::size_t{data[3]} << 24;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::size_t cut = length < rest.size() ? length : rest.size();
  return {rest.substr(0, cut), rest.substr(cut)};
}

void loadScenarioPair(const std::uint8_t* data, std::size_t size) {
  const InputPair files = splitInput(data, size);
  ScenarioSet set;
  try {
    loadScenarioSet(set, files.first, files.second);
  } catch (const EditError&) {
    return;
  } catch (const StreamError&) {
    return;
  }
  bool valid = true;
  try {
    validateScenarios(set, 0, kAllScenarios);
  } catch (const EditError&) {
    valid = false;  // loads all the same: the program refuses such data only when generating
  }
  FileBytes written;
  try {
    written = writeToMemory(set);
  } catch (const EditError&) {
    return;
  }
  // Only a valid set is ever written to disk, and only its files must load back as they were (the
  // 16-bit chunk sizes hold the chunks of valid scenarios alone). An empty set writes nothing.
  if (!valid || set.scenarioCount() == 0) return;
  ScenarioSet again;
  try {
    loadScenarioSet(again, written.sndata, written.taiki);
  } catch (const EditError&) {
    broken("a written pair does not load again");
  } catch (const StreamError&) {
    broken("a written pair is shorter than its counts");
  }
  const FileBytes rewritten = writeToMemory(again);
  if (rewritten.sndata != written.sndata || rewritten.taiki != written.taiki)
    broken("writing a loaded pair again changes its bytes");
}

namespace {

// Whether two vectors hold the same elements; elements whose bytes are all their value (records, numbers)
// are compared as one block of bytes rather than one by one.
template <class Vector>
bool sameElements(const Vector& a, const Vector& b) {
  using T = typename Vector::value_type;
  if (a.size() != b.size()) return false;
  if constexpr (std::has_unique_object_representations_v<T>)
    return a.empty() || std::memcmp(a.data(), b.data(), sizeof(T) * a.size()) == 0;
  else
    return std::equal(a.begin(), a.end(), b.begin());
}

bool sameScenario(const Scenario& a, const Scenario& b) {
  // Binding every member by name stops compiling when a member is added or removed: this comparison
  // must then be brought up to date, or it would pass over the new member.
  const auto& [block, officerCount, waitingCount, onMapCount, states, profiles, trailer] = a;
  return block.bytes == b.block.bytes && officerCount == b.officerCount && waitingCount == b.waitingCount &&
         onMapCount == b.onMapCount && sameElements(states, b.states) && sameElements(profiles, b.profiles) &&
         trailer.bytes == b.trailer.bytes;
}

// a == b, without the comparison of every record and queue entry on its own that operator== makes: the
// refusal check runs on almost every input, and that way it was the harnesses' largest cost.
bool sameSet(const ScenarioSet& a, const ScenarioSet& b) {
  const auto& [idCapacity, longTrailer, sndataTable, taikiTable, scenarios, officerIndexById, waitingQueue] = a;
  if (idCapacity != b.idCapacity || longTrailer != b.longTrailer || !sameElements(sndataTable, b.sndataTable) ||
      !sameElements(taikiTable, b.taikiTable) || scenarios.size() != b.scenarios.size() ||
      officerIndexById.size() != b.officerIndexById.size() || waitingQueue.size() != b.waitingQueue.size())
    return false;
  for (std::size_t s = 0; s < scenarios.size(); ++s)
    if (!sameScenario(scenarios[s], b.scenarios[s])) return false;
  for (std::size_t s = 0; s < officerIndexById.size(); ++s)
    if (!sameElements(officerIndexById[s], b.officerIndexById[s])) return false;
  for (std::size_t s = 0; s < waitingQueue.size(); ++s)
    if (!sameElements(waitingQueue[s], b.waitingQueue[s])) return false;
  return true;
}

// The set the tables are applied to: a copy of the built-in set made once per process. Every input
// leaves it as it found it (Applied puts back what a batch took), so that no input copies the set.
ScenarioSet& currentSet() {
  static ScenarioSet set = builtInSet();
  return set;
}

// Runs one table on current with runBatch, which leaves the set it was given in previous when the
// table is accepted. A refused table must leave current exactly as expected; an accepted one must hand
// back in previous the set as it was.
bool runTable(ScenarioSet& current, const ScenarioSet& expected, BatchKind kind, std::string_view bytes,
              ScenarioSet& previous) {
  try {
    runBatch(current, kind, TableText{textBeforeEnd(bytes), "fuzz"}, &previous);
  } catch (const EditError&) {
    if (!sameSet(current, expected)) broken("a refused table changed the current set");
    return false;
  } catch (const StreamError&) {
    if (!sameSet(current, expected)) broken("a refused table changed the current set");
    return false;
  }
  if (!sameSet(previous, expected)) broken("an accepted table did not hand back the set as it was");
  return true;
}

// The sets that accepted batches took from the current set, put back when the input is done, the last
// one first, also when something escapes.
class Applied {
 public:
  explicit Applied(ScenarioSet& current) : current_(current) {}
  Applied(const Applied&) = delete;
  Applied& operator=(const Applied&) = delete;
  ~Applied() {
    if (second_) current_ = std::move(*second_);
    if (first_) current_ = std::move(*first_);
  }
  // Where a batch leaves the set it replaced: kept for the destructor once the batch is accepted.
  ScenarioSet& first() { return first_.emplace(); }
  ScenarioSet& second() { return second_.emplace(); }
  void firstRefused() { first_.reset(); }
  void secondRefused() { second_.reset(); }

 private:
  ScenarioSet& current_;
  std::optional<ScenarioSet> first_;
  std::optional<ScenarioSet> second_;
};

void writeAccepted(const ScenarioSet& set) {
  try {
    writeToMemory(set);
  } catch (const EditError&) {
  }
}

}  // namespace

void applyTable(int kind, const std::uint8_t* data, std::size_t size) {
  ScenarioSet& current = currentSet();
  Applied applied(current);
  if (runTable(current, builtInSet(), batchKind(kind), std::string_view(reinterpret_cast<const char*>(data), size),
               applied.first()))
    writeAccepted(current);
  else
    applied.firstRefused();
}

void applyTableThenOfficerTable(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const BatchKind first = data[0] % 2 == 0 ? BatchKind::ForceTable : BatchKind::CityTable;
  const InputPair tables = splitInput(data + 1, size - 1);
  ScenarioSet& current = currentSet();
  Applied applied(current);
  const bool firstAccepted = runTable(current, builtInSet(), first, tables.first, applied.first());
  if (!firstAccepted) applied.firstRefused();
  // What the officer table must leave as it is when refused. Assigning into a set kept from earlier
  // inputs reuses its storage, which copying into a new one would allocate.
  static ScenarioSet afterFirst;
  if (firstAccepted) afterFirst = current;
  if (runTable(current, firstAccepted ? afterFirst : builtInSet(), BatchKind::OfficerTable, tables.second,
               applied.second()))
    writeAccepted(current);
  else
    applied.secondRefused();
}

namespace {

bool sameJournalEntry(const JournalEntry& a, const JournalEntry& b) {
  return a.target == b.target && a.fresh == b.fresh && a.kept == b.kept && a.hadOld == b.hadOld &&
         a.keepBackup == b.keepBackup && a.movedIn == b.movedIn;
}

}  // namespace

void readJournal(const std::uint8_t* data, std::size_t size) {
  const std::string folder = "/fuzz/journal";
  const std::optional<Journal> journal = parseJournal(std::string(reinterpret_cast<const char*>(data), size), folder);
  if (!journal) return;
  const std::optional<Journal> again = parseJournal(journalText(*journal, folder), folder);
  if (!again) broken("a journal as written is not read again");
  if (again->run != journal->run || again->stage != journal->stage)
    broken("a journal read again has another run or stage");
  if (again->entries.size() != journal->entries.size()) broken("a journal read again has another number of files");
  for (std::size_t i = 0; i < journal->entries.size(); ++i)
    if (!sameJournalEntry(again->entries[i], journal->entries[i])) broken("a file of a journal read again differs");
}

}  // namespace vorandel::fuzz
