#include "cli/Cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

#include "batch/BatchRun.h"
#include "batch/TableExport.h"
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
    "  vorandel generate [--from 目录] [--out 目录] [--utf8] [批量表 ...]\n"
    "      从内置剧本（或 --from 目录中的 sndata.s5 和 taiki.s5）开始，按给出的顺序执行批量表，\n"
    "      检查全部剧本，然后在 --out 目录（默认为当前目录）生成新的 sndata.s5 和 taiki.s5；\n"
    "      已有的同名文件先改名为 sndata.s5.bak 和 taiki.s5.bak。\n"
    "  vorandel check [--from 目录] [--utf8] [批量表 ...]\n"
    "      与 generate 相同，但不写任何文件，只报告数据是否正确。\n"
    "  vorandel export 种类 [--from 目录] [--scenario 剧本序号 ...] [-o 文件] [--utf8]\n"
    "      把当前数据（内置剧本或 --from 目录中的剧本）导出为该种类的批量表，格式与执行时读取的完全相同；\n"
    "      种类为 officer（武将表）、lord（势力表）、city（城市表）或 name（人名/地名表）。\n"
    "      默认文件名为该批量表的默认文件名（如 ruv5_officer.txt），放在当前目录；已有的同名文件先改名为 .bak。\n"
    "      --scenario 只导出给出的剧本（可给多个序号；人名/地名表不分剧本，不接受此选项）。\n"
    "      导出的表不加修改地执行，剧本文件一个字节也不变。用法：先 export，用电子表格修改需要改的格子\n"
    "      （保存为制表符分隔的文本），再 generate 执行该表。\n"
    "      表无法表示的值：超出该列允许范围的数值；含空格、引号或超过8字节（城市名4字节）的名字；\n"
    "      非君主的主管不是恰好一项、君主的主管不是全部（内政除外）；已学技能不包含前“已学技能数”个\n"
    "      可学技能、可学技能重复；经验低于成长和已学技能数的下限；军师智力低于90或政治低于80、\n"
    "      一般武将智力90以上且政治80以上；在野、隐士、待命武将带兵或训练不为0；违反宝物规则的宝物。\n"
    "      含这类值的武将、势力或城市在表中的设置为0（执行时不修改），并在错误输出中逐条列出。\n"
    "      各剧本地形、地图位置或相邻城不同时，城市表的选项为60（不从剧本0复制）；\n"
    "      在各剧本中名字不同的武将或城市不写入人名/地名表。\n"
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
    "  --utf8         表以UTF-8保存（导出时写成UTF-8，执行时读UTF-8）；不加此选项时为GBK。\n"
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
  bool utf8 = false;                  // tables are read and written as UTF-8
  BatchKind exportKind = BatchKind::OfficerTable;
  std::vector<std::size_t> scenarios;  // export: the scenarios asked for, all when empty
  std::optional<std::string> exportFile;
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

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  options.command = args.at(0);
  const bool exporting = options.command == "export";
  if (options.command != "generate" && options.command != "check" && options.command != "info" && !exporting)
    throw UsageError(formatMessage("未知的命令：%s", options.command.c_str()));
  std::size_t i = 1;
  if (exporting) {
    const std::optional<BatchKind> kind = args.size() > 1 ? exportKind(args[1]) : std::nullopt;
    if (!kind) throw UsageError("export 后面须给出种类：officer、lord、city 或 name");
    options.exportKind = *kind;
    i = 2;
  }
  for (; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--utf8" && options.command != "info") {
      options.utf8 = true;
      continue;
    }
    const std::optional<BatchKind> kind = batchOption(option);
    const bool known = option == "--from" || (option == "--out" && options.command == "generate") ||
                       (kind && (options.command == "generate" || options.command == "check")) ||
                       (exporting && (option == "-o" || option == "--scenario"));
    if (!known) throw UsageError(formatMessage("命令 %s 不接受选项 %s", options.command.c_str(), option.c_str()));
    if (i + 1 >= args.size()) throw UsageError(formatMessage("选项 %s 后面缺少参数", option.c_str()));
    if (option == "--scenario") {
      if (options.exportKind == BatchKind::NameList) throw UsageError("人名/地名表不分剧本，不接受 --scenario");
      if (!isNumber(args[i + 1])) throw UsageError("--scenario 后面须给出剧本序号");
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

  int run(const Options& options) {
    ScenarioSet current = startUp(options.from);
    for (const Batch& batch : options.batches) {
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
  void exportTable(const ScenarioSet& set, const Options& options) {
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
    if (!backupFile(*this, file, file + ".bak")) throw Stop{kExitFileFailed};
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (out.fail()) {
      say(formatMessage("无法写入文件：%s", file.c_str()));
      throw Stop{kExitFileFailed};
    }
    say(formatMessage("已导出到 %s。%s", file.c_str(),
                      table.problems.empty() ? "" : formatMessage("%zu 项无法写入表中（见上）。", table.problems.size()).c_str()));
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
