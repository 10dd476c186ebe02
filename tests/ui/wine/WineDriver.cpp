// Drives the Windows program from outside, as a person at the screen would: finds its windows by their
// titles and presses their buttons, reads the texts they show. It uses the Unicode functions only, so
// it works whatever the system's code page: titles come in as the command line's wide text, and what it
// prints is UTF-8.
//   vorandel-wine-driver wait TITLE [MS]     wait until a window of that title is there
//   vorandel-wine-driver gone TITLE [MS]     wait until no window of that title is left
//   vorandel-wine-driver press TITLE ID      press the button ID of that window
//   vorandel-wine-driver text TITLE          print the static texts of that window, one per line
//   vorandel-wine-driver item TITLE ID       print the text of control ID
//   vorandel-wine-driver caption TITLE       print the window's caption as it stands
//   vorandel-wine-driver close TITLE         close that window as its close box would
//   vorandel-wine-driver frame TITLE         succeed when that window has the close box and shows the
//                                            program's icon (the flag) at the left of its caption
//   vorandel-wine-driver key TITLE KEY       bring that window to the front and type KEY (esc or f1) as
//                                            the keyboard would
//   vorandel-wine-driver minimize TITLE      minimize that window
//   vorandel-wine-driver front TITLE         succeed when that window is in front and not minimized
//   vorandel-wine-driver edit TITLE ID       print the selection, the first visible line and the left
//                                            edge of the first character of the text control ID
//   vorandel-wine-driver close-like TEXT [MS]  wait until a window whose title holds TEXT is there, close it
//   vorandel-wine-driver choose TITLE FILE   in the open-file dialog that window opened, go to FILE's
//                                            folder, then enter its name and press Open
// A window is found by its title, or by its title with the mark " *" after it (the main window's caption
// while it holds changes not yet generated), or with " - " and more after either (the main window naming
// the folder its pair came from).
// Exit code 0 on success, 1 when the window or the control is not found in time, 2 for wrong usage.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

// Text written to standard output (a pipe) or standard error as UTF-8.
void write(DWORD stream, const std::wstring& text) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
void printLine(const std::wstring& text) { write(STD_OUTPUT_HANDLE, text + L"\n"); }
void complain(const std::wstring& text) { write(STD_ERROR_HANDLE, text + L"\n"); }

struct TitleSearch {
  std::wstring prefixes[2];
  HWND found;
};

BOOL CALLBACK checkTitlePrefix(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<TitleSearch*>(lParam);
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  for (const std::wstring& prefix : search->prefixes) {
    if (std::wcsncmp(text, prefix.c_str(), prefix.size()) == 0) {
      search->found = window;
      return FALSE;
    }
  }
  return TRUE;
}

HWND findTitled(const wchar_t* title) {
  if (HWND window = FindWindowW(nullptr, title)) return window;
  if (HWND window = FindWindowW(nullptr, (std::wstring(title) + L" *").c_str())) return window;
  TitleSearch search{{std::wstring(title) + L" - ", std::wstring(title) + L" * - "}, nullptr};
  EnumWindows(checkTitlePrefix, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct LikeSearch {
  const wchar_t* part;
  HWND found;
};

BOOL CALLBACK checkTitleLike(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<LikeSearch*>(lParam);
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  if (IsWindowVisible(window) && std::wcsstr(text, search->part)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND findWindowLike(const wchar_t* part, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    LikeSearch search{part, nullptr};
    EnumWindows(checkTitleLike, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= waitMs) return nullptr;
    Sleep(100);
  }
}

// Whether the left of the window's caption shows the program's icon, as the screen shows it: a flag of
// pure blue with a pure red cross over pure green grass, colours neither the caption nor Wine's own
// icon has. (The icon's handle cannot be asked of another program's window under Wine.)
bool showsProgramIcon(HWND window) {
  SetForegroundWindow(window);
  Sleep(300);
  RECT frame{};
  GetWindowRect(window, &frame);
  const int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  HDC screen = GetDC(nullptr);
  int blue = 0, red = 0, green = 0;
  for (int y = frame.top; y < frame.top + height; ++y) {
    for (int x = frame.left; x < frame.left + 2 * height; ++x) {
      const COLORREF colour = GetPixel(screen, x, y);
      blue += colour == RGB(0, 0, 255);
      red += colour == RGB(255, 0, 0);
      green += colour == RGB(0, 255, 0);
    }
  }
  ReleaseDC(nullptr, screen);
  return blue > 0 && red > 0 && green > 0;
}

// A key pressed and let go, as the keyboard sends it to the window in front.
void typeKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

HWND findWindow(const wchar_t* title, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND window = findTitled(title);
    if (window && IsWindowVisible(window)) return window;
    if (GetTickCount() - start >= waitMs) return nullptr;
    Sleep(100);
  }
}

BOOL CALLBACK printStatic(HWND child, LPARAM) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (_wcsicmp(className, L"Static") == 0) {
    wchar_t text[2048] = {};
    GetWindowTextW(child, text, 2048);
    if (text[0]) printLine(text);
  }
  return TRUE;
}

// The open-file dialog shows its file name in a combo box with an edit field (cmb13) or, in the older
// look, in an edit box (edt1); the ids are those of the system's dialog templates.
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

struct OwnedDialogSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK checkOwnedDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<OwnedDialogSearch*>(lParam);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wcscmp(className, L"#32770") == 0 && GetWindow(window, GW_OWNER) == search->owner &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND findOwnedDialog(HWND owner, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    OwnedDialogSearch search{owner, nullptr};
    EnumWindows(checkOwnedDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= waitMs) return nullptr;
    Sleep(100);
  }
}

// Enters text as the file name of the open-file dialog and presses Open.
void enterFileName(HWND dialog, HWND name, const std::wstring& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &ignored);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Picks the file in the open-file dialog that owner opened as a person would: goes to the file's folder
// first (a folder name and Open browse into it), then enters the file's own name and presses Open.
// 0 when the dialog closed afterwards.
int chooseFile(HWND owner, const std::wstring& file) {
  HWND dialog = findOwnedDialog(owner, 20000);
  if (!dialog) {
    complain(L"no open-file dialog is open");
    return 1;
  }
  Sleep(500);  // the dialog fills its controls after it has been shown
  HWND name = GetDlgItem(dialog, kFileNameCombo);
  if (!name) name = GetDlgItem(dialog, kFileNameEdit);
  if (!name) {
    complain(L"the open-file dialog has no file name box");
    return 1;
  }
  const std::size_t slash = file.find_last_of(L'\\');
  if (slash != std::wstring::npos) {
    enterFileName(dialog, name, file.substr(0, slash + 1));
    Sleep(1000);
    if (!IsWindow(dialog)) {
      complain(L"the open-file dialog closed on a folder name");
      return 1;
    }
  }
  enterFileName(dialog, name, file.substr(slash == std::wstring::npos ? 0 : slash + 1));
  const DWORD start = GetTickCount();
  while (IsWindow(dialog)) {
    if (GetTickCount() - start >= 10000) {
      complain(L"the open-file dialog did not close");
      return 1;
    }
    Sleep(100);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring command = argv[1];
  const wchar_t* title = argv[2];
  const DWORD waitMs = argc > 3 && (command == L"wait" || command == L"gone" || command == L"close-like")
                           ? std::wcstoul(argv[3], nullptr, 10)
                           : 10000;

  if (command == L"gone") {
    const DWORD start = GetTickCount();
    while (findTitled(title)) {
      if (GetTickCount() - start >= waitMs) return 1;
      Sleep(100);
    }
    return 0;
  }
  if (command == L"close-like") {
    HWND like = findWindowLike(title, waitMs);
    if (!like) {
      complain(std::wstring(L"no window titled like ") + title);
      return 1;
    }
    PostMessageW(like, WM_CLOSE, 0, 0);
    return 0;
  }
  HWND window = findWindow(title, waitMs);
  if (!window) {
    complain(std::wstring(L"no window titled ") + title);
    return 1;
  }
  if (command == L"wait") return 0;
  if (command == L"frame") {
    const bool closeBox = (GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU) != 0;
    if (!closeBox) {
      complain(std::wstring(title) + L" has no close box");
      return 1;
    }
    if (!showsProgramIcon(window)) {
      complain(std::wstring(title) + L" does not show the program's icon");
      return 1;
    }
    return 0;
  }
  if (command == L"minimize") {
    ShowWindowAsync(window, SW_MINIMIZE);
    for (int i = 0; i < 100 && !IsIconic(window); ++i) Sleep(100);
    return IsIconic(window) ? 0 : 1;
  }
  if (command == L"front") {
    if (!IsIconic(window) && GetForegroundWindow() == window) return 0;
    complain(std::wstring(title) + (IsIconic(window) ? L" is minimized" : L" is not in front"));
    return 1;
  }
  if (command == L"close") {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == L"caption") {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    printLine(text);
    return 0;
  }
  if (command == L"text") {
    EnumChildWindows(window, printStatic, 0);
    return 0;
  }
  if (argc < 4) return 2;
  if (command == L"choose") return chooseFile(window, argv[3]);
  if (command == L"key") {
    const std::wstring name = argv[3];
    if (name != L"esc" && name != L"f1") return 2;
    SetForegroundWindow(window);
    Sleep(300);
    typeKey(name == L"esc" ? VK_ESCAPE : VK_F1);
    return 0;
  }
  const int id = std::wcstol(argv[3], nullptr, 10);
  HWND control = GetDlgItem(window, id);
  if (!control) {
    complain(L"no control " + std::to_wstring(id) + L" in " + title);
    return 1;
  }
  if (command == L"press") {
    // Posted, not sent: the press may open a modal box, and the driver must not wait for it to close.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    return 0;
  }
  if (command == L"select") {
    // The line of a list box, as a click chooses it.
    if (argc < 5) return 2;
    const LRESULT chosen = SendMessageW(control, LB_SETCURSEL, std::wcstoul(argv[4], nullptr, 10), 0);
    return chosen == LB_ERR ? 1 : 0;
  }
  if (command == L"edit") {
    DWORD_PTR selection = 0, firstLine = 0, firstCharacter = 0;
    SendMessageTimeoutW(control, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
    SendMessageTimeoutW(control, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 5000, &firstLine);
    SendMessageTimeoutW(control, EM_POSFROMCHAR, 0, 0, SMTO_ABORTIFHUNG, 5000, &firstCharacter);
    printLine(std::to_wstring(LOWORD(selection)) + L" " + std::to_wstring(HIWORD(selection)) + L" " +
              std::to_wstring(firstLine) + L" " + std::to_wstring(static_cast<short>(LOWORD(firstCharacter))));
    return 0;
  }
  if (command == L"item") {
    // Asked of the control itself: for a window of another program GetWindowText gives only captions.
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &ignored);
    printLine(text);
    return 0;
  }
  return 2;
}
