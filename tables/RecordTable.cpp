#include "tables/RecordTable.h"

#include <span>

#include "tables/BatchTable.h"
#include "model/CellError.h"
#include "tables/CellParsers.h"
#include "model/EditError.h"

namespace vorandel {

namespace {

constexpr const char* kUnevenRows = "每行列数必须一样";

struct ValueColumn {
  int code = 0;
  bool on = false;
};

}  // namespace

void applyRecordTable(ScenarioSet& set, const std::string& path, const RecordTableLayout& layout,
                      const RecordTableActions& actions) {
  const BatchTable table = readTableLines(path);
  require(table.lines.size() >= 2, "输入文件至少要两行");

  const std::vector<std::string_view> header = splitCells(table.lines[0]);
  const std::vector<std::string_view> switches = splitCells(table.lines[1]);
  require(header.size() == switches.size(), kUnevenRows);
  const std::size_t width = header.size();
  const std::size_t leading = layout.leadingColumns;
  require(width >= leading, layout.tooFewColumns);
  require(joinCells(std::span(header).first(leading), " ") == layout.leadingHeader, layout.wrongLeadingHeader);

  const ColumnDictionary& dictionary = actions.columns();
  std::vector<ValueColumn> columns(width);
  for (std::size_t j = leading; j < width; ++j) {
    const std::optional<int> code = dictionary.find(header[j]);
    if (!code) raiseCellError({0, static_cast<std::uint32_t>(j)}, "输入文件存在错误数据，请检查非数字文本串。");
    columns[j].code = *code;
  }
  for (std::size_t j = leading; j < width; ++j) {
    columns[j].on = atCell({1, static_cast<std::uint32_t>(j)}, [&] { return parseSwitch(switches[j]); });
  }
  if (actions.readSwitchRow) actions.readSwitchRow(switches, {1, static_cast<std::uint32_t>(width - 1)});

  for (std::size_t r = 2; r < table.lines.size(); ++r) {
    const std::vector<std::string_view> cells = splitCells(table.lines[r]);
    require(cells.size() == width, kUnevenRows);
    // Errors in the leading cells name the row's first cell.
    const CellPosition rowStart{static_cast<std::uint32_t>(r), 0};
    if (!atCell(rowStart, [&] { return parseSwitch(cells[leading - 1]); })) continue;
    const auto s = static_cast<std::size_t>(atCell(rowStart, [&] { return parseBounded(cells[0], kMaxScenarios); }));
    if (s >= set.scenarioCount()) continue;
    const int record =
        atCell(rowStart, [&] { return parseRanged(cells[1], layout.firstRecord, layout.lastRecord, 10); });

    Scenario& scenario = set.scenario(s);
    for (std::size_t j = leading; j < width; ++j) {
      if (!columns[j].on) continue;
      atCell({static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(j)},
             [&] { actions.applyCell(scenario, record, columns[j].code, unquoteCell(cells[j])); });
    }
    if (actions.finishRow) actions.finishRow(scenario, record);
  }
}

}  // namespace vorandel
