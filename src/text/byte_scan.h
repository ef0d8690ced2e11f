// Byte searches eight bytes at a time, for the runs of text that make up
// most of a menu: the profile reader's runs of plain characters, the
// writer's values up to a line break, and whether a text needs code page 932
// stepping at all. Standard C++ only: a word is marked with integer
// arithmetic, and the first marked byte found with std::countr_zero /
// countl_zero, on either byte order.
#ifndef OVQ2TYX_TEXT_BYTE_SCAN_H_
#define OVQ2TYX_TEXT_BYTE_SCAN_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ovq2tyx {

namespace byte_scan {

using Word = std::uint64_t;

static_assert(std::endian::native == std::endian::little ||
              std::endian::native == std::endian::big);

constexpr Word Repeat(unsigned char byte) {
  return 0x0101010101010101ull * byte;
}

// The high bit of each byte of `word` that is below `limit` (at most 0x80),
// and no other bit. No carry crosses a byte, so every mark is exact.
constexpr Word MarkBelow(Word word, unsigned char limit) {
  return ~(((word & Repeat(0x7F)) + Repeat(0x80 - limit)) | word) &
         Repeat(0x80);
}

constexpr Word MarkEqual(Word word, unsigned char byte) {
  return MarkBelow(word ^ Repeat(byte), 1);
}

// Bytes of 0x80 and above, and those below `limit` (at most 0x80).
constexpr Word MarkHighOrBelow(Word word, unsigned char limit) {
  return (word | ~((word & Repeat(0x7F)) + Repeat(0x80 - limit))) &
         Repeat(0x80);
}

// The offset of the first byte in memory order marked in `marks` (not 0)
// of a word copied from memory.
constexpr int FirstMarked(Word marks) {
  return (std::endian::native == std::endian::little
              ? std::countr_zero(marks)
              : std::countl_zero(marks)) /
         8;
}

// The marks of a word without those of its first `skipped` bytes (0 to 7).
constexpr Word DropFirst(Word marks, std::size_t skipped) {
  return std::endian::native == std::endian::little
             ? marks >> 8 * skipped << 8 * skipped
             : marks << 8 * skipped >> 8 * skipped;
}

// The first position at or after `pos` (at most the text's size) whose
// byte passes `stops`, or the end of the text. `marks` marks in a word at
// least every byte that stops. The only loop over words: every search
// below, and the profile reader's, is this one.
template <typename WordMarks, typename ByteStops>
std::size_t FindFirst(std::string_view text, std::size_t pos, WordMarks marks,
                      ByteStops stops) {
  const std::size_t size = text.size();
  Word word;
  while (pos + 8 <= size) {
    std::memcpy(&word, text.data() + pos, 8);
    if (const Word marked = marks(word)) {
      pos += FirstMarked(marked);
      if (stops(static_cast<unsigned char>(text[pos]))) return pos;
      ++pos;
    } else {
      pos += 8;
    }
  }
  // The bytes after the last whole word lie in the word that ends the text.
  while (pos < size && size >= 8) {
    std::memcpy(&word, text.data() + size - 8, 8);
    const Word marked = DropFirst(marks(word), pos - (size - 8));
    if (marked == 0) return size;
    pos = size - 8 + FirstMarked(marked);
    if (stops(static_cast<unsigned char>(text[pos]))) return pos;
    ++pos;
  }
  while (pos < size && !stops(static_cast<unsigned char>(text[pos]))) ++pos;
  return pos;
}

constexpr bool IsBreak(unsigned char c) {
  return c == '\r' || c == '\n' || c == '\0';
}

}  // namespace byte_scan

// The first CR, LF or NUL at or after `pos` (a byte no line can hold), or
// the end of the text.
inline std::size_t FindBreak(std::string_view text, std::size_t pos) {
  using namespace byte_scan;
  return FindFirst(
      text, pos, [](Word w) { return MarkBelow(w, '\r' + 1); }, IsBreak);
}

// True when no byte of `text` is 0x80 or above: every byte is a character.
inline bool IsSingleByteText(std::string_view text) {
  using namespace byte_scan;
  return FindFirst(
             text, 0, [](Word w) { return w & Repeat(0x80); },
             [](unsigned char c) { return c >= 0x80; }) == text.size();
}

}  // namespace ovq2tyx

#endif  // OVQ2TYX_TEXT_BYTE_SCAN_H_
