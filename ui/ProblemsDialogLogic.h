#pragma once
// The list of everything the last failed table had to tell: its error with the details and every cell
// that cannot be read, in a read-only text the user can scroll and copy.
#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

inline constexpr const char* kNoProblems = "上一次处理的表没有问题可以列出。";

// The text with Windows line ends, as a multi-line edit control shows them.
std::string withWindowsLineEnds(const std::string& text);

class ProblemsDialogLogic {
 public:
  ProblemsDialogLogic(ProgramState& state, DialogHost& host) : state_(state), host_(host) {}
  // False: the focus is set, in the list at its start.
  bool onInit();
  bool onClose();
  bool onCommand(int id);

 private:
  ProgramState& state_;
  DialogHost& host_;
};

}  // namespace vorandel::ui
