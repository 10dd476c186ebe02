#pragma once
// The program's texts are GBK; a terminal shows them in its own encoding. Conversion happens only here,
// at the edge where a person reads the text.
#include <optional>
#include <string>
#include <string_view>

#include "app/GbkText.h"
#include "model/Message.h"

namespace vorandel {

// The encoding of the terminal: the locale's character set (UTF-8 when the locale names none), or the
// console code page on Windows.
std::string terminalCharset();

// A message in the given character set: its GBK pieces converted, its pieces from the system (paths as
// the user typed them, the system's reasons) as the system gives them, so that a path is shown exactly
// as it was typed.
std::string messageTo(const Message& message, const std::string& charset);

// A word of the command line as GBK bytes (on Windows the words come in the ANSI code page, elsewhere in
// the terminal's charset); nothing when it holds a character that GBK cannot write.
std::optional<std::string> argumentToGbk(const std::string& word, const std::string& charset);

}  // namespace vorandel
