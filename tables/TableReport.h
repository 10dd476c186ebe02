#pragma once
// Where an import tells more than its first error: the warnings of a table that was read, and, when the
// table is read a second time only to list them, every cell that cannot be read.
#include "tables/ImportWarnings.h"
#include "tables/ProblemList.h"

namespace vorandel {

struct TableReport {
  ImportWarnings* warnings = nullptr;
  // When set, the import only lists: a bad cell is noted here and reading goes on (the set it is given
  // is a scratch copy).
  ProblemList* problems = nullptr;
  // When set, the import reads the header and the switch row only and changes nothing.
  bool headerOnly = false;
};

}  // namespace vorandel
