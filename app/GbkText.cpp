#include "app/GbkText.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace vorandel {

namespace {

bool isGbkName(const std::string& charset) {
  return charset == "GBK" || charset == "CP936" || charset == "936" || charset == "GB2312";
}

}  // namespace

#ifdef _WIN32

namespace {

// The code page a character set names: a number, or one of the names the program itself uses.
UINT codePageOf(const std::string& charset) {
  if (isGbkName(charset)) return 936;
  if (charset.empty() || charset.find_first_not_of("0123456789") != std::string::npos) return CP_UTF8;
  return static_cast<UINT>(std::stoul(charset));
}

}  // namespace

std::string convertCodePage(unsigned source, std::string_view bytes, const std::string& charset) {
  const UINT target = codePageOf(charset);
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

std::string gbkTo(std::string_view gbk, const std::string& charset) {
  if (isGbkName(charset) || gbk.empty()) return std::string(gbk);
  return convertCodePage(936, gbk, charset);
}

std::string gbkToUtf8(std::string_view gbk) { return gbkTo(gbk, std::to_string(CP_UTF8)); }

namespace {

// The whole text as GBK, or nothing when a character has no GBK form.
std::optional<std::string> wideToGbk(const std::wstring& unicode) {
  if (unicode.empty()) return std::string();
  const int wide = static_cast<int>(unicode.size());
  BOOL lossy = FALSE;
  const int narrow = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, unicode.data(), wide, nullptr, 0, nullptr, &lossy);
  if (narrow <= 0 || lossy) return std::nullopt;
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, unicode.data(), wide, out.data(), narrow, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return out;
}

// The whole text from the code page into GBK, or nothing when a byte is not of the code page or a
// character has no GBK form.
std::optional<std::string> codePageToGbk(UINT source, std::string_view text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(source, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide <= 0) return std::nullopt;
  std::wstring unicode(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(source, MB_ERR_INVALID_CHARS, text.data(), size, unicode.data(), wide);
  return wideToGbk(unicode);
}

}  // namespace

std::optional<std::string> utf8ToGbk(std::string_view utf8) { return codePageToGbk(CP_UTF8, utf8); }

std::optional<std::string> utf16ToGbk(std::string_view utf16, bool bigEndian) {
  if (utf16.size() % 2 != 0) return std::nullopt;
  std::wstring unicode;
  for (std::size_t i = 0; i < utf16.size(); i += 2) {
    const auto first = static_cast<unsigned char>(utf16[i]);
    const auto second = static_cast<unsigned char>(utf16[i + 1]);
    unicode += static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return wideToGbk(unicode);
}

std::optional<std::string> gbkOf(std::string_view text, const std::string& charset) {
  if (isGbkName(charset)) return std::string(text);
  return codePageToGbk(codePageOf(charset), text);
}

#else

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

std::string gbkToUtf8(std::string_view gbk) { return gbkTo(gbk, "UTF-8"); }

std::optional<std::string> gbkOf(std::string_view text, const std::string& charset) {
  if (isGbkName(charset)) return std::string(text);
  iconv_t converter = iconv_open("GBK", charset.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char buffer[1024];
  bool converted = true;
  while (inLeft > 0 && converted) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    // Not of the character set, cut off at the end, or without a GBK form: the text cannot be used.
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) converted = false;
  }
  iconv_close(converter);
  if (!converted) return std::nullopt;
  return out;
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) { return gbkOf(utf8, "UTF-8"); }

std::optional<std::string> utf16ToGbk(std::string_view utf16, bool bigEndian) {
  if (utf16.size() % 2 != 0) return std::nullopt;
  return gbkOf(utf16, bigEndian ? "UTF-16BE" : "UTF-16LE");
}

#endif

}  // namespace vorandel
