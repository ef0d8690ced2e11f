#include "text/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

#ifdef _WIN32
constexpr bool kPosix = false;
#else
constexpr bool kPosix = true;
#endif

std::string Decoded(std::string bytes) {
  EXPECT_TRUE(DecodeUnicodeMenu(bytes));
  return bytes;
}

// Menus saved as Unicode are cases and profile corpus files; here what
// differs between systems (Windows turns each half of a surrogate pair into
// "?"), and text longer than a chunk.
TEST(TextEncodingTest, DecodesLargeMenusAcrossChunks) {
  EXPECT_EQ(Decoded("\xEF\xBB\xBF\xF0\x9F\x98\x80-"),
            std::string(kPosix ? 1 : 2, '?') + "-");
  std::string utf8 = "\xEF\xBB\xBF", utf16 = "\xFF\xFE", expected;
  for (int n = 0; n < 100000; ++n) {
    utf8 += n % 3 ? "\xE3\x81\x82" : "a";
    utf16 += n % 3 ? std::string("\x3D\xD8\x00\xDE", 4) : std::string("a\0", 2);
    expected += n % 3 ? "\x82\xA0" : "a";
  }
  EXPECT_EQ(Decoded(utf8), expected);
  EXPECT_EQ(Decoded(utf16).size(), kPosix ? 100000u : 166666u);
}

}  // namespace
}  // namespace ovq2tyx
