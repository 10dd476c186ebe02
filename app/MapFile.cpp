#include "app/MapFile.h"

#include "model/FileWriter.h"

namespace vorandel {

std::string scenarioMapFileName(std::size_t s) { return "vorandel-map-" + std::to_string(s) + ".svg"; }

void writeMapFile(const std::string& path, const std::string& svg) {
  WriteChoices choices;
  choices.keepBackup = false;
  writeFiles({{path, svg}}, choices);
}

}  // namespace vorandel
