#include "cli/CommandLine.h"

#include "model/EditError.h"

namespace vorandel {

namespace {

std::optional<BatchKind> batchOption(const std::string& option) {
  if (option == "--name") return BatchKind::NameList;
  if (option == "--officer") return BatchKind::OfficerTable;
  if (option == "--lord") return BatchKind::ForceTable;
  if (option == "--city") return BatchKind::CityTable;
  return std::nullopt;
}

std::optional<BatchKind> exportKind(const std::string& kind) {
  if (kind == "name") return BatchKind::NameList;
  if (kind == "officer") return BatchKind::OfficerTable;
  if (kind == "lord") return BatchKind::ForceTable;
  if (kind == "city") return BatchKind::CityTable;
  return std::nullopt;
}

bool isNumber(const std::string& text) {
  return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

CommandLine parseOptions(const std::vector<std::string>& args) {
  CommandLine options;
  options.command = args.at(0);
  const bool exporting = options.command == "export";
  const bool mapping = options.command == "map";
  const bool showing = options.command == "show";
  if (options.command != "generate" && options.command != "check" && options.command != "info" && !exporting &&
      !mapping && !showing)
    throw UsageError(formatMessage("未知的命令：%s", options.command.c_str()));
  std::size_t i = 1;
  if (exporting) {
    const std::optional<BatchKind> kind = args.size() > 1 ? exportKind(args[1]) : std::nullopt;
    if (!kind) throw UsageError("export 后面须给出种类：officer、lord、city 或 name");
    options.exportKind = *kind;
    i = 2;
  }
  if (showing) {
    if (args.size() < 3 || (args[1] != "city" && args[1] != "force"))
      throw UsageError("show 后面须给出 city 城市名或序号，或 force 君主名或势力序号");
    options.showKind = args[1];
    options.showTarget = args[2];
    i = 3;
  }
  for (; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--utf8" && options.command != "info") {
      options.utf8 = true;
      continue;
    }
    if (option == "--force" && exporting) {
      options.force = true;
      continue;
    }
    const std::optional<BatchKind> kind = batchOption(option);
    const bool known = option == "--from" || (option == "--out" && options.command == "generate") ||
                       (kind && (options.command == "generate" || options.command == "check" || mapping || showing)) ||
                       ((exporting || mapping) && (option == "-o" || option == "--scenario")) ||
                       (showing && option == "--scenario");
    if (!known) throw UsageError(formatMessage("命令 %s 不接受选项 %s", options.command.c_str(), option.c_str()));
    if (i + 1 >= args.size()) throw UsageError(formatMessage("选项 %s 后面缺少参数", option.c_str()));
    if (option == "--scenario") {
      if (options.exportKind == BatchKind::NameList) throw UsageError("人名/地名表不分剧本，不接受 --scenario");
      if (!isNumber(args[i + 1])) throw UsageError("--scenario 后面须给出剧本序号");
      if (showing) {
        if (!options.scenarios.empty()) throw UsageError("show 只接受一个剧本序号");
        options.scenarios.push_back(std::stoul(args[++i]));
        continue;
      }
      while (i + 1 < args.size() && isNumber(args[i + 1])) options.scenarios.push_back(std::stoul(args[++i]));
      continue;
    }
    const std::string& value = args[++i];
    if (kind)
      options.batches.push_back({*kind, value});
    else if (option == "--from")
      options.from = value;
    else if (option == "-o")
      options.exportFile = value;
    else
      options.out = value;
  }
  return options;
}

}  // namespace vorandel
