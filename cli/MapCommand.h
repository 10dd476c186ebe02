#pragma once
// The commands that let a player see the data: map writes the SVG maps of scenarios, show prints one
// city or one force of a scenario.
#include <ostream>

#include "cli/CommandLine.h"
#include "model/Message.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// Writes the maps of the scenarios asked for (all when none) into one file, one below the other, or to
// out for "-". Returns what to tell the user. Raises UsageError for a number that is no scenario and
// FileError when the file cannot be written.
Message writeScenarioMaps(const ScenarioSet& set, const CommandLine& options, std::ostream& out);

// Prints the city or force the command names, in the terminal's charset. Raises UsageError for a
// number that is no scenario or a name that cannot be GBK, EditError when the scenario has no such city
// or force.
void showCityOrForce(const ScenarioSet& set, const CommandLine& options, const std::string& charset, std::ostream& out);

}  // namespace vorandel
