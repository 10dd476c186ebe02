#include "app/TableFile.h"

#include "app/TableEncoding.h"
#include "model/FileRead.h"
#include "model/SystemFiles.h"
#include "tables/TableExport.h"

namespace vorandel {

WriteChoices tableWriteChoices(bool force, const char* existsText) {
  WriteChoices choices;
  choices.replaceExisting = force;
  choices.keptVersions = kKeptTableVersions;
  choices.cannotBackUp = kCannotBackUpTable;
  choices.existsText = existsText;
  return choices;
}

PreparedTable prepareTableFile(const ScenarioSet& set, BatchKind kind, const std::string& folder,
                               const ExportColumns& columns) {
  ExportedTable table = exportTable(set, kind, {}, columns);
  PreparedTable prepared;
  prepared.path =
      folder.empty() ? std::string(defaultTableName(kind)) : platform::pathIn(folder, defaultTableName(kind));
  prepared.bytes = encodeTable(table.text, false);
  prepared.problems = std::move(table.problems);
  return prepared;
}

TableOnDisk tableOnDisk(const PreparedTable& table) {
  const platform::PathKind kind = platform::kindOf(table.path);
  // Anything but a file (a folder in its place) is no table to lose: the writer tells what it is.
  if (kind != platform::PathKind::Regular) return TableOnDisk::Missing;
  requireNotHeldOpen(table.path, platform::FileUse::Read);
  // A file far larger than the table cannot hold it.
  const std::string bytes = readFileUpTo(table.path, table.bytes.size());
  return bytes == table.bytes ? TableOnDisk::Same : TableOnDisk::Different;
}

WrittenTable writeTableFile(const PreparedTable& table) {
  WrittenTable written;
  written.path = table.path;
  written.backup = writeFiles({{table.path, table.bytes}}, tableWriteChoices(true)).at(0);
  written.problems = table.problems;
  return written;
}

}  // namespace vorandel
