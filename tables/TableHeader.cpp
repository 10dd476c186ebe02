#include "tables/TableHeader.h"

#include <string>
#include <vector>

#include "model/CellError.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/CellParsers.h"
#include "tables/TableMessages.h"

namespace vorandel {

void readValueColumns(const HeaderRows& rows, const ValueColumns& columns,
                      const std::function<void(std::size_t cell, int code, bool on)>& column) {
  const ColumnDictionary& names = *columns.names;
  auto warnOnce = [&](const std::string& what) {
    if (columns.warnings != nullptr) columns.warnings->note(what);
  };

  // The codes first: every name is checked before any switch is read. Two bytes a column, so that a
  // header of very many columns costs less memory than its text.
  std::vector<std::uint16_t> codes;
  std::vector<bool> named(names.size() + 1, false);
  LineCells header(rows.header);
  for (std::size_t j = 0; j < rows.keyCells; ++j) header.next();
  for (std::size_t j = rows.keyCells; const std::optional<std::string_view> name = header.next(); ++j) {
    const std::optional<int> code = names.find(*name);
    if (!code) {
      const CellPosition at{0, static_cast<std::uint32_t>(j)};
      Message details = rows.table.name.empty() ? Message() : tableLine(rows.table.name);
      details.textLine(cellPlace(at, "") + "的列名：" + unknownNameText(names, *name));
      raiseCellError(at, kUnknownName, details);
    }
    const auto slot = static_cast<std::size_t>(*code);
    if (slot < named.size()) {
      if (named[slot]) warnOnce(formatMessage(kHeaderTwice, std::string(*name).c_str()));
      named[slot] = true;
    }
    codes.push_back(static_cast<std::uint16_t>(*code));
  }

  static const ColumnInfo switchInfo{"", CellForm::Switch, ColumnRange{0, 1}, nullptr};
  LineCells switches(rows.switches);
  for (std::size_t j = 0; j < rows.keyCells; ++j) switches.next();
  for (std::size_t k = 0; k < codes.size(); ++k) {
    const std::size_t j = rows.keyCells + k;
    const std::string_view cell = switches.next().value_or(std::string_view());
    const ColumnInfo& info = columns.describe(codes[k]);
    const CellPosition at{1, static_cast<std::uint32_t>(j)};
    bool on = false;
    try {
      on = parseSwitch(cell);
    } catch (const CellFault& fault) {
      raiseCellFault(rows.table.name, at, {at, info.header, cell, &switchInfo}, fault);
    }
    if (on && info.form == CellForm::Shown) warnOnce(formatMessage(kShownOnlyColumn, info.header));
    column(j, codes[k], on);
  }
}

}  // namespace vorandel
