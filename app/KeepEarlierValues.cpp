#include "app/KeepEarlierValues.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/AppMessages.h"
#include "app/BatchRun.h"
#include "app/BatchSummary.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"
#include "tables/TableExport.h"

namespace vorandel {

namespace {

// The table kind whose columns write the fields of the record.
std::optional<BatchKind> kindWriting(ChangedRecord record) {
  switch (record) {
    case ChangedRecord::Officer: return BatchKind::OfficerTable;
    case ChangedRecord::Force: return BatchKind::ForceTable;
    case ChangedRecord::City: return BatchKind::CityTable;
    case ChangedRecord::Scenario: break;
  }
  return std::nullopt;
}

const char* kindName(const FieldChange& change) {
  const std::optional<BatchKind> kind = kindWriting(change.record);
  return kind ? batchKindName(*kind) : changedRecordName(change.record);
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + separator.size());
  }
}

// A key cell (the scenario, the officer's id, the force's or city's number) as its number.
std::optional<long> numberOf(std::string_view cell) {
  long value = 0;
  const auto [end, fault] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (fault != std::errc() || end != cell.data() + cell.size()) return std::nullopt;
  return value;
}

bool sameField(const FieldChange& a, const FieldChange& b) {
  return a.scenario == b.scenario && a.record == b.record && a.number == b.number && a.field == b.field;
}

// The table of the kind that sets the fields (all written by the kind's columns) back to their values
// before: the set's export of the fields' scenarios and columns, keeping the header lines and the rows
// of the fields' records, with the fields' cells replaced.
std::string keepingTable(const ScenarioSet& set, BatchKind kind, const std::vector<FieldChange>& fields) {
  std::vector<std::size_t> scenarios;
  ExportColumns columns;
  for (const FieldChange& field : fields) {
    if (std::find(scenarios.begin(), scenarios.end(), field.scenario) == scenarios.end())
      scenarios.push_back(field.scenario);
    if (std::find(columns.begin(), columns.end(), field.field) == columns.end()) columns.push_back(field.field);
  }
  std::sort(scenarios.begin(), scenarios.end());
  const ExportedTable exported = exportTable(set, kind, scenarios, columns);
  const std::vector<std::string_view> lines = split(exported.text, "\r\n");
  const std::vector<std::string_view> header = split(lines.at(0), "\t");
  const auto slotOf = [&](std::string_view name) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
  };
  const std::size_t switchSlot = slotOf("设置");

  std::string table = std::string(lines.at(0)) + "\r\n" + std::string(lines.at(1)) + "\r\n";
  std::vector<bool> written(fields.size(), false);
  for (std::size_t l = 2; l < lines.size(); ++l) {
    const std::vector<std::string_view> row = split(lines[l], "\t");
    if (row.size() != header.size()) continue;  // the empty piece after the last line end
    const std::optional<long> s = numberOf(row[0]);
    const std::optional<long> number = numberOf(row[1]);
    std::vector<std::string> cells(row.begin(), row.end());
    bool wanted = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const FieldChange& field = fields[i];
      if (!s || !number || static_cast<std::size_t>(*s) != field.scenario || *number != field.number) continue;
      // A row written switched off leaves its record as it is: its values would not come through the table.
      if (row[switchSlot] == "0")
        raiseEditError(formatMessage(kCannotKeepRow, field.scenario, changedRecordName(field.record), field.number,
                                     field.name.c_str(), batchKindName(kind)));
      cells.at(slotOf(field.field)) = field.before;
      written[i] = true;
      wanted = true;
    }
    if (wanted) table += joinCells(cells, "\t") + "\r\n";
  }
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (!written[i])
      raiseEditError(formatMessage(kCannotKeepRow, fields[i].scenario, changedRecordName(fields[i].record),
                                   fields[i].number, fields[i].name.c_str(), batchKindName(kind)));
  return table;
}

}  // namespace

void keepEarlierValues(ScenarioSet& set, const std::vector<FieldChange>& undone, const std::vector<FieldChange>& made) {
  const ScenarioSet start = set;
  // A field that no column writes (the force an officer serves, a city's governor) can only come back
  // with the fields it follows.
  const auto writable = [](const FieldChange& field) {
    const std::optional<BatchKind> kind = kindWriting(field.record);
    const std::vector<std::string> columns = kind ? exportableColumns(*kind) : std::vector<std::string>();
    return std::find(columns.begin(), columns.end(), field.field) != columns.end();
  };
  for (const BatchKind kind : {BatchKind::OfficerTable, BatchKind::ForceTable, BatchKind::CityTable}) {
    std::vector<FieldChange> fields;
    for (const FieldChange& field : undone)
      if (kindWriting(field.record) == kind && writable(field)) fields.push_back(field);
    if (fields.empty()) continue;
    const std::string text = keepingTable(set, kind, fields);
    runBatch(set, kind, TableText{text, formatMessage(kKeepingTableName, batchKindName(kind))});
  }
  // Every field must hold its value before, whatever the rules made of the tables.
  const std::vector<FieldChange> changes = compareSets(start, set);
  for (const FieldChange& field : undone) {
    const auto kept =
        std::find_if(changes.begin(), changes.end(), [&](const FieldChange& c) { return sameField(c, field); });
    const std::string& now = kept != changes.end() ? kept->after : field.after;
    if (now == field.before) continue;
    if (!writable(field))
      raiseEditError(formatMessage(kCannotKeepColumn, field.scenario, changedRecordName(field.record), field.number,
                                   field.name.c_str(), field.field.c_str(), kindName(field)));
    raiseEditError(formatMessage(kCannotKeepValue, field.scenario, changedRecordName(field.record), field.number,
                                 field.name.c_str(), field.field.c_str(), kindName(field), now.c_str(),
                                 field.before.c_str()));
  }
  // The table's other changes stay as the table made them.
  for (const FieldChange& change : changes) {
    const auto isField = [&](const FieldChange& c) { return sameField(c, change); };
    if (std::any_of(undone.begin(), undone.end(), isField)) continue;
    if (std::any_of(made.begin(), made.end(), isField))
      raiseEditError(formatMessage(kCannotKeepTableValue, change.scenario, changedRecordName(change.record),
                                   change.number, change.name.c_str(), change.field.c_str(), change.before.c_str(),
                                   change.after.c_str()));
  }
}

}  // namespace vorandel
