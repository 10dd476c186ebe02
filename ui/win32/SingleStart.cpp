#include "ui/win32/SingleStart.h"

namespace vorandel::ui {

namespace {

// The session's name of the claim, and the window property of the mark.
constexpr const wchar_t* kClaimName = L"Local\\Vorandel.Running";
constexpr const wchar_t* kMainWindowMark = L"Vorandel.MainWindow";

BOOL CALLBACK findMarked(HWND window, LPARAM found) {
  if (!GetPropW(window, kMainWindowMark)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

StartClaim::StartClaim() : mutex_(CreateMutexW(nullptr, FALSE, kClaimName)) {
  first_ = mutex_ == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
}

StartClaim::~StartClaim() {
  if (mutex_) CloseHandle(mutex_);
}

bool Win32RunningProgram::bringToFront() {
  HWND main = nullptr;
  EnumWindows(findMarked, reinterpret_cast<LPARAM>(&main));
  if (!main) return false;
  if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
  // A batch dialog or a message box open over the main window is what the player works in.
  SetForegroundWindow(GetLastActivePopup(main));
  return true;
}

void Win32RunningProgram::pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void markMainWindow(HWND window) { SetPropW(window, kMainWindowMark, reinterpret_cast<HANDLE>(1)); }

void unmarkMainWindow(HWND window) { RemovePropW(window, kMainWindowMark); }

}  // namespace vorandel::ui
