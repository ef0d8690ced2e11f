// Hot-key text of a source item ("Ctrl + Alt + F5") turned into the two-byte
// code of a target item: a virtual-key code and a byte of modifier flags.
// Texts are code page 932 bytes; every match is made at character
// boundaries, so a trail byte never counts as a letter, digit or blank.
#ifndef OVQ2TYX_ITEM_HOT_KEY_H_
#define OVQ2TYX_ITEM_HOT_KEY_H_

#include <cstdint>
#include <string_view>

namespace ovq2tyx {

// Modifier flags of HotKeyCode::modifiers.
inline constexpr std::uint8_t kModShift = 0x01;
inline constexpr std::uint8_t kModCtrl = 0x02;
inline constexpr std::uint8_t kModAlt = 0x04;
inline constexpr std::uint8_t kModWin = 0x08;

// Stored in this order (key first) as the struct value "HotKey".
struct HotKeyCode {
  std::uint8_t key = 0;        // virtual-key code; 0 when none recognised
  std::uint8_t modifiers = 0;  // kMod* flags
};

// Modifiers are the "Alt + ", "Ctrl + ", "Shift + ", "Win + " found anywhere
// in the text (letter case significant). The key comes from the text after
// the last blank, by the first rule that matches: F12 down to F1; for each
// digit 9 down to 0 the keypad "Num<n>" then the bare digit; the named keys
// (arrows, Esc, Tab, ...); the alphabetically first upper-case letter.
// Without a blank the key stays 0.
HotKeyCode ParseHotKeyText(std::string_view text);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_ITEM_HOT_KEY_H_
