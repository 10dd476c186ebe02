#pragma once
// Where a number column keeps its value within a record: a whole little-endian integer of one, two or
// four bytes, or some bits of one. The tables read such cells straight into the record, without a call
// through the column's description for every cell.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/Field.h"
#include "tables/CellParsers.h"
#include "tables/ColumnInfo.h"

namespace vorandel {

struct FieldPlace {
  std::size_t offset = 0;  // of the integer within the record
  std::size_t width = 0;   // of the integer: 1, 2 or 4 bytes
  unsigned shift = 0;      // of the value's lowest bit within the integer
  std::uint32_t mask = 0;  // the bits of the integer that hold the value, in place
};

template <class T, std::size_t Offset>
constexpr FieldPlace fieldPlace(Field<T, Offset>) {
  static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4);
  return {Offset, sizeof(T), 0, static_cast<std::uint32_t>(~0ull >> (64 - 8 * sizeof(T)))};
}

template <std::size_t Offset, unsigned Shift, unsigned Width, class Storage>
constexpr FieldPlace fieldPlace(BitField<Offset, Shift, Width, Storage> field) {
  static_assert(sizeof(Storage) == 1 || sizeof(Storage) == 2 || sizeof(Storage) == 4);
  return {Offset, sizeof(Storage), Shift, field.mask};
}

// Writes the value into its place in the record, as the record's own set() does: the bits beyond the
// field's are dropped, the integer's other bits kept.
inline void storeInPlace(const FieldPlace& place, std::uint8_t* record, std::uint32_t value) {
  std::uint8_t* const at = record + place.offset;
  const auto merged = [&](std::uint32_t old) { return (old & ~place.mask) | ((value << place.shift) & place.mask); };
  switch (place.width) {
    case 1: storeLe(at, static_cast<std::uint8_t>(merged(loadLe<std::uint8_t>(at)))); break;
    case 2: storeLe(at, static_cast<std::uint16_t>(merged(loadLe<std::uint16_t>(at)))); break;
    default: storeLe(at, merged(loadLe<std::uint32_t>(at))); break;
  }
}

// Reads the unquoted cell of a number column into its place in the record: a decimal number within the
// range. A bad cell raises a CellFault and leaves the record as it was.
inline void readNumberInto(const FieldPlace& place, ColumnRange range, std::uint8_t* record, std::string_view cell) {
  storeInPlace(place, record, static_cast<std::uint32_t>(parseRanged(cell, range.min, range.max, 10)));
}

}  // namespace vorandel
