#pragma once
// The earlier pairs of a folder, kept beside it in the backup folder "Vorandel备份": every replacement
// of the pair (generate, restore) keeps the pair it replaces there as a generation, a subfolder named by
// the time (YYYYMMDD-HHMMSS-NN, NN counting up within a second). A new name always sorts after every
// name already there, also when the clock has gone back, so names sort in the order of keeping and a
// name is taken only once. The generation is written with the new pair, in the writer's one journaled
// group, under the folder's lock: it is on the disk, synced, before the new pair moves in, and it goes
// again if the replacement is undone. The pair found in the folder before this program first wrote
// there (the backup folder did not exist yet) is marked as the original (the name ends in "-原始") and
// is kept for good; of the others the newest kKeptGenerations whole ones stay. A generation counts only
// once both of its files are whole under their names, so one that failed half way is never offered;
// pruning removes only whole generations and empty folders, never what it cannot read.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/FileWriter.h"

namespace vorandel {

inline constexpr const char* kBackupFolderName = "Vorandel备份";
inline constexpr std::size_t kKeptGenerations = 10;

struct Generation {
  std::string name;       // the subfolder's name
  std::string path;       // the subfolder: FOLDER/Vorandel备份/NAME
  std::string time;       // when it was kept: "2026-12-07 18:32:05"
  bool original = false;  // the pair the folder held before this program first wrote there
};

// The backup folder of a folder of scenario files.
std::string backupFolderOf(const std::string& folder);

// The whole generations kept for the folder, oldest first (the original first of all).
std::vector<Generation> listGenerations(const std::string& folder);

// The keeping of the folder's current pair, planned under the folder's lock (the writer's addUnderLock):
// the generation's files and the folders to make, for the writer's group. Without a pair in the folder
// nothing is kept, and only the backup folder is made (a pair found there later is this program's).
// Raises FileError, touching nothing, when the pair cannot be read or the backup folder's name is taken
// by a file.
struct PlannedKeeping {
  AddedFiles files;
  std::optional<Generation> generation;  // none when the folder holds no pair
};
PlannedKeeping planKeeping(const std::string& folder);

// Removes, under the folder's lock once a new generation is whole, the whole generations beyond the
// newest kKeptGenerations (never the original) and empty generation folders. Leaves what it cannot read;
// never raises.
void removeOldGenerations(const std::string& folder);

// Whether the folder holds both scenario files (raises FileError when it cannot be looked at).
bool holdsPair(const std::string& folder);

// Whether the folder has its backup folder: this program has written there before.
bool folderWritten(const std::string& folder);

}  // namespace vorandel
