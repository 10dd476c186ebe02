#pragma once
// The guard around every dialog procedure's work: an exception that the dialog's logic did not handle
// (memory exhausted, a stream or system error, a fault of the program) ends only the step it stopped,
// shown in an error box with its details; the program goes on, its current set and pending changes as
// they were before the step.
#include <exception>
#include <string>

#include "ui/DialogHost.h"

namespace vorandel::ui {

inline constexpr const char* kUnexpectedError = "程序内部出错，这一步没有完成。";
inline constexpr const char* kChangesKept = "尚未生成的修改仍然保留，可以继续操作。";
inline constexpr const char* kOutOfMemory = "内存不足。";
inline constexpr const char* kUnknownError = "未知的错误。";
// An exception that no dialog's guard took (one that ended the start or the main window's loop): the
// program cannot go on.
inline constexpr const char* kProgramStops = "程序遇到意外的错误，即将停止。";

// The box's text for the exception: what happened, its details, and that the changes stay.
std::string unexpectedErrorText(std::exception_ptr error);

// Runs the work; for any exception shows the error box through the host and answers "handled".
template <typename Work>
bool guardDialogWork(DialogHost& host, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    const std::exception_ptr error = std::current_exception();
    try {
      host.messageBox(BoxOwner::Dialog, unexpectedErrorText(error), "错误", BoxStyle::Error);
    } catch (...) {
      // Not even the box could be shown: the program still goes on.
    }
    return true;
  }
}

}  // namespace vorandel::ui
