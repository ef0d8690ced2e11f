#include "item/hot_key.h"

#include "text/code_page.h"

namespace ovq2tyx {

namespace {

struct NamedKey {
  std::string_view text;
  std::uint8_t code;
};

constexpr NamedKey kModifierNames[] = {
    {"Alt + ", kModAlt},
    {"Ctrl + ", kModCtrl},
    {"Shift + ", kModShift},
    {"Win + ", kModWin},
};

// Tested in this order; the first found wins ("Ins" also matches "Insert").
constexpr NamedKey kNamedKeys[] = {
    {"\x81\xAA", 0x26},  // ↑
    {"\x81\xAB", 0x28},  // ↓
    {"\x81\xA9", 0x25},  // ←
    {"\x81\xA8", 0x27},  // →
    {"Esc", 0x1B},      {"Tab", 0x09},    {"Space", 0x20}, {"BS", 0x08},
    {"Enter", 0x0D},    {"Ins", 0x2D},    {"Del", 0x2E},   {"End", 0x23},
    {"Home", 0x24},     {"PgDown", 0x22}, {"PgUp", 0x21},
};

// Function keys, tested from F12 down so that "F10" to "F12" are not taken
// for "F1"; then for each digit from 9 down the keypad key before the bare
// digit.
constexpr NamedKey kNumberedKeys[] = {
    {"F12", 0x7B},  {"F11", 0x7A}, {"F10", 0x79},  {"F9", 0x78},
    {"F8", 0x77},   {"F7", 0x76},  {"F6", 0x75},   {"F5", 0x74},
    {"F4", 0x73},   {"F3", 0x72},  {"F2", 0x71},   {"F1", 0x70},
    {"Num9", 0x69}, {"9", 0x39},   {"Num8", 0x68}, {"8", 0x38},
    {"Num7", 0x67}, {"7", 0x37},   {"Num6", 0x66}, {"6", 0x36},
    {"Num5", 0x65}, {"5", 0x35},   {"Num4", 0x64}, {"4", 0x34},
    {"Num3", 0x63}, {"3", 0x33},   {"Num2", 0x62}, {"2", 0x32},
    {"Num1", 0x61}, {"1", 0x31},   {"Num0", 0x60}, {"0", 0x30},
};

bool Contains(std::string_view text, std::string_view needle) {
  return FindText(text, needle) != kNotFound;
}

std::uint8_t FindKeyCode(std::string_view key_part) {
  // The bytes of the key part, and those that start a character: a name
  // whose first byte starts none, or with a byte absent, cannot be in it.
  // This spares most searches.
  bool starts[256] = {}, present[256] = {};
  for (std::size_t pos = 0; pos < key_part.size();
       pos += CharLength(key_part, pos)) {
    starts[static_cast<unsigned char>(key_part[pos])] = true;
  }
  for (char c : key_part) present[static_cast<unsigned char>(c)] = true;
  auto may_contain = [&](std::string_view name) {
    if (!starts[static_cast<unsigned char>(name[0])]) return false;
    for (char c : name) {
      if (!present[static_cast<unsigned char>(c)]) return false;
    }
    return Contains(key_part, name);
  };
  for (const NamedKey& numbered : kNumberedKeys) {
    if (may_contain(numbered.text)) return numbered.code;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (may_contain(named.text)) return named.code;
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (starts[static_cast<unsigned char>(letter)]) {
      return static_cast<std::uint8_t>(letter);
    }
  }
  return 0;
}

}  // namespace

HotKeyCode ParseHotKeyText(std::string_view text) {
  HotKeyCode code;
  for (const NamedKey& modifier : kModifierNames) {
    if (Contains(text, modifier.text)) code.modifiers |= modifier.code;
  }
  const std::size_t blank = FindLastChar(text, ' ');
  if (blank == kNotFound) return code;
  code.key = FindKeyCode(text.substr(blank + 1));
  return code;
}

}  // namespace ovq2tyx
