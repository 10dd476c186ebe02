#pragma once
// The command-line program's standard output and error on Windows. The program's text is UTF-8: a
// console shows it through WriteConsoleW, whatever its code page; a pipe or a file gets it as GBK with
// Windows line ends, as Chinese Windows programs read it. The bytes of a file the user sent to standard
// output (a table, a report, a map) reach a pipe or a file unchanged, and a console as text.
#ifdef _WIN32
#include <windows.h>

#include <ostream>
#include <streambuf>
#include <string>

namespace vorandel {

class StandardStreamBuffer : public std::streambuf {
 public:
  explicit StandardStreamBuffer(DWORD which);  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE
  StandardStreamBuffer(const StandardStreamBuffer&) = delete;
  StandardStreamBuffer& operator=(const StandardStreamBuffer&) = delete;

  // Whether what is written now are a file's bytes rather than the program's text.
  void passBytes(bool pass);

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

 private:
  bool flush();

  HANDLE handle_;
  bool console_;
  bool pass_ = false;
  std::string pending_;
};

// Puts a StandardStreamBuffer under std::cout and std::cerr for the life of the object.
class WindowsStandardStreams {
 public:
  WindowsStandardStreams();
  ~WindowsStandardStreams();
  WindowsStandardStreams(const WindowsStandardStreams&) = delete;
  WindowsStandardStreams& operator=(const WindowsStandardStreams&) = delete;

 private:
  StandardStreamBuffer out_{STD_OUTPUT_HANDLE};
  StandardStreamBuffer err_{STD_ERROR_HANDLE};
  std::streambuf* previousOut_;
  std::streambuf* previousErr_;
};

// While it lives, what is written to the stream is a file's bytes (nothing happens for a stream that
// has no StandardStreamBuffer).
class PassedBytes {
 public:
  explicit PassedBytes(std::ostream& stream);
  ~PassedBytes();
  PassedBytes(const PassedBytes&) = delete;
  PassedBytes& operator=(const PassedBytes&) = delete;

 private:
  std::ostream& stream_;
  StandardStreamBuffer* buffer_;
};

}  // namespace vorandel
#endif
