#pragma once
// The journal of a replacement: which files a run covers, and how far it has come. It is written
// (flushed, and put in place by a rename) into every folder that holds one of the files before each
// group of steps, so that a later run knows, rather than guesses, what the interrupted one did:
//   Begun    the new files are being written beside the old ones; nothing has moved: going back only
//            removes the temporary names (and the folders the run made, when empty).
//   Ready    every new file is whole on the disk and every old file has its second name; the new files
//            move in from here, and a later run finishes the moves (a new file missing from its
//            temporary name has moved in, since nothing else removes it at this stage).
//   Undoing  the run is being undone; movedIn lists the files that had moved in when that was decided.
//
// A folder's journal speaks only for that folder: its files by plain name, their temporary names made
// from the run's word and the file's number (".vorandel-RUN-N.new" and ".old"), the size and hash of
// each new file, and the folders under it that the run made. Other folders of the group are only named;
// a recovery follows one only where it holds a journal of the same run. A journal that says anything
// else (a path for a name, another form of temporary name) was not written by this program and is
// never acted on.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

inline constexpr const char* kJournalName = ".vorandel-journal";

enum class JournalStage { Begun, Ready, Undoing };

struct JournalEntry {
  std::string target;  // the file's path, links resolved
  std::string fresh;   // the new bytes under a temporary name beside the target
  std::string kept;    // a second name of the old file beside the target
  int number = 0;      // the file's number in the group, part of its temporary names
  bool hadOld = false;
  bool keepBackup = true;       // the old file becomes target.bak at the end
  bool movedIn = false;         // at Undoing: this file had moved in
  bool movedInUnknown = false;  // at Undoing, from a folder whose journal had not come so far: see the disk
  std::uint64_t size = 0;       // of the new bytes
  std::uint64_t hash = 0;       // of the new bytes (contentHash)
  std::string backup() const { return target + ".bak"; }
};

struct Journal {
  std::string run;  // a random word of the run, part of its temporary names
  JournalStage stage = JournalStage::Begun;
  std::vector<JournalEntry> entries;
  std::vector<std::string> madeFolders;   // folders the run made (absolute), parents first
  std::vector<std::string> otherFolders;  // as read from one folder: the group's other folders
};

// The run word of a new run: six hexadecimal digits.
std::string newRunWord();

// The entry of the file with the number in the group, its temporary names made from the run word.
JournalEntry journalEntry(const std::string& run, int number, const std::string& target);

// A hash of bytes that tells a whole temporary file from a cut or changed one.
std::uint64_t contentHash(std::string_view bytes);

// The folders holding the journal's files (absolute), in one order.
std::vector<std::string> journalFolders(const Journal& journal);

// The journal as stored in folder: that folder's files, the other folders by name, and the made folders
// under it.
std::string journalText(const Journal& journal, const std::string& folder);

// Reads a journal stored in folder: its files inside that folder only, with otherFolders set. Nothing
// when the text is not a journal this program writes.
std::optional<Journal> parseJournal(const std::string& text, const std::string& folder);

// Where each file of the journal's group is found as the group that a recovery keeps: the new file at
// Ready (its temporary name until it moves in), the old one at Begun and Undoing (its second name once
// the new one has moved in). Empty for a file that the kept group does not have.
std::string keptSource(const Journal& journal, const JournalEntry& entry);

}  // namespace vorandel
