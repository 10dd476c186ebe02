#include "cli/WindowsConsole.h"

#include <algorithm>
#include <iostream>

#include "model/GbkText.h"
#include "model/WideText.h"

namespace vorandel {

namespace {

constexpr std::size_t kChunk = 1 << 16;

// The length of the longest prefix that ends with a whole UTF-8 character.
std::size_t wholeCharacters(const std::string& bytes) {
  std::size_t back = 0;
  while (back < bytes.size() && back < 4 && (static_cast<unsigned char>(bytes[bytes.size() - 1 - back]) & 0xC0) == 0x80)
    ++back;
  if (back == bytes.size()) return bytes.size();
  const auto lead = static_cast<unsigned char>(bytes[bytes.size() - 1 - back]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return length > back + 1 ? bytes.size() - 1 - back : bytes.size();
}

bool writeFile(HANDLE handle, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

bool writeConsole(HANDLE handle, const std::wstring& text) {
  for (std::size_t done = 0; done < text.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 8192));
    if (!WriteConsoleW(handle, text.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

std::string windowsLineEnds(const std::string& text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) lines += '\r';
    lines += text[i];
  }
  return lines;
}

}  // namespace

StandardStreamBuffer::StandardStreamBuffer(DWORD which) : handle_(GetStdHandle(which)) {
  DWORD mode = 0;
  console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode);
}

void StandardStreamBuffer::passBytes(bool pass) {
  flush();
  pass_ = pass;
}

StandardStreamBuffer::int_type StandardStreamBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_ += traits_type::to_char_type(c);
  if (!pass_ && pending_.size() >= kChunk && !flush()) return traits_type::eof();
  return c;
}

std::streamsize StandardStreamBuffer::xsputn(const char* bytes, std::streamsize count) {
  pending_.append(bytes, static_cast<std::size_t>(count));
  if (!pass_ && pending_.size() >= kChunk && !flush()) return 0;
  return count;
}

int StandardStreamBuffer::sync() { return flush() ? 0 : -1; }

// The program's text goes out in whole characters; a file's bytes all at once, when they are complete,
// so that a console shows them in the encoding they are in (a UTF-8 table, else GBK).
bool StandardStreamBuffer::flush() {
  if (pending_.empty() || handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
    pending_.clear();
    return true;
  }
  const std::size_t ready = pass_ ? pending_.size() : wholeCharacters(pending_);
  const std::string part = pending_.substr(0, ready);
  pending_.erase(0, ready);
  if (console_) return writeConsole(handle_, platform::wide(!pass_ || isUtf8(part) ? part : shownGbk(part)));
  if (pass_) return writeFile(handle_, part);
  return writeFile(handle_, windowsLineEnds(utf8To(part, "GBK")));
}

WindowsStandardStreams::WindowsStandardStreams()
    : previousOut_(std::cout.rdbuf(&out_)), previousErr_(std::cerr.rdbuf(&err_)) {}

WindowsStandardStreams::~WindowsStandardStreams() {
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(previousOut_);
  std::cerr.rdbuf(previousErr_);
}

PassedBytes::PassedBytes(std::ostream& stream)
    : stream_(stream), buffer_(dynamic_cast<StandardStreamBuffer*>(stream.rdbuf())) {
  if (buffer_ == nullptr) return;
  stream_.flush();
  buffer_->passBytes(true);
}

PassedBytes::~PassedBytes() {
  if (buffer_ == nullptr) return;
  stream_.flush();
  buffer_->passBytes(false);
}

}  // namespace vorandel
