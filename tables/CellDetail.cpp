#include "tables/CellDetail.h"

#include <algorithm>

#include "model/EditError.h"
#include "tables/BatchTable.h"
#include "tables/TableMessages.h"
#include "tables/TextCharacters.h"

namespace vorandel {

namespace {

constexpr std::size_t kShownCellBytes = 40;

std::size_t editDistance(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  std::vector<std::size_t> previous(b.size() + 1), current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t replace = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, replace});
    }
    std::swap(previous, current);
  }
  return previous[b.size()];
}

// Whether the text holds a full-width digit (U+FF10–U+FF19, EF BC 90–99 in UTF-8).
bool holdsFullWidthDigit(std::string_view text) {
  for (std::size_t at = text.find("\xEF\xBC"); at != std::string_view::npos; at = text.find("\xEF\xBC", at + 1))
    if (at + 2 < text.size() && static_cast<unsigned char>(text[at + 2]) >= 0x90 &&
        static_cast<unsigned char>(text[at + 2]) <= 0x99)
      return true;
  return false;
}

// What to do about a cell that holds full-width characters where ASCII ones belong: a full-width comma
// between the items of a list, full-width digits; empty when it holds none or the fault is another
// rule's.
std::vector<const char*> fullWidthHints(const CellSubject& subject, const CellFault& fault) {
  std::vector<const char*> hints;
  if (fault.kind() == FaultKind::Other) return hints;
  if (subject.cell.find("，") != std::string_view::npos) hints.push_back(kHintFullWidthComma);
  if (holdsFullWidthDigit(subject.cell)) hints.push_back(kHintFullWidthDigits);
  return hints;
}

}  // namespace

std::string quotedCell(std::string_view text) { return "「" + shortened(text, kShownCellBytes) + "」"; }

std::string cellPlace(CellPosition at, std::string_view header) {
  const unsigned row = at.row + 1;
  const std::string letters = columnLetters(at.column + 1);
  if (header.empty()) return formatMessage("第%u行第%u列 (%s%u)", row, at.column + 1, letters.c_str(), row);
  return formatMessage("第%u行「%s」列 (%s%u)", row, shortened(header, kShownCellBytes).c_str(), letters.c_str(), row);
}

std::vector<std::string_view> closestNames(const ColumnDictionary& names, std::string_view name, std::size_t most) {
  const std::vector<std::string_view> wanted = characters(name);
  // A name is close when at most a third of its characters (at least one) differ.
  const std::size_t limit = std::max<std::size_t>(1, (wanted.size() + 2) / 3);
  std::vector<std::pair<std::size_t, std::string_view>> close;
  for (const auto& [candidate, code] : names.entries()) {
    const std::size_t distance = editDistance(wanted, characters(candidate));
    if (distance <= limit) close.emplace_back(distance, candidate);
  }
  std::stable_sort(close.begin(), close.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string_view> best;
  for (std::size_t i = 0; i < close.size() && i < most; ++i) best.push_back(close[i].second);
  return best;
}

std::string unknownNameText(const ColumnDictionary& names, std::string_view name) {
  const std::vector<std::string_view> best = closestNames(names, name, 3);
  std::string text = "没有" + quotedCell(name);
  if (best.empty()) return text;
  text += "，是不是";
  for (std::size_t i = 0; i < best.size(); ++i) text += (i == 0 ? "" : "或") + quotedCell(best[i]);
  return text + "？";
}

std::string allowedText(const CellSubject& subject, const CellFault& fault) {
  if (!fault.detail().empty()) return fault.detail();
  if (subject.info == nullptr) return std::string();
  const ColumnInfo& info = *subject.info;
  switch (fault.kind()) {
    case FaultKind::NotANumber:
    case FaultKind::OutOfRange:
      if (info.form == CellForm::HexNumber) return "允许十六进制数字";
      if (info.range) return formatMessage("允许 %d–%d", info.range->min, info.range->max);
      return "允许十进制整数";
    case FaultKind::NotASwitch: return "允许 0 或 1";
    case FaultKind::UnknownName: {
      const std::string_view name = fault.item().empty() ? subject.cell : std::string_view(fault.item());
      std::string text =
          info.vocabulary != nullptr ? unknownNameText(info.vocabulary(), name) : "没有" + quotedCell(name);
      if (info.form == CellForm::NameList) text += "（名称之间用逗号分隔，--- 表示没有）";
      return text;
    }
    case FaultKind::WrongCount:
      if (info.form == CellForm::NameList || info.form == CellForm::NumberList)
        return formatMessage("这里有 %zu 项", splitList(unquoteCell(subject.cell), ',').size());
      return std::string();
    case FaultKind::Other: return std::string();
  }
  return std::string();
}

std::string problemLine(const CellSubject& subject, const CellFault& fault) {
  std::string_view text = fault.text();
  while (!text.empty() && text.back() == '\n') text.remove_suffix(1);  // a message that ends its own line
  std::string line = cellPlace(subject.at, subject.header) + "：" + quotedCell(subject.cell) + " " + std::string(text);
  const std::string allowed = allowedText(subject, fault);
  if (!allowed.empty()) line += "  " + allowed;
  if (!fault.details().empty()) line += "  " + fault.details().joined();
  for (const char* hint : fullWidthHints(subject, fault)) line += std::string("  ") + hint;
  return line;
}

void raiseCellFault(std::string_view file, CellPosition written, const CellSubject& subject, const CellFault& fault) {
  const Message details = cellDetails(file, subject, fault);
  if (fault.positionInText()) raiseCellError(written, fault.text(), details);
  ErrorContext context;
  context.row = written.row;
  context.column = written.column;
  EditError error(fault.text(), std::move(context));
  error.addDetail(details);
  throw error;
}

void failCellWith(const std::string& message, const std::string& detail) {
  CellFault fault(message);
  fault.addDetail(detail);
  throw fault;
}

Message tableLine(std::string_view file) { return Message("表：").native(file); }

Message cellDetails(std::string_view file, const CellSubject& subject, const CellFault& fault) {
  Message details = file.empty() ? Message() : tableLine(file);
  details.textLine(cellPlace(subject.at, subject.header) + "：" + quotedCell(subject.cell));
  const std::string allowed = allowedText(subject, fault);
  if (!allowed.empty()) details.textLine(allowed);
  if (!fault.details().empty()) details.textLine(fault.details().joined());
  for (const char* hint : fullWidthHints(subject, fault)) details.textLine(hint);
  return details;
}

}  // namespace vorandel
