#include "tables/TableKind.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace vorandel {

namespace {

// The cells of a line: runs of bytes between blanks and tabs (bytes of a multi-byte character are never
// blanks or tabs).
std::vector<std::string_view> cellsOf(std::string_view line) {
  std::vector<std::string_view> cells;
  std::size_t at = 0;
  while (at < line.size()) {
    at = line.find_first_not_of(" \t\r", at);
    if (at == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
    cells.push_back(line.substr(at, end - at));
    at = end;
  }
  return cells;
}

bool startsWith(const std::vector<std::string_view>& cells, std::initializer_list<std::string_view> keys) {
  if (cells.size() < keys.size()) return false;
  std::size_t i = 0;
  for (const std::string_view key : keys)
    if (cells[i++] != key) return false;
  return true;
}

// A name list entry: a run of W and C, then a number.
bool isNameEntry(const std::vector<std::string_view>& cells) {
  if (cells.size() < 2 || cells[0].find_first_not_of("WC") != std::string_view::npos) return false;
  return cells[1].find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

const char* defaultTableName(BatchKind kind) {
  switch (kind) {
    case BatchKind::NameList: return "ruv5_name.txt";
    case BatchKind::OfficerTable: return "ruv5_officer.txt";
    case BatchKind::ForceTable: return "ruv5_lord.txt";
    case BatchKind::CityTable: return "ruv5_city.txt";
  }
  return "";
}

std::optional<BatchKind> batchKindOfFirstLine(std::string_view line) {
  const std::vector<std::string_view> cells = cellsOf(line);
  if (startsWith(cells, {"剧本", "ID", "姓名", "设置", "编号"})) return BatchKind::OfficerTable;
  if (startsWith(cells, {"剧本", "编号", "设置"})) return BatchKind::ForceTable;
  if (startsWith(cells, {"剧本", "ID", "名称", "设置"})) return BatchKind::CityTable;
  if (isNameEntry(cells)) return BatchKind::NameList;
  return std::nullopt;
}

}  // namespace vorandel
