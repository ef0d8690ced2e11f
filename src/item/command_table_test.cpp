#include "item/command_table.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

// "83 4E 83 8A" -> the bytes 0x83 0x4E 0x83 0x8A.
std::string FromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t pos = 0; pos + 1 < hex.size(); pos += 3) {
    bytes += static_cast<char>(
        std::stoi(std::string(hex.substr(pos, 2)), nullptr, 16));
  }
  return bytes;
}

TEST(CommandTableTest, TranslatesEveryCommandToItsBytes) {
  const struct {
    std::string_view source;
    std::string_view target_hex;
  } kPairs[] = {
      {"Clip Board",
       "83 4E 83 8A 83 62 83 76 83 7B 81 5B 83 68 82 C9 83 52 83 73 81 5B"},
      {"Clip Board+",
       "83 4E 83 8A 83 62 83 76 83 7B 81 5B 83 68 82 C9 83 52 83 73 81 5B 26 "
       "83 79 81 5B 83 58 83 67"},
      {"Screen Saver",
       "83 58 83 4E 83 8A 81 5B 83 93 83 5A 81 5B 83 6F 82 CC 8B 4E 93 AE"},
      {"Control Panel",
       "83 52 83 93 83 67 83 8D 81 5B 83 8B 83 70 83 6C 83 8B 82 F0 8A 4A 82 "
       "AD"},
      {"Recycle Bin", "82 B2 82 DD 94 A0"},
      {"Clear Resent Files",
       "8D C5 8B DF 8E 67 82 C1 82 BD 83 74 83 40 83 43 83 8B 97 9A 97 F0 82 "
       "CC 8D ED 8F 9C"},
      {"Display",
       "83 66 83 42 83 58 83 76 83 8C 83 43 89 F0 91 9C 93 78 82 CC 95 CF 8D "
       "58"},
      {"Key Press", "83 4C 81 5B 83 7B 81 5B 83 68 83 7D 83 4E 83 8D"},
      {"Nothing", "89 BD 82 E0 82 B5 82 C8 82 A2"},
      {"Terminate App", "8E 77 92 E8 83 41 83 76 83 8A 82 CC 8F 49 97 B9"},
      {"Sleep",
       "83 6F 83 62 83 60 8F 88 97 9D 82 CC 8E 77 92 E8 95 62 90 94 91 D2 8B "
       "40"},
      {"Pause",
       "83 6F 83 62 83 60 8F 88 97 9D 92 86 92 66 81 95 83 81 83 62 83 5A 81 "
       "5B 83 57 95 5C 8E A6"},
      {"Wait", "83 6F 83 62 83 60 8F 88 97 9D 82 CC 95 89 89 D7 90 A7 8C E4"},
      {"ReStart", "83 6F 83 62 83 60 8F 88 97 9D 82 CC 8D C4 8E C0 8D 73"},
      {"WinExit", "57 69 6E 64 6F 77 73 82 CC 8F 49 97 B9"},
      {"What is Now?",
       "25 57 49 4E 44 49 52 25 5C 54 49 4D 45 44 41 54 45 2E 43 50 4C"},
  };
  const CommandTable table = BuildCommandTable();
  EXPECT_EQ(table.size(), std::size(kPairs));
  for (const auto& pair : kPairs) {
    EXPECT_EQ(TranslatePath(pair.source, table), FromHex(pair.target_hex))
        << pair.source;
  }
}

TEST(CommandTableTest, OtherPathsKeepTheirTextWithMenusRedirected) {
  const struct {
    std::string_view source, expected;
  } kCases[] = {
      // Command names match byte for byte only.
      {"clip board", "clip board"},
      {"key press", "key press"},
      {"Clip Board ", "Clip Board "},
      {"C:\\Tools\\app.exe", "C:\\Tools\\app.exe"},
      {"C:\\Menus\\Page2.ini", "C:\\Menus\\Page2.ini"},
      {"C:\\Menus\\Sub.ovq", "C:\\Menus\\Sub.tyx"},
      {"C:\\Menus\\Sub.OVQ", "C:\\Menus\\Sub.tyx"},
      {"sub.oVq", "sub.tyx"},
      {"C:\\Menus\\Sub.ovq.bak", "C:\\Menus\\Sub.ovq.bak"},
      {"C:\\Menus.ovq\\Sub", "C:\\Menus.ovq\\Sub"},
      {"C:\\Menus\\Sub.ovqx", "C:\\Menus\\Sub.ovqx"},
  };
  const CommandTable table = BuildCommandTable();
  for (const auto& c : kCases) {
    EXPECT_EQ(TranslatePath(c.source, table), c.expected) << c.source;
  }
}

}  // namespace
}  // namespace ovq2tyx
