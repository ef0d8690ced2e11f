#include "text/code_page.h"

#include <gtest/gtest.h>

namespace ovq2tyx {
namespace {

// Most stepping shows in the profile corpus and the cases; here the edges
// of the lead byte ranges, and what a text without a trail byte does.
TEST(CodePageTest, StepsThroughCharacters) {
  struct Case {
    std::string_view text;
    std::size_t length;
  } cases[] = {
      {"\x80\x40", 1},
      {"\x81\x40", 2},
      {"\x9F\x40", 2},
      {"\xA0\x40", 1},
      {"\xDF\x40", 1},
      {"\xE0\x40", 2},
      {"\xFC\x40", 2},
      {"\xFD\x40", 1},
      {"\x81\x20", 2},
      {"\x81", 1},  // a lead byte at the end stands alone
      {std::string_view("\x81\0", 2), 1},
      {"\x81\r", 1},
      {"\x81\n", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharLength(c.text, 0), c.length) << c.text;
    EXPECT_EQ(CharLength(c.text, 0, Stepping::kBytes), 1u);
  }
  EXPECT_EQ(FindText("\x81\x81\xAB", "\x81\xAB"), kNotFound);  // straddles
  EXPECT_EQ(FindLastChar("a\\\x95\x5C", '\\'), 1u);
  EXPECT_EQ(FindLastChar("a\\\x95\x5C", '\\', Stepping::kBytes), 3u);
  EXPECT_EQ(FindChar("\x95\x5C\\", '\\'), 2u);
  EXPECT_EQ(FindChar("\x95\x5C\\", '\\', 0, Stepping::kBytes), 1u);
  EXPECT_EQ(CompareIgnoreCase("\x83\x41", "\x83\x61"), -1);
  EXPECT_EQ(CompareIgnoreCase("\x83\x41", "\x83\x61", Stepping::kBytes), 0);
  EXPECT_EQ(CompareIgnoreCase("\x83\x40\x83\x41", "\x83\x41"), -1);  // trails
  // A shorter text sorts first, whatever lies beyond its end.
  EXPECT_EQ(CompareIgnoreCase("ab", std::string_view("a\xFF", 1)), 1);
  EXPECT_EQ(CompareIgnoreCase("\x83\x41", std::string_view("\x83\x40", 1)), 1);
}

}  // namespace
}  // namespace ovq2tyx
