#include "tables/CellParsers.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "model/CellError.h"
#include "tables/BatchTable.h"
#include "tables/TableMessages.h"

namespace vorandel {

namespace {

void requireWholeCell(const std::string& text, const char* end) {
  if (end != text.c_str() + text.size()) failCell(kNotAnInteger, FaultKind::NotANumber);
}

}  // namespace

bool parseSwitch(std::string_view cell) {
  if (cell == "0") return false;
  if (cell == "1") return true;
  failCell(kNotASwitch, FaultKind::NotASwitch);
}

std::uint32_t parseUnsignedInFull(std::string_view cell, int base) {
  // strtoull accepts exactly what strtoul accepts; the value is then brought to what strtoul gives
  // with a 32-bit unsigned long: a magnitude above 4294967295 saturates, a negative one wraps.
  const std::string text(cell);
  char* end = nullptr;
  std::strtoull(text.c_str(), &end, base);
  requireWholeCell(text, end);
  if (end == text.c_str()) return 0;  // an empty cell converts nothing

  std::size_t digits = 0;
  while (digits < text.size() && std::isspace(static_cast<unsigned char>(text[digits]))) ++digits;
  const bool negative = text[digits] == '-';
  if (text[digits] == '-' || text[digits] == '+') ++digits;

  errno = 0;
  const unsigned long long magnitude = std::strtoull(text.c_str() + digits, nullptr, base);
  constexpr unsigned long long limit = std::numeric_limits<std::uint32_t>::max();
  if (errno == ERANGE || magnitude > limit) return static_cast<std::uint32_t>(limit);
  const auto value = static_cast<std::uint32_t>(magnitude);
  return negative ? static_cast<std::uint32_t>(0u - value) : value;
}

std::int32_t parseRangedInFull(std::string_view cell, std::int32_t low, std::int32_t high, int base) {
  if (base == 10) {
    if (const std::optional<std::int32_t> value = plainDecimal(cell)) {
      if (*value < low || *value > high) failCell(kOutOfRange, FaultKind::OutOfRange);
      return *value;
    }
  }
  // strtoll accepts exactly what strtol accepts; the value saturates as strtol's does with a 32-bit long.
  const std::string text(cell);
  char* end = nullptr;
  const long long wide = std::strtoll(text.c_str(), &end, base);
  requireWholeCell(text, end);
  std::int32_t value;
  if (wide > std::numeric_limits<std::int32_t>::max())
    value = std::numeric_limits<std::int32_t>::max();
  else if (wide < std::numeric_limits<std::int32_t>::min())
    value = std::numeric_limits<std::int32_t>::min();
  else
    value = static_cast<std::int32_t>(wide);
  if (value < low || value > high) failCell(kOutOfRange, FaultKind::OutOfRange);
  return value;
}

std::uint32_t parseNameSet(const ColumnDictionary& names, std::string_view cell, char separator) {
  if (cell == "---") return 0;
  std::uint32_t bits = 0;
  ListItems items(cell, separator);
  while (const std::optional<std::string_view> item = items.next()) {
    const std::optional<int> code = names.find(*item);
    if (!code) failCell(kUnknownName, FaultKind::UnknownName, std::string(*item));
    bits |= 1u << (static_cast<unsigned>(*code) % 32u);
  }
  return bits;
}

bool cellFits(const ColumnInfo& info, std::string_view cell) {
  const ColumnRange range = info.range.value_or(
      ColumnRange{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()});
  try {
    switch (info.form) {
      case CellForm::Number: parseRanged(cell, range.min, range.max, 10); return true;
      case CellForm::HexNumber: parseUnsigned(cell, 16); return true;
      case CellForm::Switch: parseSwitch(cell); return true;
      case CellForm::Name:
        return info.vocabulary == nullptr || info.vocabulary().find(cell).has_value() || plainDecimal(cell).has_value();
      case CellForm::NameList:
        if (info.vocabulary != nullptr) parseNameSet(info.vocabulary(), cell, ',');
        return true;
      case CellForm::NumberList: {
        ListItems items(cell, ',');
        while (const std::optional<std::string_view> item = items.next()) parseRanged(*item, range.min, range.max, 10);
        return true;
      }
      case CellForm::Text:
      case CellForm::Shown: return true;
    }
  } catch (const CellFault&) {
    return false;
  }
  return true;
}

}  // namespace vorandel
