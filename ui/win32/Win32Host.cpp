#include "ui/win32/Win32Host.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "model/WideText.h"
#include "ui/win32/LinkLabel.h"

namespace vorandel::ui {

using platform::narrow;
using platform::wide;

namespace {

// Room for the chosen file's path in the open-file dialog: the longest path Windows has.
constexpr DWORD kChosenPathRoom = 32768;

}  // namespace

BoxAnswer Win32Host::messageBox(BoxOwner owner, const std::string& text, const std::string& title, BoxStyle style) {
  UINT type = MB_OK;
  if (style == BoxStyle::Error) type = MB_OK | MB_ICONERROR;
  if (style == BoxStyle::ErrorRetryCancel) type = MB_RETRYCANCEL | MB_ICONERROR;
  if (style == BoxStyle::QuestionYesNo) type = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
  if (style == BoxStyle::QuestionYesNoCancel) type = MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3;
  const int answer =
      MessageBoxW(owner == BoxOwner::Dialog ? window_ : nullptr, wide(text).c_str(), wide(title).c_str(), type);
  if (answer == IDRETRY) return BoxAnswer::Retry;
  if (answer == IDCANCEL) return BoxAnswer::Cancel;
  if (answer == IDYES) return BoxAnswer::Yes;
  if (answer == IDNO) return BoxAnswer::No;
  return BoxAnswer::Ok;
}

void Win32Host::setWindowText(const std::string& text) { SetWindowTextW(window_, wide(text).c_str()); }

void Win32Host::setItemText(int item, const std::string& text) { SetDlgItemTextW(window_, item, wide(text).c_str()); }

std::string Win32Host::readItemText(int item) {
  HWND control = GetDlgItem(window_, item);
  const int length = control ? GetWindowTextLengthW(control) : 0;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const UINT copied = GetDlgItemTextW(window_, item, buffer.data(), static_cast<int>(buffer.size()));
  return narrow(std::wstring_view(buffer.data(), copied));
}

void Win32Host::endDialog(int result) { EndDialog(window_, result); }

namespace {

// The open-file dialog with the filter given, starting at path (when given) or in initialFolder; the
// chosen file in path.
bool chooseFile(HWND owner, const wchar_t* filter, std::string& path, const std::string& startAt,
                const std::string& initialFolder) {
  std::vector<wchar_t> buffer(kChosenPathRoom, L'\0');
  wide(startAt).copy(buffer.data(), kChosenPathRoom - 1);
  const std::wstring folder = wide(initialFolder);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = kChosenPathRoom;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  if (!folder.empty()) dialog.lpstrInitialDir = folder.c_str();
  // Without OFN_NOCHANGEDIR the dialog would move the process into the chosen file's folder.
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return false;
  path = narrow(buffer.data());
  return true;
}

}  // namespace

bool Win32Host::browseForFile(std::string& path, const std::string& startFolder) {
  // Once a table has been chosen, the dialog opens in its folder; before, at the offered file.
  return chooseFile(window_, L"文本文件 (*.txt)\0*.txt\0所有文件 (*.*)\0*.*\0", path,
                    startFolder.empty() ? path : std::string(), startFolder);
}

bool Win32Host::browseForPair(std::string& path) {
  return chooseFile(window_, L"剧本文件 (sndata.s5, taiki.s5)\0sndata.s5;taiki.s5\0所有文件 (*.*)\0*.*\0", path, {},
                    {});
}

void Win32Host::runDialog(int resource) { runProgramDialog(program_, window_, resource); }

bool Win32Host::shellOpen(const std::string& file, ShellShow show) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", wide(file).c_str(), nullptr, nullptr,
                                         show == ShellShow::ShowNormal ? SW_SHOWNORMAL : SW_SHOW);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Host::makeLinkLabel(int item) { turnIntoLinkLabel(GetDlgItem(window_, item)); }

void Win32Host::focusAtStart(int item) {
  HWND control = GetDlgItem(window_, item);
  SetFocus(control);
  SendMessageW(control, EM_SETSEL, 0, 0);
  SendMessageW(control, EM_SCROLLCARET, 0, 0);
}

void Win32Host::setListItems(int item, const std::vector<std::string>& lines) {
  SendDlgItemMessageW(window_, item, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines)
    SendDlgItemMessageW(window_, item, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(line).c_str()));
}

int Win32Host::chosenListItem(int item) {
  const LRESULT chosen = SendDlgItemMessageW(window_, item, LB_GETCURSEL, 0, 0);
  return chosen == LB_ERR ? -1 : static_cast<int>(chosen);
}

unsigned Win32FileDrop::count() { return DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0); }

std::string Win32FileDrop::name(unsigned index) {
  const UINT length = DragQueryFileW(drop_, index, nullptr, 0);
  std::vector<wchar_t> buffer(length + 1, L'\0');
  const UINT copied = DragQueryFileW(drop_, index, buffer.data(), length + 1);
  return narrow(std::wstring_view(buffer.data(), copied));
}

void Win32FileDrop::finish() { DragFinish(drop_); }

}  // namespace vorandel::ui
