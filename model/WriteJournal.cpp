#include "model/WriteJournal.h"

#include <set>
#include <sstream>

#include "model/SystemFiles.h"

namespace vorandel {

namespace {

constexpr const char* kFirstLine = "vorandel-journal 1";

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

std::string unescaped(const std::string& text) {
  std::string path;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const std::string code = text.substr(i + 1, 2);
      path += code == "25" ? '%' : code == "0A" ? '\n' : '\r';
      i += 2;
    } else {
      path += text[i];
    }
  }
  return path;
}

}  // namespace

std::vector<std::string> journalFolders(const Journal& journal) {
  std::set<std::string> folders;
  for (const JournalEntry& entry : journal.entries) folders.insert(platform::folderOf(entry.target));
  return {folders.begin(), folders.end()};
}

std::string journalText(const Journal& journal, const std::string& folder) {
  std::string text = std::string(kFirstLine) + "\nrun " + journal.run + "\nstage " + stageWord(journal.stage) + "\n";
  for (const JournalEntry& entry : journal.entries) {
    const bool here = platform::folderOf(entry.target) == folder;
    text += std::string("file ") + (entry.hadOld ? '1' : '0') + ' ' + (entry.keepBackup ? '1' : '0') + ' ' +
            (entry.movedIn ? '1' : '0') + ' ' + platform::nameOf(entry.fresh) + ' ' + platform::nameOf(entry.kept) +
            ' ' + escaped(here ? '@' + platform::nameOf(entry.target) : entry.target) + '\n';
  }
  return text + "end\n";
}

std::optional<Journal> parseJournal(const std::string& text, const std::string& folder) {
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != kFirstLine) return std::nullopt;
  Journal journal;
  bool ended = false, staged = false;
  while (std::getline(lines, line)) {
    if (line == "end") {
      ended = true;
      break;
    }
    if (line.starts_with("run ")) {
      journal.run = line.substr(4);
    } else if (line.starts_with("stage ")) {
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
    } else if (line.starts_with("file ") && line.size() > 11) {
      JournalEntry entry;
      entry.hadOld = line[5] == '1';
      entry.keepBackup = line[7] == '1';
      entry.movedIn = line[9] == '1';
      std::istringstream words(line.substr(11));
      std::string fresh, kept;
      words >> fresh >> kept;
      std::string target;
      std::getline(words, target);
      if (fresh.empty() || kept.empty() || target.size() < 2 || target[0] != ' ') return std::nullopt;
      target = unescaped(target.substr(1));
      // "@NAME" is a file inside the journal's folder; anything else a full path.
      entry.target = target.starts_with('@') ? platform::pathIn(folder, target.substr(1)) : target;
      const std::string targetFolder = platform::folderOf(entry.target);
      entry.fresh = platform::pathIn(targetFolder, fresh);
      entry.kept = platform::pathIn(targetFolder, kept);
      journal.entries.push_back(std::move(entry));
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
    case JournalStage::Undoing:
      if (!entry.hadOld) return std::string();
      return entry.movedIn && platform::kindOf(entry.kept) == platform::PathKind::Regular ? entry.kept : entry.target;
  }
  return entry.target;
}

}  // namespace vorandel
