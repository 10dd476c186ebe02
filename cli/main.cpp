// vorandel: the scenario editor on the command line.
#include <clocale>
#include <iostream>

#include "cli/Cli.h"
#include "cli/TerminalText.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  vorandel::CliContext context{std::cout, std::cerr, vorandel::terminalCharset(), vorandel::builtInData(), &std::cin};
  return vorandel::runCli(std::vector<std::string>(argv + 1, argv + argc), context);
}
