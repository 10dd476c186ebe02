#pragma once
// A text for the user: the program's own UTF-8 text with pieces that come from outside as they are (a
// path as the user typed it, the system's reason for a failure). Only the edge that shows a message
// converts it, and there only the UTF-8 pieces: a path reaches the user exactly as it was typed.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

class Message {
 public:
  struct Piece {
    bool native;        // bytes from outside (a path, the system's text), in the system's own encoding
    std::string bytes;  // otherwise UTF-8
  };

  Message() = default;
  Message(std::string utf8) { text(utf8); }  // NOLINT: every text is a message
  Message(const char* utf8) { text(utf8); }  // NOLINT

  // A format whose every %s takes the next of the native pieces (paths), in order.
  static Message withPaths(std::string_view format, std::initializer_list<std::string_view> paths);

  Message& text(std::string_view utf8);
  Message& native(std::string_view bytes);
  // Starts a new line (when there is text already) with the given piece.
  Message& textLine(std::string_view utf8);
  Message& nativeLine(std::string_view bytes);
  Message& append(const Message& other);

  const std::vector<Piece>& pieces() const { return pieces_; }
  bool empty() const { return pieces_.empty(); }
  // All bytes in order: what a display shows whose own encoding is the system's and UTF-8 at once (paths
  // and system texts in UTF-8 as well).
  std::string joined() const;

 private:
  std::vector<Piece> pieces_;
};

}  // namespace vorandel
