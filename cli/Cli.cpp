#include "cli/Cli.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "app/AppMessages.h"
#include "app/BatchChanges.h"
#include "app/BatchRun.h"
#include "app/BatchSummary.h"
#include "app/ErrorReport.h"
#include "app/Generate.h"
#include "app/RestorePair.h"
#include "app/SetDiff.h"
#include "app/TableEncoding.h"
#include "app/TableUndo.h"
#include "cli/CliMessages.h"
#include "cli/CommandLine.h"
#include "cli/ExportFile.h"
#include "cli/HelpText.h"
#include "cli/ListCommand.h"
#include "cli/MapCommand.h"
#include "cli/TerminalText.h"
#include "model/EditError.h"
#include "model/FileError.h"
#include "model/FileOps.h"
#include "model/FileRead.h"
#include "model/Loader.h"
#include "model/MemoryStream.h"
#include "model/OpenFile.h"
#include "model/StreamError.h"
#include "model/SystemFiles.h"
#include "model/SystemReason.h"
#include "model/TrailingBytes.h"
#include "model/Writer.h"
#include "rules/Validator.h"
#include "tables/TableExport.h"
#include "tables/TableLimits.h"
#include "tables/TextFile.h"

namespace vorandel {

namespace {

// A failure that the user has been told of already; carries the exit code.
struct Stop {
  int code;
};

class Cli {
 public:
  explicit Cli(CliContext& context) : context_(context) {}

  void say(const Message& message) {
    const std::string shown = messageTo(message, context_.charset);
    context_.err << shown;
    if (shown.empty() || shown.back() != '\n') context_.err << '\n';
  }

  int run(const CommandLine& options) {
    if (options.command == "list") {
      context_.out << utf8To(listText(options), context_.charset);
      return kExitDone;
    }
    if (options.command == "diff") return printDifferences(options);
    if (options.command == "restore") return restorePair(options);
    listProblems_ = options.command == "check";
    refuseOutputsOverInputs(options);
    ScenarioSet current = startUp(options.from);
    const ScenarioSet started = options.report ? current : ScenarioSet{};
    std::vector<std::string> warnings;
    for (const BatchStep& batch : options.batches) runOneBatch(current, batch, options.utf8, warnings);
    run(options, current, started);
    // What the tables did that the player may not expect, after the command's own words.
    for (const std::string& warning : warnings) say(warning);
    return kExitDone;
  }

  bool listProblems() const { return listProblems_; }

 private:
  void run(const CommandLine& options, ScenarioSet& current, const ScenarioSet& started) {
    if (options.command == "export") {
      exportTable(current, options);
    } else if (options.command == "info") {
      printInfo(current);
    } else if (options.command == "map") {
      say(writeScenarioMaps(current, options, context_.out));
    } else if (options.command == "show") {
      showCityOrForce(current, options, context_.charset, context_.out);
    } else if (options.command == "check") {
      requireScenarios(current);
      validateScenarios(current, 0, kAllScenarios);
      if (options.report)
        say(writeReport(*options.report, reportBytes(started, current, options.utf8, *options.report)));
      say("检查完毕，全部剧本的数据正确。");
      for (const std::string& warning : pairWarnings_) say(warning);
    } else {
      // A folder is made only for data that will be written into it.
      std::error_code missing;
      if (platform::kindOf(options.out) != platform::PathKind::Folder) {
        validateScenarios(current, 0, kAllScenarios);
        missing.clear();
        std::filesystem::create_directories(systemPath(options.out), missing);
      }
      if (missing) {
        say(Message::withPaths("无法创建文件夹：%s", {options.out}).textLine("原因：").text(systemReason(missing)));
        throw Stop{kExitFileFailed};
      }
      generate(options, current, started);
    }
  }

  // Runs one table (a file, or standard input for "-") and tells what it changed.
  void runOneBatch(ScenarioSet& current, const BatchStep& batch, bool utf8, std::vector<std::string>& warnings) {
    BatchChanges changes;
    // A table of another kind is told with the option that takes it.
    TableReading reading{utf8, true,
                         [](BatchKind kind) { return formatMessage(kOptionTakesTable, batchOptionName(kind)); }};
    reading.earlierTables = &undoCheck_;
    if (batch.path == "-") {
      // Read as a file is: its byte-order mark, its encoding and the hints when it fails.
      changes = runBatchOnBytesWithChanges(current, batch.kind, readStandardInput(batch.kind), "-", reading);
    } else if (!fileExists(batch.path)) {
      say(Message::withPaths("文件不存在！\n%s", {batch.path}).textLine(unreadableReason(batch.path)));
      throw Stop{kExitFileFailed};
    } else {
      changes = runBatchWithChanges(current, batch.kind, batch.path, reading);
    }
    warnings.insert(warnings.end(), changes.warnings.begin(), changes.warnings.end());
    const std::string table =
        std::string(batchKindName(batch.kind)) + " " + (batch.path == "-" ? std::string("（标准输入）") : batch.path);
    const std::string undone =
        undoCheck_.add(changes.changes, table, kTablesUndidHintForCommandLine, batch.kind, std::move(changes.rows));
    if (!undone.empty()) warnings.push_back(undone);
    Message told(std::string(batchKindName(batch.kind)) + " ");
    if (batch.path == "-")
      told.text("（标准输入）");
    else
      told.native(batch.path);
    say(told.text(std::string("：") + changeSummary(batch.kind, changes.changes, changes.skipped)));
  }

  // The table on standard input; one far larger than any table of its kind is refused as soon as it
  // is seen to be.
  std::string readStandardInput(BatchKind kind) {
    if (context_.in == nullptr) throw UsageError("没有可读取的标准输入");
    std::string text;
    char buffer[65536];
    while (context_.in->read(buffer, sizeof buffer) || context_.in->gcount() > 0) {
      text.append(buffer, static_cast<std::size_t>(context_.in->gcount()));
      requireTableSize(kind, text.size(), "-");
    }
    return text;
  }

  // Every change from the set the program started with to the final one, as tab-separated lines (GBK,
  // or UTF-8 with --utf8). An unchanged set gives an empty report.
  struct Report {
    std::string bytes;
    std::size_t changes = 0;
  };
  Report reportBytes(const ScenarioSet& started, const ScenarioSet& final, bool utf8, const std::string& file) const {
    const std::vector<FieldChange> changes = compareSets(started, final);
    const std::string report = changeReport(changes);
    return {exportBytes(file, report, utf8, context_.charset, context_.outIsTerminal), changes.size()};
  }

  // What the report line says once the report is written.
  static Message reportWritten(const std::string& file, const Report& report) {
    return file == "-" ? Message(formatMessage("已把修改清单（%zu 项）写到标准输出。", report.changes))
                       : Message::withPaths(formatMessage("已把修改清单（%zu 项）写入 %%s。", report.changes), {file});
  }

  // Writes the report on its own ("-" is standard output).
  Message writeReport(const std::string& file, const Report& report) {
    writeExportFile(file, report.bytes, true, context_.out);
    return reportWritten(file, report);
  }

  // A report into a file is written in one group with the pair, so that both or neither are replaced;
  // one into standard output, a device or a pipe cannot wait for the pair and goes first, so that its
  // failure leaves the pair as it was.
  void generate(const CommandLine& options, const ScenarioSet& current, const ScenarioSet& started) {
    std::vector<OutputFile> alongside;
    Report report;
    if (options.report) {
      report = reportBytes(started, current, options.utf8, *options.report);
      if (*options.report == "-" ||
          platform::kindOf(platform::resolveLinks(*options.report)) == platform::PathKind::Stream)
        say(writeReport(*options.report, report));
      else
        alongside.push_back({*options.report, report.bytes});
    }
    ReplacedPair replaced;
    try {
      replaced =
          generateScenarioFiles(current, options.out, alongside, PairView{startedFrom_.sndata, startedFrom_.taiki});
    } catch (const WriteUnfinished& unfinished) {
      say(kGenerated);
      say(unfinished.message());
      throw Stop{kExitFileFailed};
    }
    if (!alongside.empty()) say(reportWritten(*options.report, report));
    say(kGenerated);
    tellReplaced(replaced, options.out);
  }

  // Where the pair that was replaced went, and whether it was another pair than the one the run
  // started from.
  void tellReplaced(const ReplacedPair& replaced, const std::string& folder) {
    if (const Message line = replacedPairLine(replaced); !line.empty()) say(line);
    if (replaced.differedFromStart) say(Message::withPaths(kOtherPairReplaced, {folder, folder}));
  }

  // restore: the kept generations of the folder, or one of them brought back.
  int restorePair(const CommandLine& options) {
    const std::vector<GenerationChoice> choices = generationChoices(options.out);
    if (!options.generation) {
      if (choices.empty()) say(kNoGenerations);
      std::string list;
      for (std::size_t i = 0; i < choices.size(); ++i) {
        const Generation& generation = choices[i].generation;
        list += formatMessage("%zu\t%s\t%s\t", i + 1, generation.time.c_str(), generation.name.c_str());
        if (generation.original) list += std::string(kOriginalLabel) + "，";
        list += choices[i].differences + "\n";
      }
      context_.out << utf8To(list, context_.charset);
      return kExitDone;
    }
    const std::optional<Generation> chosen = findGeneration(choices, *options.generation);
    if (!chosen)
      throw UsageError(formatMessage(kNoSuchGeneration, argumentText(*options.generation, context_.charset).c_str(),
                                     choices.size()));
    ReplacedPair replaced;
    try {
      replaced = restoreGeneration(options.out, *chosen);
    } catch (const WriteUnfinished& unfinished) {
      say(Message::withPaths(kRestored, {chosen->path}));
      say(unfinished.message());
      throw Stop{kExitFileFailed};
    }
    say(Message::withPaths(kRestored, {chosen->path}));
    replaced.differedFromStart = false;
    tellReplaced(replaced, options.out);
    return kExitDone;
  }

  // An output over a file the run reads or the pair it writes would destroy what the run stands on: it
  // is refused before anything is read. So is any output named like a scenario file.
  void refuseOutputsOverInputs(const CommandLine& options) {
    std::vector<std::string> outputs;
    if (options.report && *options.report != "-") outputs.push_back(*options.report);
    if ((options.command == "export" || options.command == "map") && options.exportFile && *options.exportFile != "-")
      outputs.push_back(*options.exportFile);
    std::vector<std::string> inputs;
    for (const char* name : {kSndataName, kTaikiName}) {
      if (options.from) inputs.push_back(platform::pathIn(*options.from, name));
      if (options.command == "generate") inputs.push_back(platform::pathIn(options.out, name));
    }
    for (const BatchStep& batch : options.batches)
      if (batch.path != "-") inputs.push_back(batch.path);
    for (const std::string& output : outputs) {
      bool clash = isScenarioFileName(platform::nameOf(output));
      for (const std::string& input : inputs) clash = clash || platform::sameFile(output, input);
      if (clash) {
        say(Message::withPaths("不能写入 %s：这是本次读取或生成的剧本文件或批量表。", {output}));
        throw Stop{kExitUsage};
      }
    }
  }

  // diff: the pair in the first folder against the second folder's, or the built-in pair.
  int printDifferences(const CommandLine& options) {
    const ScenarioSet newer = startUp(options.pairs.at(0));
    const ScenarioSet older = startUp(options.pairs.size() > 1 ? std::optional(options.pairs[1]) : std::nullopt);
    const std::string report = changeReport(compareSets(older, newer));
    context_.out << utf8To(report, context_.charset);
    return report.empty() ? kExitDone : kExitRefused;
  }

  // Writes the table of the current data; what the table cannot express is told record by record.
  void exportTable(const ScenarioSet& set, const CommandLine& options) {
    for (const std::size_t s : options.scenarios) {
      if (s >= set.scenarioCount()) throw UsageError(formatMessage(kNoSuchScenario, s, set.scenarioCount()));
    }
    const ExportedTable table =
        vorandel::exportTable(set, options.exportKind, options.scenarios, options.exportColumns);
    for (const std::string& problem : table.problems) say(problem);
    const std::string file = options.exportFile.value_or(defaultTableName(options.exportKind));
    std::string bytes = exportBytes(file, table.text, options.utf8, context_.charset, context_.outIsTerminal);
    // A byte-order mark makes a spreadsheet open the file as UTF-8; the mark is read as such, too.
    if (options.utf8 && file != "-") bytes.insert(0, "\xEF\xBB\xBF");
    ExportedFile written;
    try {
      written = writeExportFile(file, bytes, options.force, context_.out);
    } catch (const ExportRefused& refused) {
      say(refused.message());
      throw Stop{kExitRefused};
    }
    const std::string left =
        table.problems.empty() ? "" : formatMessage("%zu 项无法写入表中（见上）。", table.problems.size());
    Message done = file == "-" ? Message("已导出到 标准输出。") : Message::withPaths("已导出到 %s。", {file});
    done.text(left);
    if (!written.backup.empty())
      done.textLine("").append(Message::withPaths("原有的文件保存为 %s。", {written.backup}));
    say(done);
  }

  // Loads the built-in pair, or the folder's pair, and proves it consistent.
  ScenarioSet startUp(const std::optional<std::string>& from) {
    ScenarioSet set;
    if (!from) {
      startedFrom_ = {std::string(context_.builtIn.sndata), std::string(context_.builtIn.taiki), {}};
      loadScenarioSet(set, context_.builtIn.sndata, context_.builtIn.taiki);
    } else {
      // Read under the folder's shared lock; a write into it that was interrupted is left for the next
      // writer there, and the pair read is the one that writer will keep.
      const std::string sndataPath = platform::pathIn(*from, kSndataName);
      const std::string taikiPath = platform::pathIn(*from, kTaikiName);
      const PairBytes pair = readScenarioPair(*from);
      if (!pair.notice.empty()) say(pair.notice);
      startedFrom_ = pair;
      const std::string& sndataBytes = pair.sndata;
      const std::string& taikiBytes = pair.taiki;
      MemoryInputStream sndata(sndataBytes);
      MemoryInputStream taiki(taikiBytes);
      try {
        parseScenarioStreams(set, sndata, taiki);
        pairWarnings_ = trailingBytesWarnings(sndataBytes, taikiBytes);
      } catch (const StreamError& error) {
        say(Message::withPaths("剧本文件 %s 的数据不完整，无法读取。",
                               {error.file() == kSndataName ? sndataPath : taikiPath}));
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
      table +=
          formatMessage("%zu\t%u\t%u\t%u\t%u\n", s, unsigned{scenario.block.get(block::startYear)},
                        unsigned{scenario.block.get(block::startMonth)}, scenario.onMapCount, scenario.waitingCount);
    }
    context_.out << utf8To(table, context_.charset);
  }

  CliContext& context_;
  TableUndoCheck undoCheck_;               // the run's tables so far, against each other
  bool listProblems_ = false;              // check lists every problem of a table that failed
  std::vector<std::string> pairWarnings_;  // what check tells about the pair read with --from
  PairBytes startedFrom_;                  // the pair the run started from: built in or read with --from
};

}  // namespace

int runCli(const std::vector<std::string>& args, CliContext& context) {
  Cli cli(context);
  if (args.empty()) {
    cli.say(kHelp);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    context.out << utf8To(kHelp, context.charset);
    return kExitDone;
  }
  if (args[0] == "--version") {
    context.out << kVersion << '\n';
    return kExitDone;
  }
  try {
    const CommandLine options = parseOptions(args, context.charset);
    if (options.help) {
      context.out << utf8To(commandHelp(options.command), context.charset);
      return kExitDone;
    }
    return cli.run(options);
  } catch (const UsageError& e) {
    cli.say(e.text() + "\n（vorandel --help 显示用法）");
    return kExitUsage;
  } catch (const EditError& e) {
    cli.say(errorReport(e, cli.listProblems(), "用 check 命令可以全部列出。"));
    return kExitRefused;
  } catch (const Stop& stop) {
    return stop.code;
  } catch (const StreamError&) {
    cli.say("剧本数据不完整，无法读取。");
    return kExitFileFailed;
  } catch (const FileError& error) {
    cli.say(error.message());
    return kExitFileFailed;
  } catch (const std::bad_alloc&) {
    cli.say("内存不足，无法完成。");
    return kExitFileFailed;
  } catch (const std::system_error& error) {
    // A call of the system that failed with an error number: its reason in the player's words.
    if (error.code().default_error_condition().category() == std::generic_category())
      cli.say(Message("无法完成：").text(systemReason(error.code())));
    else
      cli.say(Message("无法完成：").native(error.what()));
    return kExitFileFailed;
  } catch (const std::exception& error) {
    cli.say(Message("无法完成：").native(error.what()));
    return kExitFileFailed;
  }
}

}  // namespace vorandel
