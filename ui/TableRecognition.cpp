#include "ui/TableRecognition.h"

#include <cstdio>

#include "model/GbkText.h"
#include "model/OpenFile.h"
#include "tables/TableKind.h"

namespace vorandel::ui {

namespace {

// The longest first line looked at: the officer table's header with all its columns fits many times.
constexpr std::size_t kLineRoom = 64 * 1024;

}  // namespace

const char* const kTableKindHint =
    "表格的第一行应为：\n"
    "武将表：剧本 ID 姓名 设置 编号 ……\n"
    "势力表：剧本 编号 设置 ……\n"
    "城市表：剧本 ID 名称 设置 ……\n"
    "人/地名表：每行以 W 或 C 开始，如 W 75 张三。";

// The batch modes are the values of the batch kinds.
std::optional<int> batchModeOfFirstLine(std::string_view line) {
  const std::optional<BatchKind> kind = batchKindOfFirstLine(line);
  if (!kind) return std::nullopt;
  return static_cast<int>(*kind);
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
