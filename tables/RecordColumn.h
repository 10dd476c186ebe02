#pragma once
// One value column of a table whose rows are records of a scenario (the city table and the force
// table): what it holds, how a cell is read into the record, how the record's value is written as a
// cell, and whether the stored value can go through the cell unchanged. The importer, the exporter and
// the exporter's checks all work from the one description.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/ScenarioSet.h"
#include "tables/CellParsers.h"
#include "tables/ColumnInfo.h"
#include "tables/FieldPlace.h"

namespace vorandel {

// Where a number column keeps its value: a place in the record that `record` finds. A table reads such
// cells straight into the field, finding each record once per row.
struct NumberField {
  std::uint8_t* (*record)(Scenario& scenario, int record) = nullptr;  // the record's first byte
  FieldPlace place;
};

struct RecordColumn {
  ColumnInfo info;
  unsigned option = 0;  // the city option bit the column needs before it is applied; 0 for none
  // Set for a number column: its cells are read through readNumberInto, with info.range; `read` is then empty.
  std::optional<NumberField> number;
  // Parses the unquoted cell and writes it into record `record`; a bad cell raises a CellFault.
  std::function<void(Scenario& scenario, int record, std::string_view cell)> read;
  // The record's value as the cell that reads it back; empty when the exported table leaves the column out.
  std::function<std::string(const Scenario& scenario, int record)> write;
  // Whether reading the written cell gives back the stored value exactly.
  std::function<bool(const Scenario& scenario, int record)> carries;
};

// Builders of the common columns. Part names the record of the scenario that holds the field: a type
// with `static auto of(Scenario&, int)` and `static auto of(const Scenario&, int)`.

// The first byte of the record that Part gives; one function for each Part, so that the columns of a part
// find the same record.
template <class Part>
std::uint8_t* recordOf(Scenario& scenario, int record) {
  return Part::of(scenario, record).data();
}

// A decimal number within the range, in a whole integer field.
template <class Part, class T, std::size_t Offset>
RecordColumn numberColumn(const char* header, Field<T, Offset> field, ColumnRange range) {
  RecordColumn column;
  column.info = {header, CellForm::Number, range, nullptr};
  column.number = NumberField{&recordOf<Part>, fieldPlace(field)};
  column.write = [field](const Scenario& scenario, int record) {
    return std::to_string(Part::of(scenario, record).get(field));
  };
  column.carries = [field, range](const Scenario& scenario, int record) {
    const auto value = static_cast<long long>(Part::of(scenario, record).get(field));
    return value >= range.min && value <= range.max;
  };
  return column;
}

// 0 or 1 in a one-bit field.
template <class Part, class Field>
RecordColumn switchColumn(const char* header, Field field) {
  RecordColumn column;
  column.info = {header, CellForm::Switch, ColumnRange{0, 1}, nullptr};
  column.read = [field](Scenario& scenario, int record, std::string_view cell) {
    Part::of(scenario, record).set(field, parseSwitch(cell) ? 1u : 0u);
  };
  column.write = [field](const Scenario& scenario, int record) {
    return std::to_string(Part::of(scenario, record).get(field));
  };
  column.carries = [](const Scenario&, int) { return true; };
  return column;
}

}  // namespace vorandel
