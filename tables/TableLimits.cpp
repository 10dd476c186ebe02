#include "tables/TableLimits.h"

#include <algorithm>
#include <cstdint>

#include "model/EditError.h"
#include "model/Records.h"
#include "rules/GameRules.h"
#include "tables/CellDetail.h"

namespace vorandel {

namespace {

constexpr std::size_t kHeaderRows = 2;  // the header and the switch row

// The rows of a real table of the kind in one scenario (the name list: in all scenarios at once).
std::size_t rowsPerScenario(BatchKind kind) {
  switch (kind) {
    case BatchKind::NameList: return std::size_t{kIdLimit} + kCityCount;
    case BatchKind::OfficerTable: return std::size_t{kMaxOnMap} + kMaxWaiting;
    case BatchKind::ForceTable: return kForceCount;
    case BatchKind::CityTable: return kCityCount;
  }
  return 0;
}

std::string limitText(BatchKind kind) {
  const std::size_t rows = rowsPerScenario(kind);
  const auto limit = tableByteLimit(kind);
  switch (kind) {
    case BatchKind::NameList:
      return formatMessage("名单最多 %zu 字节（%d 个武将头像编号和 %d 座城市，每项 %zu 字节），这个名单超过了它。",
                           limit, kIdLimit, kCityCount, kRowByteLimit);
    case BatchKind::OfficerTable:
      return formatMessage("武将表最多 %zu 字节（%d 个剧本 × 每个剧本 %zu 名武将 × 每行 %zu 字节），这个表超过了它。",
                           limit, kMaxScenarios, rows, kRowByteLimit);
    case BatchKind::ForceTable:
      return formatMessage("势力表最多 %zu 字节（%d 个剧本 × 每个剧本 %zu 个势力 × 每行 %zu 字节），这个表超过了它。",
                           limit, kMaxScenarios, rows, kRowByteLimit);
    case BatchKind::CityTable:
      return formatMessage("城市表最多 %zu 字节（%d 个剧本 × 每个剧本 %zu 座城市 × 每行 %zu 字节），这个表超过了它。",
                           limit, kMaxScenarios, rows, kRowByteLimit);
  }
  return {};
}

// Blank, tab, line feed and carriage return: bytes below 0x21 that end a run of cell bytes.
bool separatesCells(char c) {
  constexpr std::uint64_t kSeparators = (1ull << ' ') | (1ull << '\t') | (1ull << '\n') | (1ull << '\r');
  const auto byte = static_cast<unsigned char>(c);
  return byte <= ' ' && ((kSeparators >> byte) & 1u) != 0;
}

}  // namespace

std::size_t tableByteLimit(BatchKind kind) {
  const std::size_t scenarios = kind == BatchKind::NameList ? 1 : kMaxScenarios;
  return (scenarios * rowsPerScenario(kind) + kHeaderRows) * kRowByteLimit;
}

void requireTableSize(BatchKind kind, std::size_t size, std::string_view name) {
  if (size <= tableByteLimit(kind)) return;
  EditError error(name == "-" ? "标准输入的批量表太大，无法读取。" : "批量表太大，无法读取。");
  if (!name.empty() && name != "-") error.addDetail(tableLine(name));
  error.addDetail(Message(limitText(kind)));
  throw error;
}

void requireCellLengths(std::string_view text, std::string_view name) {
  // A table is read whole before any cell: only the length of each run of cell bytes counts here, and
  // where a run is too long is worked out only then.
  // The common case, no run too long, looks at few bytes: a run from runStart is too long exactly when
  // none of the limit + 1 bytes from runStart separates cells. Those bytes are searched from their last
  // one back, and the next search begins after the separator found; only a run too long has bytes looked
  // at twice.
  const char* const begin = text.data();
  const char* runStart = begin;
  while (static_cast<std::size_t>(text.size() - static_cast<std::size_t>(runStart - begin)) > kCellByteLimit) {
    const char* p = runStart + kCellByteLimit;
    while (p != runStart && !separatesCells(*p)) --p;
    if (p == runStart && !separatesCells(*p)) break;
    runStart = p + 1;
  }
  if (text.size() - static_cast<std::size_t>(runStart - begin) <= kCellByteLimit) return;
  // Where a byte-by-byte count stops: on the first byte beyond the limit.
  const std::size_t run = kCellByteLimit + 1;
  const std::size_t at = static_cast<std::size_t>(runStart - begin) + run;
  const std::size_t cellStart = at - run;
  std::size_t cellEnd = at;
  while (cellEnd < text.size() && !separatesCells(text[cellEnd])) ++cellEnd;
  const std::size_t lineStart =
      text.rfind('\n', cellStart) == std::string_view::npos ? 0 : text.rfind('\n', cellStart) + 1;
  const auto row =
      static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(lineStart), '\n'));
  std::size_t column = 0;
  for (std::size_t k = lineStart; k < cellStart; ++k)
    if (!separatesCells(text[k]) && (k == lineStart || separatesCells(text[k - 1]))) ++column;
  const CellPosition position{static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column)};
  EditError error("表中有一个单元格太长，无法读取。",
                  ErrorContext{{}, std::string(name), position.row, position.column});
  if (!name.empty()) error.addDetail(tableLine(name));
  error.addDetail(Message(cellPlace(position, "") + "：" + quotedCell(text.substr(cellStart, cellEnd - cellStart))));
  error.addDetail(Message(
      formatMessage("这个单元格有 %zu 字节，而一个单元格最多只能有 %zu 字节。", cellEnd - cellStart, kCellByteLimit)));
  throw error;
}

}  // namespace vorandel
