#include "model/WriteJournal.h"

#include <charconv>
#include <random>
#include <set>
#include <sstream>

#include "model/SystemFiles.h"

namespace vorandel {

namespace {

constexpr const char* kFirstLine = "vorandel-journal 2";
constexpr std::size_t kRunLength = 6;
constexpr int kMostFiles = 9999;
constexpr int kMostMadeDepth = 3;

const char* stageWord(JournalStage stage) {
  switch (stage) {
    case JournalStage::Begun: return "begun";
    case JournalStage::Ready: return "ready";
    case JournalStage::Undoing: return "undoing";
  }
  return "";
}

// Paths may hold anything but the line ends and the escape itself.
std::string escaped(const std::string& path) {
  std::string text;
  for (const char c : path) {
    if (c == '%')
      text += "%25";
    else if (c == '\n')
      text += "%0A";
    else if (c == '\r')
      text += "%0D";
    else
      text += c;
  }
  return text;
}

std::optional<std::string> unescaped(const std::string& text) {
  std::string path;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      path += text[i];
      continue;
    }
    const std::string code = text.substr(i + 1, 2);
    if (code == "25")
      path += '%';
    else if (code == "0A")
      path += '\n';
    else if (code == "0D")
      path += '\r';
    else
      return std::nullopt;
    i += 2;
  }
  return path;
}

bool isRunWord(const std::string& word) {
  return word.size() == kRunLength && word.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// A name of a file inside the folder itself: no separator, no step up, nothing the writer calls its own.
bool isPlainName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.starts_with(".vorandel-")) return false;
#ifdef _WIN32
  return name.find_first_of("/\\:") == std::string::npos;
#else
  return name.find('/') == std::string::npos;
#endif
}

template <typename Number>
bool readNumber(const std::string& word, Number& value) {
  const char* end = word.data() + word.size();
  const auto [at, error] = std::from_chars(word.data(), end, value);
  return error == std::errc() && at == end && !word.empty() && word[0] != '-' && word[0] != '+';
}

bool readFlag(const std::string& word, bool& flag) {
  if (word != "0" && word != "1") return false;
  flag = word == "1";
  return true;
}

std::string hexOf(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kDigits[value & 15u];
  return text;
}

bool readHex(const std::string& word, std::uint64_t& value) {
  if (word.size() != 16) return false;
  const auto [at, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
  return error == std::errc() && at == word.data() + word.size();
}

// The part of path below folder, as plain names joined by '/'; empty when path is not below it.
std::string relativeBelow(const std::string& path, const std::string& folder) {
  std::vector<std::string> names;
  for (std::string at = path; at != folder; at = platform::folderOf(at)) {
    if (at.size() <= folder.size() || platform::folderOf(at) == at) return {};
    names.insert(names.begin(), platform::nameOf(at));
  }
  std::string relative;
  for (const std::string& name : names) relative += (relative.empty() ? "" : "/") + name;
  return relative;
}

// A made folder as stored: plain names joined by '/', at most a few deep, below the journal's folder.
std::optional<std::string> madeFolderIn(const std::string& folder, const std::string& relative) {
  std::string path = folder;
  int depth = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = relative.find('/', start);
    const std::string name = relative.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (!isPlainName(name) || ++depth > kMostMadeDepth) return std::nullopt;
    path = platform::pathIn(path, name);
    if (slash == std::string::npos) return path;
    start = slash + 1;
  }
}

std::vector<std::string> wordsOf(const std::string& line, std::size_t count, std::string& rest) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (words.size() < count) {
    const std::size_t space = line.find(' ', at);
    if (space == std::string::npos) return {};
    words.push_back(line.substr(at, space - at));
    at = space + 1;
  }
  rest = line.substr(at);
  return words;
}

}  // namespace

std::string newRunWord() {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::random_device random;
  std::string run;
  for (unsigned bits = random(), n = 0; n < kRunLength; ++n, bits >>= 4) run += kDigits[bits & 15u];
  return run;
}

JournalEntry journalEntry(const std::string& run, int number, const std::string& target) {
  JournalEntry entry;
  entry.target = target;
  entry.number = number;
  const std::string folder = platform::folderOf(target);
  const std::string prefix = ".vorandel-" + run + "-" + std::to_string(number);
  entry.fresh = platform::pathIn(folder, prefix + ".new");
  entry.kept = platform::pathIn(folder, prefix + ".old");
  return entry;
}

std::uint64_t contentHash(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;  // 64-bit FNV-1a
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

std::vector<std::string> journalFolders(const Journal& journal) {
  std::set<std::string> folders;
  for (const JournalEntry& entry : journal.entries) folders.insert(platform::folderOf(entry.target));
  return {folders.begin(), folders.end()};
}

std::string journalText(const Journal& journal, const std::string& folder) {
  std::string text = std::string(kFirstLine) + "\nrun " + journal.run + "\nstage " + stageWord(journal.stage) + "\n";
  for (const JournalEntry& entry : journal.entries) {
    if (platform::folderOf(entry.target) != folder) continue;
    text += "file " + std::to_string(entry.number) + ' ' + (entry.hadOld ? '1' : '0') + ' ' +
            (entry.keepBackup ? '1' : '0') + ' ' + (entry.movedIn ? '1' : '0') + ' ' + std::to_string(entry.size) +
            ' ' + hexOf(entry.hash) + ' ' + escaped(platform::nameOf(entry.target)) + '\n';
  }
  for (const std::string& other : journalFolders(journal))
    if (other != folder) text += "folder " + escaped(other) + '\n';
  for (const std::string& made : journal.madeFolders) {
    const std::string relative = relativeBelow(made, folder);
    if (!relative.empty()) text += "made " + escaped(relative) + '\n';
  }
  return text + "end\n";
}

std::optional<Journal> parseJournal(const std::string& text, const std::string& folder) {
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != kFirstLine) return std::nullopt;
  Journal journal;
  std::set<int> numbers;
  std::set<std::string> targets;
  bool ended = false, staged = false;
  while (std::getline(lines, line)) {
    if (line == "end") {
      ended = true;
      break;
    }
    if (line.starts_with("run ") && journal.run.empty()) {
      journal.run = line.substr(4);
      if (!isRunWord(journal.run)) return std::nullopt;
    } else if (line.starts_with("stage ") && !staged) {
      const std::string word = line.substr(6);
      staged = true;
      if (word == "begun")
        journal.stage = JournalStage::Begun;
      else if (word == "ready")
        journal.stage = JournalStage::Ready;
      else if (word == "undoing")
        journal.stage = JournalStage::Undoing;
      else
        return std::nullopt;
    } else if (line.starts_with("file ") && !journal.run.empty()) {
      std::string rest;
      const std::vector<std::string> words = wordsOf(line.substr(5), 6, rest);
      JournalEntry entry;
      int number = -1;
      const std::optional<std::string> name = unescaped(rest);
      if (words.empty() || !readNumber(words[0], number) || number > kMostFiles || !readFlag(words[1], entry.hadOld) ||
          !readFlag(words[2], entry.keepBackup) || !readFlag(words[3], entry.movedIn) ||
          !readNumber(words[4], entry.size) || !readHex(words[5], entry.hash) || !name || !isPlainName(*name) ||
          !numbers.insert(number).second || !targets.insert(*name).second)
        return std::nullopt;
      JournalEntry made = journalEntry(journal.run, number, platform::pathIn(folder, *name));
      made.hadOld = entry.hadOld;
      made.keepBackup = entry.keepBackup;
      made.movedIn = entry.movedIn;
      made.size = entry.size;
      made.hash = entry.hash;
      journal.entries.push_back(std::move(made));
    } else if (line.starts_with("folder ")) {
      const std::optional<std::string> other = unescaped(line.substr(7));
      if (!other || other->empty() || *other == folder || platform::absolutePath(*other) != *other)
        return std::nullopt;
      journal.otherFolders.push_back(*other);
    } else if (line.starts_with("made ")) {
      const std::optional<std::string> relative = unescaped(line.substr(5));
      const std::optional<std::string> made = relative ? madeFolderIn(folder, *relative) : std::nullopt;
      if (!made) return std::nullopt;
      journal.madeFolders.push_back(*made);
    } else {
      return std::nullopt;
    }
  }
  if (!ended || !staged || journal.run.empty() || journal.entries.empty()) return std::nullopt;
  return journal;
}

std::string keptSource(const Journal& journal, const JournalEntry& entry) {
  switch (journal.stage) {
    case JournalStage::Begun: return entry.hadOld ? entry.target : std::string();
    case JournalStage::Ready:
      return platform::kindOf(entry.fresh) == platform::PathKind::Regular ? entry.fresh : entry.target;
    case JournalStage::Undoing: {
      if (!entry.hadOld) return std::string();
      const bool movedIn =
          entry.movedInUnknown ? platform::kindOf(entry.fresh) == platform::PathKind::Missing : entry.movedIn;
      return movedIn && platform::kindOf(entry.kept) == platform::PathKind::Regular ? entry.kept : entry.target;
    }
  }
  return entry.target;
}

}  // namespace vorandel
