#include "cli/ExportFile.h"

#include "app/TableFile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#endif

namespace vorandel {

namespace {

constexpr const char* kExists = "文件 %s 已存在，没有导出。\n要覆盖它，请加 --force（原有的文件保存为 %s）。";
constexpr const char* kStandardOut = "无法写入标准输出。";

#ifdef _WIN32
// Standard output in binary mode for as long as the table is written: in text mode each "\r\n" of the
// table would reach the file as "\r\r\n".
class BinaryStandardOut {
 public:
  explicit BinaryStandardOut(std::ostream& stream) : active_(&stream == &std::cout) {
    if (!active_) return;
    std::cout.flush();
    std::fflush(stdout);
    previous_ = _setmode(_fileno(stdout), _O_BINARY);
  }
  ~BinaryStandardOut() {
    if (!active_ || previous_ == -1) return;
    std::cout.flush();
    std::fflush(stdout);
    _setmode(_fileno(stdout), previous_);
  }
  BinaryStandardOut(const BinaryStandardOut&) = delete;
  BinaryStandardOut& operator=(const BinaryStandardOut&) = delete;

 private:
  bool active_;
  int previous_ = -1;
};
#endif

}  // namespace

ExportedFile writeExportFile(const std::string& path, const std::string& bytes, bool force, std::ostream& standardOut) {
  if (path == "-") {
#ifdef _WIN32
    const BinaryStandardOut binary(standardOut);
#endif
    standardOut.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    standardOut.flush();
    if (!standardOut) throw FileError(Message(kStandardOut));
    return {};
  }
  return {writeFiles({{path, bytes}}, tableWriteChoices(force, kExists)).at(0)};
}

}  // namespace vorandel
