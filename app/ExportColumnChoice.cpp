#include "app/ExportColumnChoice.h"

#include <algorithm>

#include "app/AppMessages.h"
#include "app/BatchSummary.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"

namespace vorandel {

namespace {

// The typed text with every separator a player may type made a comma.
std::string withCommas(std::string_view typed) {
  std::string text;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed.substr(i).starts_with("，") || typed.substr(i).starts_with("、")) {
      text += ',';
      i += 2;  // both are three bytes of UTF-8
    } else if (typed[i] == ' ' || typed[i] == '\t') {
      text += ',';
    } else {
      text += typed[i];
    }
  }
  return text;
}

}  // namespace

ExportColumns exportColumnsOf(BatchKind kind, std::string_view typed) {
  const std::string text = withCommas(typed);
  ExportColumns columns;
  const std::vector<std::string> allowed = exportableColumns(kind);
  for (const std::string_view name : splitList(text, ',')) {
    if (kind == BatchKind::NameList) throw EditError(kNameListHasNoColumns);
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
      EditError error(formatMessage(kUnknownExportColumn, std::string(name).c_str()));
      error.addDetail(formatMessage(kExportColumnsAllowed, batchKindName(kind), joinCells(allowed, ",").c_str()));
      throw error;
    }
    if (std::find(columns.begin(), columns.end(), name) == columns.end()) columns.emplace_back(name);
  }
  return columns;
}

}  // namespace vorandel
