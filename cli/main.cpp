// vorandel: the scenario editor on the command line.
#include <clocale>
#include <csignal>
#include <iostream>

#include "cli/Cli.h"
#include "cli/TerminalText.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "cli/WindowsConsole.h"
#include "model/WideText.h"

// The words come as UTF-16 whatever the system's code page, and are the program's UTF-8 from here on.
int wmain(int argc, wchar_t** argv) {
  const vorandel::WindowsStandardStreams streams;
  // A table on standard input is read as a file is, byte for byte: text mode would end it at a byte
  // 0x1A (a half of many UTF-16 characters) and change its line ends.
  _setmode(_fileno(stdin), _O_BINARY);
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.push_back(vorandel::platform::narrow(argv[i]));
  vorandel::CliContext context{std::cout, std::cerr, vorandel::terminalCharset(), vorandel::builtInData(), &std::cin};
  return vorandel::runCli(words, context);
}

#else

#include <unistd.h>

int main(int argc, char** argv) {
  // A file-size limit (ulimit -f) would end the process at the write past it, without a word and with
  // the files half written; ignored, the write fails with EFBIG and is told and cleaned up as any other.
  std::signal(SIGXFSZ, SIG_IGN);
  std::setlocale(LC_ALL, "");
  vorandel::CliContext context{std::cout, std::cerr, vorandel::terminalCharset(), vorandel::builtInData(), &std::cin,
                               isatty(STDOUT_FILENO) != 0};
  return vorandel::runCli(std::vector<std::string>(argv + 1, argv + argc), context);
}

#endif
