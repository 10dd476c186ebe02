#pragma once
// What a column of a batch table holds, as help texts and messages tell the player: its header, the
// form of its cells, and the numbers (range) or names (vocabulary) it accepts. Every table kind lists
// its columns with one of these, next to how the column is read and written.
#include <cstdint>
#include <optional>

#include "tables/ColumnDictionary.h"

namespace vorandel {

enum class CellForm {
  Number,      // a decimal number within the range
  HexNumber,   // a hexadecimal number, any value
  Switch,      // 0 or 1
  Text,        // a name written as it stands
  Name,        // one name of the vocabulary
  NameList,    // names of the vocabulary separated by commas, "---" for none
  NumberList,  // numbers within the range separated by commas
  Shown,       // written for the player's orientation; reading it changes nothing
};

// The numbers a cell accepts, both ends included.
struct ColumnRange {
  std::int32_t min = 0;
  std::int32_t max = 0;
};

struct ColumnInfo {
  const char* header = "";  // as the table's first line holds it
  CellForm form = CellForm::Number;
  std::optional<ColumnRange> range;                   // Number and NumberList cells
  const ColumnDictionary& (*vocabulary)() = nullptr;  // Name and NameList cells
};

}  // namespace vorandel
