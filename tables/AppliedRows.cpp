#include "tables/AppliedRows.h"

#include <charconv>
#include <optional>

#include "tables/BatchTable.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/OfficerTableRow.h"
#include "tables/TableWalker.h"

namespace vorandel {

namespace {

std::optional<long long> numberIn(std::string_view cell) {
  long long value = 0;
  const auto [end, fault] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (fault != std::errc{} || end != cell.data() + cell.size()) return std::nullopt;
  return value;
}

const TableLayout* layoutOf(BatchKind kind) {
  switch (kind) {
    case BatchKind::OfficerTable: return &officerTableLayout();
    case BatchKind::CityTable: return &cityTableLayout().table;
    case BatchKind::ForceTable: return &forceTableLayout().table;
    case BatchKind::NameList: return nullptr;
  }
  return nullptr;
}

}  // namespace

void forEachAppliedRow(BatchKind kind, std::string_view text, const std::function<void(const AppliedRow&)>& row) {
  const TableLayout* layout = layoutOf(kind);
  if (layout == nullptr) return;
  // Uneven rows are only counted, in a list that keeps none of them.
  ProblemList uneven(0);
  TableWalker walker(TableText{text, {}}, *layout, TableReport{nullptr, &uneven});
  if (!walker.takeWidth()) return;
  walker.walkRows([&](const WalkedRow& walked) {
    const std::optional<long long> on = numberIn(unquoteCell(walked.cells[layout->switchCell]));
    const std::optional<long long> s = numberIn(unquoteCell(walked.cells[0]));
    const std::optional<long long> n = numberIn(unquoteCell(walked.cells[1]));
    if (on.value_or(0) != 0 && s && n) row(AppliedRow{walked.line, *s, *n});
  });
}

bool headerNamesColumn(std::string_view text, std::string_view column) {
  LineCells cells(TableLines(text).next().value_or(std::string_view()));
  for (std::optional<std::string_view> cell = cells.next(); cell; cell = cells.next())
    if (unquoteCell(*cell) == column) return true;
  return false;
}

}  // namespace vorandel

namespace vorandel {

namespace {

// Cell j of a line; nothing when the line has fewer cells.
std::optional<std::string_view> cellOfLine(std::string_view line, std::uint32_t j) {
  LineCells cells(line);
  std::optional<std::string_view> cell = cells.next();
  for (std::uint32_t k = 0; k < j && cell; ++k) cell = cells.next();
  return cell;
}

}  // namespace

std::optional<RowCell> cellOfRow(std::string_view text, std::uint32_t line, std::uint32_t column) {
  TableLines lines(text);
  std::optional<std::string_view> header = lines.next();
  std::optional<std::string_view> wanted = header;
  for (std::uint32_t k = 0; k < line && wanted; ++k) wanted = lines.next();
  if (!header || !wanted || line == 0) return std::nullopt;
  const std::optional<std::string_view> head = cellOfLine(*header, column);
  const std::optional<std::string_view> cell = cellOfLine(*wanted, column);
  if (!head || !cell) return std::nullopt;
  return RowCell{unquoteCell(*head), unquoteCell(*cell)};
}

}  // namespace vorandel
