#pragma once
// Maps the exact bytes of a column name, or of an item name in a list cell, to a small code. An importer
// builds each of its dictionaries on its first run and keeps it until the program ends.
//
// A cell's names are looked up by the thousand in a long table, so the dictionary is a flat table with
// open addressing, hashed eight bytes at a time: the names are a few characters long.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorandel {

class ColumnDictionary {
 public:
  // The names get the codes 0, 1, 2, ... in the order given.
  ColumnDictionary(std::initializer_list<const char*> names)
      : ColumnDictionary(std::span(names.begin(), names.size())) {}
  explicit ColumnDictionary(std::span<const char* const> names) {
    std::vector<std::pair<std::string_view, int>> entries;
    int code = 0;
    for (const char* name : names) entries.emplace_back(name, code++);
    build(entries);
  }

  // The names with codes of their own (the game's vocabulary).
  ColumnDictionary(std::initializer_list<std::pair<std::string_view, int>> entries) {
    build(std::vector<std::pair<std::string_view, int>>(entries));
  }

  std::size_t size() const { return entries_.size(); }

  // Every name with its code, ordered by code (and by name where codes are equal).
  std::vector<std::pair<std::string_view, int>> entries() const {
    std::vector<std::pair<std::string_view, int>> all;
    for (const Entry& entry : entries_) all.emplace_back(entry.name, entry.code);
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
      return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    return all;
  }

  // The code of a name, compared byte for byte; nothing when the name is unknown.
  std::optional<int> find(std::string_view name) const {
    const std::uint64_t hashed = hash(name);
    for (std::size_t slot = hashed & mask_;; slot = (slot + 1) & mask_) {
      const Slot held = slots_[slot];
      if (held.entry == 0) return std::nullopt;
      if (held.hash != static_cast<std::uint32_t>(hashed >> 32)) continue;
      const Entry& entry = entries_[held.entry - 1];
      if (sameBytes(entry.name, name)) return entry.code;
    }
  }

 private:
  struct Entry {
    std::string name;
    int code;
  };
  struct Slot {
    std::uint32_t entry = 0;  // 1 + the index of the entry, 0 for an empty slot
    std::uint32_t hash = 0;   // the high half of the name's hash, which rules out nearly every other name
  };

  // Four bytes of a name from `at`, in the order of the machine; a name's hash and comparison only ever
  // set them against bytes read the same way.
  static std::uint64_t fourBytes(const char* at) {
    std::uint32_t bytes;
    std::memcpy(&bytes, at, 4);
    return bytes;
  }

  // A name is a few bytes: comparing them here costs less than calling memcmp. A name of four to eight
  // bytes is all in its first four bytes and its last four.
  static bool sameBytes(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    if (n >= 4 && n <= 8)
      return fourBytes(a.data()) == fourBytes(b.data()) && fourBytes(a.data() + n - 4) == fourBytes(b.data() + n - 4);
    for (std::size_t k = 0; k < n; ++k)
      if (a[k] != b[k]) return false;
    return true;
  }

  static std::uint64_t mixed(std::uint64_t hash, std::uint64_t bytes) {
    hash = (hash ^ bytes) * 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 29);
  }

  static std::uint64_t hash(std::string_view name) {
    const std::size_t n = name.size();
    const std::uint64_t start = 0x9E3779B97F4A7C15ull ^ n;
    if (n >= 4 && n <= 8) return mixed(start, fourBytes(name.data()) | (fourBytes(name.data() + n - 4) << 32));
    std::uint64_t hash = start;
    for (std::size_t at = 0; at < n; at += 8) {
      std::uint64_t chunk = 0;
      for (std::size_t k = 0; k < 8 && at + k < n; ++k)
        chunk |= std::uint64_t{static_cast<unsigned char>(name[at + k])} << (8 * k);
      hash = mixed(hash, chunk);
    }
    return hash;
  }

  // A name given twice keeps its first code.
  void build(const std::vector<std::pair<std::string_view, int>>& entries) {
    std::size_t room = 8;
    while (room < entries.size() * 2) room *= 2;  // at most half full, so that a miss ends soon
    slots_.assign(room, Slot{});
    mask_ = room - 1;
    for (const auto& [name, code] : entries) {
      if (find(name)) continue;
      entries_.push_back(Entry{std::string(name), code});
      const std::uint64_t hashed = hash(name);
      std::size_t slot = hashed & mask_;
      while (slots_[slot].entry != 0) slot = (slot + 1) & mask_;
      slots_[slot] = Slot{static_cast<std::uint32_t>(entries_.size()), static_cast<std::uint32_t>(hashed >> 32)};
    }
  }

  std::vector<Entry> entries_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace vorandel
