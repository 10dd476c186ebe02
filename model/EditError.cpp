#include "model/EditError.h"

#include <cstdarg>
#include <cstdio>

namespace vorandel {

int errorScenario = -1;

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

void raiseEditError(const std::string& text) {
  if (errorScenario == -1) throw EditError(text);
  throw EditError(formatMessage("剧本%2u存在错误\n%s", static_cast<unsigned>(errorScenario), text.c_str()));
}

void requireFormatted(bool condition, const char* format, ...) {
  if (condition) return;
  va_list args;
  va_start(args, format);
  std::string text = formatList(format, args);
  va_end(args);
  raiseEditError(text);
}

}  // namespace vorandel
