#include "cli/TerminalText.h"

#include <cstring>

#ifndef _WIN32
#include <langinfo.h>
#endif

namespace vorandel {

#ifdef _WIN32

// The standard streams take UTF-8 and give it to a console as UTF-16, to a pipe or a file as GBK
// (WindowsConsole.h).
std::string terminalCharset() { return "UTF-8"; }

namespace {

// Paths, words and the system's texts are UTF-8 already, as the wide calls gave them.
std::string nativeTo(std::string_view bytes, const std::string&) { return std::string(bytes); }

}  // namespace

#else

std::string terminalCharset() {
  const char* codeset = nl_langinfo(CODESET);
  // The C locale names plain ASCII, which cannot show Chinese at all; today's terminals read UTF-8.
  if (codeset == nullptr || std::strcmp(codeset, "ANSI_X3.4-1968") == 0 || std::strcmp(codeset, "ASCII") == 0)
    return "UTF-8";
  return codeset;
}

namespace {

// Paths and the system's texts are in the locale's encoding already, which is the terminal's.
std::string nativeTo(std::string_view bytes, const std::string&) { return std::string(bytes); }

}  // namespace

#endif

// On Windows the words come from the wide command line as UTF-8, which is the terminal's charset there.
std::optional<std::string> argumentToUtf8(const std::string& word, const std::string& charset) {
  return utf8Of(word, charset);
}

std::string messageTo(const Message& message, const std::string& charset) {
  std::string shown;
  for (const Message::Piece& piece : message.pieces())
    shown += piece.native ? nativeTo(piece.bytes, charset) : utf8To(piece.bytes, charset);
  return shown;
}

std::string argumentText(const std::string& word, const std::string& charset) {
  if (std::optional<std::string> text = argumentToUtf8(word, charset)) return std::move(*text);
  std::string marked = word;
  for (char& byte : marked)
    if (static_cast<unsigned char>(byte) >= 0x80) byte = '?';
  return marked;
}

}  // namespace vorandel
