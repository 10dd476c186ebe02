#pragma once
// The synthetic pair of scenario files that the program carries when the game's own files are not
// supplied: eleven scenarios of invented persons on the game's map, shaped and sized like the game's
// pair and passing every rule the editor checks. The same set comes out of every run.
#include "model/ScenarioSet.h"

namespace vorandel::gendata {

// Builds the set as the loader would leave it after reading the written files: chunk tables filled in,
// derived indexes built.
ScenarioSet buildSyntheticScenarioSet();

}  // namespace vorandel::gendata
