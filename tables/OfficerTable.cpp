#include "tables/OfficerTable.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/Messages.h"
#include "rules/GameRules.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/CellParsers.h"
#include "tables/OfficerColumns.h"
#include "tables/OfficerTableFinishing.h"
#include "tables/OfficerTablePlacement.h"
#include "tables/OfficerTableRow.h"
#include "tables/OfficerTableWaitingOrder.h"
#include "tables/SwitchedOffCells.h"
#include "tables/TableHeader.h"
#include "tables/TableMessages.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

constexpr std::size_t kMaxCells = kKeyCells + kOfficerColumnCount;
constexpr int kNewOfficerMode = 3;

// Cell j of the row, as messages name it.
CellSubject cellSubject(const OfficerImport& import, const OfficerRow& row, CellPosition at) {
  const std::size_t j = at.column;
  const std::string_view cell = j < row.cells.size() ? row.cells[j] : std::string_view();
  return CellSubject{at, import.walker.headerCell(j), cell, officerCellInfo(import, j)};
}

// Runs one step of the row. A bad value is raised at the cell the row is at, with details that name the
// cell really at fault; when listing, it is noted there and the step gives false.
template <class Step>
bool readStep(OfficerImport& import, OfficerRow& row, Step&& step) {
  return import.walker.read(step, [&] {
    const CellSubject subject = cellSubject(import, row, row.blame.value_or(row.at));
    row.blame.reset();
    return FaultPlace{row.at, subject};
  });
}

// A finishing rule that refuses the row's officer: raised at the last cell the row applied, with the cell
// of the column the rule is about below; when listing, noted at that cell.
void refuseRow(const OfficerImport& import, const OfficerRow& row, const RuleFinding& finding) {
  const OfficerColumnSpec& column = officerColumns()[static_cast<std::size_t>(finding.column)];
  const std::size_t slot = import.columnSlot[static_cast<std::size_t>(finding.column)];
  const bool inTable = slot != 0 && slot < row.cells.size();
  const CellPosition at{row.line, static_cast<std::uint32_t>(slot)};
  const std::string place = inTable
                                ? cellPlace(at, column.info.header) + "：" + quotedCell(row.cells[slot])
                                : formatMessage("与「%s」有关（表中没有这一列，值来自剧本数据）", column.info.header);
  const auto listed = [&] {
    return inTable ? place + " " + finding.fault : formatMessage("第%u行：%s  ", row.line + 1, finding.fault) + place;
  };
  const auto raised = [&] {
    Message details = import.walker.tableDetails();
    details.textLine(formatMessage("这是第%u行整行的规则，位置只是这一行最后处理的单元格", row.line + 1));
    details.textLine(place);
    raiseCellError(row.at, finding.fault, details);
  };
  import.walker.reporting().noteOrRaise(listed, raised);
}

// The finishing rules on the row's officer; each change the player is told of is counted once per officer.
void finishRow(OfficerImport& import, const OfficerRow& row) {
  Scenario& scenario = import.set.scenario(row.s);
  std::vector<const char*> counted;
  finishOfficer(
      scenario.officerState(row.number()), scenario.officerProfile(row.number()), row.id,
      RowSkills{row.namedSkills, row.extraSkills}, [&](const RuleFinding& finding) {
        if (finding.fault != nullptr) refuseRow(import, row, finding);
        if (finding.counted != nullptr && std::find(counted.begin(), counted.end(), finding.counted) == counted.end())
          counted.push_back(finding.counted);
      });
  if (import.warnings != nullptr)
    for (const char* what : counted) import.warnings->count(what);
}

// A scenario that takes no further officer, met while handling the error that says so: the error is
// raised again, or, when listing, noted for the row.
void scenarioFull(const OfficerImport& import, const OfficerRow& row, const EditError& error) {
  const auto listed = [&] { return formatMessage("第%u行：%s", row.line + 1, error.text().c_str()); };
  const auto raised = [] { std::rethrow_exception(std::current_exception()); };
  import.walker.reporting().noteOrRaise(listed, raised);
}

// The switched-off cells of a row that did not make its officer, each against his data before the row.
void noteSwitchedOffCells(const OfficerImport& import, const OfficerRow& row) {
  const OfficerAt at{import.set, row.s, row.number()};
  for (const AppliedColumn applied : import.inTable) {
    const OfficerColumnSpec& column = officerColumns()[static_cast<std::size_t>(applied.column)];
    if (import.columnWeight[applied.slot] > 1 || column.info.form == CellForm::Shown || !column.write) continue;
    const std::string written = column.write(at);
    noteSwitchedOffCell(*import.warnings, {{row.line, static_cast<std::uint32_t>(applied.slot)},
                                           column.info,
                                           row.cells[applied.slot],
                                           written,
                                           row.s,
                                           row.id});
  }
}

// Applies one data row, or, when listing, reads every cell of it that a row of its kind reads.
void applyRow(OfficerImport& import, OfficerRow& row) {
  ScenarioSet& set = import.set;
  row.at = {row.line, 0};
  if (!readStep(import, row, [&] { readKeyCells(import, row); })) return;
  if (row.rowMode == 0) return;

  if (row.s >= set.scenarioCount()) {  // a scenario beyond the set: the row is not for it
    import.walker.warnRow(formatMessage(kScenarioBeyondSet, set.scenarioCount() - 1), row.line);
    return;
  }
  row.at = {row.line, 1};
  if (row.rowMode == kNewOfficerMode) {
    try {
      if (!readStep(import, row, [&] { addMissingOfficer(import, row); })) return;
    } catch (const EditError& error) {  // the scenario takes no further officer
      scenarioFull(import, row, error);
      return;
    }
  }
  row.at = {row.line, 1};
  if (!readStep(import, row, [&] {
        // No officer of any scenario has the id, so a row that makes its officer would take it.
        if (static_cast<std::uint32_t>(row.id) >= set.idCapacity) failCellWith(kIdBeyondOfficers, kHintNewOfficerMode);
      }))
    return;
  const std::optional<OfficerIndex> found = set.officerIndexOf(row.s, row.id);
  if (!found) {  // the scenario has no such officer: the row is not for it
    import.walker.warnRow("剧本中没有该ID武将的行没有改变任何数据（设置为3的行才会新建武将）", row.line);
    return;
  }
  row.index = found->value;

  std::uint32_t& firstRow = import.idFirstRow[row.s][static_cast<std::size_t>(row.id)];
  if (!readStep(import, row, [&] {
        if (firstRow != 0) failCellWith(kIdRepeated, formatMessage(kIdFirstRow, firstRow));
      }))
    return;
  firstRow = row.line + 1;
  if (import.warnings != nullptr && !row.justAdded) noteSwitchedOffCells(import, row);

  const unsigned status = set.scenario(row.s).officerState(row.number()).get(state::status);
  if (status == kWaiting) {
    readStep(import, row, [&] { applyStatusColumn(import, row); });
  } else if (appliesColumn(import, row, kStatusColumn)) {
    const std::size_t slot = import.columnSlot[kStatusColumn];
    const std::optional<int> named = statusTable().find(unquoteCell(row.cells[slot]));
    if (!named || static_cast<unsigned>(*named) != status)
      import.walker.warnRow("已上场武将的「身份」与表中不同：「身份」只对待命武将起作用，这些行的身份没有改变",
                            row.line);
  }
  row.at = {row.line, 1};
  // The learned skills beside those of the slots stay unless the row's 已学技能 cell names them anew.
  row.namedSkills = skillsBesideSlots(stateOf(import, row), profileOf(import, row));
  std::string room;
  const std::span<const OfficerColumnSpec> columns = officerColumns();
  for (const AppliedColumn applied : row.justAdded ? import.inTable : import.switchedOn) {
    const OfficerColumnSpec& column = columns[static_cast<std::size_t>(applied.column)];
    readStep(import, row, [&] {
      row.at = {row.line, static_cast<std::uint32_t>(applied.slot)};
      const std::string_view cell = unquotedCell(row.cells[applied.slot], room);
      if (const std::optional<OfficerField>& number = column.number) {
        std::uint8_t* const record =
            number->record == OfficerRecord::State ? stateOf(import, row).bytes.data() : profileOf(import, row).bytes.data();
        readNumberInto(number->place, *column.info.range, record, cell);
      } else {
        column.read(import, row, cell);
      }
    });
    if (column.movesOfficers) row.forgetRecords();
  }
  finishRow(import, row);
}

}  // namespace

const TableLayout& officerTableLayout() {
  static const TableLayout layout = [] {
    TableLayout made;
    made.leadingColumns = kKeyCells;
    made.leadingHeader = "剧本 ID 姓名 设置 编号";
    made.switchCell = 3;
    made.fewestColumns = kKeyCells + 1;
    made.mostColumns = kMaxCells;
    made.tooFewLines = "输入文件至少要有两行";
    made.tooFewColumns = "输入文件列数不对";
    made.tooManyColumns = "存在多余的列";
    made.unevenSwitchRow = "前两行的列数不一致";
    made.wrongLeadingHeader = "第一行前五列必须为： 剧本 ID 姓名 设置 编号";
    made.wrongLeadingHeaderAtCell = true;
    made.unevenRow = kUnevenOfficerRows;
    made.unevenRowAtCell = true;
    return made;
  }();
  return layout;
}

void readOfficerColumns(OfficerImport& import) {
  TableWalker& walker = import.walker;
  walker.readHeader(
      {&officerColumnTable(),
       [](int code) -> const ColumnInfo& { return officerColumns()[static_cast<std::size_t>(code)].info; },
       import.warnings});
  import.columnSlot.fill(0);
  import.columnWeight.assign(walker.width(), 0);
  for (std::size_t k = 0; k < walker.columns().size(); ++k) {
    const ValueColumn column = walker.columns()[k];
    import.columnSlot[column.code] = kKeyCells + k;
    import.columnWeight[kKeyCells + k] = column.on ? 2 : 1;
  }
  import.switchedOn.clear();
  import.inTable.clear();
  for (int column = 0; column < kOfficerColumnCount; ++column) {
    const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
    if (slot == 0) continue;
    import.inTable.push_back({column, slot});
    if (import.columnWeight[slot] > 1) import.switchedOn.push_back({column, slot});
  }
  static const ColumnInfo switchInfo{"", CellForm::Switch, ColumnRange{0, 1}, nullptr};
  const CellPosition at{1, 3};
  try {
    import.releaseEmptyCity = parseSwitch(walker.switchRowCell(3));
  } catch (const CellFault& fault) {
    raiseCellFault(import.table.name, at, {at, walker.headerCell(3), walker.switchRowCell(3), &switchInfo}, fault);
  }
}

// The key cells; every row must have them right, also a row that is skipped. Errors name the row's
// first cell.
void readKeyCells(const OfficerImport& import, OfficerRow& row) {
  row.blame = CellPosition{row.line, 0};
  row.s = static_cast<std::size_t>(parseBounded(row.cells[0], import.scenarioInfo.range->max));
  row.blame = CellPosition{row.line, 1};
  row.id = parseBounded(row.cells[1], kIdLimit);
  row.blame = CellPosition{row.line, 3};
  row.rowMode = parseBounded(row.cells[3], 5);
  row.blame = CellPosition{row.line, 4};
  row.orderKey = static_cast<std::uint32_t>(parseBounded(row.cells[4], kMaxOrderKey));
  row.blame.reset();
}

const ColumnInfo* officerCellInfo(const OfficerImport& import, std::size_t j) {
  static const ColumnInfo idInfo{"ID", CellForm::Number, ColumnRange{0, kIdLimit}, nullptr};
  static const ColumnInfo modeInfo{"设置", CellForm::Number, ColumnRange{0, 5}, nullptr};
  static const ColumnInfo orderInfo{"编号", CellForm::Number, ColumnRange{0, kMaxOrderKey}, nullptr};
  switch (j) {
    case 0: return &import.scenarioInfo;
    case 1: return &idInfo;
    case 2: return nullptr;
    case 3: return &modeInfo;
    case 4: return &orderInfo;
  }
  if (j >= import.walker.width()) return nullptr;
  const std::optional<int> column = officerColumnTable().find(import.walker.headerCell(j));
  return column ? &officerColumns()[static_cast<std::size_t>(*column)].info : nullptr;
}

bool appliesColumn(const OfficerImport& import, const OfficerRow& row, int column) {
  const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
  return import.columnWeight[slot] + (row.justAdded ? 1 : 0) > 1;
}

std::string_view enterCell(const OfficerImport& import, OfficerRow& row, int column, std::string& room) {
  const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
  row.at = {row.line, static_cast<std::uint32_t>(slot)};
  return unquotedCell(row.cells[slot], room);
}

void importOfficerTable(ScenarioSet& set, TableText table, TableReport report) {
  buildVocabularyTables();
  officerColumnTable();
  TableWalker walker(table, officerTableLayout(), report);
  OfficerImport import(set, walker, report);
  readOfficerColumns(import);
  if (report.headerOnly) return;
  import.idFirstRow.assign(set.scenarioCount(), std::vector<std::uint32_t>(kIdLimit, 0));
  import.newIdFirstRow.assign(set.scenarioCount(), std::vector<std::uint32_t>(kIdLimit, 0));
  import.itemFirstRow.assign(set.scenarioCount(), {});

  walker.walkRows([&](const WalkedRow& walked) {
    OfficerRow row;
    row.line = walked.line;
    row.cells = walked.cells;
    applyRow(import, row);
  });
  if (report.problems == nullptr) orderWaitingOfficers(set);
}

void importOfficerTable(ScenarioSet& set, TableText table, ImportWarnings* warnings) {
  importOfficerTable(set, table, TableReport{warnings, nullptr});
}

}  // namespace vorandel
