#pragma once
// Writing the current data as a batch table into a folder, under the table's default name, for the
// player to edit and apply again. The file writer (model/FileWriter.h) writes the new table beside the
// earlier file and moves it in, so a failure leaves the earlier file whole; the earlier versions stay as
// NAME.bak, NAME.bak2, … (kKeptTableVersions of them). A file whose contents are already what would be
// written is left as it is.
#include <string>
#include <vector>

#include "model/FileWriter.h"
#include "model/ScenarioSet.h"
#include "tables/TableExport.h"
#include "tables/TableKind.h"

namespace vorandel {

inline constexpr const char* kCannotBackUpTable = "无法将 %s 保存为 %s，没有导出。";
// The earlier versions of an exported table that stay: NAME.bak (the newest) to NAME.bak5.
inline constexpr int kKeptTableVersions = 5;

// The writer's choices for a table, report or other file of the player's: replaced when force is set
// (else refused with existsText), the earlier versions kept as NAME.bak, NAME.bak2, ….
WriteChoices tableWriteChoices(bool force, const char* existsText = "");

// A table ready to be written.
struct PreparedTable {
  std::string path;                   // the table's path: folder and default name
  std::string bytes;                  // as the file will hold them
  std::vector<std::string> problems;  // one text per record whose row is switched off
};

// The table of the kind for every scenario, for the kind's default name in folder (empty for the
// current folder). columns: the value columns the table switches on, every one when empty.
PreparedTable prepareTableFile(const ScenarioSet& set, BatchKind kind, const std::string& folder,
                               const ExportColumns& columns = {});

// What is at the table's path now (Missing also for what is no file). Raises FileHeldOpen when another program holds
// the file, FileError when it cannot be read.
enum class TableOnDisk { Missing, Same, Different };
TableOnDisk tableOnDisk(const PreparedTable& table);

struct WrittenTable {
  std::string path;                   // the table's path
  std::string backup;                 // where the earlier file is kept; empty when there was none
  std::vector<std::string> problems;  // one text per record whose row is switched off
};

// Writes the prepared table. Raises FileError (FileHeldOpen among them) naming the path; the earlier
// file then stays as it was.
WrittenTable writeTableFile(const PreparedTable& table);

}  // namespace vorandel
