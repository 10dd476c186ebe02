#pragma once
// The about box: name and version, what the editor does, and the help file, as a link and as a button.
#include "app/Version.h"
#include "ui/DialogHost.h"

namespace vorandel::ui {

inline constexpr const char* kAboutTitle = "Vorandel " VORANDEL_VERSION_SHORT;
inline constexpr const char* kHelpFile = "Vorandel.rtf";
extern const char* const kAboutDescription;

// Opens the help file with the shell (a missing file shows nothing): the about box's "帮助", and F1 in
// every window of the program.
void openHelp(DialogHost& host);

class AboutDialogLogic {
 public:
  explicit AboutDialogLogic(DialogHost& host) : host_(host) {}

  bool onInit();
  bool onClose();
  // "帮助" opens the help file; "确定" and Esc close the box.
  bool onCommand(int id);

 private:
  DialogHost& host_;
};

}  // namespace vorandel::ui
