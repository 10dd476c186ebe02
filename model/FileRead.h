#pragma once
// Reading a whole file that the user named, with every failure told: the file that cannot be opened or
// read, the system's reason, and a file too large to be what the program expects (a device that never
// ends, a file picked by mistake).
#include <cstddef>
#include <string>

namespace vorandel {

inline constexpr std::size_t kMaxScenarioFileSize = std::size_t{64} << 20;
inline constexpr std::size_t kMaxTableFileSize = std::size_t{1} << 30;

inline constexpr const char* kCannotReadFile = "无法读取文件：%s";

// The file's bytes. Raises FileError ("无法读取文件：<path>" and the reason) when it cannot be opened
// or read, or holds more than maxBytes.
std::string readWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace vorandel
