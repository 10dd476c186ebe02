#pragma once
// Which batch a table file is for, told from its first line: the key headers of the officer, force and
// city tables, or the first entry of a name list.
#include <optional>
#include <string>
#include <string_view>

namespace vorandel::ui {

// The batch mode (0 name list, 1 officer table, 2 force table, 3 city table) of a table whose first
// line is given (UTF-8); nothing when the line fits none of them.
std::optional<int> batchModeOfFirstLine(std::string_view line);

// The same for a file, read up to its first line break; nothing when it cannot be read.
std::optional<int> batchModeOfFile(const std::string& path);

// Tells the player what the first line of each kind of table looks like.
extern const char* const kTableKindHint;

}  // namespace vorandel::ui
