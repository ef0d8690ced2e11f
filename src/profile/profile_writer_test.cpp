#include "profile/profile_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovq2tyx {
namespace {

// The text a writer hands on for one section holding key "K" = `value`.
std::string Written(std::string_view value) {
  std::string text;
  ProfileWriter writer([&text](std::string_view chunk) {
    text += chunk;
    return true;
  });
  writer.AddSection("S");
  writer.AddString("K", value);
  EXPECT_TRUE(writer.Finish());
  return text;
}

// What a line cannot hold is cut off; values the reader would trim or
// unquote get one more pair of quotes (the quoted-values case shows the
// common ones, read back through the platform).
TEST(ProfileWriterTest, CutsAndQuotesValuesSoTheyReadBack) {
  struct Case {
    std::string_view value, line;
  } cases[] = {
      {"one\r\ntwo", "K=one"},
      {"one\ntwo", "K=one"},
      {std::string_view("one\0two", 7), "K=one"},
      {"ab\x81", "K=ab"},  // a lead byte without its trail
      {"ab\x81\x81", "K=ab\x81\x81"},
      {"\x1A", "K=\"\x1A\""},
      {"\x81\"", "K=\x81\""},  // the closing quote is a second byte
      {"\"", "K=\""},
      {"\"\"", "K=\"\"\"\""},  // two quotes alone: the reader strips them
      {"''", "K=\"''\""},
      {"", "K="},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Written(c.value), "[S]\r\n" + std::string(c.line) + "\r\n")
        << c.value;
  }
  // Longer than the buffer: it grows, and nothing written before is lost.
  const std::string long_value(1 << 21, 'v');
  EXPECT_EQ(Written(long_value), "[S]\r\nK=" + long_value + "\r\n");
}

// A large target goes out in chunks of about half a megabyte, never whole; a
// chunk the sink refuses fails the whole file.
TEST(ProfileWriterTest, HandsOnLargeFilesInChunks) {
  std::vector<std::size_t> chunks;
  ProfileWriter writer([&](std::string_view chunk) {
    chunks.push_back(chunk.size());
    return chunks.size() != 3;
  });
  for (int n = 0; n < 1500; ++n) writer.AddString("K", std::string(1000, 'v'));
  ASSERT_EQ(chunks.size(), 2u);
  EXPECT_GE(chunks[0], std::size_t{1} << 19);
  EXPECT_LT(chunks[0], (std::size_t{1} << 19) + 2000);
  EXPECT_FALSE(writer.Flush());
  EXPECT_FALSE(writer.Finish());
}

}  // namespace
}  // namespace ovq2tyx
