// The Windows program: start from the built-in scenario pair, prove it consistent, keep the pristine
// copy and run the main window until the user quits; a second start brings the first to the front.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <exception>
#include <string>
#include <vector>

#include "model/BuiltInData.h"
#include "model/EditError.h"
#include "model/StreamError.h"
#include "model/WideText.h"
#include "ui/DialogGuard.h"
#include "ui/ResourceIds.h"
#include "ui/win32/SingleStart.h"
#include "ui/win32/Win32Host.h"

namespace {

using namespace vorandel;

// The current folder as an absolute path, taken once: a later change of the process's current folder
// must not move where the game's files are written. Empty, meaning the current folder, if it cannot be
// read.
std::string absoluteCurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::vector<wchar_t> buffer(size + 1, L'\0');
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length == 0 || length >= buffer.size()) return {};
  return platform::narrow(std::wstring_view(buffer.data(), length));
}

// A box of its own: the main window is not there yet.
void showStartError(const std::string& text) {
  MessageBoxW(nullptr, platform::wide(text).c_str(), platform::wide("错误").c_str(), MB_OK | MB_ICONERROR);
}

// The box for an exception that ends the program, with the exception's own words when it has them (null
// when not); if even the box cannot be shown, the exit code still tells.
void showFatalError(const char* details) noexcept {
  try {
    std::string text = ui::kProgramStops;
    if (details != nullptr) text.append("\n").append(details);
    showStartError(text);
  } catch (...) {
  }
}

// The start and the main window's loop; the exit code of the main window.
int runProgram(HINSTANCE instance) {
  // A second start hands over to the program already running.
  const ui::StartClaim claim;
  if (!claim.first()) {
    ui::Win32RunningProgram running;
    ui::bringRunningToFront(running);
    return 0;
  }
  // The manifest asks for common controls 6; their classes are registered before the first dialog.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  static ui::Program program{instance, {}, absoluteCurrentFolder()};
  try {
    startUp(program.state, builtInData().sndata, builtInData().taiki);
  } catch (const EditError& error) {
    showStartError(error.text());
    return -1;
  } catch (const StreamError&) {
    showStartError("内置的剧本数据不完整，无法读取。");
    return -1;
  }
  return static_cast<int>(ui::runProgramDialog(program, nullptr, MAIN_DIALOG));
}

}  // namespace

// An exception that nothing below took ends the program with a word, not silently.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return runProgram(instance);
  } catch (const std::exception& error) {
    showFatalError(error.what());
  } catch (...) {
    showFatalError(nullptr);
  }
  return -1;
}
