#include "tables/BatchTable.h"

#include "tables/TextFile.h"
#include "model/EditError.h"

namespace vorandel {

namespace {

// Every maximal run of bytes for which isSeparator is false.
template <class IsSeparator>
std::vector<std::string_view> splitRuns(std::string_view text, IsSeparator isSeparator) {
  std::vector<std::string_view> runs;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isSeparator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isSeparator(text[i])) ++i;
    if (i > start) runs.emplace_back(text.substr(start, i - start));
  }
  return runs;
}

}  // namespace

BatchTable readTableLines(const std::string& path) {
  // The carriage return of a CRLF is stripped here, so that a table reads the same on every system; a
  // carriage return anywhere else stays part of its line.
  const std::optional<std::string> read = readTextFile(path);
  require(read.has_value(), "cannot open file to read");
  const std::string& text = *read;

  BatchTable table;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t feed = text.find('\n', start);
    if (feed == std::string::npos) {
      table.lines.push_back(text.substr(start));
      break;
    }
    std::size_t end = feed;
    if (end > start && text[end - 1] == '\r') --end;
    table.lines.push_back(text.substr(start, end - start));
    start = feed + 1;
  }
  return table;
}

std::vector<std::string_view> splitCells(std::string_view line) {
  return splitRuns(line, [](char c) { return c == ' ' || c == '\t'; });
}

std::vector<std::string_view> splitList(std::string_view cell, char separator) {
  return splitRuns(cell, [separator](char c) { return c == separator; });
}

std::string_view unquoteCell(std::string_view cell) {
  if (cell.size() > 2 && cell.front() == '"' && cell.back() == '"') return cell.substr(1, cell.size() - 2);
  return cell;
}

}  // namespace vorandel
