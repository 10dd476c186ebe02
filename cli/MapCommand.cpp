#include "cli/MapCommand.h"

#include "app/MapFile.h"
#include "app/ScenarioMap.h"
#include "app/ScenarioViews.h"
#include "cli/CliMessages.h"
#include "cli/TerminalText.h"
#ifdef _WIN32
#include "cli/WindowsConsole.h"
#endif
#include "model/EditError.h"

namespace vorandel {

namespace {

void requireScenario(const ScenarioSet& set, std::size_t s) {
  if (s >= set.scenarioCount()) throw UsageError(formatMessage(kNoSuchScenario, s, set.scenarioCount()));
}

}  // namespace

Message writeScenarioMaps(const ScenarioSet& set, const CommandLine& options, std::ostream& out) {
  std::vector<std::size_t> scenarios = options.scenarios;
  for (const std::size_t s : scenarios) requireScenario(set, s);
  if (scenarios.empty())
    for (std::size_t s = 0; s < set.scenarioCount(); ++s) scenarios.push_back(s);
  const std::string svg = scenarioMapSvg(set, scenarios);
  const std::string file = options.exportFile.value_or(kMapFileName);
  if (file == "-") {
#ifdef _WIN32
    const PassedBytes bytesAsTheyAre(out);
#endif
    out << svg;
    out.flush();
    return Message(formatMessage("已把 %zu 个剧本的地图写到标准输出。", scenarios.size()));
  }
  writeMapFile(file, svg);
  return Message::withPaths(formatMessage("已把 %zu 个剧本的地图写入 %%s。", scenarios.size()), {file});
}

void showCityOrForce(const ScenarioSet& set, const CommandLine& options, const std::string& charset,
                     std::ostream& out) {
  const std::size_t s = options.scenarios.empty() ? 0 : options.scenarios.front();
  requireScenario(set, s);
  const std::optional<std::string> word = argumentToUtf8(options.showTarget, charset);
  if (!word || !utf8ToGbk(*word)) throw UsageError("名字中有GBK无法表示的字符");
  const std::string text = options.showKind == "city" ? cityView(set, s, findCity(set, s, *word))
                                                      : forceView(set, s, findForce(set, s, *word));
  out << utf8To(text, charset);
}

}  // namespace vorandel
