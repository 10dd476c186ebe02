#include "model/EditError.h"

#include <cstdarg>
#include <cstdio>

namespace vorandel {

namespace {

std::string formatList(const char* format, va_list args) {
  char small[1024];
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  if (needed < 0) {
    va_end(again);
    return std::string();
  }
  std::string text;
  if (static_cast<std::size_t>(needed) < sizeof small) {
    text.assign(small, static_cast<std::size_t>(needed));
  } else {
    text.resize(static_cast<std::size_t>(needed));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
  va_end(again);
  return text;
}

}  // namespace

std::string formatMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = formatList(format, args);
  va_end(args);
  return text;
}

EditError EditError::inScenario(std::size_t s) const {
  ErrorContext context = context_;
  context.scenario = s;
  EditError error(formatMessage("剧本%2u存在错误\n%s", static_cast<unsigned>(s), text_.c_str()), std::move(context));
  error.details_ = details_;
  error.problems_ = problems_;
  error.officer_ = officer_;
  return error;
}

EditError& EditError::addDetail(const Message& line) {
  if (!details_.empty()) details_.text("\n");
  details_.append(line);
  return *this;
}

EditError& EditError::setProblems(std::vector<std::string> problems) {
  problems_ = std::move(problems);
  return *this;
}

void raiseEditError(const std::string& text) { throw EditError(text); }

void requireFormatted(bool condition, const char* format, ...) {
  if (condition) return;
  va_list args;
  va_start(args, format);
  std::string text = formatList(format, args);
  va_end(args);
  raiseEditError(text);
}

}  // namespace vorandel
