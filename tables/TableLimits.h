#pragma once
// How large a batch table can be. A real table has a row for each record it changes in each scenario
// the files can hold (the officers the game allows on the map and waiting, the forces, the cities; the
// name list one entry per officer id and city), a few hundred bytes wide, and its cells are names,
// numbers and lists of names. A file far beyond that (one picked by mistake, a device that never ends)
// is refused before it is read in full or taken apart, so that the work and the memory stay within a
// few times the size of the largest real table.
#include <cstddef>
#include <string>
#include <string_view>

#include "tables/TableKind.h"

namespace vorandel {

// The bytes a row (a name list entry) may take on average: several times the widest row an export writes.
inline constexpr std::size_t kRowByteLimit = 2048;
// The longest cell, a run of bytes without a blank or a tab: twice every item's name in one list.
inline constexpr std::size_t kCellByteLimit = 1024;

// The most bytes a table of the kind can hold.
std::size_t tableByteLimit(BatchKind kind);

// Raises the EditError that refuses a table of the kind that holds more than tableByteLimit bytes;
// `name` is the table's name as the player gave it, "-" for standard input.
void requireTableSize(BatchKind kind, std::size_t size, std::string_view name);

// Raises the EditError that refuses a table with a cell longer than kCellByteLimit, naming the first.
void requireCellLengths(std::string_view text, std::string_view name);

}  // namespace vorandel
