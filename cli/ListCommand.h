#pragma once
// The list command: the names a table cell accepts (cities, items, skills, formations, statuses,
// duties) and the columns of a table with what each accepts, from the descriptions the importers read.
#include <ostream>
#include <string>

#include "cli/CommandLine.h"

namespace vorandel {

// The vocabulary or the columns the command asks for, as tab-separated lines (UTF-8).
std::string listText(const CommandLine& options);

}  // namespace vorandel
