#pragma once
// Parsers of single table cells. A bad cell raises a CellFault (failCell), which the table code that
// handed over the cell names with the cell's position. Numbers behave as the standard strtol and strtoul with a 32-bit
// long, which is what the game's platform has: results saturate at the 32-bit limits on every system.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "tables/ColumnDictionary.h"
#include "tables/ColumnInfo.h"
#include "tables/TableMessages.h"

namespace vorandel {

// "0" is false and "1" is true; any other cell fails with kNotASwitch.
bool parseSwitch(std::string_view cell);

// The whole cell as strtoul reads it in the base (sign allowed, 0x prefix allowed in base 16); leftover
// characters fail with kNotAnInteger. No range check.
std::uint32_t parseUnsignedInFull(std::string_view cell, int base);

// The value of plain digits in base 10 or 16 (no sign, no prefix, at most nine decimal or eight
// hexadecimal digits, so that no value saturates), which is what nearly every such cell holds, as
// strtoul reads them; nothing for any other text.
inline std::optional<std::uint32_t> plainUnsigned(std::string_view cell, int base) {
  if (cell.empty() || cell.size() > (base == 16 ? 8u : 9u)) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : cell) {
    const auto byte = static_cast<unsigned char>(c);
    unsigned digit = byte - unsigned{'0'};  // wraps past 9 for a byte below '0': one test for both ends
    if (digit > 9) {
      if (base != 16) return std::nullopt;
      digit = (byte | 0x20u) - unsigned{'a'};  // A-F and a-f alike
      if (digit > 5) return std::nullopt;
      digit += 10;
    }
    value = value * static_cast<unsigned>(base) + digit;
  }
  return value;
}

// parseUnsignedInFull; plain digits, the common case, are read here without a call.
inline std::uint32_t parseUnsigned(std::string_view cell, int base) {
  if (base == 10 || base == 16)
    if (const std::optional<std::uint32_t> value = plainUnsigned(cell, base)) return *value;
  return parseUnsignedInFull(cell, base);
}

// The whole cell as strtol reads it in the base, then low <= value <= high, else kOutOfRange.
std::int32_t parseRangedInFull(std::string_view cell, std::int32_t low, std::int32_t high, int base);

// The value of plain decimal text (an optional sign and one to nine digits), which is what nearly every
// number cell holds, as strtol reads it; nothing for any other text.
inline std::optional<std::int32_t> plainDecimal(std::string_view cell) {
  const bool sign = !cell.empty() && (cell[0] == '-' || cell[0] == '+');
  const std::optional<std::uint32_t> magnitude = plainUnsigned(cell.substr(sign ? 1 : 0), 10);
  if (!magnitude) return std::nullopt;
  const auto value = static_cast<std::int32_t>(*magnitude);  // nine digits at the most
  return cell[0] == '-' ? -value : value;
}

// parseRangedInFull; a plain decimal cell within the range, the common case, is read here without a call.
inline std::int32_t parseRanged(std::string_view cell, std::int32_t low, std::int32_t high, int base) {
  if (base == 10) {
    const std::optional<std::int32_t> value = plainDecimal(cell);
    if (value && *value >= low && *value <= high) return *value;
  }
  return parseRangedInFull(cell, low, high, base);
}

// parseRanged with 0..high in base 10.
inline std::int32_t parseBounded(std::string_view cell, std::int32_t high) { return parseRanged(cell, 0, high, 10); }

// The bit set of the items of a list cell: bit (code mod 32) for each item. "---" is the empty set; an
// unknown item fails with kUnknownName.
std::uint32_t parseNameSet(const ColumnDictionary& names, std::string_view cell, char separator);

// Whether the cell (unquoted) is a value of the column's form: a number within its range, a switch, a
// name of its vocabulary (or a number, which names a record), a list of them; text of any kind fits a
// column of text. For telling which column a row that is short of cells left out.
bool cellFits(const ColumnInfo& info, std::string_view cell);

}  // namespace vorandel
