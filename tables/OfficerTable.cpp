#include "tables/OfficerTable.h"

#include <optional>

#include "model/CellError.h"
#include "model/EditError.h"
#include "rules/GameRules.h"
#include "tables/BatchTable.h"
#include "tables/CellParsers.h"
#include "tables/OfficerColumns.h"
#include "tables/OfficerTableFinishing.h"
#include "tables/OfficerTablePlacement.h"
#include "tables/OfficerTableRow.h"
#include "tables/OfficerTableWaitingOrder.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

constexpr std::size_t kMaxCells = kKeyCells + kOfficerColumnCount;
constexpr int kNewOfficerMode = 3;

// Reads the header and the switch row: where each value column stands, which are switched on, and
// whether a city that loses its last serving officer loses its owner.
void readColumns(OfficerImport& import, TableLines& lines) {
  const std::optional<std::string_view> headerLine = lines.next();
  const std::optional<std::string_view> switchLine = lines.next();
  require(switchLine.has_value(), "输入文件至少要有两行");
  // Splitting stops at one cell too many, however long the line.
  std::vector<std::string_view> header, switches;
  const bool headerFits = splitCellsUpTo(*headerLine, kMaxCells, header);
  require(header.size() > kKeyCells, "输入文件列数不对");
  require(headerFits, "存在多余的列");
  require(splitCellsUpTo(*switchLine, header.size(), switches) && switches.size() == header.size(),
          "前两行的列数不一致");

  const std::span<const std::string_view> keys(header.data(), kKeyCells);
  if (joinCells(keys, " ") != "剧本 ID 姓名 设置 编号")
    raiseCellError({0, 0}, "第一行前五列必须为： 剧本 ID 姓名 设置 编号");

  import.columnSlot.fill(0);
  import.columnWeight.assign(header.size(), 0);
  for (std::size_t j = kKeyCells; j < header.size(); ++j) {
    const std::optional<int> column = officerColumnTable().find(header[j]);
    if (!column) raiseCellError({0, static_cast<std::uint32_t>(j)}, "输入文件存在错误数据，请检查非数字文本串。");
    import.columnSlot[static_cast<std::size_t>(*column)] = j;
  }
  for (std::size_t j = kKeyCells; j < switches.size(); ++j) {
    import.columnWeight[j] = atCell({1, static_cast<std::uint32_t>(j)}, [&] { return parseSwitch(switches[j]);
  }) ? 2 : 1;
}
  import.releaseEmptyCity = atCell({1, 3}, [&] { return parseSwitch(switches[3]);
  }  // namespace
);
}  // namespace vorandel

// The key cells; every row must have them right, also a row that is skipped. Errors name the row's
// first cell.
void readKeyCells(const OfficerImport& import, OfficerRow& row) {
  row.s = static_cast<std::size_t>(parseBounded(row.cells[0], static_cast<std::int32_t>(import.set.scenarioCount())));
  row.id = parseBounded(row.cells[1], kIdLimit);
  row.rowMode = parseBounded(row.cells[3], 5);
  row.orderKey = static_cast<std::uint32_t>(parseBounded(row.cells[4], kMaxOrderKey));
}

void applyRowCells(OfficerImport& import, OfficerRow& row) {
  ScenarioSet& set = import.set;
  row.at = {row.line, 0};
  if (!row.cellsFit || row.cells.size() != import.columnWeight.size()) failCell("每行的列数必须一致。");
  readKeyCells(import, row);
  if (row.rowMode == 0) return;

  row.at = {row.line, 1};
  if (row.s >= set.scenarioCount()) failCell("剧本编号错误");
  if (row.rowMode == kNewOfficerMode) addMissingOfficer(import, row);
  row.at = {row.line, 1};
  if (static_cast<std::uint32_t>(row.id) >= set.idCapacity) failCell("头像编号错误");
  const std::optional<OfficerIndex> found = set.officerIndexOf(row.s, row.id);
  if (!found) return;  // the scenario has no such officer: the row is not for it
  row.index = found->value;

  std::uint8_t& uses = import.rowIdCount[row.s][static_cast<std::size_t>(row.id)];
  if (uses != 0) failCell("ID重复");
  uses = 1;

  if (set.scenario(row.s).officerState(row.number()).get(state::status) == kWaiting) applyStatusColumn(import, row);
  row.at = {row.line, 1};
  for (int column = 0; column < kOfficerColumnCount; ++column)
    if (appliesColumn(import, row, column))
      officerColumns()[static_cast<std::size_t>(column)].read(import, row, enterCell(import, row, column));
  finishOfficerRow(import, row);
}

// A bad value anywhere in the row is reported at the cell the row was at.
void applyRow(OfficerImport& import, OfficerRow& row) {
  try {
    applyRowCells(import, row);
  } catch (const CellFault& fault) {
    raiseCellError(row.at, fault.text());
  }
}

}  // namespace

bool appliesColumn(const OfficerImport& import, const OfficerRow& row, int column) {
  const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
  return import.columnWeight[slot] + (row.justAdded ? 1 : 0) > 1;
}

std::string_view enterCell(const OfficerImport& import, OfficerRow& row, int column) {
  const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
  row.at = {row.line, static_cast<std::uint32_t>(slot)};
  return unquoteCell(row.cells[slot]);
}

void importOfficerTable(ScenarioSet& set, TableText table) {
  buildVocabularyTables();
  officerColumnTable();
  TableLines lines(table.bytes);
  OfficerImport import(set);
  readColumns(import, lines);
  import.rowIdCount.assign(set.scenarioCount(), std::vector<std::uint8_t>(kIdLimit, 0));
  import.newIdCount.assign(set.scenarioCount(), std::vector<std::uint8_t>(kIdLimit, 0));
  import.itemCount.assign(set.scenarioCount(), {});

  std::uint32_t number = 1;
  while (const std::optional<std::string_view> line = lines.next()) {
    OfficerRow row;
    row.line = ++number;
    row.cellsFit = splitCellsUpTo(*line, import.columnWeight.size(), row.cells);
    applyRow(import, row);
  }
  orderWaitingOfficers(set);
}

}  // namespace vorandel
