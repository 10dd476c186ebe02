#include "tables/OfficerTable.h"

#include <algorithm>
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
#include "tables/TableHeader.h"
#include "tables/TableMessages.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

constexpr std::size_t kMaxCells = kKeyCells + kOfficerColumnCount;
constexpr int kNewOfficerMode = 3;

Message tableDetails(const OfficerImport& import) {
  return import.table.name.empty() ? Message() : tableLine(import.table.name);
}

[[noreturn]] void raiseWithDetails(const char* text, Message details) {
  EditError error(text);
  if (!details.empty()) error.addDetail(details);
  throw error;
}

void warnRow(const OfficerImport& import, const std::string& what, std::uint32_t line) {
  if (import.warnings != nullptr) import.warnings->atRow(what, line);
}

// Cell j of the row, as messages name it.
CellSubject cellSubject(const OfficerImport& import, const OfficerRow& row, CellPosition at) {
  const std::size_t j = at.column;
  const std::string_view header = j < import.header.size() ? import.header[j] : std::string_view();
  const std::string_view cell = j < row.cells.size() ? row.cells[j] : std::string_view();
  return CellSubject{at, header, cell, officerCellInfo(import, j)};
}

// Runs one step of the row. A bad value is raised at the cell the row is at, with details that name the
// cell really at fault; when listing, it is noted there and the step gives false.
template <class Step>
bool readStep(OfficerImport& import, OfficerRow& row, Step&& step) {
  try {
    step();
    return true;
  } catch (const CellFault& fault) {
    const CellSubject subject = cellSubject(import, row, row.blame.value_or(row.at));
    row.blame.reset();
    ProblemList* problems = import.problems;
    if (problems == nullptr) raiseCellFault(import.table.name, row.at, subject, fault);
    problems->addMade([&] { return problemLine(subject, fault); });
    return false;
  }
}

// A row whose cell count differs from the header's.
void unevenRow(const OfficerImport& import, const OfficerRow& row) {
  constexpr const char* kUneven = "每行的列数必须一致。";
  const std::size_t width = import.columnWeight.size();
  const std::string counts = formatMessage("第%u行有 %s%zu 个单元格，表头有 %zu 个", row.line + 1,
                                           row.cellsFit ? "" : "多于", row.cellsFit ? row.cells.size() : width, width);
  if (import.problems != nullptr) {
    import.problems->add(counts + "：" + kUneven);
    return;
  }
  raiseCellError({row.line, 0}, kUneven, tableDetails(import).textLine(counts));
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
  if (ProblemList* problems = import.problems) {
    problems->addMade([&] {
      return inTable ? place + " " + finding.fault : formatMessage("第%u行：%s  ", row.line + 1, finding.fault) + place;
    });
    return;
  }
  Message details = tableDetails(import);
  details.textLine(formatMessage("这是第%u行整行的规则，位置只是这一行最后处理的单元格", row.line + 1));
  details.textLine(place);
  raiseCellError(row.at, finding.fault, details);
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

// Applies one data row, or, when listing, reads every cell of it that a row of its kind reads.
void applyRow(OfficerImport& import, OfficerRow& row) {
  ScenarioSet& set = import.set;
  row.at = {row.line, 0};
  if (!row.cellsFit || row.cells.size() != import.columnWeight.size()) return unevenRow(import, row);
  if (!readStep(import, row, [&] { readKeyCells(import, row); })) return;
  if (row.rowMode == 0) return;

  row.at = {row.line, 1};
  row.blame = CellPosition{row.line, 0};
  if (!readStep(import, row, [&] {
        if (row.s >= set.scenarioCount()) failCell(kScenarioNumberWrong, FaultKind::OutOfRange);
      }))
    return;
  row.blame.reset();
  if (row.rowMode == kNewOfficerMode) {
    try {
      if (!readStep(import, row, [&] { addMissingOfficer(import, row); })) return;
    } catch (const EditError& error) {  // the scenario takes no further officer
      if (import.problems == nullptr) throw;
      import.problems->add(formatMessage("第%u行：%s", row.line + 1, error.text().c_str()));
      return;
    }
  }
  row.at = {row.line, 1};
  if (!readStep(import, row, [&] {
        if (static_cast<std::uint32_t>(row.id) >= set.idCapacity) failCell("头像编号错误");
      }))
    return;
  const std::optional<OfficerIndex> found = set.officerIndexOf(row.s, row.id);
  if (!found) {  // the scenario has no such officer: the row is not for it
    warnRow(import, "剧本中没有该ID武将的行没有改变任何数据（设置为3的行才会新建武将）", row.line);
    return;
  }
  row.index = found->value;

  std::uint8_t& uses = import.rowIdCount[row.s][static_cast<std::size_t>(row.id)];
  if (!readStep(import, row, [&] {
        if (uses != 0) failCell(kIdRepeated);
      }))
    return;
  uses = 1;

  const unsigned status = set.scenario(row.s).officerState(row.number()).get(state::status);
  if (status == kWaiting) {
    readStep(import, row, [&] { applyStatusColumn(import, row); });
  } else if (appliesColumn(import, row, kStatusColumn)) {
    const std::size_t slot = import.columnSlot[kStatusColumn];
    const std::optional<int> named = statusTable().find(unquoteCell(row.cells[slot]));
    if (!named || static_cast<unsigned>(*named) != status)
      warnRow(import, "已上场武将的「身份」与表中不同：「身份」只对待命武将起作用，这些行的身份没有改变", row.line);
  }
  row.at = {row.line, 1};
  for (int column = 0; column < kOfficerColumnCount; ++column)
    if (appliesColumn(import, row, column))
      readStep(import, row, [&] {
        const std::string cell = enterCell(import, row, column);
        officerColumns()[static_cast<std::size_t>(column)].read(import, row, cell);
      });
  finishRow(import, row);
}

}  // namespace

void readOfficerColumns(OfficerImport& import, TableLines& lines) {
  const std::optional<std::string_view> headerLine = lines.next();
  const std::optional<std::string_view> switchLine = lines.next();
  require(switchLine.has_value(), "输入文件至少要有两行");
  // Splitting stops at one cell too many, however long the line.
  std::vector<std::string_view>& header = import.header;
  std::vector<std::string_view> switches;
  header.clear();
  const bool headerFits = splitCellsUpTo(*headerLine, kMaxCells, header);
  if (header.size() <= kKeyCells)
    raiseWithDetails("输入文件列数不对", tableDetails(import).textLine(formatMessage(
                                             "第1行只有 %zu 列，至少要有 %zu 列", header.size(), kKeyCells + 1)));
  if (!headerFits)
    raiseWithDetails("存在多余的列", tableDetails(import).textLine(
                                         formatMessage("第1行多于 %zu 列（武将表最多 %zu 列）", kMaxCells, kMaxCells)));
  if (!splitCellsUpTo(*switchLine, header.size(), switches) || switches.size() != header.size())
    raiseWithDetails("前两行的列数不一致",
                     tableDetails(import).textLine(formatMessage("第1行有 %zu 列，第2行有 %s%zu 列", header.size(),
                                                                 switches.size() > header.size() ? "多于" : "",
                                                                 std::min(switches.size(), header.size()))));

  const std::span<const std::string_view> keys(header.data(), kKeyCells);
  if (joinCells(keys, " ") != "剧本 ID 姓名 设置 编号")
    raiseCellError({0, 0}, "第一行前五列必须为： 剧本 ID 姓名 设置 编号",
                   tableDetails(import).textLine("表中是「" + joinCells(keys, " ") + "」"));

  import.columnSlot.fill(0);
  import.columnWeight.assign(header.size(), 0);
  const ValueColumns columns{
      &officerColumnTable(),
      [](int code) -> const ColumnInfo& { return officerColumns()[static_cast<std::size_t>(code)].info; },
      import.warnings};
  readValueColumns({import.table, *headerLine, *switchLine, kKeyCells}, columns, [&](std::size_t j, int code, bool on) {
    import.columnSlot[static_cast<std::size_t>(code)] = j;
    import.columnWeight[j] = on ? 2 : 1;
  });
  static const ColumnInfo switchInfo{"", CellForm::Switch, ColumnRange{0, 1}, nullptr};
  const CellPosition at{1, 3};
  try {
    import.releaseEmptyCity = parseSwitch(switches[3]);
  } catch (const CellFault& fault) {
    raiseCellFault(import.table.name, at, {at, header[3], switches[3], &switchInfo}, fault);
  }
}

// The key cells; every row must have them right, also a row that is skipped. Errors name the row's
// first cell.
void readKeyCells(const OfficerImport& import, OfficerRow& row) {
  row.blame = CellPosition{row.line, 0};
  row.s = static_cast<std::size_t>(parseBounded(row.cells[0], static_cast<std::int32_t>(import.set.scenarioCount())));
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
  if (j >= import.header.size()) return nullptr;
  const std::optional<int> column = officerColumnTable().find(import.header[j]);
  return column ? &officerColumns()[static_cast<std::size_t>(*column)].info : nullptr;
}

bool appliesColumn(const OfficerImport& import, const OfficerRow& row, int column) {
  const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
  return import.columnWeight[slot] + (row.justAdded ? 1 : 0) > 1;
}

std::string enterCell(const OfficerImport& import, OfficerRow& row, int column) {
  const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
  row.at = {row.line, static_cast<std::uint32_t>(slot)};
  return unquoteCell(row.cells[slot]);
}

void importOfficerTable(ScenarioSet& set, TableText table, TableReport report) {
  buildVocabularyTables();
  officerColumnTable();
  TableLines lines(table.bytes);
  OfficerImport import(set, table, report);
  readOfficerColumns(import, lines);
  if (report.headerOnly) return;
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
  if (report.problems == nullptr) orderWaitingOfficers(set);
}

void importOfficerTable(ScenarioSet& set, TableText table, ImportWarnings* warnings) {
  importOfficerTable(set, table, TableReport{warnings, nullptr});
}

}  // namespace vorandel
