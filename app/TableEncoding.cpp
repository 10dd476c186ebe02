#include "app/TableEncoding.h"

#include <algorithm>

#include "model/GbkText.h"
#include "tables/BatchTable.h"

namespace vorandel {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kOleSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// The UTF-8 text of one piece of a line: the piece itself when it is UTF-8, converted from UTF-16 otherwise.
std::optional<std::string> pieceText(std::string_view piece, TableEncoding encoding) {
  if (encoding == TableEncoding::Utf8) return isUtf8(piece) ? std::optional<std::string>(piece) : std::nullopt;
  return utf16ToUtf8(piece, encoding == TableEncoding::Utf16Be);
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
        if (const std::optional<std::string> text = pieceText(line.substr(at, length), encoding)) {
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

DecodedTable decodeTable(std::string_view bytes, TableEncoding encoding) {
  const bool wide = encoding == TableEncoding::Utf16Le || encoding == TableEncoding::Utf16Be;
  const std::string_view mark = encoding == TableEncoding::Utf8      ? kUtf8Mark
                                : encoding == TableEncoding::Utf16Le ? kUtf16LeMark
                                : encoding == TableEncoding::Utf16Be ? kUtf16BeMark
                                                                     : std::string_view();
  if (!mark.empty() && bytes.starts_with(mark)) bytes.remove_prefix(mark.size());
  // A line ends after its line feed: the byte 0x0A (never part of a GBK or UTF-8 character), or the
  // code unit 0x000A of UTF-16.
  const std::size_t unit = wide ? 2 : 1;
  const std::string_view lineFeed = encoding == TableEncoding::Utf16Le   ? std::string_view("\n\0", 2)
                                    : encoding == TableEncoding::Utf16Be ? std::string_view("\0\n", 2)
                                                                         : std::string_view("\n");
  DecodedTable decoded;
  // A line feed is never part of a character of GBK or UTF-8, so the whole text converts exactly as its
  // lines do one by one; they are converted one by one only to find the line that does not.
  if (encoding == TableEncoding::Gbk) {
    if (std::optional<std::string> whole = gbkToUtf8(bytes)) {
      decoded.text = std::move(whole);
      return decoded;
    }
  } else if (encoding == TableEncoding::Utf8 && isUtf8(bytes)) {
    decoded.text = std::string(bytes);
    return decoded;
  }
  std::string text;
  std::size_t line = 1;
  for (std::size_t start = 0; start < bytes.size(); ++line) {
    std::size_t end = start;
    if (!wide)
      end = std::min(bytes.find('\n', start), bytes.size());
    else
      while (end < bytes.size() && bytes.substr(end, unit) != lineFeed) end += unit;
    end = std::min(end + unit, bytes.size());
    const std::string_view piece = bytes.substr(start, end - start);
    const std::optional<std::string> converted =
        encoding == TableEncoding::Gbk    ? gbkToUtf8(piece)
        : encoding == TableEncoding::Utf8 ? (isUtf8(piece) ? std::optional<std::string>(piece) : std::nullopt)
                                          : utf16ToUtf8(piece, encoding == TableEncoding::Utf16Be);
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

std::string encodeTable(std::string_view utf8, bool asUtf8) { return asUtf8 ? std::string(utf8) : utf8To(utf8, "GBK"); }

std::vector<std::string> tableFormatHints(std::string_view bytes) {
  std::vector<std::string> hints;
  if (bytes.starts_with(kZipSignature) || bytes.starts_with(kOleSignature)) {
    hints.push_back(
        "这是表格软件自己的文件（xlsx、ods、xls），不是文本：请在表格软件中「另存为」"
        "制表符分隔的文本（*.txt）");
    return hints;
  }
  const std::string_view firstLine = TableLines(bytes).next().value_or(std::string_view());
  if (firstLine.find(',') != std::string_view::npos && firstLine.find('\t') == std::string_view::npos)
    hints.push_back("这个表的单元格像是用逗号分隔的（csv）：请在表格软件中「另存为」制表符分隔的文本（*.txt）");
  return hints;
}

}  // namespace vorandel
