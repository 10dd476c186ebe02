#include "ui/ExportAction.h"

#include "app/ExportColumnChoice.h"
#include "app/TableFile.h"
#include "model/EditError.h"
#include "model/FileError.h"

namespace vorandel::ui {

namespace {

// The most switched-off rows a box lists by name; a box taller than the screen hides its buttons.
constexpr std::size_t kListedProblems = 12;

Message exportReport(const WrittenTable& written) {
  Message report = Message::withPaths("已导出当前数据：%s", {written.path});
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
  try {
    const WrittenTable written = writeTableFile(state.current, kind, folder, chosen);
    state.inputPath = written.path;
    host.messageBox(BoxOwner::Dialog, exportReport(written).joined(), "处理完毕", BoxStyle::Plain);
    return true;
  } catch (const FileError& error) {
    host.messageBox(BoxOwner::Dialog, error.message().joined(), "错误", BoxStyle::Error);
    return false;
  }
}

}  // namespace vorandel::ui
