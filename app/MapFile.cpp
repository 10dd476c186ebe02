#include "app/MapFile.h"

#include "model/FileError.h"
#include "model/Messages.h"
#include "model/SystemFiles.h"

namespace vorandel {

std::string scenarioMapFileName(std::size_t s) { return "vorandel-map-" + std::to_string(s) + ".svg"; }

void writeMapFile(const std::string& path, const std::string& svg) {
  if (platform::kindOf(path) == platform::PathKind::Folder)
    throw FileError(Message::withPaths("无法写入文件：%s\n这是一个文件夹。", {path}));
  if (const platform::Failure failure = platform::writeDurably(path, svg))
    throw FileError(Message::withPaths(kCannotWriteFile, {path}).nativeLine(*failure));
}

}  // namespace vorandel
