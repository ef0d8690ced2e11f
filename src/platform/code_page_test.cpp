#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace ovq2tyx {
namespace {

// 0x83 0x41 is one character whose second byte looks like "A", 0x95 0x5C
// one whose second byte looks like "\", 0x83 0x61 one with a second "a".
TEST(CodePageTest, StepsThroughCharacters) {
  struct Case {
    std::string_view text;
    std::size_t pos, length;
  } cases[] = {
      {"\x81\x40", 0, 2},
      {"\x9F\x40", 0, 2},
      {"\xE0\x40", 0, 2},
      {"\xFC\x40", 0, 2},
      {"\xF0\x5C", 0, 2},
      {"\x80\x40", 0, 1},
      {"\xA0\x40", 0, 1},
      {"\xDF\x40", 0, 1},
      {"\xFD\x40", 0, 1},
      {"\x81", 0, 1},  // a lead byte at the end stands alone
      {std::string_view("\x81\0", 2), 0, 1},
      {"\x81\r", 0, 1},
      {"\x81\n", 0, 1},
      {"a\x81\x20", 1, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharLength(c.text, c.pos), c.length) << c.text;
    EXPECT_EQ(CharLength(c.text, c.pos, Stepping::kBytes), 1u);
  }
}

TEST(CodePageTest, FindsOnlyAtCharacterBoundaries) {
  struct Case {
    std::string_view text, needle;
    bool ignore_case;
    std::size_t expected;
  } cases[] = {
      {"Ctrl + Alt + F5", "Alt + ", false, 7},
      {"Ctrl + alt + F5", "Alt + ", false, kNotFound},
      {"Ctrl + alt + F5", "Alt + ", true, 7},
      {"\x83\x41", "A", false, kNotFound},
      {"\x83\x61", "A", true, kNotFound},
      {"\x83\x41"
       "A",
       "A", false, 2},
      {"Alt + \x81\xAB", "\x81\xAB", false, 6},
      {"\x81\x81\xAB", "\x81\xAB", false, kNotFound},  // straddles a boundary
      {"\x81\x81\xAB", "\x81\xAB", true, kNotFound},
      {"", "", false, 0},
      {"ab", "abc", false, kNotFound},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.ignore_case ? FindTextIgnoreCase(c.text, c.needle)
                            : FindText(c.text, c.needle),
              c.expected)
        << c.text << " / " << c.needle;
  }
  EXPECT_EQ(FindChar("\x95\x5C\\", '\\'), 2u);
  EXPECT_EQ(FindChar("a\\b\\", '\\', 2), 3u);
  EXPECT_EQ(FindChar("\x95\x5C", '\\', 0, Stepping::kBytes), 1u);
  EXPECT_EQ(FindLastChar("a\\\x95\x5C", '\\'), 1u);
  EXPECT_EQ(FindLastChar("a\\\x95\x5C", '\\', Stepping::kBytes), 3u);
}

TEST(CodePageTest, ComparesAsciiLettersWithoutCase) {
  struct Case {
    std::string_view a, b;
    int expected;
  } cases[] = {
      {"Key Press", "key press", 0},
      {"FALSE", "false", 0},
      {"False", "Falsey", -1},
      {"b", "A", 1},
      {"\x83\x41", "\x83\x61", -1},  // second bytes are no letters
      {"_", "a", 1},                 // "_" sorts after the folded letters
      {"\xE0\x40", "\x81\x40", 1},   // bytes compare unsigned
      {"a\x81", "A\x81", 0},
  };
  for (const Case& c : cases) {
    const int order = CompareIgnoreCase(c.a, c.b);
    EXPECT_EQ((order > 0) - (order < 0), c.expected) << c.a << " / " << c.b;
    EXPECT_EQ(EqualsIgnoreCase(c.a, c.b), c.expected == 0);
  }
  // Byte stepping folds every letter byte, trail or not.
  EXPECT_EQ(CompareIgnoreCase("\x83\x41", "\x83\x61", Stepping::kBytes), 0);
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
  EXPECT_EQ(LastCharStart("a\x83\x41"), 1u);
  EXPECT_EQ(LastCharStart(""), kNotFound);
}

}  // namespace
}  // namespace ovq2tyx
