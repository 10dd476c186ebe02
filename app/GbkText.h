#pragma once
// Conversions between the program's GBK texts and other character sets, for the edges where text leaves
// or enters the program: a terminal, a UTF-8 table, an SVG picture. The only place that calls iconv or
// the Windows code-page functions for text.
#include <optional>
#include <string>
#include <string_view>

namespace vorandel {

// GBK bytes in the given character set (an iconv name; on Windows UTF-8, a GBK name or a code page
// number). A byte sequence
// that cannot be converted comes out as '?'.
std::string gbkTo(std::string_view gbk, const std::string& charset);

// GBK bytes as UTF-8, on every system.
std::string gbkToUtf8(std::string_view gbk);

// UTF-8 text as GBK bytes, for tables that the player keeps in UTF-8. Nothing when the text is not
// UTF-8 or holds a character that GBK cannot write: a table is converted in full or not at all.
std::optional<std::string> utf8ToGbk(std::string_view utf8);

// UTF-16 text (little- or big-endian, without a byte-order mark) as GBK bytes; nothing when it is not
// whole UTF-16 or holds a character that GBK cannot write.
std::optional<std::string> utf16ToGbk(std::string_view utf16, bool bigEndian);

// Text in the given character set as GBK bytes; nothing when it does not convert in full.
std::optional<std::string> gbkOf(std::string_view text, const std::string& charset);

#ifdef _WIN32
// Bytes in one Windows code page converted to another (given as its number, as terminalCharset names it,
// or as UTF-8 or a GBK name).
std::string convertCodePage(unsigned source, std::string_view bytes, const std::string& charset);
#endif

}  // namespace vorandel
