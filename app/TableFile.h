#pragma once
// Writing the current data as a batch table into a folder, under the table's default name, for the
// player to edit and apply again. An earlier file of that name is kept as NAME.bak; the file writer
// (model/FileWriter.h) writes the new table beside it and moves it in, so a failure leaves the earlier
// file whole.
#include <string>
#include <vector>

#include "model/FileWriter.h"
#include "model/ScenarioSet.h"
#include "tables/TableExport.h"
#include "tables/TableKind.h"

namespace vorandel {

inline constexpr const char* kCannotBackUpTable = "无法将 %s 保存为 %s，没有导出。";

// The writer's choices for a table, report or other file of the player's: replaced when force is set
// (else refused with existsText), the earlier file kept as NAME.bak.
WriteChoices tableWriteChoices(bool force, const char* existsText = "");

struct WrittenTable {
  std::string path;                   // the table's path: folder and default name
  std::string backup;                 // where the earlier file is kept; empty when there was none
  std::vector<std::string> problems;  // one text per record whose row is switched off
};

// The table of the kind for every scenario, written to the kind's default name in folder (empty for the
// current folder). Raises FileError naming the path; the earlier file then stays as it was.
// columns: the value columns the table switches on, every one when empty.
WrittenTable writeTableFile(const ScenarioSet& set, BatchKind kind, const std::string& folder,
                            const ExportColumns& columns = {});

}  // namespace vorandel
