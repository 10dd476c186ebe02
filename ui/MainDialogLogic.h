#pragma once
// The main window: the buttons from which every command starts. Its caption shows, with a " *" after the
// name, that the current set holds changes that no generation has written yet, and names the folder
// whose pair the changes started from when that is not the built-in pair; quitting, discarding and
// reading another pair ask first while there are such changes.
//
// The changes start from the built-in pair, or from a folder's own pair: "读取剧本" (or a scenario file
// or a folder dropped on the window) reads one, and a program started in a folder whose pair differs
// from the built-in one offers to start from it. Generating over a pair that is not the one the changes
// started from asks first, and says where the pair will be kept.
#include <string>

#include "app/Generate.h"
#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

inline constexpr const char* kProgramName = "Vorandel";
inline constexpr const char* kCaptionFromFolder = " - 剧本来自 ";
inline constexpr const char* kOfferFolderPair =
    "文件夹 %s 中的剧本与程序内置的剧本不同。\n要从这个文件夹中的剧本开始修改吗？选“否”则从程序内置的剧本开始。";
inline constexpr const char* kPairRead = "已读取文件夹 %s 中的剧本，以后的修改从它开始。";
inline constexpr const char* kCannotReadPair = "无法读取文件夹 %s 中的剧本，修改仍从原来的剧本开始。";
inline constexpr const char* kNoPairThere = "这个文件夹中没有 sndata.s5 和 taiki.s5 两个文件。";
inline constexpr const char* kReadLosesChanges = "有修改尚未生成新剧本，确定放弃这些修改、读取另一个剧本吗？";
inline constexpr const char* kReplaceOtherPair = "文件夹 %s 中的剧本与这次修改的起点不同。";
inline constexpr const char* kStartWasBuiltIn = "这次修改从程序内置的剧本开始。";
inline constexpr const char* kStartWasFolder = "这次修改从文件夹 %s 中的剧本开始。";
inline constexpr const char* kReplaceOtherPairKept = "生成新剧本会替换它，原有的剧本会保存到 %s。";
inline constexpr const char* kReplaceOtherPairQuestion = "确定要替换吗？";

class MainDialogLogic {
 public:
  // folder: where the game's files are generated, best given absolute so that it stays the same folder
  // whatever becomes of the current directory; empty for the current directory.
  MainDialogLogic(ProgramState& state, DialogHost& host, std::string folder = {});

  // The window's start: offers the folder's own pair when it differs from the built-in one.
  bool onInit();
  // A button press; false for commands the dialog leaves to the default handling. Esc asks as "退出".
  bool onCommand(int id);
  // The window's close box: as "退出".
  bool onClose();
  // A file dropped on the window opens the batch dialog of its kind (told from its first line) with
  // the file filled in; a scenario file or a folder reads that folder's pair instead. Further dropped
  // files are ignored.
  bool onDropFiles(FileDrop& drop);

 private:
  void runBatchDialog(int mode);
  void openPair();
  // Makes the folder's pair the starting point, validated; says why not and keeps the set when it
  // cannot. True when it did.
  bool startFromFolder(const std::string& pairFolder);
  void generate();
  // Whether the folder holds a pair that is neither the starting pair nor the one generated last. seen:
  // the pair the folder holds (the starting pair when it holds none). Raises FileError.
  bool holdsOtherPair(const std::string& folder, PairBytes& seen);
  // Asks before generating over a pair that differs from the one the changes started from; true to go
  // on (also when the folder holds no pair, the starting one or the one last generated). seen: the pair
  // the folder held (the starting pair when it held none), to tell one put there meanwhile.
  bool mayReplaceFolderPair(const std::string& target, PairBytes& seen);
  void discardChanges();
  void quit();
  // Asks before changes that were never generated are lost; true to go on.
  bool mayLosePendingChanges(const char* question);
  void showCaption();

  ProgramState& state_;
  DialogHost& host_;
  std::string folder_;
};

}  // namespace vorandel::ui
