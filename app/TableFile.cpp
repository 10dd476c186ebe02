#include "app/TableFile.h"

#include "app/AppMessages.h"
#include "app/TableEncoding.h"
#include "model/FileError.h"
#include "model/Messages.h"
#include "model/SystemFiles.h"
#include "tables/TableExport.h"

namespace vorandel {

namespace {

using platform::Failure;
using platform::PathKind;

[[noreturn]] void fail(Message message, const Failure& reason) {
  if (reason) message.textLine("原因：").native(*reason);
  throw FileError(std::move(message));
}

}  // namespace

std::string replaceKeepingBackup(const std::string& path, const std::string& bytes) {
  const std::string target = platform::resolveLinks(path);
  const PathKind kind = platform::kindOf(target);
  if (kind == PathKind::Folder) fail(Message::withPaths(kCannotWriteFile, {path}).textLine("这是一个文件夹。"), {});
  if (kind == PathKind::Other) fail(Message::withPaths(kCannotWriteFile, {path}).textLine("这不是普通文件。"), {});
  if (kind == PathKind::Regular && platform::isReadOnly(target))
    fail(Message::withPaths(kCannotWriteFile, {path}).textLine(kReadOnlyFile), {});

  const std::string fresh = target + ".vorandel-new";
  if (const Failure failure = platform::writeDurably(fresh, bytes)) {
    platform::removeFile(fresh);
    fail(Message::withPaths(kCannotWriteFile, {path}), failure);
  }
  std::string backup;
  if (kind == PathKind::Regular) {
    // The earlier file gets a second name first, which then replaces an older backup in one step.
    backup = path + ".bak";
    const std::string kept = target + ".vorandel-old";
    Failure failure = platform::linkOrCopy(target, kept);
    if (!failure) failure = platform::renameReplacing(kept, target + ".bak");
    if (failure) {
      platform::removeFile(kept);
      platform::removeFile(fresh);
      fail(Message::withPaths(kCannotBackUp, {path, backup}), failure);
    }
  }
  if (const Failure failure = platform::renameReplacing(fresh, target)) {
    platform::removeFile(fresh);
    fail(Message::withPaths(kCannotWriteFile, {path}), failure);
  }
  platform::syncFolder(platform::folderOf(target));
  return backup;
}

WrittenTable writeTableFile(const ScenarioSet& set, BatchKind kind, const std::string& folder) {
  ExportedTable table = exportTable(set, kind, {});
  WrittenTable written;
  written.path =
      folder.empty() ? std::string(defaultTableName(kind)) : platform::pathIn(folder, defaultTableName(kind));
  written.backup = replaceKeepingBackup(written.path, encodeTable(table.text, false));
  written.problems = std::move(table.problems);
  return written;
}

}  // namespace vorandel
