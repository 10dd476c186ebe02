#pragma once
// A file or folder that could not be read, written, renamed or locked. Its message names the path as the
// user gave it and ends with the system's reason.
#include <stdexcept>
#include <string>

#include "model/Message.h"

namespace vorandel {

class FileError : public std::exception {
 public:
  explicit FileError(Message message) : message_(std::move(message)), joined_(message_.joined()) {}
  const Message& message() const noexcept { return message_; }
  const char* what() const noexcept override { return joined_.c_str(); }

 private:
  Message message_;
  std::string joined_;
};

}  // namespace vorandel
