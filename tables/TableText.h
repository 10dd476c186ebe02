#pragma once
// A batch table as the importers take it: its text, already read and decoded to UTF-8, ending before any Ctrl-Z,
// and the name the player knows it by (the path as typed, for messages about the table).
#include <string_view>

namespace vorandel {

struct TableText {
  std::string_view bytes;
  std::string_view name;
};

}  // namespace vorandel
