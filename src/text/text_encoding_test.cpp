#include "text/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

std::string Decoded(std::string_view bytes) {
  LargeArray<char> text = CopyToLargeArray(bytes);
  EXPECT_TRUE(DecodeUnicodeMenu(text));
  return std::string(text.data(), text.size());
}

// Menus saved as Unicode are cases and profile corpus files; here text
// longer than a chunk, with characters and damage astride the chunks' ends.
// A character beyond the Basic Multilingual Plane is "??", one "?" for each
// half of its UTF-16 form, as Windows makes it. Its halves read alone give
// the same, so a high surrogate also stands before "-", which a wrong
// pairing would swallow. A round is an odd number of units, so that chunks
// also end on high surrogates.
TEST(TextEncodingTest, DecodesLargeMenusAcrossChunks) {
  static const std::string kUtf16[] = {
      std::string("-\0", 2), std::string("\x3D\xD8\x00\xDE", 4),
      std::string("\x3D\xD8-\0", 4), std::string("\x3D\xD8\x00\xDE", 4)};
  static const std::string kCodePage932[] = {"-", "??", "?-", "??"};
  std::string utf8 = "\xEF\xBB\xBF", utf16 = "\xFF\xFE", expected8, expected16;
  for (int n = 0; n < 100000; ++n) {
    utf8 += n % 3 ? "\xE3\x81\x82" : "\xE3\x81-";  // cut off before "-"
    expected8 += n % 3 ? "\x82\xA0" : "?-";
    utf16 += kUtf16[n % 4];
    expected16 += kCodePage932[n % 4];
  }
  EXPECT_EQ(Decoded(utf8), expected8);
  EXPECT_EQ(Decoded(utf16), expected16);
}

// The case of every character holds all but these, which no value can.
TEST(TextEncodingTest, KeepsNulLfAndCr) {
  EXPECT_EQ(Decoded(std::string("\xFF\xFE\0\0\n\0\r\0", 8)),
            std::string("\0\n\r", 3));
}

// A high surrogate pairs only with a low one: U+E000, just above them,
// leaves it alone ("?") and is a character of its own (code page 932 keeps
// it among the user-defined characters).
TEST(TextEncodingTest, PairsSurrogatesOnlyWithLowSurrogates) {
  EXPECT_EQ(Decoded(std::string("\xFF\xFE"
                                "a\0\x00\xD8\x00\xE0",
                                8)),
            "a?\xF0\x40");
}

}  // namespace
}  // namespace ovq2tyx
