#pragma once
// The command line run in-process as a user runs it, with what it printed kept for the test.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Cli.h"
#include "model/BuiltInData.h"
#include "model/GbkText.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Text.h"

namespace vorandel::testing {

class CliRun {
 public:
  // Runs the command line over the built-in pair given; a table named "-" is read from input.
  int runWith(const BuiltInData& builtIn, std::vector<std::string> args, const std::string& input = "") {
    out.str("");
    err.str("");
    std::istringstream in(input);
    CliContext context{out, err, charset, builtIn, &in, terminal};
    return runCli(args, context);
  }
  // Whether the messages of the last run hold the part.
  bool said(const std::string& part) const { return contains(err.str(), part); }
  // A table or a report the last run sent to standard output, as UTF-8 text. Windows passes the file's
  // own bytes (GBK) on, as does a standard output that is no terminal; a terminal gets its own encoding.
  std::string fileOnOut() const {
#ifndef _WIN32
    if (terminal) return utf8Of(out.str(), charset).value_or("(not " + charset + ")");
#endif
    return gbkToUtf8(out.str()).value_or("(not GBK)");
  }

  std::ostringstream out, err;
  std::string charset = "UTF-8";  // the terminal's
  bool terminal = false;          // whether standard output is one (else a pipe or a file)
};

// The command line over the small valid set as its built-in pair, with a temporary folder.
class SmallSetCli : public ::testing::Test, protected CliRun {
 protected:
  int run(std::vector<std::string> args, const std::string& input = "") {
    return runWith(builtIn, std::move(args), input);
  }

  FileBytes pristine = writeToBytes(smallValidSet());
  BuiltInData builtIn{pristine.sndata, pristine.taiki};
  TempFolder folder;
};

}  // namespace vorandel::testing
