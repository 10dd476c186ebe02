// Drives the Windows program from outside, as a person at the screen would: finds its windows by their
// titles and presses their buttons, reads the texts they show. Titles and texts are in the system's
// code page (GBK under a Chinese locale).
//   vorandel-wine-driver wait TITLE [MS]     wait until a window of that title is there
//   vorandel-wine-driver gone TITLE [MS]     wait until no window of that title is left
//   vorandel-wine-driver press TITLE ID      press the button ID of that window
//   vorandel-wine-driver text TITLE          print the static texts of that window, one per line
//   vorandel-wine-driver item TITLE ID       print the text of control ID
//   vorandel-wine-driver caption TITLE       print the window's caption as it stands
//   vorandel-wine-driver close TITLE         close that window as its close box would
//   vorandel-wine-driver choose TITLE FILE   in the open-file dialog that window opened, go to FILE's
//                                            folder, then enter its name and press Open
// A window is found by its title, or by its title with the mark " *" after it (the main window's caption
// while it holds changes not yet generated).
// Exit code 0 on success, 1 when the window or the control is not found in time, 2 for wrong usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND findTitled(const char* title) {
  if (HWND window = FindWindowA(nullptr, title)) return window;
  return FindWindowA(nullptr, (std::string(title) + " *").c_str());
}

HWND findWindow(const char* title, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND window = findTitled(title);
    if (window && IsWindowVisible(window)) return window;
    if (GetTickCount() - start >= waitMs) return nullptr;
    Sleep(100);
  }
}

BOOL CALLBACK printStatic(HWND child, LPARAM) {
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (_stricmp(className, "Static") == 0) {
    char text[2048] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0]) std::printf("%s\n", text);
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
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "#32770") == 0 && GetWindow(window, GW_OWNER) == search->owner &&
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
void enterFileName(HWND dialog, HWND name, const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &ignored);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Picks the file in the open-file dialog that owner opened as a person would: goes to the file's folder
// first (a folder name and Open browse into it), then enters the file's own name and presses Open.
// 0 when the dialog closed afterwards.
int chooseFile(HWND owner, const std::string& file) {
  HWND dialog = findOwnedDialog(owner, 20000);
  if (!dialog) {
    std::fprintf(stderr, "no open-file dialog is open\n");
    return 1;
  }
  Sleep(500);  // the dialog fills its controls after it has been shown
  HWND name = GetDlgItem(dialog, kFileNameCombo);
  if (!name) name = GetDlgItem(dialog, kFileNameEdit);
  if (!name) {
    std::fprintf(stderr, "the open-file dialog has no file name box\n");
    return 1;
  }
  const std::size_t slash = file.find_last_of('\\');
  if (slash != std::string::npos) {
    enterFileName(dialog, name, file.substr(0, slash + 1));
    Sleep(1000);
    if (!IsWindow(dialog)) {
      std::fprintf(stderr, "the open-file dialog closed on a folder name\n");
      return 1;
    }
  }
  enterFileName(dialog, name, file.substr(slash == std::string::npos ? 0 : slash + 1));
  const DWORD start = GetTickCount();
  while (IsWindow(dialog)) {
    if (GetTickCount() - start >= 10000) {
      std::fprintf(stderr, "the open-file dialog did not close\n");
      return 1;
    }
    Sleep(100);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[1];
  const char* title = argv[2];
  const DWORD waitMs =
      argc > 3 && (command == "wait" || command == "gone") ? std::strtoul(argv[3], nullptr, 10) : 10000;

  if (command == "gone") {
    const DWORD start = GetTickCount();
    while (findTitled(title)) {
      if (GetTickCount() - start >= waitMs) return 1;
      Sleep(100);
    }
    return 0;
  }
  HWND window = findWindow(title, waitMs);
  if (!window) {
    std::fprintf(stderr, "no window titled %s\n", title);
    return 1;
  }
  if (command == "wait") return 0;
  if (command == "close") {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == "caption") {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    std::printf("%s\n", text);
    std::fflush(stdout);
    return 0;
  }
  if (command == "text") {
    EnumChildWindows(window, printStatic, 0);
    std::fflush(stdout);
    return 0;
  }
  if (argc < 4) return 2;
  if (command == "choose") return chooseFile(window, argv[3]);
  const int id = std::atoi(argv[3]);
  HWND control = GetDlgItem(window, id);
  if (!control) {
    std::fprintf(stderr, "no control %d in %s\n", id, title);
    return 1;
  }
  if (command == "press") {
    // Posted, not sent: the press may open a modal box, and the driver must not wait for it to close.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    return 0;
  }
  if (command == "item") {
    // Asked of the control itself: for a window of another program GetWindowText gives only captions.
    char text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    std::printf("%s\n", text);
    std::fflush(stdout);
    return 0;
  }
  return 2;
}
