#pragma once
// Where the scenario maps are written: the names both programs give them, and the write itself.
#include <cstddef>
#include <string>

namespace vorandel {

// The command line's file when it is given none.
inline constexpr const char* kMapFileName = "vorandel-map.svg";

// The file of one scenario's map that the Windows program writes: vorandel-map-<s>.svg.
std::string scenarioMapFileName(std::size_t s);

// Writes the SVG text to path through the file writer, replacing a file of that name (no backup kept;
// a device or pipe is written through). Raises FileError with the path as given
// and the system's reason.
void writeMapFile(const std::string& path, const std::string& svg);

}  // namespace vorandel
