#include "menu/menu_file.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

TEST(MenuFileTest, PermutesAllLocateFlags) {
  const std::uint8_t expected[16] = {0, 1, 8,  9,  2, 3, 10, 11,
                                     4, 5, 12, 13, 6, 7, 14, 15};
  for (int locate = 0; locate < 16; ++locate) {
    EXPECT_EQ(PermuteLocateFlags(locate), expected[locate]) << locate;
    EXPECT_EQ(PermuteLocateFlags(locate + 16), expected[locate]) << locate;
  }
}

// The "Node" section written for a source header, or "rejected".
std::string Header(const std::string& source, HeaderRule rule) {
  ProfileDocument target;
  if (!ConvertMenuHeader(ParseProfile(source), rule, target)) return "rejected";
  return SerializeProfile(target);
}

TEST(MenuFileTest, ConvertsHeaders) {
  struct Case {
    std::string source;
    HeaderRule rule;
    std::string expected;
  } cases[] = {
      {"[Config]\r\nLocate=5\r\nLeft=10\r\nRight=90\r\n", HeaderRule::kStrict,
       "030000000A5A000067"},
      {"[Config]\r\nLocate=2\r\n", HeaderRule::kStrict, "08000000006400006C"},
      {"[Config]\r\nLocate=16\r\n", HeaderRule::kStrict, "000000000064000064"},
      {"[Config]\r\nLocate=0\r\nLeft=300\r\nRight=-1\r\n", HeaderRule::kStrict,
       "000000002CFF00002B"},
      {"", HeaderRule::kLenient, "0F0000000064000073"},
      {"[Config]\r\nLocate=-3\r\n", HeaderRule::kLenient, "0F0000000064000073"},
      {"[Config]\r\nLocate=-3\r\n", HeaderRule::kStrict, "rejected"},
      {"[Config]\r\nLeft=1\r\n", HeaderRule::kStrict, "rejected"},
      {"", HeaderRule::kStrict, "rejected"},
      {"[Config]\r\nLocate=\r\n", HeaderRule::kStrict, "rejected"},
  };
  for (const Case& c : cases) {
    std::string expected = c.expected == "rejected"
                               ? c.expected
                               : "[Node]\r\nConfig=" + c.expected + "\r\n";
    EXPECT_EQ(Header(c.source, c.rule), expected) << c.source;
  }
}

}  // namespace
}  // namespace ovq2tyx
