#pragma once
// Whether bytes are GBK text the game can show: single bytes 0x01..0x7F, and pairs of a lead byte
// 0x81..0xFE and a trail byte 0x40..0x7E or 0x80..0xFE. A lone lead byte, 0x80, 0xFF or a NUL is not.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

bool isGbkText(std::string_view bytes);

// The characters of GBK text: two bytes for a lead byte followed by anything, else one byte.
std::vector<std::string_view> gbkCharacters(std::string_view bytes);

// At most `most` bytes of the text, never cutting a character in two, with "…" when something was cut.
std::string shortened(std::string_view bytes, std::size_t most);

}  // namespace vorandel
