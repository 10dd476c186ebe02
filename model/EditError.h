#pragma once
// The one error value of the editor for data and tables: a failed check raises an EditError with the UTF-8
// text the user is shown, in which the places the player knows (the scenario, a table cell) are already
// written, and with those places kept apart as well, for whoever wants to say more about them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Message.h"

namespace vorandel {

// Where an error lies, as far as it is known.
struct ErrorContext {
  std::optional<std::size_t> scenario;  // the scenario under check
  std::string file;                     // the table's name as the user gave it
  std::optional<std::uint32_t> row;     // 0-based line of the table
  std::optional<std::uint32_t> column;  // 0-based cell of that line
};

class EditError : public std::exception {
 public:
  explicit EditError(std::string text, ErrorContext context = {})
      : text_(std::move(text)), context_(std::move(context)) {}
  const std::string& text() const noexcept { return text_; }
  const ErrorContext& context() const noexcept { return context_; }
  const char* what() const noexcept override { return text_.c_str(); }

  // Lines shown below the text: the table, the cell and its value, what is allowed, hints. The text
  // stays what it always was; the details only add to it.
  const Message& details() const noexcept { return details_; }
  // Adds one line below the others.
  EditError& addDetail(const Message& line);

  // Every problem of the table, one UTF-8 line each, when they were listed after the first; the first
  // error is still the text above.
  const std::vector<std::string>& problems() const noexcept { return problems_; }
  EditError& setProblems(std::vector<std::string> problems);

  // The officer (his number, from 1, in the scenario under check) the failed check was looking at.
  const std::optional<int>& officer() const noexcept { return officer_; }
  EditError& aboutOfficer(int number) {
    officer_ = number;
    return *this;
  }

  // The same error found while checking scenario s: the text gains the line that names it.
  EditError inScenario(std::size_t s) const;

 private:
  std::string text_;
  ErrorContext context_;
  Message details_;
  std::vector<std::string> problems_;
  std::optional<int> officer_;
};

// printf-style checking; mingw-w64 builds use the C99 formatter (__USE_MINGW_ANSI_STDIO), so its
// format rules are those of GNU printf, not the old Windows runtime's.
#if defined(__MINGW32__)
#define VORANDEL_PRINTF_FORMAT(formatIndex, firstArgument) \
  __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#else
#define VORANDEL_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#endif

// printf-style formatting into a string; the text is never cut short, whatever its length.
std::string formatMessage(const char* format, ...) VORANDEL_PRINTF_FORMAT(1, 2);

[[noreturn]] void raiseEditError(const std::string& text);

// Inlined everywhere: the validator makes hundreds of thousands of these checks at every start.
[[gnu::always_inline]] inline void require(bool condition, const char* text) {
  if (!condition) [[unlikely]]
    raiseEditError(text);
}

// Formats only when the condition fails.
void requireFormatted(bool condition, const char* format, ...) VORANDEL_PRINTF_FORMAT(2, 3);

}  // namespace vorandel
