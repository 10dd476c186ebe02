#include "model/GbkText.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <memory>
#include <utility>
#include <vector>
#endif

namespace vorandel {

namespace {

#ifdef _WIN32

constexpr const char* kGbk = "936";
constexpr const char* kUtf8 = "65001";
constexpr const char* kUtf16Le = "1200";
constexpr const char* kUtf16Be = "1201";

UINT codePage(const std::string& charset) {
  if (charset == "GBK" || charset == "CP936" || charset == "GB2312") return 936;
  if (charset == "UTF-8") return CP_UTF8;
  if (charset.empty() || charset.find_first_not_of("0123456789") != std::string::npos) return 0;
  return static_cast<UINT>(std::stoul(charset));
}

// The text as UTF-16 code units; nothing when a byte is not of the code page (strict) or the code page
// is unknown. Lenient conversion puts the system's replacement character in.
std::optional<std::wstring> toWide(std::string_view text, UINT source, bool strict) {
  if (text.empty()) return std::wstring();
  if (source == 1200 || source == 1201) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::wstring wide;
    for (std::size_t i = 0; i < text.size(); i += 2) {
      const auto first = static_cast<unsigned char>(text[i]);
      const auto second = static_cast<unsigned char>(text[i + 1]);
      wide += static_cast<wchar_t>(source == 1201 ? (first << 8) | second : (second << 8) | first);
    }
    return wide;
  }
  const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  const int size = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(source, flags, text.data(), size, nullptr, 0);
  if (count <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(source, flags, text.data(), size, wide.data(), count);
  // Windows gives the byte 0xFF and GBK's user-defined areas characters of the private use area; GBK
  // as the other systems read it has none, so they are not GBK text here either.
  if (source == 936) {
    for (wchar_t& character : wide) {
      if (character < 0xE000 || character > 0xF8FF) continue;
      if (strict) return std::nullopt;
      character = L'?';
    }
  }
  return wide;
}

// A character beyond the first 65536 (two UTF-16 units) has no form in a code page such as GBK: it
// becomes one '?', as on the other systems. Nothing when strict.
std::optional<std::wstring> withoutSurrogatePairs(const std::wstring& wide, bool strict) {
  std::wstring single;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const bool pair =
        wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    if (!pair) {
      single += wide[i];
      continue;
    }
    if (strict) return std::nullopt;
    single += L'?';
    ++i;
  }
  return single;
}

std::optional<std::string> fromWide(const std::wstring& wide, UINT target, bool strict) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  if (target == CP_UTF8) {
    const int count = WideCharToMultiByte(CP_UTF8, strict ? WC_ERR_INVALID_CHARS : 0, wide.data(), size, nullptr, 0,
                                          nullptr, nullptr);
    if (count <= 0) return std::nullopt;
    std::string out(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, strict ? WC_ERR_INVALID_CHARS : 0, wide.data(), size, out.data(), count, nullptr,
                        nullptr);
    return out;
  }
  const std::optional<std::wstring> single = withoutSurrogatePairs(wide, strict);
  if (!single) return std::nullopt;
  const int singleSize = static_cast<int>(single->size());
  BOOL lossy = FALSE;
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  const int count = WideCharToMultiByte(target, flags, single->data(), singleSize, nullptr, 0, "?", &lossy);
  if (count <= 0 || (strict && lossy)) return std::nullopt;
  std::string out(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(target, flags, single->data(), singleSize, out.data(), count, "?", &lossy);
  return out;
}

std::optional<std::string> convert(std::string_view text, const std::string& from, const std::string& to, bool strict) {
  const UINT source = codePage(from);
  const UINT target = codePage(to);
  if (source == 0 || target == 0) return std::nullopt;
  const std::optional<std::wstring> wide = toWide(text, source, strict);
  if (!wide) return std::nullopt;
  return fromWide(*wide, target, strict);
}

#else

constexpr const char* kGbk = "GBK";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16Le = "UTF-16LE";
constexpr const char* kUtf16Be = "UTF-16BE";

// The text converted in full; nothing when the character sets are unknown or, when strict, a byte is not
// of the source or a character has no form in the target. Lenient conversion marks such places with '?'
// and goes on after them.
// An open converter between two character sets.
struct OpenConverter {
  std::string from;
  std::string to;
  iconv_t converter;
  OpenConverter(std::string f, std::string t, iconv_t c) : from(std::move(f)), to(std::move(t)), converter(c) {}
  OpenConverter(const OpenConverter&) = delete;
  OpenConverter& operator=(const OpenConverter&) = delete;
  ~OpenConverter() { iconv_close(converter); }
};

// The converter from one character set to another, in its initial state. Opening one costs far more
// than converting a name, so each pair is opened once per thread and kept; -1 when the system has none.
iconv_t converterFor(const std::string& from, const std::string& to) {
  thread_local std::vector<std::unique_ptr<OpenConverter>> open;
  for (const std::unique_ptr<OpenConverter>& known : open) {
    if (known->from == from && known->to == to) {
      iconv(known->converter, nullptr, nullptr, nullptr, nullptr);
      return known->converter;
    }
  }
  iconv_t converter = iconv_open(to.c_str(), from.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return converter;
  open.push_back(std::make_unique<OpenConverter>(from, to, converter));
  return converter;
}

std::optional<std::string> convert(std::string_view text, const std::string& from, const std::string& to, bool strict) {
  iconv_t converter = converterFor(from, to);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char buffer[1024];
  bool whole = true;
  while (inLeft > 0 && whole) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (strict) {
      whole = false;
    } else {
      // One character is marked: a byte of GBK, a whole character of UTF-8.
      out += '?';
      do {
        ++in;
        --inLeft;
      } while (from == kUtf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
  }
  if (!whole) return std::nullopt;
  return out;
}

#endif

}  // namespace

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
  if (isAscii(gbk)) return std::string(gbk);
  return convert(gbk, kGbk, kUtf8, true);
}

std::string shownGbk(std::string_view gbk) {
  if (std::optional<std::string> exact = gbkToUtf8(gbk)) return *exact;
  return convert(gbk, kGbk, kUtf8, false).value_or(std::string(gbk.size(), '?'));
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  if (!isUtf8(utf8)) return std::nullopt;
  if (isAscii(utf8)) return std::string(utf8);
  std::optional<std::string> gbk = convert(utf8, kUtf8, kGbk, true);
  // Only what comes back unchanged is the character: a conversion that guessed is no conversion.
  if (gbk && convert(*gbk, kGbk, kUtf8, true) != std::string(utf8)) return std::nullopt;
  return gbk;
}

std::optional<std::string> utf16ToUtf8(std::string_view utf16, bool bigEndian) {
  if (utf16.size() % 2 != 0) return std::nullopt;
  return convert(utf16, bigEndian ? kUtf16Be : kUtf16Le, kUtf8, true);
}

std::string utf8To(std::string_view utf8, const std::string& charset) {
  if (charset == kUtf8 || charset == "UTF-8" || utf8.empty()) return std::string(utf8);
  return convert(utf8, kUtf8, charset, false).value_or(std::string(utf8));
}

std::optional<std::string> utf8Of(std::string_view text, const std::string& charset) {
  if (charset == kUtf8 || charset == "UTF-8") {
    if (!isUtf8(text)) return std::nullopt;
    return std::string(text);
  }
  return convert(text, charset, kUtf8, true);
}

bool isAscii(std::string_view bytes) {
  for (const char byte : bytes)
    if (static_cast<unsigned char>(byte) >= 0x80) return false;
  return true;
}

bool isUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    unsigned least = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      least = 0x10000;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    unsigned code = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::size_t gbkLength(std::string_view utf8) {
  std::size_t length = 0;
  for (const char byte : utf8) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80)
      length += 1;
    else if ((c & 0xC0) != 0x80)
      length += 2;  // the lead byte of a character
  }
  return length;
}

}  // namespace vorandel
