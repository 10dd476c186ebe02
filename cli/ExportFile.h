#pragma once
// Writing an exported table or a change report where the user asked: standard output for "-", otherwise
// through the file writer (model/FileWriter.h): a device or a pipe is written through, a regular file
// replaces an earlier one only when asked to (--force), keeping it as FILE.bak, and is written beside its
// name first and moved in, so a failure at any point leaves the earlier table whole under its own name.
#include <ostream>
#include <string>
#include <string_view>

#include "model/FileWriter.h"

namespace vorandel {

// An existing table that is not replaced without --force: a refusal, not a failure of the system.
using ExportRefused = WriteRefused;

// What became of the file that was there before.
struct ExportedFile {
  std::string backup;  // the name the earlier table is kept under; empty when there was none
};

// Writes bytes to path as the user typed it. A symbolic link is followed: the file it leads to is
// backed up and replaced and the link stays. An existing regular file is replaced only when force is
// set, else ExportRefused. Raises FileError with the typed path.
ExportedFile writeExportFile(const std::string& path, const std::string& bytes, bool force, std::ostream& standardOut);

// The bytes of a table or report (UTF-8 text) for the path: a file, a pipe or a redirected standard output
// gets the table's bytes, GBK or UTF-8 when asUtf8 says so, so that another program (this one's check
// among them) reads them as a table; standard output ("-") that is a terminal gets the text in the
// terminal's encoding, for a person to read. On Windows the standard streams pass a file's bytes to a pipe
// unchanged and show them on a console as text, so standard output gets the file's bytes there.
std::string exportBytes(const std::string& path, std::string_view utf8, bool asUtf8, const std::string& charset,
                        bool outIsTerminal);

}  // namespace vorandel
