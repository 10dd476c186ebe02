// GBK read and written a character at a time from kept answers must say exactly what the system's own
// converter says of the same bytes, for every byte and every pair of bytes, alone and inside a text.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "model/GbkText.h"

#ifndef _WIN32
#include <iconv.h>
#endif

namespace vorandel {
namespace {

TEST(GbkTextTest, EveryByteAndPairReadsAsTheSystemConverterReadsIt) {
  int pairs = 0;
  for (int first = 0x80; first <= 0xFF; ++first) {
    const std::string alone(1, static_cast<char>(first));
    EXPECT_EQ(gbkToUtf8(alone), utf8Of(alone, "GBK")) << first;
    for (int second = 0; second <= 0xFF; ++second) {
      const std::string pair{static_cast<char>(first), static_cast<char>(second)};
      const std::optional<std::string> expected = utf8Of(pair, "GBK");
      ASSERT_EQ(gbkToUtf8(pair), expected) << first << " " << second;
      pairs += expected.has_value();
    }
  }
  EXPECT_GT(pairs, 20000);  // GBK's two-byte characters were read, not only refused
}

TEST(GbkTextTest, TextsReadWholeAsTheSystemConverterReadsThem) {
  const char* const texts[] = {
      "",
      "plain ASCII, longer than a machine word\tand a tab\r\n",
      "\xD5\xC5\xC8\xFD",                              // 张三
      "id\t\xD5\xC5\xC8\xFD\t12\n\xC1\xF5\xB1\xB8 x",  // ASCII runs between characters
      "\xD5\xC5\xC8",                                  // a first byte at the end
      "\xD5\n\xC5",                                    // a line feed is no second byte
      "abc\x80",                                       // a byte that is no character
      "\xFF\xFF",
  };
  for (const char* text : texts) EXPECT_EQ(gbkToUtf8(text), utf8Of(text, "GBK")) << text;

  // Characters at every place against the eight bytes read at a time, and texts longer than the
  // decoder's buffer.
  const char* const pieces[] = {"a", "\t", "12", "\xD5\xC5", "\xC8\xFD", "\xA1\xA1", "\x80", "\xD5"};
  std::uint32_t seed = 7;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const std::size_t count = round < 1990 ? next() % 24 : 3000 + next() % 3000;
    for (std::size_t k = 0; k < count; ++k) text += pieces[next() % (round % 2 == 0 ? 6 : 8)];
    ASSERT_EQ(gbkToUtf8(text), utf8Of(text, "GBK")) << round;
  }
  // A text is read to its end and no further: a first byte at the end stays alone though the bytes behind
  // the text would make it a character, whether ASCII before it is read a byte or a block at a time.
  for (std::size_t ascii = 1; ascii < 40; ++ascii) {
    const std::string behind = std::string(ascii, 'a') + "\xD5\xC5";
    const std::string_view text(behind.data(), behind.size() - 1);
    ASSERT_EQ(gbkToUtf8(text), std::nullopt) << ascii;
  }
  // A character at every place around the end of the decoder's buffer of 4,096 bytes, after ASCII, and the
  // text's last byte there too: ASCII, a character of its own, a character's second byte, or a first byte
  // without a second.
  for (std::size_t ascii = 4050; ascii < 4110; ++ascii) {
    const std::string text = std::string(ascii, 'a') + "\xD5\xC5\xC8\xFD" + std::string(20, 'b') + "\xA1\xA1";
    ASSERT_EQ(gbkToUtf8(text), utf8Of(text, "GBK")) << ascii;
    for (std::size_t before = 0; before < 16; ++before) {
      for (const char* ending : {"x", "\x80", "\xD5\xC5", "\xD5"}) {  // 0x80 is a character alone (€)
        const std::string ended =
            std::string(ascii, 'a') + "\xD5\xC5," + std::string(before, 'b') + "\xC8\xFD" + ending;
        ASSERT_EQ(gbkToUtf8(ended), utf8Of(ended, "GBK")) << ascii << " " << before << " " << ending;
      }
    }
  }
}

#ifndef _WIN32
std::string utf8OfCode(std::uint32_t code) {
  std::string text;
  if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  text += static_cast<char>(0x80 | (code & 0x3F));
  return text;
}

// The system's converter from UTF-8 to GBK, kept only when it reads back as the same text.
std::optional<std::string> systemGbk(const std::string& utf8) {
  iconv_t converter = iconv_open("GBK", "UTF-8");
  char out[16];
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size(), outLeft = sizeof out;
  char* to = out;
  const std::size_t result = iconv(converter, &in, &inLeft, &to, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return std::nullopt;
  const std::string gbk(out, static_cast<std::size_t>(to - out));
  if (gbkToUtf8(gbk) != utf8) return std::nullopt;
  return gbk;
}

TEST(GbkTextTest, EveryCharacterWritesAsTheSystemConverterWritesIt) {
  int written = 0;
  for (std::uint32_t code = 0x80; code <= 0xFFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    const std::string text = utf8OfCode(code);
    const std::optional<std::string> expected = systemGbk(text);
    ASSERT_EQ(utf8ToGbk(text), expected) << code;
    written += expected.has_value();
  }
  EXPECT_GT(written, 20000);
  // The first and last characters beyond the 16-bit ones, where the kept answers end.
  for (const std::uint32_t code : {0x10000u, 0x10001u, 0x20000u, 0x10FFFFu}) {
    ASSERT_EQ(utf8OfCode(code).size(), 4u);
    EXPECT_EQ(utf8ToGbk(utf8OfCode(code)), systemGbk(utf8OfCode(code))) << code;
  }
  EXPECT_EQ(utf8ToGbk("A\xE5\xBC\xA0"
                      "B"),
            std::string("A\xD5\xC5"
                        "B"));  // A张B
  EXPECT_EQ(utf8ToGbk("\xE5\xBC\xA0\xE4\xB8\x89"
                      "12\xE5\xBC\xA0"),
            std::string("\xD5\xC5\xC8\xFD"
                        "12\xD5\xC5"));                    // 张三12张: characters one after the other
  EXPECT_EQ(utf8ToGbk("\xF0\x9F\x98\x80"), std::nullopt);  // beyond GBK
  EXPECT_EQ(utf8ToGbk("\xE5\xBC"), std::nullopt);          // not UTF-8
}
#endif

// A byte beyond ASCII is found at every place of a text, in a whole block and in the bytes after the
// last one, and a character written there keeps the ASCII around it.
TEST(GbkTextTest, AsciiEndsExactlyAtTheFirstByteBeyondIt) {
  for (std::size_t size = 0; size <= 40; ++size) {
    const std::string ascii(size, 'a');
    EXPECT_TRUE(isAscii(ascii)) << size;
    for (std::size_t at = 0; at < size; ++at) {
      for (const char beyond : {'\x80', '\xFF'}) {
        std::string text = ascii;
        text[at] = beyond;
        EXPECT_FALSE(isAscii(text)) << size << " " << at;
      }
      const std::string utf8 = ascii.substr(0, at) + "\xE5\xBC\xA0" + ascii.substr(at);  // 张
      EXPECT_EQ(utf8ToGbk(utf8), ascii.substr(0, at) + "\xD5\xC5" + ascii.substr(at)) << size << " " << at;
    }
  }
}

}  // namespace
}  // namespace vorandel
