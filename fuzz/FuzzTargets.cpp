#include "fuzz/FuzzTargets.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/BatchRun.h"
#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/Loader.h"
#include "model/StreamError.h"
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

// Runs one table on current; a refused table must leave current exactly as it was.
static bool runTable(ScenarioSet& current, BatchKind kind, std::string_view bytes) {
  const ScenarioSet before = current;
  try {
    runBatch(current, kind, TableText{textBeforeEnd(bytes), "fuzz"});
    return true;
  } catch (const EditError&) {
  } catch (const StreamError&) {
  }
  if (!(current == before)) broken("a refused table changed the current set");
  return false;
}

static void writeAccepted(const ScenarioSet& set) {
  try {
    writeToMemory(set);
  } catch (const EditError&) {
  }
}

void applyTable(int kind, const std::uint8_t* data, std::size_t size) {
  ScenarioSet current = builtInSet();
  if (runTable(current, batchKind(kind), std::string_view(reinterpret_cast<const char*>(data), size)))
    writeAccepted(current);
}

void applyTableThenOfficerTable(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const BatchKind first = data[0] % 2 == 0 ? BatchKind::ForceTable : BatchKind::CityTable;
  const InputPair tables = splitInput(data + 1, size - 1);
  ScenarioSet current = builtInSet();
  runTable(current, first, tables.first);
  if (runTable(current, BatchKind::OfficerTable, tables.second)) writeAccepted(current);
}

}  // namespace vorandel::fuzz
