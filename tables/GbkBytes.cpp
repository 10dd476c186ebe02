#include "tables/GbkBytes.h"

namespace vorandel {

namespace {

bool isLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

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
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t width = isLead(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
    characters.push_back(bytes.substr(i, width));
    i += width;
  }
  return characters;
}

std::string shortened(std::string_view bytes, std::size_t most) {
  if (bytes.size() <= most) return std::string(bytes);
  std::string kept;
  for (const std::string_view character : gbkCharacters(bytes)) {
    if (kept.size() + character.size() > most) break;
    kept += character;
  }
  return kept + "…";
}

}  // namespace vorandel
