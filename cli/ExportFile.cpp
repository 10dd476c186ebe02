#include "cli/ExportFile.h"

#include "app/TableEncoding.h"
#include "app/TableFile.h"
#include "model/GbkText.h"

#ifdef _WIN32
#include "cli/WindowsConsole.h"
#endif

namespace vorandel {

namespace {

constexpr const char* kExists = "文件 %s 已存在，没有导出。\n要覆盖它，请加 --force（原有的文件保存为 %s）。";
constexpr const char* kStandardOut = "无法写入标准输出。";

}  // namespace

ExportedFile writeExportFile(const std::string& path, const std::string& bytes, bool force, std::ostream& standardOut) {
  if (path == "-") {
#ifdef _WIN32
    const PassedBytes bytesAsTheyAre(standardOut);
#endif
    standardOut.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    standardOut.flush();
    if (!standardOut) throw FileError(Message(kStandardOut));
    return {};
  }
  return {writeFiles({{path, bytes}}, tableWriteChoices(force, kExists)).at(0)};
}

std::string exportBytes([[maybe_unused]] const std::string& path, std::string_view utf8, bool asUtf8,
                        [[maybe_unused]] const std::string& charset, [[maybe_unused]] bool outIsTerminal) {
#ifndef _WIN32
  if (path == "-" && outIsTerminal) return utf8To(utf8, charset);
#endif
  return encodeTable(utf8, asUtf8);
}

}  // namespace vorandel
