#pragma once
// The earlier pairs of a folder, kept beside it in the backup folder "Vorandel备份": every replacement
// of the pair (generate, restore) first keeps the pair it replaces there as a generation, a subfolder
// named by the time (YYYYMMDD-HHMMSS-NN, NN counting up within a second, so names sort by time and a
// name is taken only once). The pair found in the folder before this program first wrote there is
// marked as the original (the name ends in "-原始") and is kept for good; of the others the newest
// kKeptGenerations stay. A generation counts only once both of its files are whole under their names,
// so one that failed half way is never offered, and the next keeping removes it.
#include <string>
#include <string_view>
#include <vector>

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

// Keeps the pair as a new generation of the folder (marked as the original when asked) and removes
// what is beyond the kept ones. Raises FileError (the pair is then not kept, and nothing that looks like
// a generation is left).
Generation keepGeneration(const std::string& folder, std::string_view sndata, std::string_view taiki, bool original);

// Whether the folder has its backup folder: this program has written there before.
bool folderWritten(const std::string& folder);

// A file's bytes, read to be kept (raises FileError).
std::string readKept(const std::string& path);

// Makes the backup folder, so that a pair found in the folder later is known to be this program's.
// Raises FileError.
void markFolderWritten(const std::string& folder);

}  // namespace vorandel
