#include "model/GbkText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/ByteBlocks.h"
#include "model/Field.h"

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

// GBK is read one character at a time: a byte below 0x80 is itself, any other byte is a character alone
// or the first of two. What the system's converter makes of each character is asked once per thread and
// kept, so that a long text costs a table look-up per character rather than a conversion.
constexpr std::uint32_t kNotAsked = 0xFFFFFFFF;
constexpr std::uint32_t kNoCharacter = 0xFFFFFFFE;
constexpr std::uint32_t kLongCharacter = 0xFFFFFFFD;  // the least of the three marks

// The one code point that whole UTF-8 text holds; kNoCharacter when it holds none or several.
std::uint32_t onlyCodePoint(const std::string& utf8) {
  if (utf8.empty()) return kNoCharacter;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (utf8.size() != length) return kNoCharacter;
  std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3Fu);
  return code;
}

// Writes the code point as UTF-8 at `to` (room for four bytes); returns the end of what it wrote.
char* writeUtf8(char* to, std::uint32_t code) {
  if (code < 0x80) {
    *to++ = static_cast<char>(code);
  } else if (code < 0x800) {
    *to++ = static_cast<char>(0xC0 | (code >> 6));
    *to++ = static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *to++ = static_cast<char>(0xE0 | (code >> 12));
    *to++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *to++ = static_cast<char>(0xF0 | (code >> 18));
    *to++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *to++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (code & 0x3F));
  }
  return to;
}

// A character's UTF-8 bytes packed in a word, the first in the low byte; its length follows from that
// first byte. The two marks below begin with bytes that no UTF-8 text begins with.
constexpr std::size_t utf8Length(std::uint32_t packed) {
  const auto lead = packed & 0xFFu;
  return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

std::uint32_t packedUtf8(std::uint32_t code) {
  char bytes[4] = {};
  writeUtf8(bytes, code);
  return loadLe<std::uint32_t>(reinterpret_cast<const std::uint8_t*>(bytes));
}

class GbkCharacters {
 public:
  // The UTF-8 of the byte b (0x80 or above) alone, packed; kNoCharacter when it is not a character alone.
  std::uint32_t single(unsigned char b) {
    std::uint32_t& known = single_[b - 0x80u];
    if (known == kNotAsked) known = asked(std::string(1, static_cast<char>(b)));
    return known;
  }
  // The UTF-8 of the two bytes, packed; kNoCharacter when they are not one character.
  static std::uint32_t pair(unsigned char first, unsigned char second) {
    const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
    return asked(std::string(bytes, 2));
  }
  // What reading from a byte of 0x80 or above, followed by `second`, gives: the character's UTF-8, packed,
  // in the low three bytes, the number of GBK bytes it takes (one or two) in the next four bits and the
  // number of its UTF-8 bytes in the four above them. kNoCharacter when there is no character;
  // kLongCharacter for one of four UTF-8 bytes, which single() and pair() read. The last byte of a text is
  // read with a second byte of 0, which no GBK character has.
  // The answers are kept in `readings`, which the caller holds apart from the text it writes to.
  std::uint32_t reading(std::uint32_t* readings, unsigned char first, unsigned char second) {
    std::uint32_t& known = readings[readingSlot(first, second)];
    if (known == kNotAsked) [[unlikely]] {
      known = readingAlone(first, second);
      if (known < kLongCharacter) taken_[first - 0x80u] = static_cast<std::uint8_t>((known >> 24) & 0xFu);
    }
    return known;
  }
  std::uint32_t* readings() { return readings_.data(); }
  // Per byte of 0x80 or above: how many GBK bytes a character that begins with it takes, once reading()
  // has read one; 0 before. The byte alone tells it, so a reader can move on without waiting for the
  // large table of readings.
  const std::uint8_t* taken() const { return taken_.data(); }
  // Where in `readings` the answer for the two bytes is kept, asked or not.
  static std::size_t readingSlot(unsigned char first, unsigned char second) { return ((first - 0x80u) << 8) | second; }
  // The GBK bytes of a code point beyond ASCII (one or two, the first in the high byte when two); 0 when
  // GBK has no character for it that reads back as the same code point.
  std::uint16_t encoded(std::uint32_t code) {
    if (code >= 0x10000) return encodedAlone(code);
    std::uint16_t& known = encoded_[code];
    if (known == kEncodedNotAsked) known = encodedAlone(code);
    return known;
  }

 private:
  static constexpr std::uint16_t kEncodedNotAsked = 0xFFFF;

  std::uint32_t readingAlone(unsigned char first, unsigned char second) {
    std::uint32_t utf8 = single(first);
    std::uint32_t taken = 1;
    if (utf8 == kNoCharacter) {
      utf8 = pair(first, second);
      taken = 2;
    }
    if (utf8 == kNoCharacter) return kNoCharacter;
    const auto length = static_cast<std::uint32_t>(utf8Length(utf8));
    if (length == 4) return kLongCharacter;
    return utf8 | (taken << 24) | (length << 28);
  }

  static std::uint32_t asked(const std::string& gbk) {
    const std::optional<std::string> utf8 = convert(gbk, kGbk, kUtf8, true);
    const std::uint32_t code = utf8 ? onlyCodePoint(*utf8) : kNoCharacter;
    return code == kNoCharacter ? kNoCharacter : packedUtf8(code);
  }
  static std::uint16_t encodedAlone(std::uint32_t code) {
    char bytes[4];
    const std::string utf8(bytes, static_cast<std::size_t>(writeUtf8(bytes, code) - bytes));
    const std::optional<std::string> gbk = convert(utf8, kUtf8, kGbk, true);
    if (!gbk || gbk->empty() || gbk->size() > 2 || static_cast<unsigned char>((*gbk)[0]) < 0x80) return 0;
    if (convert(*gbk, kGbk, kUtf8, true) != utf8) return 0;
    if (gbk->size() == 1) return static_cast<unsigned char>((*gbk)[0]);
    return static_cast<std::uint16_t>((static_cast<unsigned char>((*gbk)[0]) << 8) |
                                      static_cast<unsigned char>((*gbk)[1]));
  }

  std::vector<std::uint32_t> single_ = std::vector<std::uint32_t>(0x80, kNotAsked);
  std::array<std::uint8_t, 0x80> taken_{};
  std::vector<std::uint32_t> readings_ = std::vector<std::uint32_t>(0x80 * 0x100, kNotAsked);
  std::vector<std::uint16_t> encoded_ = std::vector<std::uint16_t>(0x10000, kEncodedNotAsked);
};

GbkCharacters& gbkCharacters() {
  thread_local GbkCharacters characters;
  return characters;
}

// The length of the run of ASCII bytes from `from`: a block at a time while a whole block is left, then
// byte by byte.
std::size_t asciiRun(std::string_view bytes, std::size_t from) {
  std::size_t at = from;
  while (bytes.size() - at >= kByteBlock) {
    const ByteMarks beyond = bytesBeyondAscii(bytes.data() + at);
    if (beyond != 0) return at + bytesBeforeMark(beyond) - from;
    at += kByteBlock;
  }
  while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
  return at - from;
}

}  // namespace

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
  GbkCharacters& characters = gbkCharacters();
  std::uint32_t* const readings = characters.readings();
  const std::uint8_t* const taken = characters.taken();
  std::string out;
  out.reserve(gbk.size() + gbk.size() / 2);
  // The text is gathered in a small buffer and appended a buffer at a time. ASCII is copied a block at a
  // time, the whole block even when a byte beyond ASCII is in it: the bytes before it are kept, the rest
  // written over.
  char buffer[4096];
  char* to = buffer;
  // Room is left for a block and a character of four bytes after it, and for the text's last byte, read
  // after the loop, as a character of four bytes too.
  const char* const full = buffer + sizeof buffer - kByteBlock - 4 - 4;
  const char* at = gbk.data();
  const char* const end = at + gbk.size();
  // Writes the character that begins with a byte beyond ASCII and moves past it; false when there is none.
  const auto readCharacter = [&](unsigned char first, unsigned char second) {
    std::uint32_t reading = readings[GbkCharacters::readingSlot(first, second)];
    std::uint32_t length = taken[first - 0x80u];
    // One test for the three marks, which are the largest words: not asked yet, no character, long.
    if (reading >= kLongCharacter || length == 0) [[unlikely]] {
      reading = characters.reading(readings, first, second);
      if (reading == kNoCharacter) return false;
      if (reading == kLongCharacter) {
        std::uint32_t utf8 = characters.single(first);
        reading = 1;
        if (utf8 == kNoCharacter) {
          utf8 = characters.pair(first, second);
          reading = 2;
        }
        storeLe(reinterpret_cast<std::uint8_t*>(to), utf8);
        to += 4;
        at += reading;
        return true;
      }
      length = (reading >> 24) & 0xFu;
    }
    storeLe(reinterpret_cast<std::uint8_t*>(to), reading);
    to += reading >> 28;
    at += length;
    return true;
  };
  // Every byte before the last has one after it, which is the second byte of a character it begins.
  const char* const last = gbk.empty() ? end : end - 1;
  while (at < last) {
    if (to > full) {
      out.append(buffer, static_cast<std::size_t>(to - buffer));
      to = buffer;
    }
    // A byte beyond ASCII, most often the next character of a name, is read at once, and so is one ASCII
    // byte before it, most often the comma of a list of names; longer ASCII goes a block at a time.
    if (static_cast<unsigned char>(*at) < 0x80) {
      if (static_cast<unsigned char>(at[1]) >= 0x80 || static_cast<std::size_t>(end - at) < kByteBlock) {
        *to++ = *at++;
        continue;
      }
      std::memcpy(to, at, kByteBlock);
      const ByteMarks beyond = bytesBeyondAscii(at);
      const std::size_t ascii = beyond == 0 ? kByteBlock : bytesBeforeMark(beyond);
      at += ascii;
      to += ascii;
      if (ascii == kByteBlock || at == last) continue;
    }
    if (!readCharacter(static_cast<unsigned char>(at[0]), static_cast<unsigned char>(at[1]))) return std::nullopt;
  }
  // The last byte, when no character took it: read with a second byte of 0, which no GBK character has.
  if (at != end) {
    if (static_cast<unsigned char>(*at) < 0x80)
      *to++ = *at;
    else if (!readCharacter(static_cast<unsigned char>(*at), 0))
      return std::nullopt;
  }
  out.append(buffer, static_cast<std::size_t>(to - buffer));
  return out;
}

std::string shownGbk(std::string_view gbk) {
  if (std::optional<std::string> exact = gbkToUtf8(gbk)) return *exact;
  return convert(gbk, kGbk, kUtf8, false).value_or(std::string(gbk.size(), '?'));
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  if (!isUtf8(utf8)) return std::nullopt;
  // Only what comes back unchanged is the character: a conversion that guessed is no conversion.
  GbkCharacters& characters = gbkCharacters();
  std::string gbk;
  gbk.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    // A run of ASCII is copied as it is; a character beyond it, most often the next of a name, is read at once.
    if (static_cast<unsigned char>(utf8[at]) < 0x80) {
      const std::size_t run = asciiRun(utf8, at);
      gbk.append(utf8.data() + at, run);
      at += run;
      continue;
    }
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[at + k]) & 0x3Fu);
    at += length;
    const std::uint16_t bytes = characters.encoded(code);
    if (bytes == 0) return std::nullopt;
    if (bytes > 0xFF) gbk += static_cast<char>(bytes >> 8);
    gbk += static_cast<char>(bytes & 0xFF);
  }
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

bool isAscii(std::string_view bytes) { return asciiRun(bytes, 0) == bytes.size(); }

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
