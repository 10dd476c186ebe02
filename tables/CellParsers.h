#pragma once
// Parsers of single table cells. A bad cell raises a CellFault (failCell), which the table code that
// handed over the cell names with the cell's position. Numbers behave as the standard strtol and strtoul with a 32-bit
// long, which is what the game's platform has: results saturate at the 32-bit limits on every system.
#include <cstdint>
#include <string_view>

#include "tables/ColumnDictionary.h"
#include "tables/TableMessages.h"

namespace vorandel {

// "0" is false and "1" is true; any other cell fails with kNotASwitch.
bool parseSwitch(std::string_view cell);

// The whole cell as strtoul reads it in the base (sign allowed, 0x prefix allowed in base 16); leftover
// characters fail with kNotAnInteger. No range check.
std::uint32_t parseUnsigned(std::string_view cell, int base);

// The whole cell as strtol reads it in the base, then low <= value <= high, else kOutOfRange.
std::int32_t parseRanged(std::string_view cell, std::int32_t low, std::int32_t high, int base);

// parseRanged with 0..high in base 10.
std::int32_t parseBounded(std::string_view cell, std::int32_t high);

// The bit set of the items of a list cell: bit (code mod 32) for each item. "---" is the empty set; an
// unknown item fails with kUnknownName.
std::uint32_t parseNameSet(const ColumnDictionary& names, std::string_view cell, char separator);

}  // namespace vorandel
