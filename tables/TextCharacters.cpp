#include "tables/TextCharacters.h"

#include "model/GbkText.h"

namespace vorandel {

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::vector<std::string_view> characters(std::string_view text) {
  std::vector<std::string_view> found;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t width = 1;
    while (i + width < text.size() && isContinuation(text[i + width])) ++width;
    found.push_back(text.substr(i, width));
    i += width;
  }
  return found;
}

std::string shortened(std::string_view text, std::size_t most) {
  if (gbkLength(text) <= most) return std::string(text);
  std::string kept;
  std::size_t width = 0;
  for (const std::string_view character : characters(text)) {
    width += gbkLength(character);
    if (width > most) break;
    kept += character;
  }
  return kept + "…";
}

}  // namespace vorandel
