#pragma once
// What a dialog procedure asks of the window system: message boxes and their answers, window and control
// texts, ending the dialog, the open-file dialog, child dialogs and the shell. The procedures talk only
// to this interface, so that they run unchanged with the Windows calls and with a scripted stand-in.
#include <string>
#include <vector>

namespace vorandel::ui {

enum class BoxStyle {
  Plain,             // an OK button, no icon
  Error,             // an OK button and the error icon
  ErrorRetryCancel,  // Retry and Cancel buttons and the error icon
  QuestionYesNo,     // Yes and No buttons and the question icon; No is the default button
  // Yes, No and Cancel buttons and the question icon; Cancel, which changes nothing, is the default button
  QuestionYesNoCancel,
};

enum class BoxAnswer { Ok, Retry, Cancel, Yes, No };

// Whether a message box belongs to the dialog or stands alone.
enum class BoxOwner { Dialog, None };

enum class ShellShow { Show, ShowNormal };

// The files of one drop on a dialog.
class FileDrop {
 public:
  virtual ~FileDrop() = default;
  virtual unsigned count() = 0;
  // The full path of a dropped file, however long.
  virtual std::string name(unsigned index) = 0;
  // Releases the drop; called once, whatever was taken from it.
  virtual void finish() = 0;
};

class DialogHost {
 public:
  virtual ~DialogHost() = default;
  virtual BoxAnswer messageBox(BoxOwner owner, const std::string& text, const std::string& title, BoxStyle style) = 0;
  virtual void setWindowText(const std::string& text) = 0;
  virtual void setItemText(int item, const std::string& text) = 0;
  // The text of a control as it stands now (what the user typed into an edit field).
  virtual std::string readItemText(int item) = 0;
  virtual void endDialog(int result) = 0;
  // The open-file dialog for text tables, starting in startFolder when one is given, else at path.
  // True when the user chose a file, which is then in path; false and path unchanged when he cancelled.
  virtual bool browseForFile(std::string& path, const std::string& startFolder) = 0;
  // The open-file dialog for a pair of scenario files (sndata.s5 or taiki.s5). True when the user chose
  // one, which is then in path.
  virtual bool browseForPair(std::string& path) = 0;
  // Runs the dialog resource modally, owned by this dialog, and returns when it has closed.
  virtual void runDialog(int resource) = 0;
  // Opens the file with the program the system has for it; false when the system could not.
  virtual bool shellOpen(const std::string& file, ShellShow show) = 0;
  // Fills the list control with the lines, none chosen.
  virtual void setListItems(int item, const std::vector<std::string>& lines) = 0;
  // The position of the line chosen in the list control; -1 when none is.
  virtual int chosenListItem(int item) = 0;
  // Turns the static control into a link label: blue text, the hand cursor, opened with the shell on a click.
  virtual void makeLinkLabel(int item) = 0;
  // Puts the keyboard focus into the text control with its caret before the first character, nothing
  // selected and the text scrolled to its start (a dialog that opens so answers false to its start).
  virtual void focusAtStart(int item) = 0;
};

}  // namespace vorandel::ui
