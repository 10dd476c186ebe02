#pragma once
// Turns a ScenarioSet back into the game's two files.
#include <cstddef>
#include <ostream>
#include <string>

#include "model/ScenarioSet.h"

namespace vorandel {

// Writes scenarios first .. end-1 (end limited to the scenario count; pass kAllScenarios for all).
// Returns false, writing nothing, when first is not below both the count and end. Raises
// StreamError::WriteFailed when a stream fails.
inline constexpr std::size_t kAllScenarios = static_cast<std::size_t>(-1);
bool writeScenarioStreams(const ScenarioSet& set, std::ostream& sndata, std::ostream& taiki, std::size_t first,
                          std::size_t end);

// Creates (or truncates) both files, then writes them with writeScenarioStreams and closes them. A file
// that cannot be opened, written or closed raises StreamError::WriteFailed; when failedPath is given, it
// then holds the path of the file that failed.
bool saveScenarioFiles(const ScenarioSet& set, const std::string& sndataPath, const std::string& taikiPath,
                       std::size_t first, std::size_t end, std::string* failedPath = nullptr);

}  // namespace vorandel
