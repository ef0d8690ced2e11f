#include "item/hot_key.h"

#include <string>

#include "platform/code_page.h"

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

bool Contains(std::string_view text, std::string_view needle) {
  return FindText(text, needle) != kNotFound;
}

std::uint8_t FindKeyCode(std::string_view key_part) {
  // Descending, so that "F10" to "F12" are not taken for "F1".
  for (int n = 12; n >= 1; --n) {
    if (Contains(key_part, "F" + std::to_string(n))) {
      return static_cast<std::uint8_t>(0x6F + n);
    }
  }
  for (int n = 9; n >= 0; --n) {
    const std::string digit = std::to_string(n);
    if (Contains(key_part, "Num" + digit)) {
      return static_cast<std::uint8_t>(0x60 + n);
    }
    if (Contains(key_part, digit)) return static_cast<std::uint8_t>(0x30 + n);
  }
  for (const NamedKey& named : kNamedKeys) {
    if (Contains(key_part, named.text)) return named.code;
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (FindChar(key_part, letter) != kNotFound) {
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
