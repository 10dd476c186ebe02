#pragma once
// The program's texts are GBK; a terminal shows them in its own encoding. Conversion happens only here,
// at the edge where a person reads the text.
#include <string>
#include <string_view>

namespace vorandel {

// The encoding of the terminal: the locale's character set (UTF-8 when the locale names none), or the
// console code page on Windows.
std::string terminalCharset();

// GBK bytes in the given character set. A byte sequence that cannot be converted comes out as '?'.
std::string gbkTo(std::string_view gbk, const std::string& charset);

}  // namespace vorandel
