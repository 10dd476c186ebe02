// The dialog procedures of the program: each one hands the messages it handles to the dialog's logic,
// which lives as long as the dialog window. Every procedure's work runs inside the guard of
// ui/DialogGuard.h: no exception leaves a procedure (they are noexcept), none ends the program.
#include <windows.h>

#include <type_traits>

#include "model/WideText.h"
#include "ui/AboutDialogLogic.h"
#include "ui/BatchDialogLogic.h"
#include "ui/DialogGuard.h"
#include "ui/MainDialogLogic.h"
#include "ui/MapDialogLogic.h"
#include "ui/ProblemsDialogLogic.h"
#include "ui/ResourceIds.h"
#include "ui/RestoreDialogLogic.h"
#include "ui/win32/SingleStart.h"
#include "ui/win32/Win32Host.h"

namespace vorandel::ui {

namespace {

template <typename Logic>
struct DialogWindow {
  DialogWindow(Program& program, HWND window) : host(program, window), logic(makeLogic(program)) {}

  Logic makeLogic(Program& program) {
    if constexpr (std::is_constructible_v<Logic, ProgramState&, DialogHost&, std::string>)
      return Logic(program.state, host, program.folder);
    else if constexpr (std::is_constructible_v<Logic, ProgramState&, DialogHost&>)
      return Logic(program.state, host);
    else
      return Logic(host);
  }

  Win32Host host;
  Logic logic;
};

template <typename Logic>
DialogWindow<Logic>* dialogWindow(HWND window) {
  return reinterpret_cast<DialogWindow<Logic>*>(GetWindowLongPtrW(window, DWLP_USER));
}

// The program's icon in the window's title bar and in the task switcher.
void showProgramIcon(HINSTANCE instance, HWND window) {
  const auto load = [&](int metricX, int metricY) {
    return reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(VORANDEL_ICON), IMAGE_ICON,
                                               GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
  };
  SendMessageW(window, WM_SETICON, ICON_BIG, load(SM_CXICON, SM_CYICON));
  SendMessageW(window, WM_SETICON, ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON));
}

// The part every dialog shares: the logic is made at initialisation and freed with the window.
// A dialog whose logic could not even be made shows why and closes; its owner goes on.
template <typename Logic>
DialogWindow<Logic>* attach(HWND window, UINT message, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) {
    Program& program = *reinterpret_cast<Program*>(lParam);
    showProgramIcon(program.instance, window);
    try {
      auto* dialog = new DialogWindow<Logic>(program, window);
      SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
      return dialog;
    } catch (...) {
      try {
        MessageBoxW(window, platform::wide(unexpectedErrorText(std::current_exception())).c_str(),
                    platform::wide("错误").c_str(), MB_OK | MB_ICONERROR);
      } catch (...) {
      }
      EndDialog(window, -1);
      return nullptr;
    }
  }
  auto* dialog = dialogWindow<Logic>(window);
  if (message == WM_NCDESTROY && dialog) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    delete dialog;
    return nullptr;
  }
  return dialog;
}

// Every procedure below answers F1 (WM_HELP, which comes up from the focused control, and from a message
// box to the dialog that owns it) with the help file.

// The dialogs that take files dropped on them; each may have work to do at its start (onInit).
template <class Logic>
INT_PTR dropTargetDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* dialog = attach<Logic>(window, message, lParam);
  if (!dialog) return FALSE;
  return guardDialogWork(dialog->host, [&] {
    switch (message) {
      case WM_INITDIALOG:
        if constexpr (requires(Logic & logic) { logic.onInit(); })
          return dialog->logic.onInit();
        else
          return true;
      case WM_CLOSE: return dialog->logic.onClose();
      case WM_COMMAND: return dialog->logic.onCommand(LOWORD(wParam));
      case WM_HELP: openHelp(dialog->host); return true;
      case WM_DROPFILES: {
        Win32FileDrop drop(reinterpret_cast<HDROP>(wParam));
        return dialog->logic.onDropFiles(drop);
      }
    }
    return false;
  });
}

// The main window carries a mark by which a second start of the program finds it.
INT_PTR CALLBACK mainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) markMainWindow(window);
  if (message == WM_NCDESTROY) unmarkMainWindow(window);
  return dropTargetDialogProc<MainDialogLogic>(window, message, wParam, lParam);
}

INT_PTR CALLBACK batchDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return dropTargetDialogProc<BatchDialogLogic>(window, message, wParam, lParam);
}

// The dialogs whose logic needs only its start, its commands and its close.
template <class Logic>
INT_PTR simpleDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* dialog = attach<Logic>(window, message, lParam);
  if (!dialog) return FALSE;
  return guardDialogWork(dialog->host, [&] {
    switch (message) {
      case WM_INITDIALOG: return dialog->logic.onInit();
      case WM_CLOSE: return dialog->logic.onClose();
      case WM_COMMAND: return dialog->logic.onCommand(LOWORD(wParam));
      case WM_HELP: openHelp(dialog->host); return true;
    }
    return false;
  });
}

INT_PTR CALLBACK aboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return simpleDialogProc<AboutDialogLogic>(window, message, wParam, lParam);
}

INT_PTR CALLBACK mapDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return simpleDialogProc<MapDialogLogic>(window, message, wParam, lParam);
}

INT_PTR CALLBACK problemsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return simpleDialogProc<ProblemsDialogLogic>(window, message, wParam, lParam);
}

INT_PTR CALLBACK restoreDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return simpleDialogProc<RestoreDialogLogic>(window, message, wParam, lParam);
}

}  // namespace

INT_PTR runProgramDialog(Program& program, HWND owner, int resource) {
  DLGPROC procedure = nullptr;
  switch (resource) {
    case MAIN_DIALOG: procedure = mainDialogProc; break;
    case BATCH_DIALOG: procedure = batchDialogProc; break;
    case ABOUT_DIALOG: procedure = aboutDialogProc; break;
    case MAP_DIALOG: procedure = mapDialogProc; break;
    case PROBLEMS_DIALOG: procedure = problemsDialogProc; break;
    case RESTORE_DIALOG: procedure = restoreDialogProc; break;
    default: return -1;
  }
  return DialogBoxParamW(program.instance, MAKEINTRESOURCEW(resource), owner, procedure,
                         reinterpret_cast<LPARAM>(&program));
}

}  // namespace vorandel::ui
