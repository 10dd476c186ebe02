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
const char* const kKeptAsBefore = "原有的文件保持不变。";
const char* const kCannotRecover = "上次中断的写入无法恢复。";
const char* const kCannotRestore = "另外，无法恢复原有的文件 ";
const char* const kRestoredNextTime = "下一次写入这个文件夹时会恢复原有的文件。";
const char* const kFinishedNextTime = "新的文件已经就位；下一次写入这个文件夹时会完成其余的步骤。";
const char* const kMovedInNextTime =
    "写入没有完成：下一次写入这个文件夹时会把新的文件放到位置上（在此之前读取的是新的文件）。";
const char* const kNotSynced = "无法把文件夹 %s 写入磁盘（文件已经改名）。";
const char* const kBrokenJournal = "无法读懂中断写入的记录 %s。";
const char* const kInterrupted = "文件夹 %s 中有一次中断的写入：读取的是下一次写入时会保留的文件。";
const char* const kAFolder = "这是一个文件夹。";
const char* const kNotAFile = "这不是一个普通文件。";
const char* const kReadOnly = kReadOnlyFile;
const char* const kBackupIsFolder = "已有同名的文件夹。";
const char* const kNoReader = "这是一个管道，但没有程序在读取它。";
const char* const kTwice = "同一个文件在一次写入中出现了两次。";
const char* const kReason = "原因：";

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

void syncAll(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) check(platform::syncFolder(folder), folder);
}

// Regular or Missing; any other answer stops the recovery rather than being guessed at.
bool isThere(const std::string& path) {
  const PathKind kind = platform::kindOf(path);
  if (kind == PathKind::Unknown) throw StepFailed{path, platform::lastFailure()};
  return kind != PathKind::Missing;
}

void writeJournal(const Journal& journal) {
  for (const std::string& folder : journalFolders(journal)) {
    const std::string temporary = platform::pathIn(folder, kJournalTemporaryName);
    check(platform::writeDurably(temporary, journalText(journal, folder)), temporary);
    check(platform::renameFile(temporary, platform::pathIn(folder, kJournalName)), temporary);
    check(platform::syncFolder(folder), folder);
  }
}

void removeJournal(const Journal& journal) {
  const std::vector<std::string> folders = journalFolders(journal);
  for (const std::string& folder : folders) {
    // A journal whose writing failed may have left its temporary name.
    for (const char* name : {kJournalTemporaryName, kJournalName}) {
      const std::string path = platform::pathIn(folder, name);
      check(platform::removeFile(path), path);
    }
  }
  syncAll(folders);
}

// Begun: nothing has moved; the temporary names go.
void abandon(const Journal& journal) {
  for (const JournalEntry& entry : journal.entries) {
    check(platform::removeFile(entry.fresh), entry.fresh);
    check(platform::removeFile(entry.kept), entry.kept);
  }
  syncAll(journalFolders(journal));
  removeJournal(journal);
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
void undo(const Journal& journal) {
  const std::vector<std::string> folders = journalFolders(journal);
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
  removeJournal(journal);
}

void complete(const Journal& journal) {
  switch (journal.stage) {
    case JournalStage::Begun: abandon(journal); break;
    case JournalStage::Ready: finish(journal); break;
    case JournalStage::Undoing: undo(journal); break;
  }
}

// A journal found in a folder: none, one, or one that cannot be read (the path then says which).
struct FoundJournal {
  std::optional<Journal> journal;
  std::string broken;
};

FoundJournal journalIn(const std::string& folder) {
  const std::string path = platform::pathIn(folder, kJournalName);
  const PathKind kind = platform::kindOf(path);
  if (kind == PathKind::Missing) return {};
  if (kind != PathKind::Regular) return {std::nullopt, path};
  std::optional<Journal> journal;
  try {
    journal = parseJournal(readWholeFile(path, kMaxJournalSize), folder);
  } catch (const FileError&) {
  }
  if (!journal) return {std::nullopt, path};
  return {std::move(journal), {}};
}

// The locks on a group of folders and the journals found in them, one per run (the most advanced copy
// when a run wrote into several folders). Folders that a journal names are locked too.
struct LockedFolders {
  std::vector<FolderLock> locks;
  std::vector<Journal> journals;
  std::vector<std::string> broken;
};

LockedFolders lockFolders(std::set<std::string> folders, FolderLock::Mode mode, const Message& cannot) {
  for (;;) {
    LockedFolders locked;
    // One order for every process, so that two writers cannot wait on each other.
    for (const std::string& folder : folders) {
      std::string reason;
      std::optional<FolderLock> lock = FolderLock::acquire(folder, mode, kLockWaitMilliseconds, reason);
      if (!lock && reason.empty()) throw FileError(Message::withPaths(kBusy, {folder}));
      if (!lock) throw FileError(withReason(cannot, reason));
      locked.locks.push_back(std::move(*lock));
    }
    std::map<std::string, Journal> runs;
    std::set<std::string> more = folders;
    for (const std::string& folder : folders) {
      FoundJournal found = journalIn(folder);
      if (!found.broken.empty()) locked.broken.push_back(found.broken);
      if (!found.journal) continue;
      for (const std::string& named : journalFolders(*found.journal)) more.insert(named);
      auto [at, added] = runs.emplace(found.journal->run, *found.journal);
      if (!added && found.journal->stage > at->second.stage) at->second = std::move(*found.journal);
    }
    if (more == folders) {
      for (auto& [run, journal] : runs) locked.journals.push_back(std::move(journal));
      return locked;
    }
    folders = std::move(more);  // the locks go and are taken again in order, with the folders named
  }
}

void recoverLocked(const LockedFolders& locked, const Message& cannot) {
  if (!locked.broken.empty())
    throw FileError(Message(cannot)
                        .textLine(kCannotRecover)
                        .append(Message::withPaths(std::string("\n") + kBrokenJournal, {locked.broken.front()})));
  for (const Journal& journal : locked.journals) {
    try {
      complete(journal);
    } catch (const StepFailed& failed) {
      throw FileError(withReason(Message(cannot).textLine(kCannotRecover).nativeLine(failed.path), failed.reason));
    }
  }
}

std::string randomRun() {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::random_device random;
  std::string run;
  for (unsigned bits = random(), n = 0; n < 6; ++n, bits >>= 4) run += kDigits[bits & 15u];
  return run;
}

struct Target {
  std::string shown;  // as the user gave it
  std::string real;   // links resolved
};

// One replacement, step by step; a failure ends it with the folder whole (or left for the next writer
// with the journal saying how to finish).
class Replacement {
 public:
  Replacement(std::vector<Target> targets, const std::vector<OutputFile>& files, const WriteChoices& choices)
      : targets_(std::move(targets)), files_(files), choices_(choices) {}

  std::vector<std::string> run(Journal journal) {
    journal_ = std::move(journal);
    folders_ = journalFolders(journal_);
    const Message first = Message::withPaths(choices_.cannotWrite, {targets_.front().shown});
    keepOlderVersions();
    attempt(first, [&] { writeJournal(journal_); });
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const JournalEntry& entry = journal_.entries[i];
      const std::string permissions = choices_.keepPermissions && entry.hadOld ? entry.target : std::string();
      attempt(written(i),
              [&] { check(platform::writeDurably(entry.fresh, files_[i].bytes, permissions), entry.fresh); });
    }
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const JournalEntry& entry = journal_.entries[i];
      if (entry.hadOld)
        attempt(backedUp(i), [&] { check(platform::linkOrCopy(entry.target, entry.kept), entry.kept); });
    }
    attempt(first, [&] { syncAll(folders_); });
    journal_.stage = JournalStage::Ready;
    readyMayBeOnDisk_ = true;
    attempt(first, [&] { writeJournal(journal_); });
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const JournalEntry& entry = journal_.entries[i];
      attempt(written(i), [&] { check(platform::renameFile(entry.fresh, entry.target), entry.target); });
    }
    for (const std::string& folder : folders_) {
      const Failure failure = platform::syncFolder(folder);
      if (failure)
        fail(withReason(Message::withPaths(choices_.cannotWrite, {targets_.front().shown})
                            .append(Message::withPaths(std::string("\n") + kNotSynced, {folder})),
                        failure));
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

  Message written(std::size_t i) const { return Message::withPaths(choices_.cannotWrite, {targets_[i].shown}); }
  Message backedUp(std::size_t i) const {
    return Message::withPaths(choices_.cannotBackUp, {targets_[i].shown, targets_[i].real + ".bak"});
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
      twice([&] { writeJournal(journal_); });
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
  const std::vector<OutputFile>& files_;
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

}  // namespace

std::vector<std::string> writeFiles(const std::vector<OutputFile>& files, const WriteChoices& choices) {
  std::vector<Target> targets;
  std::set<std::string> folders;
  for (const OutputFile& file : files) {
    const std::string real = platform::resolveLinks(file.path);
    targets.push_back({file.path, real});
    folders.insert(platform::folderOf(platform::absolutePath(real)));
  }
  const Message first = Message::withPaths(choices.cannotWrite, {targets.front().shown});
  if (files.size() == 1 && platform::kindOf(targets.front().real) == PathKind::Stream)
    return writeThroughStream(files.front(), targets.front().real, choices);

  const LockedFolders locked = lockFolders(folders, FolderLock::Mode::Exclusive, first);
  recoverLocked(locked, first);
  for (const std::string& folder : folders)
    if (const Failure failure = platform::removeFile(platform::pathIn(folder, kJournalTemporaryName)))
      throw FileError(withReason(first, failure));

  // What would fail half way is refused before anything is touched.
  const std::string run = randomRun();
  Journal journal{run, JournalStage::Begun, {}};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Target& target = targets[i];
    const Message cannot = Message::withPaths(choices.cannotWrite, {target.shown});
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
                             .append(Message::withPaths(std::string("\n") + kHeldOpen, {target.shown}))
                             .textLine(kKeptAsBefore));
    if (hadOld && choices.keepBackup && platform::kindOf(target.real + ".bak") == PathKind::Folder)
      throw FileError(Message::withPaths(choices.cannotBackUp, {target.shown, target.real + ".bak"})
                          .textLine(kBackupIsFolder)
                          .textLine(kKeptAsBefore));
    JournalEntry entry;
    entry.target = platform::absolutePath(target.real);
    const std::string folder = platform::folderOf(entry.target);
    const std::string prefix = ".vorandel-" + run + "-" + std::to_string(i);
    entry.fresh = platform::pathIn(folder, prefix + ".new");
    entry.kept = platform::pathIn(folder, prefix + ".old");
    entry.hadOld = hadOld;
    entry.keepBackup = choices.keepBackup;
    journal.entries.push_back(std::move(entry));
  }
  return Replacement(std::move(targets), files, choices).run(std::move(journal));
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
  recoverLocked(locked, cannot);
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
  bool interrupted = !locked.broken.empty();
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
  if (interrupted) kept.notice = Message::withPaths(kInterrupted, {platform::folderOf(paths.front())});
  return kept;
}

}  // namespace vorandel
