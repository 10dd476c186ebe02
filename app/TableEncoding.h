#pragma once
// A table file as spreadsheets save it: GBK text, UTF-8 (with or without a byte-order mark) or UTF-16
// with a byte-order mark ("Unicode text"). The mark decides; without one the player's choice does. And
// the hints for files that are not tab-separated text at all.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

enum class TableEncoding { Gbk, Utf8, Utf16Le, Utf16Be };

// The encoding of the bytes: their byte-order mark, else UTF-8 when utf8 is asked for, else GBK.
TableEncoding tableEncoding(std::string_view bytes, bool utf8);

// The text as GBK without its byte-order mark; nothing when it does not convert in full.
std::optional<std::string> tableTextAsGbk(std::string_view bytes, TableEncoding encoding);

// Lines of advice for a table that failed, from what its bytes look like: a spreadsheet's own file
// (zip or OLE), comma-separated text.
std::vector<std::string> tableFormatHints(std::string_view bytes);

}  // namespace vorandel
