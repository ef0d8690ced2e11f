#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace ovq2tyx {
namespace {

// 0x83 0x41 is one character whose second byte looks like "A"; 0x95 0x5C is
// one whose second byte looks like a backslash.
TEST(CodePageTest, TrailBytesNeverMatchSingleByteCharacters) {
  EXPECT_EQ(FindText("\x83\x41", "A"), kNotFound);
  EXPECT_EQ(FindChar("\x95\x5C", '\\'), kNotFound);
  EXPECT_EQ(FindLastChar("a\\\x95\x5C", '\\'), 1u);
  EXPECT_EQ(FindTextIgnoreCase("\x83\x61", "A"), kNotFound);
  EXPECT_EQ(FindText("\x83\x41"
                     "A",
                     "A"),
            2u);
}

TEST(CodePageTest, FindsTextAtCharacterBoundaries) {
  struct Case {
    std::string_view text, needle;
    bool ignore_case;
    std::size_t expected;
  } cases[] = {
      {"Ctrl + Alt + F5", "Alt + ", false, 7},
      {"Ctrl + alt + F5", "Alt + ", false, kNotFound},
      {"Ctrl + alt + F5", "Alt + ", true, 7},
      {"Alt + \x81\xAB", "\x81\xAB", false, 6},        // a double-byte arrow
      {"\x81\x81\xAB", "\x81\xAB", false, kNotFound},  // straddles a boundary
      {"", "", false, 0},
      {"abc", "", false, 0},
      {"ab", "abc", false, kNotFound},
  };
  for (const Case& c : cases) {
    std::size_t found = c.ignore_case ? FindTextIgnoreCase(c.text, c.needle)
                                      : FindText(c.text, c.needle);
    EXPECT_EQ(found, c.expected) << c.text << " / " << c.needle;
  }
}

TEST(CodePageTest, ComparesAsciiLettersWithoutCase) {
  EXPECT_TRUE(EqualsIgnoreCase("Key Press", "key press"));
  EXPECT_TRUE(EqualsIgnoreCase("FALSE", "false"));
  EXPECT_FALSE(EqualsIgnoreCase("False", "Falsey"));
  // The second bytes 0x41 and 0x61 are not letters.
  EXPECT_FALSE(EqualsIgnoreCase("\x83\x41", "\x83\x61"));
}

TEST(CodePageTest, CutsWithoutSplittingCharacters) {
  struct Case {
    std::string_view text;
    std::size_t capacity;
    std::string_view expected;
  } cases[] = {
      {"abcdef", 4, "abc"},
      {"abc", 4, "abc"},
      {"ab\x83\x41", 4, "ab"},  // the character would need bytes 3 and 4
      {"a\x83\x41", 4, "a\x83\x41"},
      {"abc", 0, ""},
      {"abc", 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CutToCapacity(c.text, c.capacity), c.expected) << c.text;
  }
}

TEST(CodePageTest, LeadByteWithoutTrailStandsAlone) {
  EXPECT_EQ(CharLength("\x81", 0), 1u);
  EXPECT_EQ(CharLength(std::string_view("\x81\0", 2), 0), 1u);
  EXPECT_EQ(CharLength("\x81\n", 0), 1u);
  EXPECT_EQ(CharLength("\x81\x40", 0), 2u);
  EXPECT_EQ(CharLength("\xA0\x40", 0), 1u);  // 0xA0-0xDF are single bytes
}

}  // namespace
}  // namespace ovq2tyx
