#pragma once
// Replaces a group of files in a folder as one, keeping each old file as its .bak copy. The new contents
// are written aside and flushed to the disk first; then each old file gets a second name, the new files
// are moved in, and the second names become the .bak copies. A failure at any step undoes the steps
// before it, so the folder holds its previous files under their own names. A run that is killed part way
// leaves a mark in the folder; the next replacement there (or recoverInterruptedReplacement) finishes it
// when every new file was in place, and undoes it otherwise.
//
// One writer at a time: the folder is locked for the whole sequence, and a second writer waits a moment
// and then stops with a message. A file that is a symbolic link is replaced where it lives, so the link
// keeps working.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

struct NewFile {
  std::string name;  // the file's name inside the folder
  std::string_view bytes;
};

// Called after every step that changes the disk; tests stop the sequence there.
using ReplacementStepHook = std::function<void()>;

// Raises FileError naming the file and the system's reason when a step fails.
void replaceFiles(const std::string& folder, const std::vector<NewFile>& files,
                  const ReplacementStepHook& afterEachStep = {});

// Finishes or undoes a replacement of the named files that was killed part way; nothing when there
// was none. Raises FileError when the folder cannot be locked or repaired.
void recoverInterruptedReplacement(const std::string& folder, const std::vector<std::string>& names);

}  // namespace vorandel
