#include "tables/BatchTable.h"

#include <bit>
#include <cstdint>

#include "model/ByteBlocks.h"

namespace vorandel {

namespace {

bool isCellSeparator(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<std::string_view> TableLines::next() {
  // The carriage return of a CRLF is stripped here, so that a table reads the same on every system; a
  // carriage return anywhere else stays part of its line.
  if (start_ >= text_.size()) return std::nullopt;
  const std::size_t feed = text_.find('\n', start_);
  if (feed == std::string_view::npos) {
    const std::string_view last = text_.substr(start_);
    start_ = text_.size();
    return last;
  }
  std::size_t end = feed;
  if (end > start_ && text_[end - 1] == '\r') --end;
  const std::string_view line = text_.substr(start_, end - start_);
  start_ = feed + 1;
  return line;
}

std::vector<std::string_view> tableLines(std::string_view text) {
  std::vector<std::string_view> lines;
  TableLines reader(text);
  while (const std::optional<std::string_view> line = reader.next()) lines.push_back(*line);
  return lines;
}

std::optional<std::string_view> LineCells::next() {
  const char* const begin = line_.data();
  const char* const end = begin + line_.size();
  const char* at = begin + pos_;
  while (at != end && isCellSeparator(*at)) ++at;
  if (at == end) {
    pos_ = line_.size();
    return std::nullopt;
  }
  const char* const start = at;
  while (at != end && !isCellSeparator(*at)) ++at;
  pos_ = static_cast<std::size_t>(at - begin);
  return std::string_view(start, static_cast<std::size_t>(at - start));
}

std::size_t countCells(std::string_view line, std::size_t most) {
  const char* at = line.data();
  const char* const end = at + line.size();
  std::size_t count = 0;
  while (count <= most) {
    while (at != end && isCellSeparator(*at)) ++at;
    if (at == end) break;
    ++count;
    while (at != end && !isCellSeparator(*at)) ++at;
  }
  return count;
}

std::vector<std::string_view> splitCells(std::string_view line) {
  std::vector<std::string_view> cells;
  LineCells reader(line);
  while (const std::optional<std::string_view> cell = reader.next()) cells.push_back(*cell);
  return cells;
}

std::size_t splitCellsInto(std::string_view line, std::span<std::string_view> cells) {
  // The separators are found a block at a time; a cell ends at each one that follows a cell byte.
  const char* const begin = line.data();
  std::string_view* to = cells.data();
  std::string_view* const full = to + cells.size();
  if (to == full) return 0;
  std::size_t runStart = 0;
  // Ends the run of cell bytes before `end`, if any; false once there is no room for another cell.
  const auto endRun = [&](std::size_t end) {
    if (end > runStart) *to++ = std::string_view(begin + runStart, end - runStart);
    runStart = end + 1;
    return to != full;
  };
  std::size_t at = 0;
  for (; at + kByteBlock <= line.size(); at += kByteBlock)
    for (ByteMarks found = bytesEqualTo(begin + at, ' ', '\t'); found != 0; found &= found - 1)
      if (!endRun(at + bytesBeforeMark(found))) return cells.size();
  for (; at < line.size(); ++at)
    if (isCellSeparator(begin[at]) && !endRun(at)) return cells.size();
  endRun(line.size());
  return static_cast<std::size_t>(to - cells.data());
}

std::vector<std::string_view> splitList(std::string_view cell, char separator) {
  std::vector<std::string_view> items;
  ListItems reader(cell, separator);
  while (const std::optional<std::string_view> item = reader.next()) items.push_back(*item);
  return items;
}

std::string unquoteCell(std::string_view cell) {
  if (!isQuotedCell(cell)) return std::string(cell);
  const std::string_view inside = cell.substr(1, cell.size() - 2);
  std::string value;
  value.reserve(inside.size());
  for (std::size_t i = 0; i < inside.size(); ++i) {
    value += inside[i];
    if (inside[i] == '"' && i + 1 < inside.size() && inside[i + 1] == '"') ++i;  // "" is one quote
  }
  return value;
}

std::string_view unquotedInto(std::string_view cell, std::string& room) {
  room = unquoteCell(cell);
  return room;
}

std::string quoteCell(std::string_view text) {
  if (text.find('"') == std::string_view::npos) return std::string(text);
  std::string cell = "\"";
  for (const char c : text) {
    cell += c;
    if (c == '"') cell += '"';
  }
  return cell + '"';
}

}  // namespace vorandel
