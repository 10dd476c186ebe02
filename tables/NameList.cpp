#include "tables/NameList.h"

#include "tables/NameCell.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

#include "model/EditError.h"
#include "model/GbkText.h"
#include "rules/GameRules.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/NameCell.h"
#include "tables/ProblemReporting.h"
#include "tables/TableMessages.h"
#include "tables/TextCharacters.h"

namespace vorandel {

namespace {

constexpr std::size_t kNameFieldLength = 10;  // bytes of a name that are read at most

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Entry {
  std::size_t start = 0;  // offset of the entry's first byte in the text
  std::size_t end = 0;    // offset after the last byte read
  char kind = 0;
  std::uint32_t number = 0;
  std::string name;           // the name field's value: unquoted as a table's value cell is
  int fields = 0;             // how many of the three fields were read
  bool numberRunsOn = false;  // the number is followed by more than white space (1e3, 1.5)
};

// Reads entries from the text of a list the way formatted input reads "kind number name": white space
// is skipped before each field; the kind is the longest run of W and C, the number an unsigned decimal
// (sign allowed, as strtoul reads it with a 32-bit long) that white space ends, the name at most 10 bytes
// up to white space, or a whole cell in double quotes.
class EntryReader {
 public:
  explicit EntryReader(std::string_view text) : text_(text) {}

  // The next entry, or nothing when only white space is left.
  std::optional<Entry> next() {
    skipBlanks();
    if (pos_ == text_.size()) return std::nullopt;
    Entry entry;
    entry.start = pos_;
    if (readKind(entry)) {
      skipBlanks();
      if (readNumber(entry)) {
        skipBlanks();
        readName(entry);
      }
    }
    entry.end = pos_;
    return entry;
  }

  // After an entry that could not be read: the reading goes on at the next line.
  void skipLine() {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
  }

 private:
  void skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
  }

  bool readKind(Entry& entry) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && (text_[pos_] == 'W' || text_[pos_] == 'C')) ++pos_;
    if (pos_ == start) return false;
    entry.kind = text_[start];
    entry.fields = 1;
    return true;
  }

  bool readNumber(Entry& entry) {
    bool negative = false;
    if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
      negative = text_[pos_] == '-';
      ++pos_;  // a sign without digits is consumed and fails the field
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
    if (pos_ == start) return false;
    if (pos_ < text_.size() && !isBlank(text_[pos_])) {
      // 1e3 or 1.5 is not a whole number; reading on would take the rest for the name.
      entry.numberRunsOn = true;
      return false;
    }
    const std::string digits(text_.substr(start, pos_ - start));
    errno = 0;
    const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, 10);
    constexpr unsigned long long limit = std::numeric_limits<std::uint32_t>::max();
    if (errno == ERANGE || magnitude > limit) {
      entry.number = static_cast<std::uint32_t>(limit);
    } else {
      const auto value = static_cast<std::uint32_t>(magnitude);
      entry.number = negative ? static_cast<std::uint32_t>(0u - value) : value;
    }
    entry.fields = 2;
    return true;
  }

  void readName(Entry& entry) {
    const std::size_t start = pos_;
    if (pos_ < text_.size() && text_[pos_] == '"') {
      // A quoted name is one cell, read whole and unquoted; its length is checked afterwards.
      while (pos_ < text_.size() && !isBlank(text_[pos_])) ++pos_;
      entry.name = unquoteCell(text_.substr(start, pos_ - start));
      entry.fields = 3;
      return;
    }
    // The text is UTF-8; the limit counts the GBK bytes the name will take, whole characters only.
    std::size_t length = 0;
    while (pos_ < text_.size() && !isBlank(text_[pos_])) {
      std::size_t width = 1;
      while (pos_ + width < text_.size() && (static_cast<unsigned char>(text_[pos_ + width]) & 0xC0) == 0x80) ++width;
      length += gbkLength(text_.substr(pos_, width));
      if (length > kNameFieldLength) break;
      pos_ += width;
    }
    if (pos_ == start) return;
    entry.name = std::string(text_.substr(start, pos_ - start));
    entry.fields = 3;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Where an entry stands and what it holds, for the lines below a message about it.
std::string entryPlace(std::string_view text, const Entry& entry, int entryNumber) {
  const auto line =
      static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(entry.start), '\n')) + 1;
  std::string_view held = text.substr(entry.start);
  held = held.substr(0, held.find_first_of("\r\n"));  // a broken entry: the rest of its line
  if (entry.fields == 3) held = held.substr(0, entry.end - entry.start);
  return formatMessage("第%d项在文件第%zu行：「%s」", entryNumber, line, shortened(held, 40).c_str());
}

// What is wrong with an entry: the message, what it holds against the rule, whether the entry could
// not even be read as kind, number and name, and what to do about it when the rest does not say.
struct EntryFault {
  std::string message;
  std::string detail;
  bool format = false;
  const char* hint = nullptr;
};

// What is wrong with the entry that begins at `start` of the text, or nothing.
std::optional<EntryFault> entryFault(const ScenarioSet& set, std::string_view text, const Entry& entry) {
  if (entry.fields == 0) {
    const bool lowerCase = text[entry.start] == 'w' || text[entry.start] == 'c';
    return EntryFault{"应以 W（武将）或 C（城市）开头", "", true, lowerCase ? kHintKindUpperCase : nullptr};
  }
  if (entry.numberRunsOn) return EntryFault{kNameListNumberNotWhole, "", true};
  if (entry.fields == 1) return EntryFault{"W 或 C 后面应是编号", "", true};
  if (entry.fields == 2) return EntryFault{"编号后面应是新名字", "", true};
  if (entry.kind == 'C') {
    if (entry.number < 1 || entry.number > static_cast<std::uint32_t>(kCityCount))
      return EntryFault{"城市编号超出范围。", formatMessage("允许 1–%d", kCityCount)};
    if (gbkLength(entry.name) > kCityNameLength)
      return EntryFault{"城市名长度最多只能为4个字符。", nameRoomText(entry.name, kCityNameLength)};
  } else {
    if (entry.number >= set.idCapacity)
      return EntryFault{"武将头像编号超出范围。", formatMessage("允许 0–%u", set.idCapacity - 1)};
    if (gbkLength(entry.name) > kOfficerNameLength)
      return EntryFault{"武将名长度最多只能为8个字符。", nameRoomText(entry.name, kOfficerNameLength)};
  }
  if (!utf8ToGbk(entry.name)) return EntryFault{kNameNotGbk, "「" + entry.name + "」"};
  return std::nullopt;
}

// The error of an entry that cannot be applied: the message of old (a broken entry is told by its
// number), then the entry and what is wrong with it.
[[noreturn]] void raiseEntryError(TableText table, const Entry& entry, int entryNumber, const EntryFault& fault) {
  EditError error(fault.format ? formatMessage("Error File format at line: %d", entryNumber) : fault.message);
  if (!table.name.empty()) error.addDetail(tableLine(table.name));
  const std::string& detail = fault.format ? fault.message : fault.detail;
  error.addDetail(entryPlace(table.bytes, entry, entryNumber) + (detail.empty() ? "" : "：" + detail));
  if (fault.hint != nullptr) error.addDetail(fault.hint);
  throw error;
}

void renameCity(ScenarioSet& set, const Entry& entry) {
  const std::string name = utf8ToGbk(entry.name).value();  // entryFault let only GBK names through
  for (Scenario& scenario : set.scenarios)
    scenario.cityName(static_cast<int>(entry.number)).setText(cityName::name, name, kCityNameWidth);
}

void renameOfficer(ScenarioSet& set, const Entry& entry) {
  const std::string name = utf8ToGbk(entry.name).value();  // entryFault let only GBK names through
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    Scenario& scenario = set.scenario(s);
    const std::optional<OfficerIndex> index = set.officerIndexOf(s, static_cast<long>(entry.number));
    if (!index || !scenario.isOfficerNumber(index->number())) continue;  // no such officer here
    scenario.officerProfile(index->number()).setText(profile::name, name, kOfficerNameWidth);
  }
}

// Reads the entries of the text in order and calls visit(entry, entryNumber) for each; visit returns
// false to end the walk. After an entry that is not kind, number and name, the reading goes on at the
// next line: it would take the rest of that line as the next entries.
template <class Visit>
void walkNameList(std::string_view text, Visit&& visit) {
  EntryReader reader(text);
  int entryNumber = 0;
  while (const std::optional<Entry> entry = reader.next()) {
    if (!visit(*entry, ++entryNumber)) return;
    if (entry->fields != 3) reader.skipLine();
  }
}

// Applies every entry to `target`, raising at the first that cannot be applied; when listing, applies
// nothing and notes every such entry.
void applyNameList(const ScenarioSet& set, TableText table, ScenarioSet* target, ProblemList* problems) {
  ProblemReporting reporting(problems);
  walkNameList(table.bytes, [&](const Entry& entry, int entryNumber) {
    if (const std::optional<EntryFault> fault = entryFault(set, table.bytes, entry)) {
      reporting.noteOrRaise(
          [&] {
            return entryPlace(table.bytes, entry, entryNumber) + " " + fault->message +
                   (fault->detail.empty() ? "" : "  " + fault->detail) +
                   (fault->hint == nullptr ? "" : std::string("  ") + fault->hint);
          },
          [&] { raiseEntryError(table, entry, entryNumber, *fault); });
      return true;
    }
    if (target == nullptr) return true;
    if (entry.kind == 'C')
      renameCity(*target, entry);
    else
      renameOfficer(*target, entry);
    return true;
  });
}

bool onlyQuestionMarks(std::string_view name) {
  return !name.empty() && name.find_first_not_of('?') == std::string_view::npos;
}

// A list whose names are mostly question marks was saved in an encoding that has no Chinese characters:
// applied, it would name everybody "??".
void requireNamesNotLost(TableText table) {
  std::size_t names = 0;
  std::size_t lost = 0;
  std::string firstLost;
  walkNameList(table.bytes, [&](const Entry& entry, int entryNumber) {
    if (entry.fields != 3) return true;
    ++names;
    if (onlyQuestionMarks(entry.name) && lost++ == 0) firstLost = entryPlace(table.bytes, entry, entryNumber);
    return true;
  });
  if (lost * 2 <= names) return;
  EditError error(kNamesAreQuestionMarks);
  if (!table.name.empty()) error.addDetail(tableLine(table.name));
  error.addDetail(formatMessage(kNamesAreQuestionMarksCount, names, lost) + firstLost);
  error.addDetail(kHintSaveEncodingForNames);
  throw error;
}

}  // namespace

std::string firstNonAsciiName(std::string_view text) {
  std::string found;
  walkNameList(text, [&](const Entry& entry, int entryNumber) {
    if (entry.fields != 3 || isAscii(entry.name)) return true;
    found = entryPlace(text, entry, entryNumber);
    return false;
  });
  return found;
}

void importNameList(ScenarioSet& set, TableText table, ImportWarnings* /*warnings*/) {
  requireNamesNotLost(table);
  applyNameList(set, table, &set, nullptr);
}

void listNameListProblems(const ScenarioSet& set, TableText table, ProblemList& problems) {
  applyNameList(set, table, nullptr, &problems);
}

}  // namespace vorandel
