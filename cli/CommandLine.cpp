#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <map>

#include "app/AppMessages.h"
#include "app/ExportColumnChoice.h"
#include "cli/CliMessages.h"
#include "cli/TerminalText.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"

namespace vorandel {

namespace {

const std::vector<std::string> kCommands{"generate", "check", "export", "map",    "show",
                                         "info",     "diff",  "list",   "restore"};

// What a command accepts besides its own words.
struct CommandOptions {
  bool from = true;
  bool utf8 = true;
  bool batches = false;
  bool out = false;
  bool report = false;
  bool exportFile = false;  // -o
  bool scenarios = false;   // --scenario
  bool force = false;
  bool columns = false;  // --columns
};

CommandOptions optionsOf(const std::string& command) {
  CommandOptions accepts;
  if (command == "generate") accepts.batches = accepts.out = accepts.report = true;
  if (command == "check") accepts.batches = accepts.report = true;
  if (command == "export") accepts.exportFile = accepts.scenarios = accepts.force = accepts.columns = true;
  if (command == "map") accepts.batches = accepts.exportFile = accepts.scenarios = true;
  if (command == "show") accepts.batches = accepts.scenarios = true;
  if (command == "info") accepts.utf8 = false;
  if (command == "diff" || command == "list") accepts.from = accepts.utf8 = false;
  if (command == "restore") {
    accepts.from = accepts.utf8 = false;
    accepts.out = true;
  }
  return accepts;
}

std::vector<std::string> optionNames(const CommandOptions& accepts) {
  std::vector<std::string> names;
  if (accepts.from) names.push_back("--from");
  if (accepts.utf8) names.push_back("--utf8");
  if (accepts.batches) names.insert(names.end(), {"--name", "--officer", "--lord", "--city"});
  if (accepts.out) names.push_back("--out");
  if (accepts.report) names.push_back("--report");
  if (accepts.exportFile) names.push_back("-o");
  if (accepts.scenarios) names.push_back("--scenario");
  if (accepts.force) names.push_back("--force");
  if (accepts.columns) names.push_back("--columns");
  names.push_back("--help");
  return names;
}

bool isNumber(const std::string& text) {
  return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// The English word of a kind typed in English or in Chinese; empty when the word is neither.
std::string kindWord(const std::string& typed, const std::map<std::string, std::string>& chinese,
                     const std::vector<std::string>& english, const std::string& charset) {
  if (std::find(english.begin(), english.end(), typed) != english.end()) return typed;
  const std::optional<std::string> word = argumentToUtf8(typed, charset);
  if (!word) return {};
  const auto it = chinese.find(*word);
  return it == chinese.end() ? std::string() : it->second;
}

// The usage error for an unknown word, with the nearest known word suggested below it.
UsageError unknownWord(std::string text, const std::string& typed, const std::vector<std::string>& known) {
  const std::string near = nearestWord(typed, known);
  if (!near.empty()) text += formatMessage("\n是不是要用 %s？", near.c_str());
  return UsageError(std::move(text));
}

const std::vector<std::string> kExportKinds{"officer", "lord", "city", "name"};
const std::map<std::string, std::string> kChineseKinds{
    {"武将", "officer"}, {"势力", "lord"}, {"城市", "city"}, {"人名", "name"}};
const std::vector<std::string> kListKinds{"cities", "items", "skills", "formations", "statuses", "duties", "columns"};
const std::map<std::string, std::string> kChineseListKinds{
    {"城市", "cities"},   {"宝物", "items"},  {"技能", "skills"}, {"阵形", "formations"},
    {"身份", "statuses"}, {"主管", "duties"}, {"列", "columns"}};

}  // namespace

const char* batchOptionName(BatchKind kind) {
  // In the order of the kinds' values.
  static constexpr const char* kNames[] = {"--name", "--officer", "--lord", "--city"};
  return kNames[static_cast<int>(kind)];
}

namespace {

BatchKind batchKindOf(const std::string& word) {
  if (word == "name") return BatchKind::NameList;
  if (word == "lord") return BatchKind::ForceTable;
  if (word == "city") return BatchKind::CityTable;
  return BatchKind::OfficerTable;
}

// The words of one command, read with CLI11 into the CommandLine.
class CommandParser {
 public:
  CommandParser(const std::string& command, const std::string& charset)
      : charset_(charset), accepts_(optionsOf(command)) {
    options_.command = command;
    app_.set_help_flag();
    app_.allow_extras(true);
    app_.add_flag("-h,--help", options_.help);
    if (accepts_.from) app_.add_option("--from", from_)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    if (accepts_.utf8) app_.add_flag("--utf8", options_.utf8);
    if (accepts_.batches) {
      for (std::size_t k = 0; k < batchPaths_.size(); ++k)
        batchOptions_.push_back(
            app_.add_option(batchOptionName(static_cast<BatchKind>(k)), batchPaths_[k])->allow_extra_args(false));
    }
    if (accepts_.out) app_.add_option("--out", options_.out)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    if (accepts_.report) app_.add_option("--report", report_)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    if (accepts_.exportFile) app_.add_option("-o", exportFile_)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    if (accepts_.scenarios) scenarioOption_ = app_.add_option("--scenario", scenarios_);
    if (accepts_.force) app_.add_flag("--force", options_.force);
    if (accepts_.columns) app_.add_option("--columns", columns_);
    app_.add_option("words", words_);
  }

  CommandLine parse(std::vector<std::string> args) {
    std::reverse(args.begin(), args.end());
    try {
      app_.parse(args);
    } catch (const CLI::ArgumentMismatch& mismatch) {
      const std::string what = mismatch.what();
      throw UsageError(formatMessage("选项 %s 后面缺少参数", what.substr(0, what.find(':')).c_str()));
    } catch (const CLI::ParseError& error) {
      throw UsageError(formatMessage("命令 %s 的参数有误：", options_.command.c_str()) + shown(error.what()));
    }
    if (options_.help) return options_;
    for (const std::string& extra : app_.remaining()) {
      if (extra.starts_with("-") && extra != "-")
        throw unknownWord(formatMessage(kOptionNotAccepted, options_.command.c_str(), shown(extra).c_str()),
                          extra.substr(0, extra.find('=')), optionNames(accepts_));
      throw UsageError(formatMessage(kOptionNotAccepted, options_.command.c_str(), shown(extra).c_str()));
    }
    if (!from_.empty()) options_.from = from_;
    if (!report_.empty()) options_.report = report_;
    if (!exportFile_.empty()) options_.exportFile = exportFile_;
    readBatches();
    readWords();
    readScenarios();
    return options_;
  }

 private:
  // The batch tables in the order given, whatever their kinds.
  void readBatches() {
    std::map<const CLI::Option*, std::size_t> used;
    for (const CLI::Option* option : app_.parse_order()) {
      const auto it = std::find(batchOptions_.begin(), batchOptions_.end(), option);
      if (it == batchOptions_.end()) continue;
      const std::string& path = option->results().at(used[option]++);
      const BatchKind kinds[] = {BatchKind::NameList, BatchKind::OfficerTable, BatchKind::ForceTable,
                                 BatchKind::CityTable};
      options_.batches.push_back({kinds[it - batchOptions_.begin()], path});
    }
    const auto fromInput = std::count_if(options_.batches.begin(), options_.batches.end(),
                                         [](const BatchStep& step) { return step.path == "-"; });
    if (fromInput > 1) throw UsageError("只有一个批量表可以从标准输入（-）读取");
  }

  // The command's own words: export's kind, show's kind and target, diff's folders, list's kind.
  void readWords() {
    const std::string& command = options_.command;
    if (command == "export") {
      const std::string kind =
          words_.empty() ? std::string() : kindWord(words_[0], kChineseKinds, kExportKinds, charset_);
      if (kind.empty())
        throw unknownWord("export 后面须给出种类：officer、lord、city 或 name", words_.empty() ? "" : words_[0],
                          kExportKinds);
      options_.exportKind = batchKindOf(kind);
      extraWords(1);
      readColumns();
    } else if (command == "show") {
      const std::map<std::string, std::string> chinese{{"城市", "city"}, {"势力", "force"}};
      const std::string kind =
          words_.empty() ? std::string() : kindWord(words_[0], chinese, {"city", "force"}, charset_);
      if (words_.size() < 2 || kind.empty())
        throw unknownWord("show 后面须给出 city 城市名或序号，或 force 君主名或势力序号",
                          words_.empty() ? "" : words_[0], {"city", "force"});
      options_.showKind = kind;
      options_.showTarget = words_[1];
      extraWords(2);
    } else if (command == "restore") {
      if (!words_.empty()) options_.generation = words_[0];
      extraWords(1);
    } else if (command == "diff") {
      if (words_.empty() || words_.size() > 2) throw UsageError("diff 后面须给出一个或两个剧本文件夹");
      options_.pairs = words_;
    } else if (command == "list") {
      const std::string kind =
          words_.empty() ? std::string() : kindWord(words_[0], kChineseListKinds, kListKinds, charset_);
      if (kind.empty())
        throw unknownWord("list 后面须给出种类：cities、items、skills、formations、statuses、duties 或 columns",
                          words_.empty() ? "" : words_[0], kListKinds);
      options_.listKind = kind;
      if (kind == "columns") {
        const std::vector<std::string> tables{"officer", "lord", "city"};
        const std::string table =
            words_.size() < 2 ? std::string() : kindWord(words_[1], kChineseKinds, tables, charset_);
        if (table.empty() || table == "name")
          throw unknownWord("list columns 后面须给出表：officer、lord 或 city", words_.size() < 2 ? "" : words_[1],
                            tables);
        options_.listTable = batchKindOf(table);
        extraWords(2);
      } else {
        extraWords(1);
      }
    } else {
      extraWords(0);
    }
  }

  // A word as typed, in the program's UTF-8, for a message.
  std::string shown(const std::string& word) const { return argumentText(word, charset_); }

  void extraWords(std::size_t used) {
    if (words_.size() > used)
      throw UsageError(formatMessage(kOptionNotAccepted, options_.command.c_str(), shown(words_[used]).c_str()));
  }

  // export --columns: the headers of the value columns to switch on, in the terminal's charset; the
  // option may be given more than once.
  void readColumns() {
    std::string typed;
    for (const std::string& words : columns_) {
      const std::optional<std::string> text = argumentToUtf8(words, charset_);
      if (!text) throw UsageError(formatMessage(kUnknownExportColumn, shown(words).c_str()));
      typed += *text + ",";
    }
    if (!columns_.empty() && splitList(typed, ',').empty()) throw UsageError(kColumnsMissing);
    try {
      options_.exportColumns = exportColumnsOf(options_.exportKind, typed);
    } catch (const EditError& error) {
      const std::string details = error.details().joined();
      throw UsageError(details.empty() ? error.text() : error.text() + "\n" + details);
    }
  }

  void readScenarios() {
    if (scenarioOption_ == nullptr || scenarioOption_->count() == 0) return;
    if (options_.command == "export" && options_.exportKind == BatchKind::NameList)
      throw UsageError("人名/地名表不分剧本，不接受 --scenario");
    for (const std::string& number : scenarios_) {
      if (!isNumber(number)) throw UsageError("--scenario 后面须给出剧本序号");
      options_.scenarios.push_back(std::stoul(number));
    }
    if (options_.command == "show" && options_.scenarios.size() > 1) throw UsageError("show 只接受一个剧本序号");
  }

  const std::string& charset_;
  CommandOptions accepts_;
  CommandLine options_;
  CLI::App app_{"vorandel"};
  std::vector<CLI::Option*> batchOptions_;
  std::array<std::vector<std::string>, 4> batchPaths_;
  CLI::Option* scenarioOption_ = nullptr;
  std::string from_, report_, exportFile_;
  std::vector<std::string> scenarios_;
  std::vector<std::string> columns_;
  std::vector<std::string> words_;
};

// Letters to insert, delete, replace or swap with their neighbour to turn a into b.
std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

const std::vector<std::string>& commandNames() { return kCommands; }

std::string nearestWord(const std::string& typed, const std::vector<std::string>& known) {
  if (typed.empty()) return {};
  std::string best;
  std::size_t bestDistance = 3;
  for (const std::string& word : known) {
    const std::size_t distance = editDistance(typed, word);
    const bool prefix = typed.size() >= 2 && (word.starts_with(typed) || typed.starts_with(word));
    if (distance < bestDistance || (prefix && bestDistance > 2)) {
      best = word;
      bestDistance = prefix ? std::min<std::size_t>(distance, 2) : distance;
    }
  }
  return best;
}

CommandLine parseOptions(const std::vector<std::string>& args, const std::string& charset) {
  const std::string& command = args.at(0);
  if (std::find(kCommands.begin(), kCommands.end(), command) == kCommands.end())
    throw unknownWord(formatMessage("未知的命令：%s", command.c_str()), command, kCommands);
  return CommandParser(command, charset).parse(std::vector<std::string>(args.begin() + 1, args.end()));
}

}  // namespace vorandel
