#pragma once
// Conversions between the program's texts, which are UTF-8, and the character sets at its edges: the
// GBK of the game's name fields and of the players' tables, UTF-16 tables, a terminal's own charset.
// The only place that calls iconv or the Windows code-page functions for text.
//
// A character set is an iconv name ("GBK", "UTF-8", ...) or, on Windows, a code page number ("936").
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorandel {

// GBK bytes (a name field, a GBK table) as UTF-8; nothing when they are not whole GBK text.
std::optional<std::string> gbkToUtf8(std::string_view gbk);

// GBK bytes as UTF-8 for showing: a byte that is not GBK comes out as '?'.
std::string shownGbk(std::string_view gbk);

// UTF-8 text as GBK bytes; nothing when it is not UTF-8 or holds a character that GBK cannot write.
std::optional<std::string> utf8ToGbk(std::string_view utf8);

// UTF-16 text (little- or big-endian, without a byte-order mark) as UTF-8; nothing when it is not whole
// UTF-16.
std::optional<std::string> utf16ToUtf8(std::string_view utf16, bool bigEndian);

// UTF-8 text in the given character set, for a terminal: a character it cannot write comes out as '?'.
std::string utf8To(std::string_view utf8, const std::string& charset);

// Text in the given character set as UTF-8; nothing when it does not convert in full.
std::optional<std::string> utf8Of(std::string_view text, const std::string& charset);

// Whether every byte is ASCII (the same text in GBK and UTF-8).
bool isAscii(std::string_view bytes);

// Whether the bytes are whole UTF-8 text.
bool isUtf8(std::string_view bytes);

// The GBK bytes that UTF-8 text takes: one for an ASCII character, two for any other (every character
// GBK can write). Limits of the game's name fields count these.
std::size_t gbkLength(std::string_view utf8);

}  // namespace vorandel
