#pragma once
// A name from a table on its way into a record: the table's text is UTF-8, the game's name fields hold
// GBK bytes. The conversion happens here, once, and every length limit counts the GBK bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace vorandel {

// The GBK bytes of a name cell; fails the cell (failCell) when GBK cannot write one of its characters.
std::string gbkNameOf(std::string_view cell);

// The line below a name too long for a field of `room` GBK bytes: "最多4个汉字（8字节）：「…」有 10 个字节".
// name is UTF-8; its bytes are counted as GBK writes it.
std::string nameRoomText(std::string_view name, std::size_t room);

// Fails the cell as too long (message, which stays the first line when keepingText) with nameRoomText
// below, when the GBK bytes of the name do not fit into room.
void requireNameRoom(std::string_view name, std::size_t gbkBytes, std::size_t room, const char* message,
                     bool keepingText);

}  // namespace vorandel
