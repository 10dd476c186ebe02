#pragma once
// The command-line program: the same start-up, batches and generation as the Windows program, for
// scripting and for players on any system.
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "model/BuiltInData.h"

namespace vorandel {

enum ExitCode : int {
  kExitDone = 0,
  kExitRefused = 1,  // the data or a table was refused; nothing was written
  kExitUsage = 2,
  kExitFileFailed = 3,  // a file could not be read, renamed or written
};

struct CliContext {
  std::ostream& out;    // data the user asked for (info)
  std::ostream& err;    // every message
  std::string charset;  // the terminal's encoding; the program's UTF-8 texts are converted to it
  const BuiltInData& builtIn;
  std::istream* in = nullptr;  // where a batch table named "-" is read from; none when null
  bool outIsTerminal = false;  // out shows text to a person (a table sent there follows the terminal)
};

// Runs the command line (without the program name) and returns the exit code.
int runCli(const std::vector<std::string>& args, CliContext& context);

}  // namespace vorandel
