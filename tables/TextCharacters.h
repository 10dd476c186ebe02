#pragma once
// The characters of UTF-8 text, for messages that show part of a cell or compare names by character.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

// The characters of the text: a lead byte with the continuation bytes after it, else one byte.
std::vector<std::string_view> characters(std::string_view text);

// The text cut to at most `most` GBK bytes (one for ASCII, two for any other character: as wide as a
// terminal shows it), never cutting a character in two, with "…" when something was cut.
std::string shortened(std::string_view text, std::size_t most);

}  // namespace vorandel
