#include "ui/win32/LinkLabel.h"

#include <shellapi.h>

#include <vector>

namespace vorandel::ui {

namespace {

std::vector<wchar_t> textOf(HWND window) {
  std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))) + 1);
  return text;
}

LRESULT CALLBACK linkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // the hand
      return 1;
    case WM_LBUTTONDOWN:
      ShellExecuteW(nullptr, L"open", textOf(window).data(), nullptr, nullptr, SW_SHOWNORMAL);
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SetTextColor(dc, RGB(0, 0, 255));
      SetBkMode(dc, TRANSPARENT);
      const std::vector<wchar_t> text = textOf(window);
      TextOutW(dc, 0, 0, text.data(), static_cast<int>(text.size() - 1));
      EndPaint(window, &paint);
      return DefWindowProcW(window, message, wParam, lParam);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void turnIntoLinkLabel(HWND control) {
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&linkLabelProc));
}

}  // namespace vorandel::ui
