#pragma once
// Maps the exact bytes of a column name, or of an item name in a list cell, to a small code. An importer
// builds each of its dictionaries on its first run and keeps it until the program ends.
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vorandel {

class ColumnDictionary {
 public:
  // The names get the codes 0, 1, 2, ... in the order given.
  ColumnDictionary(std::initializer_list<const char*> names)
      : ColumnDictionary(std::span(names.begin(), names.size())) {}
  explicit ColumnDictionary(std::span<const char* const> names) {
    int code = 0;
    for (const char* name : names) codes_.emplace(name, code++);
  }

  // The names with codes of their own (the game's vocabulary).
  ColumnDictionary(std::initializer_list<std::pair<std::string_view, int>> entries) {
    for (const auto& [name, code] : entries) codes_.emplace(name, code);
  }

  std::size_t size() const { return codes_.size(); }

  // Every name with its code, ordered by code (and by name where codes are equal).
  std::vector<std::pair<std::string_view, int>> entries() const {
    std::vector<std::pair<std::string_view, int>> all;
    for (const auto& [name, code] : codes_) all.emplace_back(name, code);
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
      return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    return all;
  }

  // The code of a name, compared byte for byte; nothing when the name is unknown.
  std::optional<int> find(std::string_view name) const {
    const auto it = codes_.find(name);
    if (it == codes_.end()) return std::nullopt;
    return it->second;
  }

 private:
  // Looked up by string_view without making a string of it.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, int, Hash, std::equal_to<>> codes_;
};

}  // namespace vorandel
