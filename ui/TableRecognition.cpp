#include "ui/TableRecognition.h"

#include <cstdio>
#include <vector>

#include "model/GbkText.h"
#include "model/OpenFile.h"

namespace vorandel::ui {

namespace {

// The longest first line looked at: the officer table's header with all its columns fits many times.
constexpr std::size_t kLineRoom = 64 * 1024;

// The cells of a line: runs of bytes between blanks and tabs (bytes of a multi-byte character are never blanks or
// tabs).
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

const char* const kTableKindHint =
    "表格的第一行应为：\n"
    "武将表：剧本 ID 姓名 设置 编号 ……\n"
    "势力表：剧本 编号 设置 ……\n"
    "城市表：剧本 ID 名称 设置 ……\n"
    "人/地名表：每行以 W 或 C 开始，如 W 75 张三。";

std::optional<int> batchModeOfFirstLine(std::string_view line) {
  const std::vector<std::string_view> cells = cellsOf(line);
  if (startsWith(cells, {"剧本", "ID", "姓名", "设置", "编号"})) return 1;
  if (startsWith(cells, {"剧本", "编号", "设置"})) return 2;
  if (startsWith(cells, {"剧本", "ID", "名称", "设置"})) return 3;
  if (isNameEntry(cells)) return 0;
  return std::nullopt;
}

std::optional<int> batchModeOfFile(const std::string& path) {
  const FileHandle in = openFile(path, "rb");
  if (!in) return std::nullopt;
  std::string line;
  // A name list may begin with empty lines; a table's header is its very first line.
  bool more = true;
  while (more && line.find_first_not_of(" \t\r") == std::string::npos) {
    line.clear();
    int c = 0;
    while (line.size() < kLineRoom && (c = std::fgetc(in.get())) != EOF && c != '\n') line += static_cast<char>(c);
    more = c != EOF;
  }
  // A player's table is GBK; one saved as UTF-8 is recognised too (a byte-order mark is no cell).
  if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  const std::optional<std::string> text = gbkToUtf8(line);
  return batchModeOfFirstLine(text ? *text : line);
}

}  // namespace vorandel::ui
