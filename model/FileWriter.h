#pragma once
// The one writer of every file the programs write: the scenario pair, exported tables, change reports
// and maps. Nothing is written in place: the new files are written beside their names under short
// temporary names and flushed to the disk, each old file gets a second name, the new files move in by
// renames, and the second names become the .bak copies (or go, when no backup is kept). A journal in the
// folder (WriteJournal.h) records the group and each stage before the stage's steps, so a run that is
// killed or fails at any step, its own undoing included, is finished or undone by the next writer there:
// the folder then holds the previous group or the new one, never a mix, and never loses the last copy
// of either; the previous .bak survives every failure before the last step.
//
// Writers take the folder's lock alone and readers share it (readKeptFiles): no read sees a group half
// replaced, and a reader never changes a folder. A journal is acted on only for what this program
// writes (WriteJournal.h); any other one is refused with ForeignJournal, and nothing is touched. A file that is a symbolic link is replaced where it
// lives, its backup and the journal beside it. A character device or a named pipe given as the only
// file is written through, without a backup; a pipe that nobody reads is refused at once.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/FileError.h"
#include "model/Message.h"
#include "model/Messages.h"
#include "model/SystemFiles.h"

namespace vorandel {

// Files that join a group once its folders are locked and any interrupted write there is recovered,
// made from what is on the disk then (a copy of the files about to be replaced). They are written,
// flushed and journaled with the group, before anything moves: they stand or go with it. Their folders
// may be new: the writer makes them (below the first file's folder) and removes them again, when empty,
// if the group goes back.
struct AddedFiles {
  std::vector<std::string> newFolders;  // made in this order, parents first
  std::vector<std::string> paths;
  std::vector<std::string> bytes;
  const char* cannotWrite = kCannotWriteFile;  // one %s: the file or folder
};

// The writer's choices, and the caller's texts for its failures.
struct WriteChoices {
  bool replaceExisting = true;                 // false: an existing file is refused with existsText (asked first)
  bool keepBackup = true;                      // the earlier file stays as NAME.bak
  int keptVersions = 1;                        // with keepBackup: NAME.bak, NAME.bak2, … NAME.bak<n>, newest first
  bool keepPermissions = true;                 // a new file gets the permissions of the file it replaces
  const char* cannotWrite = kCannotWriteFile;  // one %s: the file
  const char* cannotBackUp = kCannotRenameTo;  // two %s: the file and its backup
  const char* existsText = "";                 // two %s: the file and its backup
  const char* heldOpen = kHeldOpen;            // one %s: a file another program holds open
  // Asked under the locks, before anything is touched; it may raise FileError to refuse the write.
  std::function<AddedFiles()> addUnderLock;
  // Runs under the locks once the group is whole (it must not raise: the group is already written).
  std::function<void()> afterUnderLock;
};

struct OutputFile {
  std::string path;  // as the user gave it
  std::string_view bytes;
};

// An existing file that is not replaced without being asked: a refusal, not a failure of the system.
class WriteRefused : public FileError {
 public:
  using FileError::FileError;
};

// Another program holds the file open (a spreadsheet on Windows): nothing was written or read, and the
// same step may be tried again once that program has let go of it.
class FileHeldOpen : public FileError {
 public:
  using FileError::FileError;
};

// Raises FileHeldOpen, naming the file, when another program holds it open so that it cannot be used so.
void requireNotHeldOpen(const std::string& path, platform::FileUse use);

// The name of the n-th earlier version of a file: NAME.bak for the first, NAME.bak2, NAME.bak3, … after.
std::string backupName(const std::string& path, int n);

// The new files are in place, but a step after their moves failed (a backup rename, the removal of the
// journal); the next write into the folder finishes it.
class WriteUnfinished : public FileError {
 public:
  using FileError::FileError;
};

// A journal in a folder that this program did not write, or that is damaged: never acted on. The
// message says what it is and whether the files read whole; moving the journal aside lets writes go on.
class ForeignJournal : public FileError {
 public:
  using FileError::FileError;
};

// Replaces the files as one group (an empty group writes nothing). Returns, for each file, where its earlier version is kept (empty when
// there was none or no backup is kept). Raises WriteRefused, FileHeldOpen, WriteUnfinished or FileError
// naming the file as given and the system's reason; after a plain FileError the names hold the earlier
// files. A failed step of the clean-up is tried once more, so that a passing failure leaves no temporary
// name behind; only what fails twice is left, with the journal, for the next writer there.
std::vector<std::string> writeFiles(const std::vector<OutputFile>& files, const WriteChoices& choices);

// Finishes or undoes an interrupted write into the folder, as the next writer there would; nothing when
// there was none. Raises FileError when a step fails: the journal then stays for the next try.
void recoverInterruptedWrites(const std::string& folder);

// The files of a group as a recovery would keep them, read under the shared lock.
struct KeptFiles {
  std::vector<std::string> bytes;
  Message notice;  // when a write into the folder was interrupted, or a journal there is not this program's
};

// Reads each file whole (at most maxBytes). Raises FileError ("无法读取文件：<path>" and the reason).
// betweenFiles runs after each file is read (tests slow the reader with it).
KeptFiles readKeptFiles(const std::vector<std::string>& paths, std::size_t maxBytes,
                        const std::function<void()>& betweenFiles = {});

}  // namespace vorandel
