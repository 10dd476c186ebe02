#include "model/FileReplacement.h"

#include <algorithm>
#include <set>

#include "model/FileError.h"
#include "model/Messages.h"
#include "model/SystemFiles.h"

namespace vorandel {

namespace {

using platform::Failure;
using platform::PathKind;

constexpr const char* kMarkName = ".vorandel-replacing";
constexpr int kLockWaitMilliseconds = 5000;

const char* const kCannotWrite = "无法写入文件 %s，新的剧本没有生成。";
const char* const kCannotRename = "无法将 %s 重命名为: %s";
const char* const kKeptAsBefore = "原有的文件保持不变。";

// One file of the group: the name the user's folder shows, and where the file really lives.
struct Target {
  std::string shown;
  std::string path;
  bool hadOld = false;
  std::string fresh() const { return path + ".vorandel-new"; }  // the new bytes, before they move in
  std::string kept() const { return path + ".vorandel-old"; }   // a second name of the old file
  std::string backup() const { return path + ".bak"; }
};

std::vector<Target> targetsOf(const std::string& folder, const std::vector<std::string>& names) {
  std::vector<Target> targets;
  for (const std::string& name : names) {
    Target target;
    target.shown = platform::pathIn(folder, name);
    target.path = platform::resolveLinks(target.shown);
    target.hadOld = platform::kindOf(target.path) != PathKind::Missing;
    targets.push_back(std::move(target));
  }
  return targets;
}

// Every folder whose names the sequence changes (an empty folder name is the current folder).
std::set<std::string> foldersOf(const std::string& folder, const std::vector<Target>& targets) {
  std::set<std::string> folders{folder.empty() ? std::string(".") : folder};
  for (const Target& target : targets) folders.insert(platform::folderOf(target.path));
  return folders;
}

bool exists(const std::string& path) { return platform::kindOf(path) != PathKind::Missing; }

[[noreturn]] void fail(Message message, const Failure& reason) {
  if (reason) message.nativeLine(*reason);
  throw FileError(std::move(message));
}

// The locks on every folder involved, taken in one order so that two writers cannot wait on each other.
std::vector<platform::FolderLock> lockFolders(const std::set<std::string>& folders, const Target& first) {
  std::vector<platform::FolderLock> locks;
  for (const std::string& folder : folders) {
    std::string reason;
    std::optional<platform::FolderLock> lock = platform::FolderLock::acquire(folder, kLockWaitMilliseconds, reason);
    if (!lock && reason.empty())
      fail(Message::withPaths("另一个程序正在向文件夹 %s 写入文件，请稍后再试。", {folder}), std::nullopt);
    if (!lock) fail(Message::withPaths(kCannotWrite, {first.shown}), reason);
    locks.push_back(std::move(*lock));
  }
  return locks;
}

void syncFolders(const std::set<std::string>& folders) {
  for (const std::string& folder : folders) platform::syncFolder(folder);
}

// Removes the temporary names, then the mark: the folder is whole again.
void removeLeftovers(const std::vector<Target>& targets, const std::string& mark,
                     const std::set<std::string>& folders) {
  for (const Target& target : targets) {
    platform::removeFile(target.fresh());
    platform::removeFile(target.kept());
  }
  syncFolders(folders);
  platform::removeFile(mark);
  syncFolders(folders);
}

// Brings a folder whose last replacement was killed back to one whole group of files: the new one when
// every new file had moved in, the old one otherwise. Raises FileError when a step fails; the mark then
// stays for the next try.
void recover(const std::string& mark, const std::vector<Target>& targets, const std::set<std::string>& folders) {
  const auto check = [](const Failure& failure, const std::string& from, const std::string& to) {
    if (failure) fail(Message::withPaths(kCannotRename, {from, to}).textLine("上次中断的写入无法恢复。"), failure);
  };
  if (exists(mark)) {
    const bool allMovedIn =
        std::none_of(targets.begin(), targets.end(), [](const Target& target) { return exists(target.fresh()); });
    for (const Target& target : targets) {
      const bool keptOld = exists(target.kept());
      if (allMovedIn) {
        if (keptOld) check(platform::renameReplacing(target.kept(), target.backup()), target.kept(), target.backup());
      } else if (!exists(target.fresh())) {
        // This file had moved in: put the old one back, or take the new one away when there was none.
        if (keptOld)
          check(platform::renameReplacing(target.kept(), target.path), target.kept(), target.path);
        else
          check(platform::removeFile(target.path), target.path, target.path);
      }
    }
  }
  removeLeftovers(targets, mark, folders);
}

// Undoes the steps taken so far after a failure: the old files back under their names, the new ones and
// every temporary name gone. Says so in the message when that too fails.
void undo(const std::vector<Target>& targets, std::size_t movedIn, std::size_t backedUp, const std::string& mark,
          const std::set<std::string>& folders, Message& message) {
  bool restored = true;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Target& target = targets[i];
    Failure failure;
    if (i < movedIn && target.hadOld)
      failure = platform::renameReplacing(i < backedUp ? target.backup() : target.kept(), target.path);
    else if (i < movedIn)
      failure = platform::removeFile(target.path);
    if (failure) {
      restored = false;
      message.textLine("另外，无法恢复原有的文件 ").native(target.shown).text("：").native(*failure);
    }
  }
  if (!restored) return;  // the mark stays: the next run puts the files back
  removeLeftovers(targets, mark, folders);
  message.textLine(kKeptAsBefore);
}

}  // namespace

void replaceFiles(const std::string& folder, const std::vector<NewFile>& files,
                  const ReplacementStepHook& afterEachStep) {
  const auto step = [&] {
    if (afterEachStep) afterEachStep();
  };
  std::vector<std::string> names;
  for (const NewFile& file : files) names.push_back(file.name);
  std::vector<Target> targets = targetsOf(folder, names);
  const std::set<std::string> folders = foldersOf(folder, targets);
  const std::vector<platform::FolderLock> locks = lockFolders(folders, targets.front());
  const std::string mark = platform::pathIn(folder.empty() ? "." : folder, kMarkName);
  recover(mark, targets, folders);
  targets = targetsOf(folder, names);

  // What would fail half way is refused before anything is touched.
  for (const Target& target : targets) {
    if (const PathKind kind = platform::kindOf(target.path); kind == PathKind::Folder || kind == PathKind::Other)
      fail(Message::withPaths(kCannotWrite, {target.shown})
               .textLine(kind == PathKind::Folder ? "这个名字已被一个文件夹占用。" : "这不是一个普通文件。"),
           std::nullopt);
    if (target.hadOld && platform::isReadOnly(target.path))
      fail(Message::withPaths(kCannotWrite, {target.shown}).textLine(kReadOnlyFile), std::nullopt);
    if (target.hadOld && platform::kindOf(target.backup()) == PathKind::Folder)
      fail(Message::withPaths(kCannotRename, {target.shown, target.backup()})
               .textLine("已有同名的文件夹。")
               .textLine(kKeptAsBefore),
           std::nullopt);
  }

  // The new files, complete and on the disk, under names of their own.
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (const Failure failure = platform::writeDurably(targets[i].fresh(), files[i].bytes)) {
      for (std::size_t k = 0; k <= i; ++k) platform::removeFile(targets[k].fresh());
      fail(Message::withPaths(kCannotWrite, {targets[i].shown}), failure);
    }
    step();
  }
  Message message;
  std::size_t movedIn = 0, backedUp = 0;
  const auto stop = [&](Message text, const Failure& failure) {
    message = std::move(text);
    if (failure) message.nativeLine(*failure);
    undo(targets, movedIn, backedUp, mark, folders, message);
    throw FileError(message);
  };
  if (const Failure failure = platform::writeDurably(mark, "")) {
    for (const Target& target : targets) platform::removeFile(target.fresh());
    fail(Message::withPaths(kCannotWrite, {mark}), failure);
  }
  syncFolders(folders);
  step();

  for (const Target& target : targets) {
    if (!target.hadOld) continue;
    if (const Failure failure = platform::linkOrCopy(target.path, target.kept()))
      stop(Message::withPaths(kCannotRename, {target.shown, target.backup()}), failure);
    step();
  }
  syncFolders(folders);
  for (; movedIn < targets.size(); ++movedIn) {
    const Target& target = targets[movedIn];
    if (const Failure failure = platform::renameReplacing(target.fresh(), target.path))
      stop(Message::withPaths(kCannotWrite, {target.shown}), failure);
    step();
  }
  for (; backedUp < targets.size(); ++backedUp) {
    const Target& target = targets[backedUp];
    if (!target.hadOld) continue;
    if (const Failure failure = platform::renameReplacing(target.kept(), target.backup()))
      stop(Message::withPaths(kCannotRename, {target.shown, target.backup()}), failure);
    step();
  }
  platform::removeFile(mark);
  syncFolders(folders);
  step();
}

void recoverInterruptedReplacement(const std::string& folder, const std::vector<std::string>& names) {
  const std::vector<Target> targets = targetsOf(folder, names);
  const std::set<std::string> folders = foldersOf(folder, targets);
  const std::string mark = platform::pathIn(folder.empty() ? "." : folder, kMarkName);
  if (!exists(mark) && std::none_of(targets.begin(), targets.end(), [](const Target& target) {
        return exists(target.fresh()) || exists(target.kept());
      }))
    return;
  const std::vector<platform::FolderLock> locks = lockFolders(folders, targets.front());
  recover(mark, targets, folders);
}

}  // namespace vorandel
