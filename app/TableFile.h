#pragma once
// Writing the current data as a batch table into a folder, under the table's default name, for the
// player to edit and apply again. An earlier file of that name is kept as NAME.bak; the new table is
// written beside it and moved in by one rename, so a failure leaves the earlier file whole.
#include <string>
#include <vector>

#include "model/ScenarioSet.h"
#include "tables/TableKind.h"

namespace vorandel {

struct WrittenTable {
  std::string path;                   // the table's path: folder and default name
  std::string backup;                 // where the earlier file is kept; empty when there was none
  std::vector<std::string> problems;  // one text per record whose row is switched off
};

// Replaces path with bytes, keeping an existing file as path.bak. A symbolic link is followed and
// stays. Returns the backup's name (empty when there was no file). Raises FileError naming path; the
// earlier file then stays as it was.
std::string replaceKeepingBackup(const std::string& path, const std::string& bytes);

// The table of the kind for every scenario, written to the kind's default name in folder (empty for the
// current folder). Raises FileError as replaceKeepingBackup.
WrittenTable writeTableFile(const ScenarioSet& set, BatchKind kind, const std::string& folder);

}  // namespace vorandel
