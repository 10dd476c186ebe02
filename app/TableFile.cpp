#include "app/TableFile.h"

#include "app/TableEncoding.h"
#include "model/SystemFiles.h"
#include "tables/TableExport.h"

namespace vorandel {

WriteChoices tableWriteChoices(bool force, const char* existsText) {
  WriteChoices choices;
  choices.replaceExisting = force;
  choices.cannotBackUp = kCannotBackUpTable;
  choices.existsText = existsText;
  return choices;
}

WrittenTable writeTableFile(const ScenarioSet& set, BatchKind kind, const std::string& folder,
                            const ExportColumns& columns) {
  ExportedTable table = exportTable(set, kind, {}, columns);
  WrittenTable written;
  written.path =
      folder.empty() ? std::string(defaultTableName(kind)) : platform::pathIn(folder, defaultTableName(kind));
  written.backup = writeFiles({{written.path, encodeTable(table.text, false)}}, tableWriteChoices(true)).at(0);
  written.problems = std::move(table.problems);
  return written;
}

}  // namespace vorandel
