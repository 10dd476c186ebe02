#pragma once
// A second start of the program while one runs opens no window of its own: it brings the running
// program's window to the front and ends. The running program may be starting still, its main window
// not there yet: it is waited for a while, and the second start ends either way.
namespace vorandel::ui {

// The program that was started first, as a second start sees it.
class RunningProgram {
 public:
  virtual ~RunningProgram() = default;
  // Brings the running program's main window, or the dialog or box open over it, to the front; false
  // while it has no main window.
  virtual bool bringToFront() = 0;
  virtual void pause(int milliseconds) = 0;
};

inline constexpr int kRunningWindowWait = 5000;

// True when the running program's window came to the front within the wait (in milliseconds).
bool bringRunningToFront(RunningProgram& running, int waitMilliseconds = kRunningWindowWait);

}  // namespace vorandel::ui
