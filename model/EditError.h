#pragma once
// The one error value of the editor: a failed check raises an EditError whose only content is the GBK
// message text that the user is shown. Locations (row and column of a table cell, the scenario under
// check) are already written into the text.
#include <stdexcept>
#include <string>

namespace vorandel {

class EditError : public std::exception {
 public:
  explicit EditError(std::string text) : text_(std::move(text)) {}
  const std::string& text() const noexcept { return text_; }
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// printf-style checking; mingw-w64 builds use the C99 formatter (__USE_MINGW_ANSI_STDIO), so its
// format rules are those of GNU printf, not the old Windows runtime's.
#if defined(__MINGW32__)
#define VORANDEL_PRINTF_FORMAT(formatIndex, firstArgument) \
  __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#else
#define VORANDEL_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#endif

// Index of the scenario that the validator is checking, -1 at all other times. While it is not -1,
// every raised error is prefixed with a line naming that scenario.
extern int errorScenario;

// printf-style formatting into a string; the text is never cut short, whatever its length.
std::string formatMessage(const char* format, ...) VORANDEL_PRINTF_FORMAT(1, 2);

// Adds the scenario prefix when errorScenario is set, then throws EditError.
[[noreturn]] void raiseEditError(const std::string& text);

inline void require(bool condition, const char* text) {
  if (!condition) raiseEditError(text);
}

// Formats only when the condition fails.
void requireFormatted(bool condition, const char* format, ...) VORANDEL_PRINTF_FORMAT(2, 3);

}  // namespace vorandel
