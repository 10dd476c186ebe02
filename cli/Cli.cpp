#include "cli/Cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

#include "batch/BatchRun.h"
#include "batch/TableExport.h"
#include "cli/HelpText.h"
#include "cli/CommandLine.h"
#include "cli/ExportFile.h"
#include "cli/FileFailure.h"
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

// A failure that the user has been told of already; carries the exit code.
struct Stop {
  int code;
};

// A table kept as UTF-8, converted into a GBK copy in the temporary folder for as long as it is read.
class GbkCopy {
 public:
  explicit GbkCopy(const std::string& gbk) {
    std::random_device random;
    path_ = (std::filesystem::temp_directory_path() /
             ("vorandel-table-" + std::to_string(random()) + std::to_string(random()) + ".txt"))
                .string();
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << gbk;
    out.close();
    written_ = !out.fail();
  }
  ~GbkCopy() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  GbkCopy(const GbkCopy&) = delete;
  GbkCopy& operator=(const GbkCopy&) = delete;

  bool written() const { return written_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool written_ = false;
};

class Cli : public UserNotifier {
 public:
  explicit Cli(CliContext& context) : context_(context) {}

  void showError(const std::string& text) override { say(text); }

  void say(const std::string& text) {
    context_.err << gbkTo(text, context_.charset);
    if (text.empty() || text.back() != '\n') context_.err << '\n';
  }

  int run(const CommandLine& options) {
    ScenarioSet current = startUp(options.from);
    for (const BatchStep& batch : options.batches) {
      if (!fileExists(batch.path)) {
        say(formatMessage("文件不存在！\n%s", batch.path.c_str()));
        throw Stop{kExitFileFailed};
      }
      if (!options.utf8) {
        runBatch(current, batch.kind, batch.path);
        continue;
      }
      const GbkCopy copy(gbkOfUtf8Table(batch.path));
      if (!copy.written()) {
        say(formatMessage("无法写入文件：%s", copy.path().c_str()));
        throw Stop{kExitFileFailed};
      }
      runBatch(current, batch.kind, copy.path());
    }
    if (options.command == "export") {
      exportTable(current, options);
    } else if (options.command == "info") {
      printInfo(current);
    } else if (options.command == "check") {
      validateScenarios(current, 0, kAllScenarios);
      say("检查完毕，全部剧本的数据正确。");
    } else {
      // A folder is made only for data that will be written into it.
      std::error_code missing;
      if (!std::filesystem::is_directory(options.out, missing)) {
        validateScenarios(current, 0, kAllScenarios);
        missing.clear();
        std::filesystem::create_directories(options.out, missing);
      }
      if (missing) {
        context_.err << describe({kExitFileFailed, "无法创建文件夹：%s", {options.out}, missing.message()}, context_.charset);
        throw Stop{kExitFileFailed};
      }
      if (!generateScenarioFiles(current, options.out, *this)) throw Stop{kExitFileFailed};
      say("已生成新的剧本。");
    }
    return kExitDone;
  }

 private:
  // The GBK bytes of a table saved as UTF-8 (a leading byte-order mark is dropped).
  std::string gbkOfUtf8Table(const std::string& path) {
    std::string text = readWholeFile(path);
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    std::optional<std::string> gbk = utf8ToGbk(text);
    if (!gbk) {
      say(formatMessage("表 %s 不是UTF-8文本，或含有GBK无法表示的字符。", path.c_str()));
      throw Stop{kExitRefused};
    }
    return std::move(*gbk);
  }

  // Writes the table of the current data; what the table cannot express is told record by record.
  void exportTable(const ScenarioSet& set, const CommandLine& options) {
    for (const std::size_t s : options.scenarios) {
      if (s >= set.scenarioCount())
        throw UsageError(formatMessage("没有剧本 %zu（共有 %zu 个剧本，序号从0开始）", s, set.scenarioCount()));
    }
    const ExportedTable table = vorandel::exportTable(set, options.exportKind, options.scenarios);
    for (const std::string& problem : table.problems) say(problem);
    std::string bytes = table.text;
    if (options.utf8) {
      bytes = gbkTo(table.text, "UTF-8");
      if (utf8ToGbk(bytes) != table.text) {
        say("表中有不能写成UTF-8的文字，请不加 --utf8 导出。");
        throw Stop{kExitRefused};
      }
    }
    const std::string file = options.exportFile.value_or(defaultTableName(options.exportKind));
    ExportedFile written;
    try {
      written = writeExportFile(file, bytes, options.force, context_.out);
    } catch (const FileFailure& failure) {
      context_.err << describe(failure, context_.charset);
      throw Stop{failure.exitCode};
    }
    // The path goes to the terminal as typed; only the program's words are converted.
    const std::string left =
        table.problems.empty() ? "" : formatMessage("%zu 项无法写入表中（见上）。", table.problems.size());
    const std::vector<std::string> paths{file == "-" ? gbkTo("标准输出", context_.charset) : file, written.backup};
    context_.err << textWithPaths("已导出到 %s。" + left + "\n" + (written.backup.empty() ? "" : "原有的文件保存为 %s。\n"),
                                  paths, context_.charset);
  }

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
