#include "tables/NameCell.h"

#include <optional>

#include "model/CellError.h"
#include "model/GbkText.h"
#include "tables/TableMessages.h"

namespace vorandel {

std::string gbkNameOf(std::string_view cell) {
  std::optional<std::string> gbk = utf8ToGbk(cell);
  if (!gbk) failCell(kNameNotGbk);
  return std::move(*gbk);
}

}  // namespace vorandel
