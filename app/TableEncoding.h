#pragma once
// A table file as spreadsheets save it: GBK text, UTF-8 (with or without a byte-order mark) or UTF-16
// with a byte-order mark ("Unicode text"). The mark decides; without one the player's choice does. And
// the hints for files that are not tab-separated text at all.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

enum class TableEncoding { Gbk, Utf8, Utf16Le, Utf16Be };

// The encoding of the bytes: their byte-order mark, else UTF-8 when utf8 is asked for, else GBK.
TableEncoding tableEncoding(std::string_view bytes, bool utf8);

// Whether bytes without a byte-order mark, which are read as GBK, were saved as UTF-8: they are whole
// UTF-8 and, read so, hold Chinese text (a CJK ideograph, CJK punctuation or a full-width form). A few
// GBK characters are often whole UTF-8 as well (陆逊 reads as "½ѷ"), but hardly ever as Chinese.
// Every guess at a table's encoding from its bytes is this one.
bool savedAsUtf8(std::string_view bytes);

// A table's text as the program reads it (UTF-8, without a byte-order mark), or the number (from 1) of
// the first line that does not convert and what of it converts.
struct DecodedTable {
  std::optional<std::string> text;
  std::size_t badLine = 0;
  std::string shownBadLine;  // that line as far as its encoding reads it, what does not convert as '?'
};

// The bytes in the encoding as UTF-8 text without the byte-order mark, converted line by line so that a
// failure names its line.
DecodedTable decodeTable(std::string_view bytes, TableEncoding encoding);

// decodeTable within the buffer that holds the bytes, so that a large table never takes its bytes and its
// text in full at once: the bytes are buffer[from, to), and their text is written from the buffer's start
// a piece of about pieceSize bytes (whole lines) at a time, each over bytes converted already. The bytes
// should start far enough in to leave room for their text: half their size for GBK or UTF-16, whose UTF-8
// is at most half as long again; text that finds no room is kept aside and added at the end. On success
// the text is the buffer itself (moved out of it); on failure what the buffer holds is unspecified.
DecodedTable decodeTableInPlace(std::string& buffer, std::size_t from, std::size_t to, TableEncoding encoding,
                                std::size_t pieceSize);

// A table's UTF-8 text as the bytes of its file: GBK, or UTF-8 when asked for (then without a mark; the
// writer of a file adds one). A character GBK cannot write comes out as '?'.
std::string encodeTable(std::string_view utf8, bool asUtf8);

// Lines of advice for a table that failed, from what its bytes look like: a spreadsheet's own file
// (zip or OLE), comma-separated text.
std::vector<std::string> tableFormatHints(std::string_view bytes);

}  // namespace vorandel
