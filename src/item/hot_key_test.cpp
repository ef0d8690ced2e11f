#include "item/hot_key.h"

#include <gtest/gtest.h>

namespace ovq2tyx {
namespace {

TEST(ParseHotKeyTextTest, KeysAndModifiers) {
  const struct {
    const char* text;
    int key, modifiers;
  } kCases[] = {
      // Modifiers, matched with their letter case and the " + ".
      {"Ctrl + Alt + F5", 0x74, 0x06},
      {"Win + E", 0x45, 0x08},
      {"Alt + Ctrl + Shift + Win + F12", 0x7B, 0x0F},
      {"ctrl + a", 0x00, 0x00},
      {"Alt+F5", 0x00, 0x00},
      {"F5", 0x00, 0x00},
      {"", 0x00, 0x00},
      // The key is taken from the text after the last blank only.
      {"Shift + Pg Up", 0x55, 0x01},
      // Function keys, F10 to F12 before F1.
      {"Shift + F1", 0x70, 0x01},
      {"Shift + F11", 0x7A, 0x01},
      {"Ctrl + F10", 0x79, 0x02},
      {"Ctrl + F1x9", 0x70, 0x02},
      // Digits, 9 down to 0, keypad before the bare digit for each.
      {"Ctrl + Num5", 0x65, 0x02},
      {"Alt + 0", 0x30, 0x04},
      {"Alt + 9", 0x39, 0x04},
      {"Alt + Num1x9", 0x39, 0x04},
      {"Alt + Num9x9", 0x69, 0x04},
      {"Ctrl + 5Home", 0x35, 0x02},
      // Named keys in table order, before letters; the arrows are 81 AA-A8.
      {"Ctrl + Home", 0x24, 0x02},
      {"Alt + \x81\xAA", 0x26, 0x04},
      {"Alt + \x81\xAB", 0x28, 0x04},
      {"Alt + \x81\xA9", 0x25, 0x04},
      {"Alt + \x81\xA8", 0x27, 0x04},
      {"Ctrl + Insert", 0x2D, 0x02},
      {"Ctrl + Enter", 0x0D, 0x02},
      {"Ctrl + End", 0x23, 0x02},
      {"Ctrl + PgDown", 0x22, 0x02},
      {"Ctrl + PgUp", 0x21, 0x02},
      {"Ctrl + Space", 0x20, 0x02},
      {"Ctrl + Tab", 0x09, 0x02},
      {"Alt + BS", 0x08, 0x04},
      {"Alt + Del", 0x2E, 0x04},
      {"Shift + AEsc", 0x1B, 0x01},
      // Letters: upper case only, the alphabetically first one present.
      {"Ctrl + x", 0x00, 0x02},
      {"Ctrl + QA", 0x41, 0x02},
      // Trail bytes are no letters, digits or key names: 83 41 holds no
      // "A", 83 46 no "F", 83 4E no "N", 83 45 no "E", 81 81 AA no arrow.
      {"Ctrl + \203A", 0x00, 0x02},
      {"Ctrl + \203AB", 0x42, 0x02},
      {"Ctrl + \203F1", 0x31, 0x02},
      {"Ctrl + \203Num5", 0x35, 0x02},
      {"Ctrl + \203Esc", 0x00, 0x02},
      {"Ctrl + \x81\x81\xAA", 0x00, 0x02},
      {"\203Alt + X", 0x58, 0x00},
  };
  for (const auto& c : kCases) {
    const HotKeyCode code = ParseHotKeyText(c.text);
    EXPECT_EQ(code.key, c.key) << c.text;
    EXPECT_EQ(code.modifiers, c.modifiers) << c.text;
  }
}

}  // namespace
}  // namespace ovq2tyx
