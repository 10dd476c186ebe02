#include "cli/TerminalText.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <langinfo.h>
#endif

namespace vorandel {

namespace {

bool isGbkName(const std::string& charset) {
  return charset == "GBK" || charset == "CP936" || charset == "936" || charset == "GB2312";
}

}  // namespace

#ifdef _WIN32

std::string terminalCharset() { return std::to_string(GetConsoleOutputCP()); }

namespace {

std::string convertCodePage(UINT source, std::string_view bytes, const std::string& charset) {
  const UINT target = static_cast<UINT>(std::stoul(charset));
  if (bytes.empty() || source == target) return std::string(bytes);
  const int wide = MultiByteToWideChar(source, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(source, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), wide);
  // UTF-8 has a form for every character and takes no replacement character.
  const char* replacement = target == CP_UTF8 ? nullptr : "?";
  const int narrow = WideCharToMultiByte(target, 0, text.data(), wide, nullptr, 0, replacement, nullptr);
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(target, 0, text.data(), wide, out.data(), narrow, replacement, nullptr);
  return out;
}

// Paths and the system's texts are in the ANSI code page.
std::string nativeTo(std::string_view bytes, const std::string& charset) {
  return convertCodePage(GetACP(), bytes, charset);
}

}  // namespace

std::string gbkTo(std::string_view gbk, const std::string& charset) {
  if (isGbkName(charset) || gbk.empty()) return std::string(gbk);
  return convertCodePage(936, gbk, charset);
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const int size = static_cast<int>(utf8.size());
  const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wide <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, text.data(), wide);
  BOOL lossy = FALSE;
  const int narrow = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text.data(), wide, nullptr, 0, nullptr, &lossy);
  if (narrow <= 0 || lossy) return std::nullopt;
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text.data(), wide, out.data(), narrow, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return out;
}

#else

std::string terminalCharset() {
  const char* codeset = nl_langinfo(CODESET);
  // The C locale names plain ASCII, which cannot show Chinese at all; today's terminals read UTF-8.
  if (codeset == nullptr || std::strcmp(codeset, "ANSI_X3.4-1968") == 0 || std::strcmp(codeset, "ASCII") == 0)
    return "UTF-8";
  return codeset;
}

std::string gbkTo(std::string_view gbk, const std::string& charset) {
  if (isGbkName(charset)) return std::string(gbk);
  iconv_t converter = iconv_open(charset.c_str(), "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(gbk);
  std::string out;
  char* in = const_cast<char*>(gbk.data());
  std::size_t inLeft = gbk.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A byte that is not GBK (or cannot be shown): mark it and go on after it.
      out += '?';
      ++in;
      --inLeft;
    }
  }
  iconv_close(converter);
  return out;
}

namespace {

// Paths and the system's texts are in the locale's encoding already, which is the terminal's.
std::string nativeTo(std::string_view bytes, const std::string&) { return std::string(bytes); }

}  // namespace

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char buffer[1024];
  bool converted = true;
  while (inLeft > 0 && converted) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    // Not UTF-8, cut off at the end, or without a GBK form: the text cannot be used.
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) converted = false;
  }
  iconv_close(converter);
  if (!converted) return std::nullopt;
  return out;
}

#endif

std::string messageTo(const Message& message, const std::string& charset) {
  std::string shown;
  for (const Message::Piece& piece : message.pieces())
    shown += piece.native ? nativeTo(piece.bytes, charset) : gbkTo(piece.bytes, charset);
  return shown;
}

}  // namespace vorandel
