#include "app/TableEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/AppMessages.h"
#include "model/GbkText.h"
#include "tables/BatchTable.h"

namespace vorandel {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kOleSignature = "\xD0\xCF\x11\xE0";

// Whether the bytes are their own text: valid UTF-8 read as UTF-8, which converts by staying as it is.
bool staysAsItIs(std::string_view bytes, TableEncoding encoding) {
  return encoding == TableEncoding::Utf8 && isUtf8(bytes);
}

// The UTF-8 text of lines that do not stay as they are; nothing when they do not convert (UTF-8 that is
// not valid never does).
std::optional<std::string> convertedLines(std::string_view lines, TableEncoding encoding) {
  switch (encoding) {
    case TableEncoding::Gbk: return gbkToUtf8(lines);
    case TableEncoding::Utf8: return std::nullopt;
    case TableEncoding::Utf16Le:
    case TableEncoding::Utf16Be: break;
  }
  return utf16ToUtf8(lines, encoding == TableEncoding::Utf16Be);
}

// The UTF-8 text of whole lines of the encoding, or of a piece of one that is whole characters;
// nothing when they do not convert.
std::optional<std::string> linesText(std::string_view lines, TableEncoding encoding) {
  if (staysAsItIs(lines, encoding)) return std::string(lines);
  return convertedLines(lines, encoding);
}

// A line that does not convert, as far as it does: each byte of GBK, character of UTF-8 or code unit of
// UTF-16 that does not convert shown as '?', without the line's end.
std::string shownLine(std::string_view line, TableEncoding encoding) {
  std::string shown;
  if (encoding == TableEncoding::Gbk) {
    shown = shownGbk(line);
  } else {
    const bool wide = encoding != TableEncoding::Utf8;
    for (std::size_t at = 0; at < line.size();) {
      // The longest piece that converts: a character of up to four bytes, or a UTF-16 pair.
      std::size_t taken = 0;
      for (std::size_t length = 4; length >= (wide ? 2 : 1) && taken == 0; length -= wide ? 2 : 1) {
        if (at + length > line.size()) continue;
        if (const std::optional<std::string> text = linesText(line.substr(at, length), encoding)) {
          shown += *text;
          taken = length;
        }
      }
      if (taken == 0) {
        shown += '?';
        taken = wide ? std::min<std::size_t>(2, line.size() - at) : 1;
      }
      at += taken;
    }
  }
  while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
  return shown;
}

}  // namespace

TableEncoding tableEncoding(std::string_view bytes, bool utf8) {
  if (bytes.starts_with(kUtf8Mark)) return TableEncoding::Utf8;
  if (bytes.starts_with(kUtf16LeMark)) return TableEncoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return TableEncoding::Utf16Be;
  return utf8 ? TableEncoding::Utf8 : TableEncoding::Gbk;
}

namespace {

// Whether the code point is a character of Chinese text: a CJK ideograph (with extension A, the
// compatibility ideographs and the planes of the rarer ones), CJK punctuation, or a full-width form.
bool isChineseCharacter(std::uint32_t code) {
  return (code >= 0x3000 && code <= 0x303F) || (code >= 0x3400 && code <= 0x4DBF) ||
         (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0xF900 && code <= 0xFAFF) ||
         (code >= 0xFF00 && code <= 0xFFEF) || (code >= 0x20000 && code <= 0x3FFFF);
}

// Whether whole UTF-8 text holds a character of Chinese text.
bool holdsChinese(std::string_view utf8) {
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[at + k]) & 0x3Fu);
    if (isChineseCharacter(code)) return true;
    at += length;
  }
  return false;
}

}  // namespace

bool savedAsUtf8(std::string_view bytes) { return !isAscii(bytes) && isUtf8(bytes) && holdsChinese(bytes); }

namespace {

std::string_view markOf(TableEncoding encoding) {
  return encoding == TableEncoding::Utf8      ? kUtf8Mark
         : encoding == TableEncoding::Utf16Le ? kUtf16LeMark
         : encoding == TableEncoding::Utf16Be ? kUtf16BeMark
                                              : std::string_view();
}

bool isWide(TableEncoding encoding) { return encoding == TableEncoding::Utf16Le || encoding == TableEncoding::Utf16Be; }

// The bytes without the encoding's byte-order mark, when they start with it.
std::string_view withoutMark(std::string_view bytes, TableEncoding encoding) {
  const std::string_view mark = markOf(encoding);
  if (!mark.empty() && bytes.starts_with(mark)) bytes.remove_prefix(mark.size());
  return bytes;
}

DecodedTable decodedText(std::string text) {
  DecodedTable decoded;
  decoded.text = std::move(text);
  return decoded;
}

// A line ends after its line feed: the byte 0x0A (never part of a GBK or UTF-8 character), or the code
// unit 0x000A of UTF-16.
std::string_view lineFeedOf(TableEncoding encoding) {
  return encoding == TableEncoding::Utf16Le   ? std::string_view("\n\0", 2)
         : encoding == TableEncoding::Utf16Be ? std::string_view("\0\n", 2)
                                              : std::string_view("\n");
}

// Where the line that holds the byte at `from` ends in bytes of the encoding (lines counted from 0, in
// units of the encoding): after its line feed, or at the end of the bytes.
std::size_t lineEnd(std::string_view bytes, std::size_t from, TableEncoding encoding) {
  if (!isWide(encoding)) return std::min(bytes.find('\n', from), bytes.size() - 1) + 1;
  const std::string_view lineFeed = lineFeedOf(encoding);
  std::size_t end = from;
  while (end < bytes.size() && bytes.substr(end, 2) != lineFeed) end += 2;
  return std::min(end + 2, bytes.size());
}

// The bytes (without their mark) converted one line at a time, so that a failure names its line.
DecodedTable decodeLines(std::string_view bytes, TableEncoding encoding) {
  DecodedTable decoded;
  std::string text;
  std::size_t line = 1;
  for (std::size_t start = 0; start < bytes.size(); ++line) {
    const std::size_t end = lineEnd(bytes, start, encoding);
    const std::string_view piece = bytes.substr(start, end - start);
    const std::optional<std::string> converted = linesText(piece, encoding);
    if (!converted) {
      decoded.badLine = line;
      decoded.shownBadLine = shownLine(piece, encoding);
      return decoded;
    }
    text += *converted;
    start = end;
  }
  decoded.text = std::move(text);
  return decoded;
}

}  // namespace

DecodedTable decodeTable(std::string_view bytes, TableEncoding encoding) {
  bytes = withoutMark(bytes, encoding);
  // A line feed is never part of a character of GBK or UTF-8, so the whole text converts exactly as its
  // lines do one by one; they are converted one by one only to find the line that does not.
  if (!isWide(encoding))
    if (std::optional<std::string> whole = linesText(bytes, encoding)) return decodedText(std::move(*whole));
  return decodeLines(bytes, encoding);
}

DecodedTable decodeTableInPlace(std::string& buffer, std::size_t from, std::size_t to, TableEncoding encoding,
                                std::size_t pieceSize) {
  const std::string_view bytes = withoutMark(std::string_view(buffer.data() + from, to - from), encoding);
  const std::size_t base = static_cast<std::size_t>(bytes.data() - buffer.data());  // where the bytes start
  const std::size_t unit = isWide(encoding) ? 2 : 1;
  const std::size_t step = std::max(unit, pieceSize / unit * unit);
  std::size_t written = 0;  // the text so far is buffer[0, written), then `spilled`
  std::string spilled;      // the text of the pieces that found no room before their bytes
  // Puts the text of the piece that ends at `end` after the text so far. The text may cover only bytes
  // that are converted already, and comes after any that spilled.
  const auto place = [&](std::string_view text, std::size_t end) {
    if (spilled.empty() && written + text.size() <= base + end) {
      std::memmove(buffer.data() + written, text.data(), text.size());
      written += text.size();
    } else {
      spilled += text;
    }
  };
  for (std::size_t start = 0; start < bytes.size();) {
    // A piece is whole lines: a line feed, like the end of a line, is never inside a character.
    const std::size_t end = start + step >= bytes.size() ? bytes.size() : lineEnd(bytes, start + step - unit, encoding);
    const std::string_view piece = bytes.substr(start, end - start);
    if (staysAsItIs(piece, encoding)) {
      place(piece, end);  // it only moves to where the text goes
    } else {
      const std::optional<std::string> converted = convertedLines(piece, encoding);
      if (!converted) {
        // The lines before the piece are the line feeds of the text so far, one for each of theirs.
        DecodedTable bad = decodeLines(piece, encoding);
        bad.badLine += static_cast<std::size_t>(std::count(buffer.data(), buffer.data() + written, '\n') +
                                                std::count(spilled.begin(), spilled.end(), '\n'));
        return bad;
      }
      place(*converted, end);
    }
    start = end;
  }
  buffer.resize(written);
  buffer += spilled;
  return decodedText(std::move(buffer));
}

std::string encodeTable(std::string_view utf8, bool asUtf8) { return asUtf8 ? std::string(utf8) : utf8To(utf8, "GBK"); }

std::vector<std::string> tableFormatHints(std::string_view bytes) {
  std::vector<std::string> hints;
  if (bytes.starts_with(kZipSignature) || bytes.starts_with(kOleSignature)) {
    hints.push_back(kHintSpreadsheetFile);
    return hints;
  }
  const std::string_view firstLine = TableLines(bytes).next().value_or(std::string_view());
  if (firstLine.find(',') != std::string_view::npos && firstLine.find('\t') == std::string_view::npos)
    hints.push_back(kHintCommaSeparated);
  return hints;
}

}  // namespace vorandel
