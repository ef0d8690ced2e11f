#include "text/code_page.h"

#include <gtest/gtest.h>

namespace ovq2tyx {
namespace {

// Stepping shows in the profile corpus (every lead byte with every second
// byte, lead bytes before line ends and NULs) and the cases; here the
// searches and comparisons that step through text, with and without code
// page 932.
TEST(CodePageTest, SearchesAndComparesByCharacters) {
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
