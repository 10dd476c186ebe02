#pragma once
// The command line's words: the command, its options and the batch tables to run, in order.
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/BatchRun.h"
#include "tables/TableExport.h"

namespace vorandel {

// One batch table to run.
struct BatchStep {
  BatchKind kind;
  std::string path;
};

// What the words of the command line ask for.
struct CommandLine {
  std::string command;
  std::optional<std::string> from;
  std::string out = ".";
  std::vector<BatchStep> batches;
  bool utf8 = false;  // tables are read and written as UTF-8
  BatchKind exportKind = BatchKind::OfficerTable;
  std::vector<std::size_t> scenarios;     // export, map: the scenarios asked for, all when empty; show: one
  std::optional<std::string> exportFile;  // export, map: "-" is standard output
  std::string showKind;                   // show: "city" or "force"
  std::string showTarget;                 // show: the number or name, as typed
  bool force = false;                     // export: an existing table is replaced (and kept as .bak)
  ExportColumns exportColumns;            // export: the value columns switched on, every one when empty
  std::optional<std::string> report;      // generate, check: where the list of changes goes; "-" standard output
  std::optional<std::string> generation;  // restore: the backup to bring back (its number or name)
  std::vector<std::string> pairs;         // diff: the folder of the newer pair, then the older one (if given)
  std::string listKind;                   // list: the vocabulary or "columns"
  BatchKind listTable = BatchKind::OfficerTable;  // list columns: the table
  bool help = false;                              // COMMAND --help: the command's help only
};

// Words that make no command; the text says which.
class UsageError : public std::exception {
 public:
  explicit UsageError(std::string text) : text_(std::move(text)) {}
  const std::string& text() const { return text_; }
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// Reads the words after the program name; raises UsageError for words that make no command. Words
// come in the terminal's charset (and are converted to UTF-8 to be compared or shown).
CommandLine parseOptions(const std::vector<std::string>& args, const std::string& charset = "UTF-8");

// The option that gives a table of the kind: --name, --officer, --lord or --city.
const char* batchOptionName(BatchKind kind);

// The commands the program knows, in the order its help lists them.
const std::vector<std::string>& commandNames();

// The known word nearest to the mistyped one (at most two letters apart, or one being a prefix of the
// other); empty when none is near.
std::string nearestWord(const std::string& typed, const std::vector<std::string>& known);

}  // namespace vorandel
