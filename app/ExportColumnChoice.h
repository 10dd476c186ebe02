#pragma once
// The columns a player asks an export to switch on, as he types them: the columns' headers separated
// by commas (also "，" or "、") or blanks, for example "武力,智力". A table that switches on only what
// he edits cannot set back what an earlier table changed.
#include <string_view>

#include "tables/TableExport.h"
#include "tables/TableKind.h"

namespace vorandel {

// The headers in the typed order, each once; none (every column) for text without any. Raises an
// EditError naming the first that is not a column of the kind an export can switch on, with the
// allowed headers below it; the name list has no columns to choose.
ExportColumns exportColumnsOf(BatchKind kind, std::string_view typed);

}  // namespace vorandel
