#include "tables/GbkBytes.h"

namespace vorandel {

namespace {

bool isLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

// The bytes of the character at `at`: two for a lead byte followed by anything, else one.
std::size_t characterWidth(std::string_view bytes, std::size_t at) {
  return isLead(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() ? 2 : 1;
}

}  // namespace

bool isGbkText(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == 0 || c == 0x80 || c == 0xFF) return false;
    if (c < 0x80) continue;
    if (i + 1 == bytes.size() || !isTrail(static_cast<unsigned char>(bytes[i + 1]))) return false;
    ++i;
  }
  return true;
}

std::vector<std::string_view> gbkCharacters(std::string_view bytes) {
  std::vector<std::string_view> characters;
  for (std::size_t i = 0; i < bytes.size(); i += characterWidth(bytes, i))
    characters.push_back(bytes.substr(i, characterWidth(bytes, i)));
  return characters;
}

std::string shortened(std::string_view bytes, std::size_t most) {
  if (bytes.size() <= most) return std::string(bytes);
  // Only the characters kept are looked at: the text may be a whole table.
  std::size_t kept = 0;
  while (kept + characterWidth(bytes, kept) <= most) kept += characterWidth(bytes, kept);
  return std::string(bytes.substr(0, kept)) + "…";
}

}  // namespace vorandel
