#include "tables/RecordTable.h"

#include <array>

#include "model/CellError.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/CellParsers.h"
#include "tables/TableHeader.h"
#include "tables/TableMessages.h"

namespace vorandel {

namespace {

constexpr const char* kUnevenRows = "每行列数必须一样";

// A value column as the header and the switch row give it: two bytes, so that a header of very many
// columns costs less memory than its text.
struct ValueColumn {
  std::uint8_t code = 0;
  bool on = false;
};

// One import's way of meeting a bad cell: raised as the cell error at the written position with details
// that name the cell really at fault, or, when listing, noted.
class CellReader {
 public:
  CellReader(TableText table, TableReport report) : table_(table), report_(report) {}

  // Runs the action; false when it failed and the failure was noted.
  template <class Action>
  bool read(CellPosition written, const CellSubject& subject, Action&& action) {
    try {
      action();
      return true;
    } catch (const CellFault& fault) {
      if (report_.problems != nullptr) {
        report_.problems->addMade([&] { return problemLine(subject, fault); });
        return false;
      }
      raiseCellFault(table_.name, written, subject, fault);
    }
  }

  // A row whose cell count differs from the header's; false when it was noted.
  bool unevenRow(std::uint32_t row, std::string_view line, std::size_t width) {
    const std::string counts =
        formatMessage("第%u行有 %zu 个单元格，表头有 %zu 个", row + 1, countCells(line, SIZE_MAX - 1), width);
    if (report_.problems != nullptr) {
      report_.problems->add(counts + "：" + kUnevenRows);
      return false;
    }
    EditError error(kUnevenRows);
    if (!table_.name.empty()) error.addDetail(tableLine(table_.name));
    error.addDetail(counts);
    throw error;
  }

  void warnRow(const std::string& what, std::uint32_t row) const {
    if (report_.warnings != nullptr) report_.warnings->atRow(what, row);
  }
  ImportWarnings* warnings() const { return report_.warnings; }
  TableText table() const { return table_; }

 private:
  TableText table_;
  TableReport report_;
};

// The value columns named by the header and switched by the switch row, in file order. The leading
// cells of the switch row are kept for the table's own use.
std::vector<ValueColumn> readHeader(std::string_view headerLine, std::string_view switchLine,
                                    const RecordTableLayout& layout, const RecordTableActions& actions,
                                    CellReader& reader) {
  const std::size_t width = countCells(headerLine, SIZE_MAX - 1);
  if (countCells(switchLine, width) != width) {
    EditError error(kUnevenRows);
    if (!reader.table().name.empty()) error.addDetail(tableLine(reader.table().name));
    error.addDetail(formatMessage("第2行（开关行）有 %zu 个单元格，第1行（表头）有 %zu 个",
                                  countCells(switchLine, SIZE_MAX - 1), width));
    throw error;
  }
  const std::size_t leading = layout.leadingColumns;
  require(width >= leading, layout.tooFewColumns);

  LineCells header(headerLine);
  std::vector<std::string_view> leadingHeader;
  for (std::size_t j = 0; j < leading; ++j) leadingHeader.push_back(*header.next());
  if (joinCells(leadingHeader, " ") != layout.leadingHeader) {
    EditError error(layout.wrongLeadingHeader);
    if (!reader.table().name.empty()) error.addDetail(tableLine(reader.table().name));
    error.addDetail(formatMessage("第1行前%zu列应为「%s」，表中是「%s」", leading, layout.leadingHeader,
                                  joinCells(leadingHeader, " ").c_str()));
    throw error;
  }

  std::vector<ValueColumn> columns;
  columns.reserve(width - leading);
  ValueColumns reading{&actions.columns(), actions.describe, reader.warnings()};
  readValueColumns({reader.table(), headerLine, switchLine, leading}, reading, [&](std::size_t, int code, bool on) {
    columns.push_back(ValueColumn{static_cast<std::uint8_t>(code), on});
  });

  LineCells switches(switchLine);
  std::vector<std::string_view> leadingSwitches;
  for (std::size_t j = 0; j < leading; ++j) leadingSwitches.push_back(*switches.next());
  if (actions.readSwitchRow) actions.readSwitchRow(leadingSwitches, {1, static_cast<std::uint32_t>(width - 1)});
  return columns;
}

}  // namespace

void applyRecordTable(ScenarioSet& set, TableText table, const RecordTableLayout& layout,
                      const RecordTableActions& actions, TableReport report) {
  CellReader reader(table, report);
  TableLines lines(table.bytes);
  const std::optional<std::string_view> headerLine = lines.next();
  const std::optional<std::string_view> switchLine = lines.next();
  require(switchLine.has_value(), "输入文件至少要两行");
  const std::vector<ValueColumn> columns = readHeader(*headerLine, *switchLine, layout, actions, reader);
  if (report.headerOnly) return;
  const std::size_t leading = layout.leadingColumns;
  const std::size_t width = leading + columns.size();

  // What the leading cells hold, for the messages about them.
  const std::vector<std::string_view> leadingHeaders = splitCells(layout.leadingHeader);
  const ColumnInfo scenarioInfo{"", CellForm::Number, ColumnRange{0, kMaxScenarios}, nullptr};
  const ColumnInfo recordInfo{"", CellForm::Number, ColumnRange{layout.firstRecord, layout.lastRecord}, nullptr};
  const ColumnInfo switchInfo{"", CellForm::Switch, ColumnRange{0, 1}, nullptr};
  auto leadingSubject = [&](std::uint32_t r, std::size_t j, std::string_view cell, const ColumnInfo& info) {
    return CellSubject{{r, static_cast<std::uint32_t>(j)}, leadingHeaders[j], cell, &info};
  };

  std::vector<std::string_view> leadingCells;
  std::vector<std::string_view> valueCells;
  std::uint32_t r = 1;
  while (const std::optional<std::string_view> line = lines.next()) {
    ++r;
    // The row's width is checked before any of its cells is read; counting stops at one cell too many.
    if (countCells(*line, width) != width && !reader.unevenRow(r, *line, width)) continue;
    LineCells cells(*line);
    leadingCells.clear();
    for (std::size_t j = 0; j < leading; ++j) leadingCells.push_back(*cells.next());

    // Errors in the leading cells name the row's first cell.
    const CellPosition rowStart{r, 0};
    bool on = false;
    int scenarioNumber = 0;
    int record = 0;
    if (!reader.read(rowStart, leadingSubject(r, leading - 1, leadingCells[leading - 1], switchInfo),
                     [&] { on = parseSwitch(leadingCells[leading - 1]); }))
      continue;
    if (!on) continue;
    if (!reader.read(rowStart, leadingSubject(r, 0, leadingCells[0], scenarioInfo),
                     [&] { scenarioNumber = parseBounded(leadingCells[0], kMaxScenarios); }))
      continue;
    const auto s = static_cast<std::size_t>(scenarioNumber);
    if (s >= set.scenarioCount()) {
      reader.warnRow(formatMessage("剧本编号不在 0–%zu 之内的行没有改变任何数据", set.scenarioCount() - 1), r);
      continue;
    }
    if (!reader.read(rowStart, leadingSubject(r, 1, leadingCells[1], recordInfo),
                     [&] { record = parseRanged(leadingCells[1], layout.firstRecord, layout.lastRecord, 10); }))
      continue;

    Scenario& scenario = set.scenario(s);
    valueCells.clear();
    for (std::size_t j = leading; j < width; ++j) valueCells.push_back(*cells.next());
    const auto applyValue = [&](std::size_t j, bool first) {
      const std::string_view cell = valueCells[j - leading];
      const ValueColumn& column = columns[j - leading];
      if (!column.on || (column.code == actions.firstCode) != first) return;
      const CellPosition at{r, static_cast<std::uint32_t>(j)};
      const ColumnInfo* info = actions.describe ? &actions.describe(column.code) : nullptr;
      const std::string value = unquoteCell(cell);
      reader.read(at, {at, info != nullptr ? info->header : "", cell, info}, [&] {
        if (first)
          actions.applyFirst(set, s, record, value);
        else
          actions.applyCell(scenario, record, column.code, value);
      });
    };
    // The column that changes who rules what comes before the row's other columns.
    if (actions.firstCode >= 0)
      for (std::size_t j = leading; j < width; ++j) applyValue(j, true);
    for (std::size_t j = leading; j < width; ++j) applyValue(j, false);
    if (actions.finishRow) actions.finishRow(scenario, record);
  }
}

}  // namespace vorandel
