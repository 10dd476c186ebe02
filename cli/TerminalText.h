#pragma once
// The program's texts are GBK; a terminal shows them in its own encoding. Conversion happens only here,
// at the edge where a person reads the text.
#include <optional>
#include <string>
#include <string_view>

#include "model/Message.h"

namespace vorandel {

// The encoding of the terminal: the locale's character set (UTF-8 when the locale names none), or the
// console code page on Windows.
std::string terminalCharset();

// GBK bytes in the given character set. A byte sequence that cannot be converted comes out as '?'.
std::string gbkTo(std::string_view gbk, const std::string& charset);

// A message in the given character set: its GBK pieces converted, its pieces from the system (paths as
// the user typed them, the system's reasons) as the system gives them, so that a path is shown exactly
// as it was typed.
std::string messageTo(const Message& message, const std::string& charset);

// UTF-8 text as GBK bytes, for tables that the player keeps in UTF-8. Nothing when the text is not
// UTF-8 or holds a character that GBK cannot write: a table is converted in full or not at all.
std::optional<std::string> utf8ToGbk(std::string_view utf8);

}  // namespace vorandel
