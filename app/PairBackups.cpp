#include "app/PairBackups.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/AppMessages.h"
#include "model/FileError.h"
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

// The backup folder is looked at and written with the standard library's calls, not through the file
// writer's system calls: keeping a generation comes after the writer's group, and a test that plans a
// fault at the writer's n-th call means the writer's.
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

std::string localStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

[[noreturn]] void cannotKeep(const std::string& where, std::error_code reason = {}) {
  Message message = Message::withPaths(kCannotKeepPair, {where});
  // The reason in the player's words, whichever system's number the library gave.
  if (reason) message.textLine("原因：" + systemReason(reason.default_error_condition().value()));
  throw FileError(message);
}

void removeFolder(const std::string& path) {
  std::error_code ignored;
  fs::remove_all(systemPath(path), ignored);
}

// The generation folder, made anew under a name no other keeping has taken: its counter follows the
// highest of its second, so that a name freed by the removal of an old generation is never taken again
// (it would sort before the newer ones).
Generation claimGeneration(const std::string& folder, bool original) {
  const std::string backups = backupFolderOf(folder);
  const std::string stamp = localStamp();
  int last = 0;
  for (const Generation& existing : generationFolders(folder))
    if (existing.name.compare(0, stamp.size(), stamp) == 0)
      last = std::max(last, std::stoi(existing.name.substr(stamp.size() + 1, 2)));
  for (int n = last + 1; n <= kMostPerSecond; ++n) {
    std::string name = stamp + (n < 10 ? "-0" : "-") + std::to_string(n);
    if (original) name += kOriginalMark;
    const std::string path = platform::pathIn(backups, name);
    std::error_code error;
    if (fs::create_directory(systemPath(path), error)) return {name, path, shownTime(name), original};
    if (error) cannotKeep(path, error);
  }
  cannotKeep(backups);
}

// Written under a temporary name, then renamed: a name of the pair holds whole bytes or nothing.
void writeInto(const Generation& generation, const char* name, std::string_view bytes) {
  const std::string target = platform::pathIn(generation.path, name);
  const std::string temporary = platform::pathIn(generation.path, std::string(".") + name + ".new");
  {
    std::ofstream out(systemPath(temporary), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) cannotKeep(generation.path);
  }
  std::error_code error;
  fs::rename(systemPath(temporary), systemPath(target), error);
  if (error) cannotKeep(generation.path, error);
}

// Beyond the newest kept generations, and what a failed keeping left: the original stays in every case.
void removeOldGenerations(const std::string& folder, const std::string& keep) {
  std::vector<Generation> dated;
  for (const Generation& generation : generationFolders(folder)) {
    if (generation.name == keep) continue;
    if (!isWhole(generation.path))
      removeFolder(generation.path);
    else if (!generation.original)
      dated.push_back(generation);
  }
  // The one just kept counts among the newest.
  const std::size_t room = kKeptGenerations - 1;
  for (std::size_t i = 0; i + room < dated.size(); ++i) removeFolder(dated[i].path);
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

void markFolderWritten(const std::string& folder) {
  const std::string backups = backupFolderOf(folder);
  std::error_code error;
  fs::create_directories(systemPath(backups), error);
  if (error) cannotKeep(backups, error);
}

bool folderWritten(const std::string& folder) {
  std::error_code error;
  return fs::is_directory(systemPath(backupFolderOf(folder)), error);
}

std::string readKept(const std::string& path) {
  std::ifstream in(systemPath(path), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad() || !in.is_open()) cannotKeep(path);
  return bytes;
}

Generation keepGeneration(const std::string& folder, std::string_view sndata, std::string_view taiki, bool original) {
  markFolderWritten(folder);
  const Generation generation = claimGeneration(folder, original);
  try {
    // The second file's rename makes the generation whole: until then it is not offered.
    writeInto(generation, kSndataName, sndata);
    writeInto(generation, kTaikiName, taiki);
  } catch (const FileError&) {
    removeFolder(generation.path);
    throw;
  }
  removeOldGenerations(folder, generation.name);
  return generation;
}

}  // namespace vorandel
