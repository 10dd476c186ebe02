#include "app/TableEncoding.h"

#include "app/GbkText.h"
#include "tables/BatchTable.h"

namespace vorandel {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kOleSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

}  // namespace

TableEncoding tableEncoding(std::string_view bytes, bool utf8) {
  if (bytes.starts_with(kUtf8Mark)) return TableEncoding::Utf8;
  if (bytes.starts_with(kUtf16LeMark)) return TableEncoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return TableEncoding::Utf16Be;
  return utf8 ? TableEncoding::Utf8 : TableEncoding::Gbk;
}

std::optional<std::string> tableTextAsGbk(std::string_view bytes, TableEncoding encoding) {
  switch (encoding) {
    case TableEncoding::Gbk: return std::string(bytes);
    case TableEncoding::Utf8:
      if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
      return utf8ToGbk(bytes);
    case TableEncoding::Utf16Le:
      if (bytes.starts_with(kUtf16LeMark)) bytes.remove_prefix(kUtf16LeMark.size());
      return utf16ToGbk(bytes, false);
    case TableEncoding::Utf16Be:
      if (bytes.starts_with(kUtf16BeMark)) bytes.remove_prefix(kUtf16BeMark.size());
      return utf16ToGbk(bytes, true);
  }
  return std::nullopt;
}

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
