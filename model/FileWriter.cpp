#include "model/FileWriter.h"

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <set>

#include "model/FileRead.h"
#include "model/Messages.h"
#include "model/SystemFiles.h"
#include "model/WriteJournal.h"

namespace vorandel {

namespace {

using platform::Failure;
using platform::FolderLock;
using platform::PathKind;

constexpr int kLockWaitMilliseconds = 5000;
constexpr std::size_t kMaxJournalSize = std::size_t{1} << 20;
constexpr const char* kJournalTemporaryName = ".vorandel-journal.new";

const char* const kBusy = "另一个程序正在向文件夹 %s 写入文件，请稍后再试。";
const char* const kBusyReading = "另一个程序正在读取文件夹 %s 中的文件，请稍后再试。";
const char* const kForeignJournal =
    "文件夹 %s 中的写入记录 %s 不是本程序写下的，或者已经损坏：本程序不会按它改动任何文件。";
const char* const kForeignFileWhole = "文件 %s 在这个文件夹中。";
const char* const kForeignFileMissing = "文件 %s 不在这个文件夹中。";
const char* const kForeignFileUnreadable = "无法查看文件 %s。";
const char* const kMoveJournalAside = "把这个记录文件移到别处（或删除）不会损坏任何文件；移走后再试。";
const char* const kKeptAsBefore = "原有的文件保持不变。";
const char* const kCannotRecover = "上次中断的写入无法恢复。";
const char* const kCannotRestore = "另外，无法恢复原有的文件 ";
const char* const kRestoredNextTime = "下一次写入这个文件夹时会恢复原有的文件。";
const char* const kFinishedNextTime = "新的文件已经就位；下一次写入这个文件夹时会完成其余的步骤。";
const char* const kMovedInNextTime =
    "写入没有完成：下一次写入这个文件夹时会把新的文件放到位置上（在此之前读取的是新的文件）。";
const char* const kNotSynced = "无法把文件夹 %s 写入磁盘（文件已经改名）。";
const char* const kInterrupted = "文件夹 %s 中有一次中断的写入：读取的是下一次写入时会保留的文件。";
const char* const kAFolder = "这是一个文件夹。";
const char* const kNotAFile = "这不是一个普通文件。";
const char* const kReadOnly = kReadOnlyFile;
const char* const kBackupIsFolder = "已有同名的文件夹。";
const char* const kNoReader = "这是一个管道，但没有程序在读取它。";
const char* const kTwice = "同一个文件在一次写入中出现了两次。";
const char* const kReason = "原因：";
const char* const kMadeFolderOutside = "新建的文件夹不在第一个文件的文件夹之中。";

Message withReason(Message message, const Failure& reason) {
  if (reason) message.textLine(kReason).text(*reason);
  return message;
}

// A step of a recovery failed: the journal stays for the next try.
struct StepFailed {
  std::string path;
  std::string reason;
};

void check(const Failure& failure, const std::string& path) {
  if (failure) throw StepFailed{path, *failure};
}

// A step of the clean-up that failed is tried once more: a file that a virus scanner or an indexer held
// for a moment leaves no temporary name behind. What fails twice raises StepFailed.
template <typename Step>
void twice(Step step) {
  try {
    step();
  } catch (const StepFailed&) {
    step();
  }
}

// A folder that is not there (one the run had still to make, or has removed) has nothing to sync.
void syncAll(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders)
    if (platform::kindOf(folder) != PathKind::Missing) check(platform::syncFolder(folder), folder);
}

// Regular or Missing; any other answer stops the recovery rather than being guessed at.
bool isThere(const std::string& path) {
  const PathKind kind = platform::kindOf(path);
  if (kind == PathKind::Unknown) throw StepFailed{path, platform::lastFailure()};
  return kind != PathKind::Missing;
}

void writeJournal(const Journal& journal, const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    const std::string temporary = platform::pathIn(folder, kJournalTemporaryName);
    check(platform::writeDurably(temporary, journalText(journal, folder)), temporary);
    check(platform::renameFile(temporary, platform::pathIn(folder, kJournalName)), temporary);
    check(platform::syncFolder(folder), folder);
  }
}

// Whether the folder's journal records folders that the run made: it is removed last, after them.
bool recordsMadeFolders(const Journal& journal, const std::string& folder) {
  for (const std::string& made : journal.madeFolders)
    if (made.size() > folder.size() && made.compare(0, folder.size(), folder) == 0) return true;
  return false;
}

// The journals go, those that record made folders last; when going back, the made folders go before
// them (only when empty: whatever else is in them stays).
void removeJournal(const Journal& journal, bool removeMadeFolders = false) {
  const std::vector<std::string> folders = journalFolders(journal);
  std::vector<std::string> last;
  const auto removeIn = [](const std::string& folder) {
    // A journal whose writing failed may have left its temporary name.
    for (const char* name : {kJournalTemporaryName, kJournalName}) {
      const std::string path = platform::pathIn(folder, name);
      check(platform::removeFile(path), path);
    }
  };
  for (const std::string& folder : folders) {
    if (recordsMadeFolders(journal, folder))
      last.push_back(folder);
    else
      removeIn(folder);
  }
  syncAll(folders);
  if (removeMadeFolders) {
    for (auto made = journal.madeFolders.rbegin(); made != journal.madeFolders.rend(); ++made) {
      // A made folder's journal may have been cut off before its rename: its temporary name goes too.
      const std::string partial = platform::pathIn(*made, kJournalTemporaryName);
      check(platform::removeFile(partial), partial);
      check(platform::removeEmptyFolder(*made), *made);
      syncAll({platform::folderOf(*made)});
    }
  }
  for (const std::string& folder : last) removeIn(folder);
  syncAll(last);
}

// Begun: nothing has moved; the temporary names go, and the folders the run made.
void abandon(const Journal& journal) {
  for (const JournalEntry& entry : journal.entries) {
    check(platform::removeFile(entry.fresh), entry.fresh);
    check(platform::removeFile(entry.kept), entry.kept);
  }
  syncAll(journalFolders(journal));
  removeJournal(journal, true);
}

// Ready: the new files move in, the old ones become the backups.
void finish(const Journal& journal) {
  const std::vector<std::string> folders = journalFolders(journal);
  for (const JournalEntry& entry : journal.entries)
    if (isThere(entry.fresh)) check(platform::renameFile(entry.fresh, entry.target), entry.target);
  syncAll(folders);
  for (const JournalEntry& entry : journal.entries) {
    if (!isThere(entry.kept)) continue;
    if (entry.keepBackup) check(platform::renameFile(entry.kept, entry.backup()), entry.backup());
    // A backup that was another name of the same file leaves the second name where the rename did nothing.
    check(platform::removeFile(entry.kept), entry.kept);
  }
  syncAll(folders);
  removeJournal(journal);
}

// Undoing: the files that had moved in make way for the old ones again.
void undo(Journal journal) {
  const std::vector<std::string> folders = journalFolders(journal);
  // A folder whose journal had not yet said Undoing had nothing moved back: its disk tells what moved in.
  for (JournalEntry& entry : journal.entries)
    if (entry.movedInUnknown) entry.movedIn = !isThere(entry.fresh);
  for (const JournalEntry& entry : journal.entries) {
    if (!entry.movedIn) continue;
    if (!entry.hadOld)
      check(platform::removeFile(entry.target), entry.target);
    else if (isThere(entry.kept))
      check(platform::renameFile(entry.kept, entry.target), entry.target);
  }
  syncAll(folders);
  for (const JournalEntry& entry : journal.entries) {
    check(platform::removeFile(entry.fresh), entry.fresh);
    if (!entry.movedIn) check(platform::removeFile(entry.kept), entry.kept);
  }
  syncAll(folders);
  removeJournal(journal, true);
}

// Whether every new file not yet moved in holds exactly the bytes the journal recorded.
bool newFilesWhole(const Journal& journal) {
  for (const JournalEntry& entry : journal.entries) {
    if (!isThere(entry.fresh)) continue;
    std::string bytes;
    try {
      bytes = readFileUpTo(entry.fresh, entry.size);
    } catch (const FileError&) {
      throw StepFailed{entry.fresh, platform::lastFailure()};
    }
    if (bytes.size() != entry.size || contentHash(bytes) != entry.hash) return false;
  }
  return true;
}

// Moves the files that moved in back out and the old ones back in, recorded first.
void goBack(Journal journal) {
  for (JournalEntry& entry : journal.entries) {
    entry.movedIn = !isThere(entry.fresh);
    entry.movedInUnknown = false;
  }
  journal.stage = JournalStage::Undoing;
  writeJournal(journal, journalFolders(journal));
  undo(journal);
}

// A recovery: a run found Ready finishes only when its new files are whole (a cut or changed one sends
// the group back to the old files).
void complete(const Journal& journal) {
  switch (journal.stage) {
    case JournalStage::Begun: abandon(journal); break;
    case JournalStage::Ready:
      if (newFilesWhole(journal))
        finish(journal);
      else
        goBack(journal);
      break;
    case JournalStage::Undoing: undo(journal); break;
  }
}

// A journal found in a folder: none, one, or one this program did not write (the path then says which).
struct FoundJournal {
  std::optional<Journal> journal;
  std::string foreign;
};

// A journal that cannot be looked at or read raises StepFailed: it is neither trusted nor called foreign.
FoundJournal journalIn(const std::string& folder) {
  const std::string path = platform::pathIn(folder, kJournalName);
  if (!isThere(path)) return {};
  if (platform::kindOf(path) != PathKind::Regular) return {std::nullopt, path};
  std::string text;
  try {
    text = readFileUpTo(path, kMaxJournalSize);
  } catch (const FileError&) {
    throw StepFailed{path, platform::lastFailure()};
  }
  std::optional<Journal> journal = parseJournal(text, folder);
  if (!journal) return {std::nullopt, path};
  return {std::move(journal), {}};
}

// One run's journal from the copies in its folders, each speaking for its own files: the most advanced
// stage, and at Undoing the files of folders whose copy had not come so far marked to be looked at.
Journal mergedRun(const std::vector<Journal>& copies) {
  Journal merged;
  merged.run = copies.front().run;
  for (const Journal& copy : copies) merged.stage = std::max(merged.stage, copy.stage);
  std::set<std::string> made;
  for (const Journal& copy : copies) {
    for (JournalEntry entry : copy.entries) {
      entry.movedInUnknown = merged.stage == JournalStage::Undoing && copy.stage != JournalStage::Undoing;
      merged.entries.push_back(std::move(entry));
    }
    made.insert(copy.madeFolders.begin(), copy.madeFolders.end());
  }
  std::sort(merged.entries.begin(), merged.entries.end(),
            [](const JournalEntry& a, const JournalEntry& b) { return a.number < b.number; });
  merged.madeFolders.assign(made.begin(), made.end());
  // Parents first: a parent's path is shorter than its children's.
  std::stable_sort(merged.madeFolders.begin(), merged.madeFolders.end(),
                   [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
  return merged;
}

// Whether another folder of a group is to be followed: it holds a journal of the same run, or one that
// is not this program's (read before its lock is taken, only to decide whether to take it).
bool holdsRun(const std::string& folder, const std::string& run) {
  const FoundJournal found = journalIn(folder);
  return found.journal ? found.journal->run == run : !found.foreign.empty();
}

// The locks on a group of folders and the journals found in them, one per run. Another folder that a
// journal names is locked too, where it holds a journal of the same run.
struct LockedFolders {
  std::map<std::string, FolderLock> locks;
  std::vector<Journal> journals;
  std::vector<std::string> foreign;
};

LockedFolders lockFolders(std::set<std::string> folders, FolderLock::Mode mode, const Message& cannot) {
  // Folders that a run made below a locked folder of its group are covered by that folder's lock: no
  // other writer knows them. They are not locked themselves, so that the recovery can remove them (on
  // Windows a lock is a file inside the folder).
  std::set<std::string> covered;
  for (;;) {
    LockedFolders locked;
    // One order for every process, so that two writers cannot wait on each other.
    for (const std::string& folder : folders) {
      if (covered.contains(folder)) continue;
      std::string reason;
      bool readers = false;
      std::optional<FolderLock> lock = FolderLock::acquire(folder, mode, kLockWaitMilliseconds, reason, &readers);
      if (!lock && reason.empty()) throw FileError(Message::withPaths(readers ? kBusyReading : kBusy, {folder}));
      if (!lock) throw FileError(withReason(cannot, reason));
      locked.locks.emplace(folder, std::move(*lock));
    }
    std::map<std::string, std::vector<Journal>> runs;
    std::set<std::string> more = folders;
    std::set<std::string> madeBelowLocked;
    try {
      for (const std::string& folder : folders) {
        FoundJournal found = journalIn(folder);
        if (!found.foreign.empty()) locked.foreign.push_back(found.foreign);
        if (!found.journal) continue;
        for (const std::string& other : found.journal->otherFolders)
          if (!more.contains(other) && holdsRun(other, found.journal->run)) more.insert(other);
        if (!covered.contains(folder))
          madeBelowLocked.insert(found.journal->madeFolders.begin(), found.journal->madeFolders.end());
        runs[found.journal->run].push_back(std::move(*found.journal));
      }
    } catch (const StepFailed& failed) {
      throw FileError(withReason(Message(cannot).nativeLine(failed.path), failed.reason));
    }
    std::set<std::string> coveredNow;
    for (const std::string& folder : more)
      if (madeBelowLocked.contains(folder)) coveredNow.insert(folder);
    if (more == folders && coveredNow == covered) {
      for (const auto& [run, copies] : runs) locked.journals.push_back(mergedRun(copies));
      return locked;
    }
    // The locks go and are taken again in order, with the folders named.
    folders = std::move(more);
    covered = std::move(coveredNow);
  }
}

// The first lines of the refusal of a foreign journal, and how the files it sits beside read.
Message foreignJournalLines(const std::string& journal, const std::vector<std::string>& files) {
  Message message = Message::withPaths(kForeignJournal, {platform::folderOf(journal), journal});
  for (const std::string& file : files) {
    const PathKind kind = platform::kindOf(file);
    const char* state = kind == PathKind::Regular   ? kForeignFileWhole
                        : kind == PathKind::Missing ? kForeignFileMissing
                                                    : kForeignFileUnreadable;
    message.append(Message::withPaths(std::string("\n") + state, {file}));
  }
  return message.textLine(kMoveJournalAside);
}

void recoverLocked(const LockedFolders& locked, const Message& cannot, const std::vector<std::string>& files) {
  if (!locked.foreign.empty())
    throw ForeignJournal(Message(cannot).append(Message("\n").append(foreignJournalLines(locked.foreign.front(), files))));
  for (const Journal& journal : locked.journals) {
    try {
      complete(journal);
    } catch (const StepFailed& failed) {
      throw FileError(withReason(Message(cannot).textLine(kCannotRecover).nativeLine(failed.path), failed.reason));
    }
  }
}

struct Target {
  std::string shown;  // as the user gave it
  std::string real;   // links resolved
  std::string_view bytes;
  const char* cannotWrite = kCannotWriteFile;  // one %s: the file
};

// One replacement, step by step; a failure ends it with the folder whole (or left for the next writer
// with the journal saying how to finish).
class Replacement {
 public:
  Replacement(std::vector<Target> targets, const WriteChoices& choices)
      : targets_(std::move(targets)), choices_(choices) {}

  std::vector<std::string> run(Journal journal) {
    journal_ = std::move(journal);
    folders_ = journalFolders(journal_);
    const Message first = written(0);
    keepOlderVersions();
    // The folders to be made are recorded before they are made; their own journals follow them.
    std::vector<std::string> existing;
    for (const std::string& folder : folders_)
      if (std::find(journal_.madeFolders.begin(), journal_.madeFolders.end(), folder) == journal_.madeFolders.end())
        existing.push_back(folder);
    attempt(first, [&] { writeJournal(journal_, existing); });
    for (const std::string& made : journal_.madeFolders) {
      attempt(madeMessage(made), [&] {
        check(platform::makeFolder(made), made);
        check(platform::syncFolder(platform::folderOf(made)), platform::folderOf(made));
      });
    }
    if (!journal_.madeFolders.empty()) attempt(first, [&] { writeJournal(journal_, folders_); });
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const JournalEntry& entry = journal_.entries[i];
      const std::string permissions = choices_.keepPermissions && entry.hadOld ? entry.target : std::string();
      attempt(written(i),
              [&] { check(platform::writeDurably(entry.fresh, targets_[i].bytes, permissions), entry.fresh); });
    }
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const JournalEntry& entry = journal_.entries[i];
      if (entry.hadOld)
        attempt(backedUp(i), [&] { check(platform::linkOrCopy(entry.target, entry.kept), entry.kept); });
    }
    attempt(first, [&] { syncAll(folders_); });
    journal_.stage = JournalStage::Ready;
    readyMayBeOnDisk_ = true;
    attempt(first, [&] { writeJournal(journal_, folders_); });
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const JournalEntry& entry = journal_.entries[i];
      attempt(written(i), [&] { check(platform::renameFile(entry.fresh, entry.target), entry.target); });
    }
    for (const std::string& folder : folders_) {
      const Failure failure = platform::syncFolder(folder);
      if (failure)
        fail(withReason(Message(first).append(Message::withPaths(std::string("\n") + kNotSynced, {folder})), failure));
    }
    // The new files are in place: from here on the run only goes forward.
    try {
      twice([&] { finish(journal_); });
    } catch (const StepFailed& failed) {
      throw WriteUnfinished(
          withReason(Message::withPaths(kCannotWriteFile, {failed.path}), failed.reason).textLine(kFinishedNextTime));
    }
    std::vector<std::string> backups;
    for (std::size_t i = 0; i < targets_.size(); ++i)
      backups.push_back(journal_.entries[i].hadOld && choices_.keepBackup ? targets_[i].real + ".bak" : "");
    return backups;
  }

 private:
  // With more than one kept version, NAME.bak<k> takes the place of NAME.bak<k+1>, the oldest going, before
  // anything else is touched. They become second names, so NAME.bak stays until the new backup replaces
  // it at the end: a run that fails leaves every version that was there (the oldest one excepted).
  void keepOlderVersions() {
    if (!choices_.keepBackup) return;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      if (!journal_.entries[i].hadOld) continue;
      const std::string& real = targets_[i].real;
      for (int n = choices_.keptVersions - 1; n >= 1; --n) {
        const std::string from = backupName(real, n);
        const std::string to = backupName(real, n + 1);
        attempt(Message::withPaths(choices_.cannotBackUp, {from, to}).textLine(kKeptAsBefore), [&] {
          if (isThere(from))
            check(platform::linkOrCopy(from, to), to);
          else
            check(platform::removeFile(to), to);
        });
      }
    }
  }

  Message written(std::size_t i) const { return Message::withPaths(targets_[i].cannotWrite, {targets_[i].shown}); }
  Message backedUp(std::size_t i) const {
    return Message::withPaths(choices_.cannotBackUp, {targets_[i].shown, targets_[i].real + ".bak"});
  }
  // A made folder fails with the text of the files that go into it.
  Message madeMessage(const std::string& made) const {
    for (const Target& target : targets_)
      if (target.real.compare(0, made.size(), made) == 0) return Message::withPaths(target.cannotWrite, {made});
    return written(0);
  }

  template <typename Step>
  void attempt(const Message& message, Step step) {
    try {
      step();
    } catch (const StepFailed& failed) {
      fail(withReason(message, failed.reason));
    }
  }

  // Takes the folder back to the earlier files, and says how far that went.
  [[noreturn]] void fail(Message message) {
    try {
      if (!readyMayBeOnDisk_) {
        twice([&] { abandon(journal_); });
        message.textLine(kKeptAsBefore);
        throw FileError(message);
      }
    } catch (const StepFailed&) {
      // Nothing had moved: the earlier files are under their names; the next writer removes the rest.
      message.textLine(kKeptAsBefore);
      throw FileError(message);
    }
    // The files that moved in are those gone from their temporary names; the undo is recorded first.
    try {
      for (JournalEntry& entry : journal_.entries) entry.movedIn = !isThere(entry.fresh);
      journal_.stage = JournalStage::Undoing;
      twice([&] { writeJournal(journal_, folders_); });
    } catch (const StepFailed&) {
      // The journal still says the new files are ready: the next writer moves them in.
      message.textLine(kMovedInNextTime);
      throw FileError(message);
    }
    try {
      twice([&] { undo(journal_); });
    } catch (const StepFailed& failed) {
      message.textLine(kCannotRestore).native(failed.path).text("：").text(failed.reason).textLine(kRestoredNextTime);
      throw FileError(message);
    }
    message.textLine(kKeptAsBefore);
    throw FileError(message);
  }

  std::vector<Target> targets_;
  const WriteChoices& choices_;
  Journal journal_;
  std::vector<std::string> folders_;
  bool readyMayBeOnDisk_ = false;
};

std::vector<std::string> writeThroughStream(const OutputFile& file, const std::string& real,
                                            const WriteChoices& choices) {
  bool noReader = false;
  if (const Failure failure = platform::writeThrough(real, file.bytes, noReader)) {
    Message message = Message::withPaths(choices.cannotWrite, {file.path});
    if (noReader) throw FileError(message.textLine(kNoReader));
    throw FileError(withReason(message, failure));
  }
  return {std::string()};
}

// Whether path lies below folder.
bool isBelow(const std::string& path, const std::string& folder) {
  for (std::string at = platform::folderOf(path); at.size() >= folder.size(); at = platform::folderOf(at)) {
    if (at == folder) return true;
    if (platform::folderOf(at) == at) break;
  }
  return false;
}

}  // namespace

std::vector<std::string> writeFiles(const std::vector<OutputFile>& files, const WriteChoices& choices) {
  if (files.empty()) return {};
  std::vector<Target> targets;
  std::set<std::string> folders;
  std::vector<std::string> givenReal;
  for (const OutputFile& file : files) {
    const std::string real = platform::resolveLinks(file.path);
    targets.push_back({file.path, real, file.bytes, choices.cannotWrite});
    givenReal.push_back(real);
    folders.insert(platform::folderOf(platform::absolutePath(real)));
  }
  const Message first = Message::withPaths(choices.cannotWrite, {targets.front().shown});
  if (files.size() == 1 && platform::kindOf(targets.front().real) == PathKind::Stream)
    return writeThroughStream(files.front(), targets.front().real, choices);

  LockedFolders locked = lockFolders(folders, FolderLock::Mode::Exclusive, first);
  recoverLocked(locked, first, givenReal);
  // Folders locked only to recover an earlier run are let go: on Windows a lock is a file in the folder,
  // and an emptied folder of that run must be seen as empty.
  std::erase_if(locked.locks, [&](const auto& held) { return !folders.contains(held.first); });
  for (const std::string& folder : folders)
    if (const Failure failure = platform::removeFile(platform::pathIn(folder, kJournalTemporaryName)))
      throw FileError(withReason(first, failure));

  // Files made from what is on the disk now, under the locks.
  AddedFiles added;
  if (choices.addUnderLock) added = choices.addUnderLock();
  const std::string firstFolder = platform::folderOf(platform::absolutePath(targets.front().real));
  std::vector<std::string> madeFolders;
  for (const std::string& made : added.newFolders) {
    madeFolders.push_back(platform::absolutePath(made));
    if (!isBelow(madeFolders.back(), firstFolder))
      throw FileError(Message::withPaths(added.cannotWrite, {made}).textLine(kMadeFolderOutside));
  }
  for (std::size_t i = 0; i < added.paths.size(); ++i)
    targets.push_back({added.paths[i], added.paths[i], added.bytes[i], added.cannotWrite});

  // What would fail half way is refused before anything is touched.
  Journal journal{newRunWord(), JournalStage::Begun, {}, madeFolders, {}};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Target& target = targets[i];
    const bool inMadeFolder = i >= files.size();
    const Message cannot = Message::withPaths(target.cannotWrite, {target.shown});
    for (std::size_t k = 0; k < i; ++k)
      if (platform::sameFile(targets[k].real, target.real)) throw FileError(Message(cannot).textLine(kTwice));
    const PathKind kind = platform::kindOf(target.real);
    if (kind == PathKind::Folder) throw FileError(Message(cannot).textLine(kAFolder));
    if (kind == PathKind::Stream || kind == PathKind::Other) throw FileError(Message(cannot).textLine(kNotAFile));
    if (kind == PathKind::Unknown) throw FileError(withReason(cannot, platform::lastFailure()));
    const bool hadOld = kind == PathKind::Regular;
    if (hadOld && !choices.replaceExisting)
      throw WriteRefused(Message::withPaths(choices.existsText, {target.shown, target.real + ".bak"}));
    if (hadOld && platform::isReadOnly(target.real)) throw FileError(Message(cannot).textLine(kReadOnly));
    if (hadOld && platform::heldByAnotherProgram(target.real, platform::FileUse::Replace))
      throw FileHeldOpen(Message(cannot)
                             .append(Message::withPaths(std::string("\n") + choices.heldOpen, {target.shown}))
                             .textLine(kKeptAsBefore));
    if (hadOld && choices.keepBackup && platform::kindOf(target.real + ".bak") == PathKind::Folder)
      throw FileError(Message::withPaths(choices.cannotBackUp, {target.shown, target.real + ".bak"})
                          .textLine(kBackupIsFolder)
                          .textLine(kKeptAsBefore));
    JournalEntry entry = journalEntry(journal.run, static_cast<int>(i), platform::absolutePath(target.real));
    entry.hadOld = hadOld;
    entry.keepBackup = choices.keepBackup && !inMadeFolder;
    entry.size = target.bytes.size();
    entry.hash = contentHash(target.bytes);
    journal.entries.push_back(std::move(entry));
  }
  std::vector<std::string> backups = Replacement(std::move(targets), choices).run(std::move(journal));
  backups.resize(files.size());
  // The group is written: what follows may fail without making it less so.
  try {
    if (choices.afterUnderLock) choices.afterUnderLock();
  } catch (const std::exception&) {
  }
  return backups;
}

void requireNotHeldOpen(const std::string& path, platform::FileUse use) {
  if (platform::heldByAnotherProgram(path, use)) throw FileHeldOpen(Message::withPaths(kHeldOpen, {path}));
}

std::string backupName(const std::string& path, int n) {
  return n <= 1 ? path + ".bak" : path + ".bak" + std::to_string(n);
}

void recoverInterruptedWrites(const std::string& folder) {
  const std::string absolute = platform::folderOf(platform::absolutePath(platform::pathIn(folder, kJournalName)));
  if (platform::kindOf(platform::pathIn(absolute, kJournalName)) == PathKind::Missing) return;
  const Message cannot = Message::withPaths(kCannotWriteFile, {platform::pathIn(folder, kJournalName)});
  const LockedFolders locked = lockFolders({absolute}, FolderLock::Mode::Exclusive, cannot);
  recoverLocked(locked, cannot, {});
}

KeptFiles readKeptFiles(const std::vector<std::string>& paths, std::size_t maxBytes,
                        const std::function<void()>& betweenFiles) {
  std::vector<std::string> absolute;
  std::set<std::string> folders;
  for (const std::string& path : paths) {
    absolute.push_back(platform::absolutePath(platform::resolveLinks(path)));
    folders.insert(platform::folderOf(absolute.back()));
  }
  const Message cannot = Message::withPaths(kCannotReadFile, {paths.front()});
  const LockedFolders locked = lockFolders(folders, FolderLock::Mode::Shared, cannot);
  KeptFiles kept;
  bool interrupted = false;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    std::string source = paths[i];
    for (const Journal& journal : locked.journals) {
      for (const JournalEntry& entry : journal.entries) {
        if (entry.target != absolute[i]) continue;
        interrupted = true;
        source = keptSource(journal, entry);
        if (source.empty())
          throw FileError(
              Message::withPaths(kCannotReadFile, {paths[i]})
                  .append(Message::withPaths(std::string("\n") + kInterrupted, {platform::folderOf(paths[i])})));
        if (source == entry.target) source = paths[i];
      }
    }
    kept.bytes.push_back(readRegularFile(source, maxBytes));
    if (betweenFiles) betweenFiles();
  }
  if (!locked.foreign.empty())
    kept.notice = foreignJournalLines(locked.foreign.front(), paths);
  else if (interrupted)
    kept.notice = Message::withPaths(kInterrupted, {platform::folderOf(paths.front())});
  return kept;
}

}  // namespace vorandel
