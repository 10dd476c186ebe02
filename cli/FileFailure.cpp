#include "cli/FileFailure.h"

#include "cli/TerminalText.h"

namespace vorandel {

// '%' is an ASCII byte and never the second byte of a GBK character, so every "%s" in the text is one.
std::string textWithPaths(const std::string& gbk, const std::vector<std::string>& paths,
                          const std::string& charset) {
  std::string shown;
  std::size_t start = 0;
  for (const std::string& path : paths) {
    const std::size_t mark = gbk.find("%s", start);
    if (mark == std::string::npos) break;
    shown += gbkTo(std::string_view(gbk).substr(start, mark - start), charset) + path;
    start = mark + 2;
  }
  return shown + gbkTo(std::string_view(gbk).substr(start), charset);
}

std::string describe(const FileFailure& failure, const std::string& charset) {
  std::string shown = textWithPaths(failure.text, failure.paths, charset);
  if (shown.empty() || shown.back() != '\n') shown += '\n';
  if (!failure.reason.empty()) shown += gbkTo("原因：", charset) + failure.reason + '\n';
  return shown;
}

}  // namespace vorandel
