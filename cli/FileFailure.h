#pragma once
// A file the command line could not read, write or create: the program's own words (GBK), the paths
// as the user typed them and the system's reason, kept apart so that only the words are converted for
// the terminal and the paths and the reason reach it byte for byte.
#include <string>
#include <vector>

namespace vorandel {

struct FileFailure {
  int exitCode;                    // an ExitCode of the command line
  std::string text;                // GBK; each %s stands for the next of paths
  std::vector<std::string> paths;  // as typed, never converted
  std::string reason;              // the system's words for the failure (strerror), empty when none
};

// The failure as the terminal shows it: the text in the terminal's charset with the paths put in,
// then the reason on a line of its own. Ends with a newline.
std::string describe(const FileFailure& failure, const std::string& charset);

// A GBK text whose %s are replaced by the paths, in the terminal's charset.
std::string textWithPaths(const std::string& gbk, const std::vector<std::string>& paths,
                          const std::string& charset);

}  // namespace vorandel
