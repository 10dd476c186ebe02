#include "app/PairBackups.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "app/AppMessages.h"
#include "model/FileError.h"
#include "model/FileRead.h"
#include "model/Message.h"
#include "model/OpenFile.h"
#include "model/PairNames.h"
#include "model/SystemFiles.h"
#include "model/SystemReason.h"

namespace vorandel {

namespace {

namespace fs = std::filesystem;

constexpr const char* kOriginalMark = "-原始";
constexpr std::size_t kStampLength = 18;  // YYYYMMDD-HHMMSS-NN
constexpr int kMostPerSecond = 99;

std::string utf8Name(const fs::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

bool isStamp(std::string_view name) {
  if (name.size() < kStampLength) return false;
  for (std::size_t i = 0; i < kStampLength; ++i) {
    const bool dash = i == 8 || i == 15;
    if (dash ? name[i] != '-' : (name[i] < '0' || name[i] > '9')) return false;
  }
  return name.size() == kStampLength || name.substr(kStampLength) == kOriginalMark;
}

// The generations are written by the file writer, in its group; the backup folder is looked at and
// pruned with the standard library's calls, so that a test that plans a fault at the writer's n-th call
// means the writer's.
bool isFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(systemPath(path), error);
}

bool isWhole(const std::string& path) {
  return isFile(platform::pathIn(path, kSndataName)) && isFile(platform::pathIn(path, kTaikiName));
}

std::string shownTime(std::string_view name) {
  const std::string n(name);
  return n.substr(0, 4) + "-" + n.substr(4, 2) + "-" + n.substr(6, 2) + " " + n.substr(9, 2) + ":" + n.substr(11, 2) +
         ":" + n.substr(13, 2);
}

// The generation folders by name, whole or not.
std::vector<Generation> generationFolders(const std::string& folder) {
  std::vector<Generation> found;
  const std::string backups = backupFolderOf(folder);
  std::error_code error;
  for (fs::directory_iterator it(systemPath(backups), error), end; !error && it != end; it.increment(error)) {
    const std::string name = utf8Name(it->path());
    if (!isStamp(name)) continue;
    found.push_back({name, platform::pathIn(backups, name), shownTime(name), name.size() > kStampLength});
  }
  std::sort(found.begin(), found.end(), [](const Generation& a, const Generation& b) { return a.name < b.name; });
  return found;
}

void removeFolder(const std::string& path) {
  std::error_code ignored;
  fs::remove_all(systemPath(path), ignored);
}

std::string localStamp(std::time_t when) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// The stamp one second after the one given (a second that has had its most generations).
std::string stampAfter(const std::string& stamp) {
  std::tm time{};
  time.tm_year = std::stoi(stamp.substr(0, 4)) - 1900;
  time.tm_mon = std::stoi(stamp.substr(4, 2)) - 1;
  time.tm_mday = std::stoi(stamp.substr(6, 2));
  time.tm_hour = std::stoi(stamp.substr(9, 2));
  time.tm_min = std::stoi(stamp.substr(11, 2));
  time.tm_sec = std::stoi(stamp.substr(13, 2)) + 1;
  time.tm_isdst = -1;
  return localStamp(std::mktime(&time));
}

std::string withCounter(const std::string& stamp, int n) { return stamp + (n < 10 ? "-0" : "-") + std::to_string(n); }

// The next generation's name: now, or, when that would not sort after the newest name there (more
// generations within the second, or a clock that went back), the one right after the newest.
std::string nextGenerationName(const std::vector<Generation>& existing, bool original) {
  std::string newest;
  for (const Generation& generation : existing) newest = std::max(newest, generation.name.substr(0, kStampLength));
  std::string name = withCounter(localStamp(std::time(nullptr)), 1);
  if (!newest.empty() && name <= newest) {
    const std::string stamp = newest.substr(0, kStampLength - 3);
    const int counter = std::stoi(newest.substr(kStampLength - 2));
    name = counter < kMostPerSecond ? withCounter(stamp, counter + 1) : withCounter(stampAfter(stamp), 1);
  }
  return original ? name + kOriginalMark : name;
}

enum class FolderState { Whole, Empty, Other };

// Whole only when both files are certainly there, Empty only when the folder certainly holds nothing.
FolderState stateOf(const std::string& path) {
  std::error_code error;
  const bool empty = fs::is_empty(systemPath(path), error);
  if (error) return FolderState::Other;
  if (empty) return FolderState::Empty;
  return isWhole(path) ? FolderState::Whole : FolderState::Other;
}

}  // namespace

std::string backupFolderOf(const std::string& folder) { return platform::pathIn(folder, kBackupFolderName); }

std::vector<Generation> listGenerations(const std::string& folder) {
  std::vector<Generation> whole;
  for (Generation& generation : generationFolders(folder))
    if (isWhole(generation.path)) whole.push_back(std::move(generation));
  // The original first: it is the oldest the folder has, whatever its stamp says.
  std::stable_partition(whole.begin(), whole.end(), [](const Generation& g) { return g.original; });
  return whole;
}

bool folderWritten(const std::string& folder) {
  std::error_code error;
  return fs::is_directory(systemPath(backupFolderOf(folder)), error);
}

bool holdsPair(const std::string& folder) {
  bool both = true;
  for (const char* name : {kSndataName, kTaikiName}) {
    const std::string path = platform::pathIn(folder, name);
    const platform::PathKind kind = platform::kindOf(path);
    if (kind == platform::PathKind::Unknown)
      throw FileError(Message::withPaths(kCannotReadFile, {path}).textLine("原因：").text(platform::lastFailure()));
    both = both && kind == platform::PathKind::Regular;
  }
  return both;
}

PlannedKeeping planKeeping(const std::string& folder) {
  PlannedKeeping planned;
  planned.files.cannotWrite = kCannotKeepPair;
  const std::string backups = backupFolderOf(folder);
  const platform::PathKind kind = platform::kindOf(backups);
  if (kind != platform::PathKind::Missing && kind != platform::PathKind::Folder)
    throw FileError(Message::withPaths(kCannotKeepPair, {backups}).textLine(kBackupNameTaken));
  // The original is the pair found before this program's first write there, told by what is on the disk.
  const bool original = kind == platform::PathKind::Missing;
  if (original) planned.files.newFolders.push_back(backups);
  if (!holdsPair(folder)) return planned;
  Generation generation;
  generation.name = nextGenerationName(generationFolders(folder), original);
  generation.path = platform::pathIn(backups, generation.name);
  generation.time = shownTime(generation.name);
  generation.original = original;
  planned.files.newFolders.push_back(generation.path);
  for (const char* name : {kSndataName, kTaikiName}) {
    planned.files.paths.push_back(platform::pathIn(generation.path, name));
    planned.files.bytes.push_back(readRegularFile(platform::pathIn(folder, name), kMaxScenarioFileSize));
  }
  planned.generation = std::move(generation);
  return planned;
}

void removeOldGenerations(const std::string& folder) {
  std::vector<Generation> whole;
  for (const Generation& generation : generationFolders(folder)) {
    std::error_code ignored;
    const FolderState state = stateOf(generation.path);
    if (state == FolderState::Empty)
      fs::remove(systemPath(generation.path), ignored);  // removes an empty folder only
    else if (state == FolderState::Whole && !generation.original)
      whole.push_back(generation);
  }
  for (std::size_t i = 0; i + kKeptGenerations < whole.size(); ++i) removeFolder(whole[i].path);
}

}  // namespace vorandel
