#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/path.h"

namespace ovq2tyx {
namespace {

const bool kPosix = kNativePath == PathSyntax::kPosix;

std::string Decoded(std::string bytes) {
  EXPECT_TRUE(DecodeUnicodeMenu(bytes));
  return bytes;
}

// "k=" followed by あ (U+3042), ｱ (U+FF71), ① (U+2460, an NEC special
// character), ⅰ (U+2170, an IBM extension) and ¬ (U+FFE2).
TEST(TextEncodingTest, DecodesMenusSavedAsUnicode) {
  const std::string expected = "k=\x82\xA0\xB1\x87\x40\xFA\x40\x81\xCA";
  struct Case {
    std::string bytes, decoded;
  } cases[] = {
      {"\xEF\xBB\xBFk=\xE3\x81\x82\xEF\xBD\xB1\xE2\x91\xA0\xE2\x85\xB0"
       "\xEF\xBF\xA2",
       expected},
      {std::string("\xFF\xFEk\0=\0\x42\x30\x71\xFF\x60\x24\x70\x21\xE2\xFF",
                   16),
       expected},
      {std::string("\xFE\xFF\0k\0=\x30\x42\xFF\x71\x24\x60\x21\x70\xFF\xE2",
                   16),
       expected},
      {"k=\xEF\xBB\xBF", "k=\xEF\xBB\xBF"},  // no mark at the start: as is
      {"\xEF\xBB", "\xEF\xBB"},
      {"\xEF\xBB\xBF", ""},
      // Damaged Unicode keeps what is valid.
      {"\xEF\xBB\xBFx\xFFy", "x?y"},
      {std::string("\xFF\xFE"
                   "A\0B",
                   5),
       "A?"},
      {std::string("\xFF\xFE"
                   "A\0\x00\xD8"
                   "B\0",
                   8),
       "A?B"},
      // No code page 932 form: "?" here, the platform's choice on Windows.
      {"\xEF\xBB\xBF\xF0\x9F\x98\x80-", kPosix ? "?-"
                                               : "?"
                                                 "?-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decoded(c.bytes), c.decoded) << c.bytes;
  }
}

TEST(TextEncodingTest, DecodesLargeMenusAcrossChunks) {
  std::string utf8 = "\xEF\xBB\xBF", utf16 = "\xFF\xFE", expected;
  for (int n = 0; n < 100000; ++n) {
    utf8 += n % 3 ? "\xE3\x81\x82" : "a";
    utf16 += n % 3 ? std::string("\x3D\xD8\x00\xDE", 4) : std::string("a\0", 2);
    expected += n % 3 ? "\x82\xA0" : "a";
  }
  EXPECT_EQ(Decoded(utf8), expected);
  EXPECT_EQ(Decoded(utf16).size(), kPosix ? 100000u : 166666u);
}

TEST(TextEncodingTest, TurnsNamesIntoMenuText) {
  std::string text;
  EXPECT_TRUE(NameToMenuText("Page1.tyx", text));
  EXPECT_EQ(text, "Page1.tyx");
  // Windows names are code page 932 already; on POSIX a name in UTF-8 is
  // converted and any other name is taken as code page 932.
  EXPECT_TRUE(NameToMenuText("\x82\xA0.tyx", text));
  EXPECT_EQ(text, "\x82\xA0.tyx");
  if (kPosix) {
    EXPECT_TRUE(NameToMenuText("\xE3\x81\x82.tyx", text));
    EXPECT_EQ(text, "\x82\xA0.tyx");
    EXPECT_FALSE(NameToMenuText("\xF0\x9F\x98\x80.tyx", text));
  }
}

}  // namespace
}  // namespace ovq2tyx
