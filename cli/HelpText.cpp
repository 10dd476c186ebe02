#include "cli/HelpText.h"

#include <string_view>
#include <vector>

namespace vorandel {

namespace {

std::vector<std::string_view> helpLines() {
  std::vector<std::string_view> lines;
  std::string_view text = kHelp;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end + 1));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

std::string commandHelp(const std::string& command) {
  const std::string lead = "  vorandel " + command + " ";
  const std::string bare = "  vorandel " + command + "\n";
  std::string help = "用法：\n";
  bool inCommand = false;
  bool inBatches = false;
  const bool takesBatches = command == "generate" || command == "check" || command == "map" || command == "show";
  for (const std::string_view line : helpLines()) {
    if (line.starts_with("  vorandel ")) inCommand = line.starts_with(lead) || line == bare;
    if (!line.starts_with(" ")) {
      inCommand = false;
      inBatches = takesBatches && line.starts_with("批量表");
      if (line.starts_with("退出码")) inBatches = true;
    }
    if (inCommand || inBatches) help += line;
  }
  return help;
}

}  // namespace vorandel
