// The Windows program: start from the built-in scenario pair, prove it consistent, keep the pristine
// copy and run the main window until the user quits.
#include <windows.h>

#include "edit/EditError.h"
#include "model/BuiltInData.h"
#include "model/StreamError.h"
#include "ui/ResourceIds.h"
#include "ui/win32/Win32Host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace vorandel;
  static ui::Program program{instance, {}};
  try {
    ui::startUp(program.state, builtInData().sndata, builtInData().taiki);
  } catch (const EditError& error) {
    MessageBoxA(nullptr, error.text().c_str(), "错误", MB_OK | MB_ICONERROR);
    return -1;
  } catch (StreamError) {
    MessageBoxA(nullptr, "内置的剧本数据不完整，无法读取。", "错误", MB_OK | MB_ICONERROR);
    return -1;
  }
  return static_cast<int>(ui::runProgramDialog(program, nullptr, MAIN_DIALOG));
}
