#include "cli/Cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "batch/BatchRun.h"
#include "cli/TerminalText.h"
#include "edit/EditError.h"
#include "edit/Validator.h"
#include "model/FileOps.h"
#include "model/Generate.h"
#include "model/MemoryStream.h"
#include "model/Loader.h"
#include "model/StreamError.h"
#include "model/Writer.h"

namespace vorandel {

namespace {

constexpr const char* kVersion = "vorandel 1.1.0";

constexpr const char* kHelp =
    "用法：\n"
    "  vorandel generate [--from 目录] [--out 目录] [批量表 ...]\n"
    "      从内置剧本（或 --from 目录中的 sndata.s5 和 taiki.s5）开始，按给出的顺序执行批量表，\n"
    "      检查全部剧本，然后在 --out 目录（默认为当前目录）生成新的 sndata.s5 和 taiki.s5；\n"
    "      已有的同名文件先改名为 sndata.s5.bak 和 taiki.s5.bak。\n"
    "  vorandel check [--from 目录] [批量表 ...]\n"
    "      与 generate 相同，但不写任何文件，只报告数据是否正确。\n"
    "  vorandel info [--from 目录]\n"
    "      列出每个剧本的序号、开始年份、开始月份、已上场和待上场武将人数（以制表符分隔）。\n"
    "  vorandel --help      显示本说明。\n"
    "  vorandel --version   显示版本。\n"
    "批量表（可重复，按给出的顺序执行；每个批量表要么全部生效，要么完全不生效）：\n"
    "  --name 文件    批量修改所有剧本中的人名/地名（默认文件名 ruv5_name.txt）\n"
    "  --officer 文件 批量修改武将信息（ruv5_officer.txt）；执行后检查全部剧本\n"
    "      设置为3新建的武将默认主管军事和内政两项：成为军师、一般或仍待命时须在“主管”列填一项，\n"
    "      否则被拒绝；表中没有“所在地”列时新武将的所在地为0，检查不通过。\n"
    "  --lord 文件    批量修改势力信息（ruv5_lord.txt）\n"
    "  --city 文件    批量修改城市信息（ruv5_city.txt）\n"
    "退出码：0 完成；1 数据或批量表有错误，没有写任何文件；2 用法错误；\n"
    "        3 文件无法读取、改名或写入（信息中写明是哪个文件）。\n";

struct Batch {
  BatchKind kind;
  std::string path;
};

struct Options {
  std::string command;
  std::optional<std::string> from;
  std::string out = ".";
  std::vector<Batch> batches;
};

class UsageError {
 public:
  explicit UsageError(std::string text) : text_(std::move(text)) {}
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// A failure that the user has been told of already; carries the exit code.
struct Stop {
  int code;
};

std::optional<BatchKind> batchOption(const std::string& option) {
  if (option == "--name") return BatchKind::NameList;
  if (option == "--officer") return BatchKind::OfficerTable;
  if (option == "--lord") return BatchKind::ForceTable;
  if (option == "--city") return BatchKind::CityTable;
  return std::nullopt;
}

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  options.command = args.at(0);
  if (options.command != "generate" && options.command != "check" && options.command != "info")
    throw UsageError(formatMessage("未知的命令：%s", options.command.c_str()));
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    const std::optional<BatchKind> kind = batchOption(option);
    const bool known = option == "--from" || (option == "--out" && options.command == "generate") ||
                       (kind && options.command != "info");
    if (!known) throw UsageError(formatMessage("命令 %s 不接受选项 %s", options.command.c_str(), option.c_str()));
    if (i + 1 >= args.size()) throw UsageError(formatMessage("选项 %s 后面缺少参数", option.c_str()));
    const std::string& value = args[++i];
    if (kind)
      options.batches.push_back({*kind, value});
    else if (option == "--from")
      options.from = value;
    else
      options.out = value;
  }
  return options;
}

class Cli : public UserNotifier {
 public:
  explicit Cli(CliContext& context) : context_(context) {}

  void showError(const std::string& text) override { say(text); }

  void say(const std::string& text) {
    context_.err << gbkTo(text, context_.charset);
    if (text.empty() || text.back() != '\n') context_.err << '\n';
  }

  int run(const Options& options) {
    ScenarioSet current = startUp(options.from);
    for (const Batch& batch : options.batches) {
      if (!fileExists(batch.path)) {
        say(formatMessage("文件不存在！\n%s", batch.path.c_str()));
        throw Stop{kExitFileFailed};
      }
      runBatch(current, batch.kind, batch.path);
    }
    if (options.command == "info") {
      printInfo(current);
    } else if (options.command == "check") {
      validateScenarios(current, 0, kAllScenarios);
      say("检查完毕，全部剧本的数据正确。");
    } else {
      if (!generateScenarioFiles(current, options.out, *this)) throw Stop{kExitFileFailed};
      say("已生成新的剧本。");
    }
    return kExitDone;
  }

 private:
  std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
      say(formatMessage("无法读取文件：%s", path.c_str()));
      throw Stop{kExitFileFailed};
    }
    return bytes;
  }

  // Loads the built-in pair, or the folder's pair, and proves it consistent.
  ScenarioSet startUp(const std::optional<std::string>& from) {
    ScenarioSet set;
    if (!from) {
      loadScenarioSet(set, context_.builtIn.sndata, context_.builtIn.taiki);
    } else {
      const std::string sndataPath = (std::filesystem::path(*from) / kSndataName).string();
      const std::string taikiPath = (std::filesystem::path(*from) / kTaikiName).string();
      const std::string sndataBytes = readWholeFile(sndataPath);
      const std::string taikiBytes = readWholeFile(taikiPath);
      MemoryInputStream sndata(sndataBytes);
      MemoryInputStream taiki(taikiBytes);
      try {
        parseScenarioStreams(set, sndata, taiki);
      } catch (StreamError) {
        say(formatMessage("剧本文件 %s 的数据不完整，无法读取。", (sndata.fail() ? sndataPath : taikiPath).c_str()));
        throw Stop{kExitFileFailed};
      }
    }
    validateScenarios(set, 0, kAllScenarios);
    return set;
  }

  void printInfo(const ScenarioSet& set) {
    std::string table = "剧本\t开始年份\t开始月份\t已上场武将\t待上场武将\n";
    for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
      const Scenario& scenario = set.scenarios[s];
      table += formatMessage("%zu\t%u\t%u\t%u\t%u\n", s, unsigned{scenario.block.get(block::startYear)},
                             unsigned{scenario.block.get(block::startMonth)}, scenario.onMapCount,
                             scenario.waitingCount);
    }
    context_.out << gbkTo(table, context_.charset);
  }

  CliContext& context_;
};

}  // namespace

int runCli(const std::vector<std::string>& args, CliContext& context) {
  Cli cli(context);
  if (args.empty()) {
    cli.say(kHelp);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    context.out << gbkTo(kHelp, context.charset);
    return kExitDone;
  }
  if (args[0] == "--version") {
    context.out << kVersion << '\n';
    return kExitDone;
  }
  try {
    return cli.run(parseOptions(args));
  } catch (const UsageError& e) {
    cli.say(e.text() + "\n（vorandel --help 显示用法）");
    return kExitUsage;
  } catch (const EditError& e) {
    cli.say(e.text());
    return kExitRefused;
  } catch (const Stop& stop) {
    return stop.code;
  } catch (StreamError) {
    cli.say("剧本数据不完整，无法读取。");
    return kExitFileFailed;
  }
}

}  // namespace vorandel
