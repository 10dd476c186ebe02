#pragma once
// A name from a table on its way into a record: the table's text is UTF-8, the game's name fields hold
// GBK bytes. The conversion happens here, once, and every length limit counts the GBK bytes.
#include <string>
#include <string_view>

namespace vorandel {

// The GBK bytes of a name cell; fails the cell (failCell) when GBK cannot write one of its characters.
std::string gbkNameOf(std::string_view cell);

}  // namespace vorandel
