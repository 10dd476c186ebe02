#pragma once
// Reading a whole file that the user named, with every failure told: the file that cannot be opened or
// read, the system's reason, and a file too large to be what the program expects (a device that never
// ends, a file picked by mistake).
#include <cstddef>
#include <string>

namespace vorandel {

inline constexpr std::size_t kMaxScenarioFileSize = std::size_t{64} << 20;
inline constexpr std::size_t kMaxTableFileSize = std::size_t{1} << 30;

// The file's first bytes, at most maxBytes + 1 of them: more than maxBytes tell that the file is larger,
// and the reading stops there. Raises FileError ("无法读取文件：<path>" and the reason) when it cannot
// be opened or read.
// With roomForHalfMore, the string has room behind the bytes for half as many again (when the file's size
// is known): text converted within it, at most that much longer than its bytes, needs no second string.
std::string readFileUpTo(const std::string& path, std::size_t maxBytes, bool roomForHalfMore = false);

// The file's bytes. Raises FileError ("无法读取文件：<path>" and the reason) when it cannot be opened
// or read, or holds more than maxBytes.
std::string readWholeFile(const std::string& path, std::size_t maxBytes);

// A scenario file's bytes, as readWholeFile reads them, from a regular file (or a link to one) only: a
// named pipe or a device would block every reading command or never end, so it is refused at once.
std::string readRegularFile(const std::string& path, std::size_t maxBytes);

}  // namespace vorandel
