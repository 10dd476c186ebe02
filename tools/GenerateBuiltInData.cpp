// vorandel-gendata OUTDIR: writes the synthetic sndata.s5 and taiki.s5 into OUTDIR. The program embeds
// the pair written by this tool unless a player builds it with the game's own files.
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

#include "model/EditError.h"
#include "model/Loader.h"
#include "model/StreamError.h"
#include "model/Writer.h"
#include "rules/Validator.h"
#include "tools/SyntheticScenarioSet.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vorandel-gendata OUTDIR\n");
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  std::string failedPath;
  try {
    vorandel::ScenarioSet set = vorandel::gendata::buildSyntheticScenarioSet();
    vorandel::validateScenarios(set, 0, std::numeric_limits<std::size_t>::max());
    vorandel::buildDerivedIndexes(set);
    vorandel::saveScenarioFiles(set, (folder / "sndata.s5").string(), (folder / "taiki.s5").string(), 0,
                                vorandel::kAllScenarios, &failedPath);
  } catch (const vorandel::EditError& error) {
    // The message is UTF-8 text.
    std::fprintf(stderr, "vorandel-gendata: the generated set breaks a rule of the game:\n%s\n", error.text().c_str());
    return 1;
  } catch (const vorandel::StreamError&) {
    std::fprintf(stderr, "vorandel-gendata: cannot write %s\n",
                 failedPath.empty() ? folder.string().c_str() : failedPath.c_str());
    return 1;
  }
  return 0;
}
