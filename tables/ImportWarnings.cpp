#include "tables/ImportWarnings.h"

#include "model/EditError.h"
#include "tables/CellDetail.h"
#include "tables/TableMessages.h"

namespace vorandel {

namespace {

constexpr std::size_t kRowsShown = 10;
constexpr std::size_t kCellsShown = 5;

}  // namespace

ImportWarnings::Entry& ImportWarnings::entry(Form form, const std::string& what) {
  for (Entry& entry : entries_)
    if (entry.form == form && entry.what == what) return entry;
  entries_.push_back(Entry{form, what, {}, 0, {}});
  return entries_.back();
}

void ImportWarnings::atRow(const std::string& what, std::uint32_t line) {
  Entry& found = entry(Form::Rows, what);
  if (found.rows.size() < kRowsShown) found.rows.push_back(line);
  ++found.total;
}

void ImportWarnings::note(const std::string& what) { ++entry(Form::Once, what).total; }

void ImportWarnings::count(const std::string& what) { ++entry(Form::Count, what).total; }

void ImportWarnings::switchedOffCell(const std::string& place, std::string_view cell, std::string_view current) {
  Entry& found = entry(Form::Cells, {});
  if (found.cells.size() < kCellsShown)
    found.cells.push_back(
        formatMessage(kSwitchedOffCell, place.c_str(), quotedCell(cell).c_str(), quotedCell(current).c_str()));
  ++found.total;
}

std::vector<std::string> ImportWarnings::lines() const {
  std::vector<std::string> lines;
  for (const Entry& entry : entries_) {
    switch (entry.form) {
      case Form::Once: lines.push_back("注意：" + entry.what); break;
      case Form::Count: lines.push_back(formatMessage("注意：%s：%zu 名", entry.what.c_str(), entry.total)); break;
      case Form::Cells: {
        std::string told = std::string("注意：").append(formatMessage(kSwitchedOffCells, entry.total));
        for (const std::string& cell : entry.cells) told.append("\n").append(cell);
        if (entry.total > entry.cells.size())
          told.append("\n").append(formatMessage(kSwitchedOffCellsMore, entry.total));
        lines.push_back(told.append("\n").append(kSwitchedOffCellsHint));
        break;
      }
      case Form::Rows: {
        std::string rows;
        for (const std::uint32_t line : entry.rows) rows += formatMessage("%s%u", rows.empty() ? "" : "、", line + 1);
        lines.push_back(formatMessage("注意：%s（第%s行%s，共 %zu 行）", entry.what.c_str(), rows.c_str(),
                                      entry.total > entry.rows.size() ? "……" : "", entry.total));
        break;
      }
    }
  }
  return lines;
}

}  // namespace vorandel
