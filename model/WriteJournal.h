#pragma once
// The journal of a replacement: which files a run covers, the temporary names it uses for them, and how
// far it has come. It is written (flushed, and put in place by a rename) into every folder that holds
// one of the files before each group of steps, so that a later run knows, rather than guesses, what
// the interrupted one did:
//   Begun    the new files are being written beside the old ones; nothing has moved: going back only
//            removes the temporary names.
//   Ready    every new file is whole on the disk and every old file has its second name; the new files
//            move in from here, and a later run finishes the moves (a new file missing from its
//            temporary name has moved in, since nothing else removes it at this stage).
//   Undoing  the run is being undone; movedIn lists the files that had moved in when that was decided.
#include <optional>
#include <string>
#include <vector>

namespace vorandel {

inline constexpr const char* kJournalName = ".vorandel-journal";

enum class JournalStage { Begun, Ready, Undoing };

struct JournalEntry {
  std::string target;  // the file's path, links resolved
  std::string fresh;   // the new bytes under a temporary name beside the target
  std::string kept;    // a second name of the old file beside the target
  bool hadOld = false;
  bool keepBackup = true;  // the old file becomes target.bak at the end
  bool movedIn = false;    // at Undoing: this file had moved in
  std::string backup() const { return target + ".bak"; }
};

struct Journal {
  std::string run;  // a random word of the run, part of its temporary names
  JournalStage stage = JournalStage::Begun;
  std::vector<JournalEntry> entries;
};

// The folders holding the journal's files (absolute), in one order.
std::vector<std::string> journalFolders(const Journal& journal);

// The journal as stored in folder: paths inside that folder by their names, others in full.
std::string journalText(const Journal& journal, const std::string& folder);

// Reads a journal stored in folder; nothing when the text is not one.
std::optional<Journal> parseJournal(const std::string& text, const std::string& folder);

// Where each file of the journal's group is found as the group that a recovery keeps: the new file at
// Ready (its temporary name until it moves in), the old one at Begun and Undoing (its second name once
// the new one has moved in). Empty for a file that the kept group does not have.
std::string keptSource(const Journal& journal, const JournalEntry& entry);

}  // namespace vorandel
