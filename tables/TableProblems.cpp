#include "tables/TableProblems.h"

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/Messages.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/CellParsers.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/NameList.h"
#include "tables/OfficerColumns.h"
#include "tables/OfficerTableRow.h"
#include "tables/TableMessages.h"
#include "tables/Vocabulary.h"

namespace vorandel {

namespace {

void requireName(const ColumnDictionary& names, std::string_view name) {
  if (!names.find(name)) failCell(kUnknownName, FaultKind::UnknownName, std::string(name));
}

// Reads a value cell of the officer table the way its column's reader does, without applying it.
void checkOfficerCell(int column, const ColumnInfo& info, std::string_view cell) {
  switch (info.form) {
    case CellForm::Number:
      if (info.range)
        parseRanged(cell, info.range->min, info.range->max, 10);
      else
        parseUnsigned(cell, 10);
      break;
    case CellForm::HexNumber: parseUnsigned(cell, 16); break;
    case CellForm::Switch: parseSwitch(cell); break;
    case CellForm::Text:
      if (column == kNewNameColumn && cell.size() >= kOfficerNameWidth) failCell(kOfficerNameTooLong);
      break;
    case CellForm::Name:
      if (column == kDutiesColumn && cell == "---") break;
      requireName(info.vocabulary(), cell);
      break;
    case CellForm::NameList:
      if (column == kLearnableSkillsColumn) {
        if (cell == "---") failCell(kSkillsEmpty);
        const std::vector<std::string_view> names = splitList(cell, ',');
        if (names.size() != profile::learnableSkills.count) failCell(kSixSkills, FaultKind::WrongCount);
        for (const std::string_view name : names) requireName(info.vocabulary(), name);
        break;
      }
      if (cell != "---")
        for (const std::string_view name : splitList(cell, ',')) requireName(info.vocabulary(), name);
      break;
    case CellForm::NumberList:
    case CellForm::Shown: break;
  }
}

}  // namespace

void listOfficerTableProblems(const ScenarioSet& set, TableText table, ProblemList& problems) {
  buildVocabularyTables();
  ScenarioSet scratch = set;  // the import's working data wants a set; nothing is applied to it
  OfficerImport import(scratch, table);
  TableLines lines(table.bytes);
  readOfficerColumns(import, lines);

  std::uint32_t number = 1;
  while (const std::optional<std::string_view> line = lines.next()) {
    OfficerRow row;
    row.line = ++number;
    row.cellsFit = splitCellsUpTo(*line, import.columnWeight.size(), row.cells);
    auto note = [&](std::size_t j, const CellFault& fault) {
      const CellPosition at{row.line, static_cast<std::uint32_t>(j)};
      problems.add(problemLine({at, j < import.header.size() ? import.header[j] : std::string_view(),
                                j < row.cells.size() ? row.cells[j] : std::string_view(), officerCellInfo(import, j)},
                               fault));
    };
    if (!row.cellsFit || row.cells.size() != import.columnWeight.size()) {
      problems.add(formatMessage(
          "第%u行有 %s%zu 个单元格，表头有 %zu 个：每行的列数必须一致。", row.line + 1, row.cellsFit ? "" : "多于",
          row.cellsFit ? row.cells.size() : import.columnWeight.size(), import.columnWeight.size()));
      continue;
    }
    try {
      readKeyCells(import, row);
      row.blame = CellPosition{row.line, 0};
      if (row.s >= set.scenarioCount()) failCell(kScenarioNumberWrong, FaultKind::OutOfRange);
    } catch (const CellFault& fault) {
      note(row.blame.value_or(CellPosition{row.line, 0}).column, fault);
      continue;
    }
    if (row.rowMode == 0) continue;
    // A row for an officer the scenario lacks changes nothing, unless it creates him with every column.
    const std::optional<OfficerIndex> found = set.officerIndexOf(row.s, row.id);
    row.index = found ? found->value : kNoOfficerIndex;
    row.justAdded = !found;
    if (row.index < 0 && row.rowMode != 3) continue;
    const bool waiting = row.index < 0 || set.scenario(row.s).officerState(row.number()).get(state::status) == kWaiting;

    for (int column = 0; column < kOfficerColumnCount; ++column) {
      if (import.columnSlot[static_cast<std::size_t>(column)] == 0 || !appliesColumn(import, row, column)) continue;
      // These are read for waiting officers only, and items not at all in files of the long layout.
      if ((column == kStatusColumn || column == kAppearYearColumn) && !waiting) continue;
      if (column == kItemsColumn && set.longTrailer) continue;
      const std::size_t slot = import.columnSlot[static_cast<std::size_t>(column)];
      try {
        checkOfficerCell(column, officerColumns()[static_cast<std::size_t>(column)].info, unquoteCell(row.cells[slot]));
      } catch (const CellFault& fault) {
        note(slot, fault);
      }
    }
  }
}

void listTableProblems(const ScenarioSet& set, BatchKind kind, TableText table, ProblemList& problems) {
  try {
    switch (kind) {
      case BatchKind::NameList: listNameListProblems(set, table, problems); break;
      case BatchKind::OfficerTable: listOfficerTableProblems(set, table, problems); break;
      case BatchKind::ForceTable: {
        ScenarioSet scratch = set;
        importForceTable(scratch, table, TableReport{nullptr, &problems});
        break;
      }
      case BatchKind::CityTable: {
        ScenarioSet scratch = set;
        importCityTable(scratch, table, TableReport{nullptr, &problems});
        break;
      }
    }
  } catch (const EditError&) {
    // The table as a whole cannot be read further; what was found so far stands.
  }
}

}  // namespace vorandel
