#include "app/RestorePair.h"

#include <array>

#include "app/AppMessages.h"
#include "app/SetDiff.h"
#include "model/EditError.h"
#include "model/FileRead.h"
#include "model/Loader.h"
#include "model/Message.h"
#include "model/StreamError.h"
#include "model/SystemFiles.h"

namespace vorandel {

namespace {

struct LoadedPair {
  std::string sndata, taiki;
  std::optional<ScenarioSet> set;  // none when the bytes are no pair the program can read
};

LoadedPair loadPair(std::string sndata, std::string taiki) {
  LoadedPair pair{std::move(sndata), std::move(taiki), ScenarioSet{}};
  try {
    loadScenarioSet(*pair.set, pair.sndata, pair.taiki);
  } catch (const EditError&) {
    pair.set.reset();
  } catch (const StreamError&) {
    pair.set.reset();
  }
  return pair;
}

LoadedPair loadGeneration(const Generation& generation) {
  return loadPair(readWholeFile(platform::pathIn(generation.path, kSndataName), kMaxScenarioFileSize),
                  readWholeFile(platform::pathIn(generation.path, kTaikiName), kMaxScenarioFileSize));
}

// "武将 3 项、城市 1 项不同", counted by the kind of record of each changed cell.
std::string differenceText(const std::optional<ScenarioSet>& kept, const std::optional<ScenarioSet>& current) {
  if (!current) return kNoCurrentPair;
  if (!kept) return kBrokenGenerationShort;
  const std::vector<FieldChange> changes = compareSets(*current, *kept);
  if (changes.empty()) return kSameAsCurrent;
  const std::array kinds{ChangedRecord::Scenario, ChangedRecord::Officer, ChangedRecord::Force, ChangedRecord::City};
  std::string text;
  for (const ChangedRecord kind : kinds) {
    std::size_t count = 0;
    for (const FieldChange& change : changes) count += change.record == kind ? 1 : 0;
    if (count == 0) continue;
    if (!text.empty()) text += "、";
    text += formatMessage("%s %zu 项", changedRecordName(kind), count);
  }
  return text + "不同";
}

}  // namespace

std::vector<GenerationChoice> generationChoices(const std::string& folder) {
  std::optional<ScenarioSet> current;
  if (holdsPair(folder)) {
    PairBytes bytes = readScenarioPair(folder);
    current = loadPair(std::move(bytes.sndata), std::move(bytes.taiki)).set;
    if (!current) current = ScenarioSet{};  // a pair the program cannot read differs from every generation
  }
  std::vector<GenerationChoice> choices;
  for (Generation& generation : listGenerations(folder)) {
    const LoadedPair kept = loadGeneration(generation);
    choices.push_back({std::move(generation), differenceText(kept.set, current)});
  }
  return choices;
}

std::optional<Generation> findGeneration(const std::vector<GenerationChoice>& choices, const std::string& word) {
  const bool number = !word.empty() && word.size() <= 4 && word.find_first_not_of("0123456789") == std::string::npos;
  if (number) {
    const std::size_t n = std::stoul(word);
    if (n >= 1 && n <= choices.size()) return choices[n - 1].generation;
    return std::nullopt;
  }
  for (const GenerationChoice& choice : choices)
    if (choice.generation.name == word) return choice.generation;
  return std::nullopt;
}

ReplacedPair restoreGeneration(const std::string& folder, const Generation& generation) {
  const LoadedPair kept = loadGeneration(generation);
  if (!kept.set) throw FileError(Message::withPaths(kBrokenGeneration, {generation.path}));
  return replacePair(folder, {kept.sndata, kept.taiki});
}

}  // namespace vorandel
