#pragma once
// A failed read or write of a scenario stream: data shorter than its counts say, or a file that cannot
// take the bytes. It names the file when the reader or writer knows which one it was.
#include <stdexcept>
#include <string>

namespace vorandel {

class StreamError : public std::exception {
 public:
  enum Kind { ReadFailed, WriteFailed };
  explicit StreamError(Kind kind, std::string file = {}) : kind_(kind), file_(std::move(file)) {}
  Kind kind() const noexcept { return kind_; }
  const std::string& file() const noexcept { return file_; }  // empty when not known
  const char* what() const noexcept override {
    return kind_ == ReadFailed ? "scenario data cut short" : "scenario data could not be written";
  }

 private:
  Kind kind_;
  std::string file_;
};

}  // namespace vorandel
