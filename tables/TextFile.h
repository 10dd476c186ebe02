#pragma once
// Reading a player's text file the way Windows reads a file in text mode, on every system: the bytes up
// to a Ctrl-Z (0x1A), which old editors put at the end of a file and which text mode takes as its end.
// Line ends are left to the reader of the file.
#include <optional>
#include <string>
#include <string_view>

namespace vorandel {

// The file's text, or nothing when it cannot be opened; raises FileError when it cannot be read.
std::optional<std::string> readTextFile(const std::string& path);

// The bytes up to the first Ctrl-Z: what text mode reads of them.
std::string_view textBeforeEnd(std::string_view bytes);

}  // namespace vorandel
