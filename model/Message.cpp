#include "model/Message.h"

namespace vorandel {

Message Message::withPaths(std::string_view format, std::initializer_list<std::string_view> paths) {
  // '%' is never part of a UTF-8 character, so the format splits safely at "%s".
  Message message;
  const std::string_view* path = paths.begin();
  std::size_t start = 0;
  for (std::size_t at = format.find("%s"); at != std::string_view::npos && path != paths.end();
       at = format.find("%s", start)) {
    message.text(format.substr(start, at - start));
    message.native(*path++);
    start = at + 2;
  }
  message.text(format.substr(start));
  return message;
}

Message& Message::text(std::string_view utf8) {
  if (utf8.empty()) return *this;
  if (!pieces_.empty() && !pieces_.back().native)
    pieces_.back().bytes += utf8;
  else
    pieces_.push_back(Piece{false, std::string(utf8)});
  return *this;
}

Message& Message::native(std::string_view bytes) {
  if (!bytes.empty()) pieces_.push_back(Piece{true, std::string(bytes)});
  return *this;
}

Message& Message::textLine(std::string_view utf8) {
  if (!pieces_.empty()) text("\n");
  return text(utf8);
}

Message& Message::nativeLine(std::string_view bytes) {
  if (!pieces_.empty()) text("\n");
  return native(bytes);
}

Message& Message::append(const Message& other) {
  for (const Piece& piece : other.pieces_) piece.native ? native(piece.bytes) : text(piece.bytes);
  return *this;
}

std::string Message::joined() const {
  std::string all;
  for (const Piece& piece : pieces_) all += piece.bytes;
  return all;
}

}  // namespace vorandel
