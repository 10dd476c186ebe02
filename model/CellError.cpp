#include "model/CellError.h"

namespace vorandel {

std::string columnLetters(std::uint32_t n) {
  if (n == 0 || n > 675) return std::string();
  if (n <= 26) return std::string(1, static_cast<char>('A' + (n - 1)));
  const std::uint32_t first = (n - 1) / 26 - 1;
  const std::uint32_t second = (n - 1) % 26;
  return {static_cast<char>('A' + first), static_cast<char>('A' + second)};
}

void failCell(const std::string& message) { throw CellFault(message); }

void failCell(const std::string& message, FaultKind kind, std::string item) {
  throw CellFault(message, kind, std::move(item));
}

void failCellKeepingText(const std::string& message, FaultKind kind) { throw CellFault(message, kind, {}, false); }

void failCellKeepingText(const std::string& message, std::string detail) {
  throw CellFault(message, FaultKind::Other, {}, false).withDetail(std::move(detail));
}

void raiseCellError(CellPosition at, const std::string& message) { raiseCellError(at, message, Message()); }

void raiseCellError(CellPosition at, const std::string& message, const Message& details) {
  const unsigned row = at.row + 1;
  const unsigned column = at.column + 1;
  ErrorContext context;
  context.row = at.row;
  context.column = at.column;
  EditError error(formatMessage("错误数据可能在：第%u行第%u列  (%s%u)\n %s\n", row, column,
                                columnLetters(column).c_str(), row, message.c_str()),
                  std::move(context));
  if (!details.empty()) error.addDetail(details);
  throw error;
}

}  // namespace vorandel
