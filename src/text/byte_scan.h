// Byte searches eight bytes at a time, for the runs of text that make up
// most of a menu: line ends for the profile reader, and whether a text needs
// code page 932 stepping at all.
#ifndef OVQ2TYX_TEXT_BYTE_SCAN_H_
#define OVQ2TYX_TEXT_BYTE_SCAN_H_

#include <cstdint>
#include <cstring>
#include <string_view>

namespace ovq2tyx {

namespace byte_scan {

constexpr std::uint64_t Repeat(unsigned char byte) {
  return 0x0101010101010101ull * byte;
}

// Nonzero when some byte of `word` is below `limit` (at most 0x80), for
// words without bytes of 0x80 and above.
constexpr std::uint64_t AnyBelow(std::uint64_t word, unsigned char limit) {
  return (word - Repeat(limit)) & ~word & Repeat(0x80);
}

// Nonzero when some byte of `word` equals `byte`.
constexpr std::uint64_t AnyEqual(std::uint64_t word, unsigned char byte) {
  return AnyBelow(word ^ Repeat(byte), 1);
}

// The first position at or after `pos` whose byte passes `stops`, stepping
// over whole words for which `may_stop` is zero. A word for which it is
// nonzero must hold a byte that stops.
template <typename WordTest, typename ByteTest>
std::size_t FindFirst(std::string_view text, std::size_t pos, WordTest may_stop,
                      ByteTest stops) {
  for (; pos + 8 <= text.size(); pos += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + pos, 8);
    if (may_stop(word)) break;
  }
  while (pos < text.size() && !stops(static_cast<unsigned char>(text[pos]))) {
    ++pos;
  }
  return pos;
}

}  // namespace byte_scan

// The first CR or LF at or after `pos`, or the end of the text.
inline std::size_t FindLineEnd(std::string_view text, std::size_t pos) {
  using namespace byte_scan;
  return FindFirst(
      text, pos,
      [](std::uint64_t w) { return AnyEqual(w, '\r') | AnyEqual(w, '\n'); },
      [](unsigned char c) { return c == '\r' || c == '\n'; });
}

// True when no byte of `text` is 0x80 or above: every byte is a character.
inline bool IsSingleByteText(std::string_view text) {
  using namespace byte_scan;
  return FindFirst(
             text, 0, [](std::uint64_t w) { return w & Repeat(0x80); },
             [](unsigned char c) { return c >= 0x80; }) == text.size();
}

}  // namespace ovq2tyx

#endif  // OVQ2TYX_TEXT_BYTE_SCAN_H_
