#pragma once
// The program's texts are UTF-8; a terminal shows them in its own encoding and the command line's words
// come in it. Conversion between the two happens only here, at the edge where a person reads or types.
#include <optional>
#include <string>
#include <string_view>

#include "model/GbkText.h"
#include "model/Message.h"

namespace vorandel {

// The encoding of the terminal: the locale's character set (UTF-8 when the locale names none); UTF-8 on
// Windows, whose standard streams convert for the console or the pipe (WindowsConsole.h).
std::string terminalCharset();

// A message in the given character set: its UTF-8 pieces converted, its pieces from the system (paths as
// the user typed them, the system's reasons) as the system gives them, so that a path is shown exactly
// as it was typed.
std::string messageTo(const Message& message, const std::string& charset);

// A word of the command line as UTF-8 (on Windows the words are UTF-8 already, made from the wide command
// line; elsewhere they come in the terminal's charset); nothing when it is not text of that charset.
std::optional<std::string> argumentToUtf8(const std::string& word, const std::string& charset);

// A word of the command line for a message: as UTF-8, or with every byte that does not convert as '?'.
std::string argumentText(const std::string& word, const std::string& charset);

}  // namespace vorandel
