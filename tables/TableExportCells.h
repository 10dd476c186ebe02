#pragma once
// What the table exporters share: writing cells and rows as the table reader splits them again, and
// telling which names a cell can carry unchanged.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/EditError.h"
#include "model/GbkText.h"
#include "tables/BatchTable.h"
#include "tables/ColumnDictionary.h"
#include "tables/ColumnInfo.h"
#include "tables/Vocabulary.h"

namespace vorandel::tableexport {

inline const char* const kNoCell = "-";  // an informative cell with nothing to show

// Text that one cell can carry: not empty, no blank, tab, line break or other control byte. A double
// quote is carried by quoting the cell (quoteCell).
inline bool isPlainCell(std::string_view text) {
  if (text.empty()) return false;
  for (const char byte : text)
    if (static_cast<unsigned char>(byte) <= 0x20 || byte == 0x7F) return false;
  return true;
}

// The name held in the first `width` bytes of a name field, as the UTF-8 cell of a table that writes it
// back byte for byte: GBK text of fewer than `width` bytes followed by NUL bytes only, a plain cell
// (quoted when it holds a double quote). Empty when no cell would reproduce the bytes.
inline std::string writableName(const std::uint8_t* bytes, std::size_t width) {
  const auto* text = reinterpret_cast<const char*>(bytes);
  std::size_t length = 0;
  while (length < width && text[length] != '\0') ++length;
  if (length == width) return {};
  for (std::size_t i = length; i < width; ++i)
    if (text[i] != '\0') return {};
  const std::optional<std::string> name = gbkToUtf8(std::string_view(text, length));
  return name && isPlainCell(*name) ? quoteCell(*name) : std::string();
}

// The text as an informative cell: its cell when it is a plain cell, "-" otherwise.
inline std::string informative(std::string_view text) {
  return isPlainCell(text) ? quoteCell(text) : std::string(kNoCell);
}

// A cell as writableName gives it, or "-" when there is none.
inline std::string cellOrNone(std::string cell) { return cell.empty() ? std::string(kNoCell) : cell; }

// The names of the codes whose bits are set, joined with commas; "---" for none. Bits without a name
// come out as "?", which no table accepts (callers refuse such sets before).
inline std::string nameList(const ColumnDictionary& table, std::uint32_t bits) {
  std::vector<std::string> names;
  for (int bit = 0; bit < 32; ++bit) {
    if (((bits >> bit) & 1u) == 0) continue;
    const std::string_view name = nameOf(table, bit);
    names.emplace_back(name.empty() ? std::string_view("?") : name);
  }
  return names.empty() ? std::string("---") : joinCells(names, ",");
}

// One line of a table: the cells separated by tabs, ended as a Windows spreadsheet ends it.
inline std::string tableLine(const std::vector<std::string>& cells) { return joinCells(cells, "\t") + "\r\n"; }

// The scenarios asked for; all of the set's when none is.
inline std::vector<std::size_t> scenarioList(std::size_t scenarioCount, const std::vector<std::size_t>& asked) {
  if (!asked.empty()) return asked;
  std::vector<std::size_t> all(scenarioCount);
  for (std::size_t s = 0; s < all.size(); ++s) all[s] = s;
  return all;
}

// Whether an export that asks for the columns switches on the column of the header and form: every
// column but the shown ones when none is asked for, else the ones asked for.
inline bool switchedOn(const std::vector<std::string>& asked, std::string_view header, CellForm form) {
  if (form == CellForm::Shown) return false;
  if (asked.empty()) return true;
  for (const std::string& name : asked)
    if (name == header) return true;
  return false;
}

// The columns of a record that stand in the way, for its problem text.
class Obstacles {
 public:
  void add(const char* column) {
    for (const char* known : columns_)
      if (std::string_view(known) == column) return;
    columns_.push_back(column);
  }
  bool empty() const { return columns_.empty(); }
  // "<record>：<columns> 的值无法写入表中，该行的设置为0，不会修改。"
  std::string problem(const std::string& record) const {
    std::string joined;
    for (const char* column : columns_) joined += (joined.empty() ? "" : "、") + std::string(column);
    return formatMessage("%s：%s 的值无法写入表中，该行的设置为0，不会修改。", record.c_str(), joined.c_str());
  }

 private:
  std::vector<const char*> columns_;
};

}  // namespace vorandel::tableexport
