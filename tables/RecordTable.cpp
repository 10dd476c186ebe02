#include "tables/RecordTable.h"

#include "model/CellError.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"
#include "tables/CellParsers.h"

namespace vorandel {

namespace {

constexpr const char* kUnevenRows = "每行列数必须一样";

// A value column as the header and the switch row give it: two bytes, so that a header of very many
// columns costs less memory than its text.
struct ValueColumn {
  std::uint8_t code = 0;
  bool on = false;
};

// The value columns named by the header and switched by the switch row, in file order. The leading
// cells of the switch row are kept for the table's own use.
std::vector<ValueColumn> readValueColumns(std::string_view headerLine, std::string_view switchLine,
                                          const RecordTableLayout& layout, const RecordTableActions& actions) {
  const std::size_t width = countCells(headerLine, SIZE_MAX - 1);
  require(countCells(switchLine, width) == width, kUnevenRows);
  const std::size_t leading = layout.leadingColumns;
  require(width >= leading, layout.tooFewColumns);

  LineCells header(headerLine);
  std::vector<std::string_view> leadingHeader;
  for (std::size_t j = 0; j < leading; ++j) leadingHeader.push_back(*header.next());
  require(joinCells(leadingHeader, " ") == layout.leadingHeader, layout.wrongLeadingHeader);

  const ColumnDictionary& dictionary = actions.columns();
  std::vector<ValueColumn> columns(width - leading);
  for (std::size_t j = leading; j < width; ++j) {
    const std::optional<int> code = dictionary.find(*header.next());
    if (!code) raiseCellError({0, static_cast<std::uint32_t>(j)}, "输入文件存在错误数据，请检查非数字文本串。");
    columns[j - leading].code = static_cast<std::uint8_t>(*code);
  }

  LineCells switches(switchLine);
  std::vector<std::string_view> leadingSwitches;
  for (std::size_t j = 0; j < leading; ++j) leadingSwitches.push_back(*switches.next());
  for (std::size_t j = leading; j < width; ++j) {
    const std::string_view cell = *switches.next();
    columns[j - leading].on = atCell({1, static_cast<std::uint32_t>(j)}, [&] { return parseSwitch(cell); });
  }
  if (actions.readSwitchRow) actions.readSwitchRow(leadingSwitches, {1, static_cast<std::uint32_t>(width - 1)});
  return columns;
}

}  // namespace

void applyRecordTable(ScenarioSet& set, TableText table, const RecordTableLayout& layout,
                      const RecordTableActions& actions) {
  TableLines lines(table.bytes);
  const std::optional<std::string_view> headerLine = lines.next();
  const std::optional<std::string_view> switchLine = lines.next();
  require(switchLine.has_value(), "输入文件至少要两行");
  const std::vector<ValueColumn> columns = readValueColumns(*headerLine, *switchLine, layout, actions);
  const std::size_t leading = layout.leadingColumns;
  const std::size_t width = leading + columns.size();

  std::vector<std::string_view> leadingCells;
  std::uint32_t r = 1;
  while (const std::optional<std::string_view> line = lines.next()) {
    ++r;
    // The row's width is checked before any of its cells is read; counting stops at one cell too many.
    require(countCells(*line, width) == width, kUnevenRows);
    LineCells cells(*line);
    leadingCells.clear();
    for (std::size_t j = 0; j < leading; ++j) leadingCells.push_back(*cells.next());

    // Errors in the leading cells name the row's first cell.
    const CellPosition rowStart{r, 0};
    if (!atCell(rowStart, [&] { return parseSwitch(leadingCells[leading - 1]); })) continue;
    const auto s =
        static_cast<std::size_t>(atCell(rowStart, [&] { return parseBounded(leadingCells[0], kMaxScenarios); }));
    if (s >= set.scenarioCount()) continue;
    const int record =
        atCell(rowStart, [&] { return parseRanged(leadingCells[1], layout.firstRecord, layout.lastRecord, 10); });

    Scenario& scenario = set.scenario(s);
    for (std::size_t j = leading; j < width; ++j) {
      const std::string_view cell = *cells.next();
      const ValueColumn& column = columns[j - leading];
      if (!column.on) continue;
      atCell({r, static_cast<std::uint32_t>(j)},
             [&] { actions.applyCell(scenario, record, column.code, unquoteCell(cell)); });
    }
    if (actions.finishRow) actions.finishRow(scenario, record);
  }
}

}  // namespace vorandel
