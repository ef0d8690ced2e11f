#include "platform/profile_writer.h"

#include <gtest/gtest.h>

#include <array>
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

// Values that the reader would trim or unquote get one more pair of quotes;
// what a line cannot hold is cut off.
TEST(ProfileWriterTest, QuotesAndCutsValuesSoTheyReadBack) {
  struct Case {
    std::string_view value, line;
  } cases[] = {
      {"plain", "K=plain"},
      {"", "K="},
      {" lead", "K=\" lead\""},
      {"trail\t", "K=\"trail\t\""},
      {"\x1A", "K=\"\x1A\""},
      {"\"quoted\"", "K=\"\"quoted\"\""},
      {"'single'", "K=\"'single'\""},
      {"\"mixed'", "K=\"mixed'"},
      {"\"", "K=\""},
      {"\x81\"", "K=\x81\""},  // the closing quote is a second byte
      {"a=b", "K=a=b"},
      {"one\r\ntwo", "K=one"},
      {"one\ntwo", "K=one"},
      {std::string_view("one\0two", 7), "K=one"},
      {"ab\x81", "K=ab"},  // a lead byte without its trail
      {"ab\x81\x81", "K=ab\x81\x81"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Written(c.value), "[S]\r\n" + std::string(c.line) + "\r\n")
        << c.value;
  }
}

TEST(ProfileWriterTest, WritesStructsAsHexWithChecksum) {
  std::string text;
  ProfileWriter writer([&text](std::string_view chunk) {
    text += chunk;
    return true;
  });
  writer.AddSection("Node");
  writer.AddStruct("Config",
                   std::array<std::uint8_t, 8>{0x0F, 0, 0, 0, 0, 100, 0, 0});
  writer.AddStruct("HotKey", std::array<std::uint8_t, 2>{0x74, 0x06});
  writer.AddStruct("Zero", std::array<std::uint8_t, 2>{0, 0});
  EXPECT_TRUE(writer.Finish());
  EXPECT_EQ(text,
            "[Node]\r\nConfig=0F0000000064000073\r\nHotKey=74067A\r\n"
            "Zero=000000\r\n");
}

// A large target goes out in chunks of about a megabyte, never whole; a
// chunk the sink refuses fails the whole file.
TEST(ProfileWriterTest, HandsOnLargeFilesInChunks) {
  std::vector<std::size_t> chunks;
  bool accept = true;
  ProfileWriter writer([&](std::string_view chunk) {
    chunks.push_back(chunk.size());
    return accept;
  });
  const std::string value(1000, 'v');
  for (int n = 0; n < 3000; ++n) writer.AddString("K", value);
  EXPECT_EQ(chunks.size(), 2u);
  EXPECT_GE(chunks[0], std::size_t{1} << 20);
  EXPECT_LT(chunks[0], (std::size_t{1} << 20) + 2000);
  EXPECT_TRUE(writer.Flush());
  accept = false;
  writer.AddString("K", "v");
  EXPECT_FALSE(writer.Flush());
  accept = true;
  writer.AddString("K", "v");
  EXPECT_TRUE(writer.Flush());
  EXPECT_FALSE(writer.Finish());
}

}  // namespace
}  // namespace ovq2tyx
