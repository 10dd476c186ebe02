#pragma once
// Bringing back an earlier pair of a folder from its backup folder (app/PairBackups.h): the generations
// with how each differs from the folder's current pair, and the restoring itself, through the one writer,
// the current pair becoming a generation too.
#include <string>
#include <vector>

#include "app/Generate.h"
#include "app/PairBackups.h"

namespace vorandel {

struct GenerationChoice {
  Generation generation;
  std::string differences;  // from the current pair, in the change report's words: counts per kind
};

// The generations, oldest first (the original first of all), each with its differences from the pair
// in the folder now. Raises FileError when the current pair cannot be read.
std::vector<GenerationChoice> generationChoices(const std::string& folder);

// The generation a word names: its number in the list (1 the first) or its folder's name; none when no
// generation is so named.
std::optional<Generation> findGeneration(const std::vector<GenerationChoice>& choices, const std::string& word);

// Makes the generation the folder's pair. Raises FileError (a generation that is no whole pair is
// refused so, touching nothing).
ReplacedPair restoreGeneration(const std::string& folder, const Generation& generation);

}  // namespace vorandel
