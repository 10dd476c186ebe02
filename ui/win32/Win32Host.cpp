#include "ui/win32/Win32Host.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "ui/win32/LinkLabel.h"

namespace vorandel::ui {

BoxAnswer Win32Host::messageBox(BoxOwner owner, const std::string& text, const std::string& title, BoxStyle style) {
  UINT type = MB_OK;
  if (style == BoxStyle::Error) type = MB_OK | MB_ICONERROR;
  if (style == BoxStyle::ErrorRetryCancel) type = MB_RETRYCANCEL | MB_ICONERROR;
  if (style == BoxStyle::QuestionYesNo) type = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
  const int answer = MessageBoxA(owner == BoxOwner::Dialog ? window_ : nullptr, text.c_str(), title.c_str(), type);
  if (answer == IDRETRY) return BoxAnswer::Retry;
  if (answer == IDCANCEL) return BoxAnswer::Cancel;
  if (answer == IDYES) return BoxAnswer::Yes;
  if (answer == IDNO) return BoxAnswer::No;
  return BoxAnswer::Ok;
}

void Win32Host::setWindowText(const std::string& text) { SetWindowTextA(window_, text.c_str()); }

void Win32Host::setItemText(int item, const std::string& text) { SetDlgItemTextA(window_, item, text.c_str()); }

std::string Win32Host::readItemText(int item) {
  HWND control = GetDlgItem(window_, item);
  const int length = control ? GetWindowTextLengthA(control) : 0;
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  const UINT copied = GetDlgItemTextA(window_, item, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), copied);
}

void Win32Host::endDialog(int result) { EndDialog(window_, result); }

bool Win32Host::browseForFile(std::string& path, const std::string& startFolder) {
  std::vector<char> buffer(kPathBufferSize, '\0');
  // Once a table has been chosen, the dialog opens in its folder; before, at the offered file.
  if (startFolder.empty()) path.copy(buffer.data(), kPathBufferSize - 1);
  static OPENFILENAMEA dialog;
  dialog = OPENFILENAMEA{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = window_;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = kPathBufferSize;
  dialog.lpstrFilter = "文本文件 (*.txt)\0*.txt\0所有文件 (*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  if (!startFolder.empty()) dialog.lpstrInitialDir = startFolder.c_str();
  // Without OFN_NOCHANGEDIR the dialog would move the process into the chosen file's folder.
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return false;
  path = buffer.data();
  return true;
}

void Win32Host::runDialog(int resource) { runProgramDialog(program_, window_, resource); }

bool Win32Host::shellOpen(const std::string& file, ShellShow show) {
  const HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr,
                                         show == ShellShow::ShowNormal ? SW_SHOWNORMAL : SW_SHOW);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Host::makeLinkLabel(int item) { turnIntoLinkLabel(GetDlgItem(window_, item)); }

unsigned Win32FileDrop::count() { return DragQueryFileA(drop_, 0xFFFFFFFF, nullptr, 0); }

std::string Win32FileDrop::name(unsigned index, unsigned maxChars) {
  std::vector<char> buffer(maxChars, '\0');
  const UINT length = DragQueryFileA(drop_, index, buffer.data(), maxChars);
  return std::string(buffer.data(), length < maxChars ? length : maxChars - 1);
}

void Win32FileDrop::finish() { DragFinish(drop_); }

}  // namespace vorandel::ui
