#include "tables/NameCell.h"

#include <optional>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "tables/TableMessages.h"

namespace vorandel {

std::string gbkNameOf(std::string_view cell) {
  std::optional<std::string> gbk = utf8ToGbk(cell);
  if (!gbk) failCell(kNameNotGbk);
  return std::move(*gbk);
}

std::string nameRoomText(std::string_view name, std::size_t room) {
  // A Chinese character takes two bytes.
  return formatMessage(kNameRoom, room / 2, room, std::string(name).c_str(), gbkLength(name));
}

void requireNameRoom(std::string_view name, std::size_t gbkBytes, std::size_t room, const char* message,
                     bool keepingText) {
  if (gbkBytes <= room) return;
  if (keepingText) failCellKeepingText(message, nameRoomText(name, room));
  throw CellFault(message).withDetail(nameRoomText(name, room));
}

}  // namespace vorandel
