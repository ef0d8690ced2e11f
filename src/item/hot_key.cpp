#include "item/hot_key.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <iterator>

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

// 1 + the index of the modifier name that starts with a byte, or 0. The
// names start with different bytes.
constexpr auto kModifierByFirstByte = [] {
  std::array<std::uint8_t, 256> index{};
  for (std::size_t i = 0; i < std::size(kModifierNames); ++i) {
    index[static_cast<unsigned char>(kModifierNames[i].text[0])] =
        static_cast<std::uint8_t>(i + 1);
  }
  return index;
}();

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

// Whether a byte starts one of the named keys.
constexpr auto kNamedKeyStarts = [] {
  std::array<bool, 256> starts{};
  for (const NamedKey& named : kNamedKeys) {
    starts[static_cast<unsigned char>(named.text[0])] = true;
  }
  return starts;
}();

bool Contains(std::string_view text, std::string_view needle) {
  return FindText(text, needle) != kNotFound;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::uint8_t FindKeyCode(std::string_view key_part) {
  // One pass over the characters gathers what the rules ask: the highest
  // function key ("F10" to "F12" also hold "F1"), the highest digit, the
  // digits with "Num" before them and the upper-case letters.
  int function = 0, digit = -1;
  unsigned keypad = 0, letters = 0;  // bit n: "Num<n>"; bit n: 'A' + n
  bool may_be_named = false;
  for (std::size_t pos = 0; pos < key_part.size();
       pos += CharLength(key_part, pos)) {
    const std::string_view rest = key_part.substr(pos);
    const char c = rest[0];
    may_be_named =
        may_be_named || kNamedKeyStarts[static_cast<unsigned char>(c)];
    if (IsDigit(c)) {
      digit = std::max(digit, c - '0');
    } else if (c >= 'A' && c <= 'Z') {
      letters |= 1u << (c - 'A');
      if (c == 'F' && rest.size() >= 2 && IsDigit(rest[1]) && rest[1] != '0') {
        int n = rest[1] - '0';
        if (n == 1 && rest.size() >= 3 && rest[2] >= '0' && rest[2] <= '2') {
          n = 10 + (rest[2] - '0');
        }
        function = std::max(function, n);
      } else if (rest.size() >= 4 && rest.starts_with("Num") &&
                 IsDigit(rest[3])) {
        keypad |= 1u << (rest[3] - '0');
      }
    }
  }
  if (function > 0) return static_cast<std::uint8_t>(0x6F + function);
  if (digit >= 0) {
    return static_cast<std::uint8_t>(((keypad >> digit) & 1 ? 0x60 : 0x30) +
                                     digit);
  }
  if (may_be_named) {
    for (const NamedKey& named : kNamedKeys) {
      if (Contains(key_part, named.text)) return named.code;
    }
  }
  return letters == 0
             ? 0
             : static_cast<std::uint8_t>('A' + std::countr_zero(letters));
}

}  // namespace

HotKeyCode ParseHotKeyText(std::string_view text) {
  // One pass over the characters: each that starts a modifier name is
  // checked for the rest of it, and the last blank is kept.
  HotKeyCode code;
  std::size_t blank = kNotFound;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    const char c = text[pos];
    if (c == ' ') blank = pos;
    if (const int i = kModifierByFirstByte[static_cast<unsigned char>(c)]) {
      const NamedKey& modifier = kModifierNames[i - 1];
      if (text.substr(pos).starts_with(modifier.text)) {
        code.modifiers |= modifier.code;
      }
    }
  }
  if (blank == kNotFound) return code;
  code.key = FindKeyCode(text.substr(blank + 1));
  return code;
}

}  // namespace ovq2tyx
