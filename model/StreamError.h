#pragma once
// A failed read or write of a scenario stream. It is not an EditError and carries no text: whoever
// catches it knows which file it was working on and tells the user.
namespace vorandel {

enum class StreamError : int {
  ReadFailed = 999991,
  WriteFailed = 999992,
};

}  // namespace vorandel
