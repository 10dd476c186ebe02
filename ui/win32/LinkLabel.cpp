#include "ui/win32/LinkLabel.h"

#include <shellapi.h>

namespace vorandel::ui {

namespace {

constexpr int kTextRoom = 260;

LRESULT CALLBACK linkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  char text[kTextRoom] = {};
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // the hand
      return 1;
    case WM_LBUTTONDOWN:
      GetWindowTextA(window, text, kTextRoom);
      ShellExecuteA(nullptr, "open", text, nullptr, nullptr, SW_SHOWNORMAL);
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SetTextColor(dc, RGB(0, 0, 255));
      SetBkMode(dc, TRANSPARENT);
      const int length = GetWindowTextA(window, text, kTextRoom);
      TextOutA(dc, 0, 0, text, length);
      EndPaint(window, &paint);
      return DefWindowProcA(window, message, wParam, lParam);
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void turnIntoLinkLabel(HWND control) {
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&linkLabelProc));
}

}  // namespace vorandel::ui
