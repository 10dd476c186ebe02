#include "ui/ExportAction.h"

#include "app/ExportColumnChoice.h"
#include "app/TableFile.h"
#include "model/EditError.h"
#include "model/FileError.h"
#include "model/FileWriter.h"
#include "model/Messages.h"

namespace vorandel::ui {

namespace {

// The most switched-off rows a box lists by name; a box taller than the screen hides its buttons.
constexpr std::size_t kListedProblems = 12;

Message exportReport(const WrittenTable& written, bool unchanged) {
  Message report = Message::withPaths("已导出当前数据：%s", {written.path});
  if (unchanged) report.textLine(kTableUnchanged);
  if (!written.backup.empty()) report.append(Message::withPaths("\n原有的文件保存为 %s。", {written.backup}));
  if (!written.problems.empty()) {
    report.textLine(formatMessage("\n%zu 行无法写入表中，这些行的设置为0，执行时不会修改：", written.problems.size()));
    for (std::size_t i = 0; i < written.problems.size() && i < kListedProblems; ++i)
      report.textLine(written.problems[i]);
    if (written.problems.size() > kListedProblems)
      report.textLine(formatMessage("……另有 %zu 行。", written.problems.size() - kListedProblems));
  }
  report.textLine("\n请编辑这个表格，保存后按“开始处理”。");
  return report;
}

}  // namespace

// A table that differs from what would be written may hold the player's edits: it is replaced only when
// he says so. A table that another program holds open is told as such, with Retry.
bool exportCurrentTable(ProgramState& state, DialogHost& host, const std::string& folder, const std::string& columns) {
  if (state.batchMode < 0 || state.batchMode > 3) return false;
  const auto kind = static_cast<BatchKind>(state.batchMode);
  ExportColumns chosen;
  try {
    chosen = exportColumnsOf(kind, columns);
  } catch (const EditError& error) {
    const std::string details = error.details().joined();
    host.messageBox(BoxOwner::Dialog, details.empty() ? error.text() : error.text() + "\n" + details, "错误",
                    BoxStyle::Error);
    return false;
  }
  const PreparedTable table = prepareTableFile(state.current(), kind, folder, chosen);
  for (;;) {
    try {
      const TableOnDisk onDisk = tableOnDisk(table);
      if (onDisk == TableOnDisk::Different &&
          host.messageBox(
              BoxOwner::Dialog,
              Message::withPaths(formatMessage(kReplaceEditedTable, kKeptTableVersions), {table.path}).joined(), "确认",
              BoxStyle::QuestionYesNo) != BoxAnswer::Yes)
        return false;
      const WrittenTable written =
          onDisk == TableOnDisk::Same ? WrittenTable{table.path, {}, table.problems} : writeTableFile(table);
      state.inputPath = written.path;
      host.messageBox(BoxOwner::Dialog, exportReport(written, onDisk == TableOnDisk::Same).joined(), "处理完毕",
                      BoxStyle::Plain);
      return true;
    } catch (const FileHeldOpen& held) {
      const std::string text = Message(held.message()).textLine(kCloseAndRetry).joined();
      if (host.messageBox(BoxOwner::Dialog, text, "错误", BoxStyle::ErrorRetryCancel) != BoxAnswer::Retry) return false;
    } catch (const FileError& error) {
      host.messageBox(BoxOwner::Dialog, error.message().joined(), "错误", BoxStyle::Error);
      return false;
    }
  }
}

}  // namespace vorandel::ui
