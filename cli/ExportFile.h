#pragma once
// Writing an exported table where the user asked: standard output for "-", straight into a device or
// a pipe, or as a regular file that replaces an earlier one only when asked to (--force), keeping it
// as FILE.bak. A regular file is written beside its name first and put in place in one rename, so a
// failure at any point leaves the earlier table whole under its own name.
#include <ostream>
#include <string>

#include "model/FileError.h"

namespace vorandel {

// An existing table that is not replaced without --force: a refusal, not a failure of the system.
class ExportRefused : public FileError {
 public:
  using FileError::FileError;
};

// What became of the file that was there before.
struct ExportedFile {
  std::string backup;  // the name the earlier table is kept under; empty when there was none
};

// Writes bytes to path as the user typed it. A symbolic link is followed: the file it leads to is
// backed up and replaced and the link stays. A device or a named pipe is written through, with no
// backup; a pipe that nobody reads is refused at once rather than waited on. An existing regular file
// is replaced only when force is set, else ExportRefused. Raises FileError with the typed path.
ExportedFile writeExportFile(const std::string& path, const std::string& bytes, bool force, std::ostream& standardOut);

}  // namespace vorandel
