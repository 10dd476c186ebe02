#include "tables/NameList.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

#include "model/EditError.h"
#include "rules/GameRules.h"

namespace vorandel {

namespace {

constexpr std::size_t kNameFieldLength = 10;  // bytes of a name that are read at most
constexpr std::size_t kCityNameLength = 4;
constexpr std::size_t kOfficerNameLength = 8;

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Entry {
  char kind = 0;
  std::uint32_t number = 0;
  std::string name;
  int fields = 0;  // how many of the three fields were read
};

// Reads entries from the text of a list the way formatted input reads "kind number name": white space
// is skipped before each field; the kind is the longest run of W and C, the number an unsigned decimal
// (sign allowed, as strtoul reads it with a 32-bit long), the name at most 10 bytes up to white space.
class EntryReader {
 public:
  explicit EntryReader(std::string_view text) : text_(text) {}

  // The next entry, or nothing when only white space is left.
  std::optional<Entry> next() {
    skipBlanks();
    if (pos_ == text_.size()) return std::nullopt;
    Entry entry;
    if (!readKind(entry)) return entry;
    skipBlanks();
    if (!readNumber(entry)) return entry;
    skipBlanks();
    readName(entry);
    return entry;
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
    while (pos_ < text_.size() && pos_ - start < kNameFieldLength && !isBlank(text_[pos_])) ++pos_;
    if (pos_ == start) return;
    entry.name = std::string(text_.substr(start, pos_ - start));
    entry.fields = 3;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

void renameCity(ScenarioSet& set, std::uint32_t number, const std::string& name) {
  require(number >= 1 && number <= static_cast<std::uint32_t>(kCityCount), "城市编号超出范围。");
  require(name.size() <= kCityNameLength, "城市名长度最多只能为4个字符。");
  for (Scenario& scenario : set.scenarios)
    scenario.cityName(static_cast<int>(number)).setText(cityName::name, name, kCityNameWidth);
}

void renameOfficer(ScenarioSet& set, std::uint32_t id, const std::string& name) {
  require(id < set.idCapacity, "武将头像编号超出范围。");
  require(name.size() <= kOfficerNameLength, "武将名长度最多只能为8个字符。");
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    Scenario& scenario = set.scenario(s);
    const std::optional<OfficerIndex> index = set.officerIndexOf(s, static_cast<long>(id));
    if (!index || !scenario.isOfficerNumber(index->number())) continue;  // no such officer here
    scenario.officerProfile(index->number()).setText(profile::name, name, kOfficerNameWidth);
  }
}

}  // namespace

void importNameList(ScenarioSet& set, TableText table) {
  EntryReader reader(table.bytes);
  int entryNumber = 0;
  while (const std::optional<Entry> entry = reader.next()) {
    ++entryNumber;
    requireFormatted(entry->fields == 3, "Error File format at line: %d", entryNumber);
    if (entry->kind == 'C')
      renameCity(set, entry->number, entry->name);
    else
      renameOfficer(set, entry->number, entry->name);
  }
}

}  // namespace vorandel
