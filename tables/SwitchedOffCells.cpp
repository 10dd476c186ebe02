#include "tables/SwitchedOffCells.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/CellParsers.h"
#include "tables/TableExportCells.h"

namespace vorandel {

namespace {

// The number a cell of the form holds, as its column reads it; nothing when it holds none.
std::optional<std::int64_t> numberIn(CellForm form, std::string_view cell) {
  try {
    if (form == CellForm::HexNumber) return parseUnsigned(cell, 16);
    return parseRanged(cell, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 10);
  } catch (const CellFault&) {
    return std::nullopt;
  }
}

}  // namespace

bool cellHoldsValue(const ColumnInfo& info, std::string_view cell, std::string_view written) {
  std::string cellRoom;
  std::string writtenRoom;
  const std::string_view value = unquotedCell(cell, cellRoom);
  const std::string_view data = unquotedCell(written, writtenRoom);
  if (value == data) return true;
  if (info.form != CellForm::Number && info.form != CellForm::HexNumber && info.form != CellForm::Switch) return false;
  const std::optional<std::int64_t> number = numberIn(info.form, value);
  return number && number == numberIn(info.form, data);
}

void noteSwitchedOffCell(ImportWarnings& warnings, const SwitchedOffCell& off) {
  if (off.info.form == CellForm::Shown || off.cell.empty() || off.cell == tableexport::kNoCell ||
      cellHoldsValue(off.info, off.cell, off.written) ||
      warnings.passesOver(off.scenario, off.record, off.info.header, off.cell))
    return;
  warnings.switchedOffCell(cellPlace(off.at, off.info.header), off.cell, off.written);
}

}  // namespace vorandel
