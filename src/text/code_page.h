// Code page 932 text stepping: the one place that knows which bytes start a
// double-byte character, and the one place that folds letter case. Every
// search, comparison and cut on menu text goes through these functions, so
// the second byte of a double-byte character is never taken for a
// separator, dot, blank, "?", "=", digit or letter.
//
// Text is std::string_view over raw bytes; positions are byte offsets and
// kNotFound means "no match". Names of files are plain bytes (UTF-8 on
// Windows): the functions that serve them take Stepping::kBytes.
#ifndef OVQ2TYX_TEXT_CODE_PAGE_H_
#define OVQ2TYX_TEXT_CODE_PAGE_H_

#include <cstddef>
#include <string_view>

namespace ovq2tyx {

inline constexpr std::size_t kNotFound = std::string_view::npos;

// How text divides into characters: code page 932, or one byte each.
enum class Stepping { kCodePage932, kBytes };

// True for 0x81-0x9F and 0xE0-0xFC, the bytes that take the next byte along.
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The control bytes (below 0x20, and 0x7F): none may reach a console line
// or a line of a menu, where it could end or forge one.
constexpr bool IsControlByte(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F;
}

// Byte length (1 or 2) of the character at `pos`. A lead byte followed by
// nothing, NUL, CR or LF has no trail: it stands alone, and the line end or
// terminator after it keeps its meaning.
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
  if (!IsLeadByte(static_cast<unsigned char>(text[pos])) ||
      pos + 1 >= text.size()) {
    return 1;
  }
  const char trail = text[pos + 1];
  return (trail == '\0' || trail == '\r' || trail == '\n') ? 1 : 2;
}

inline std::size_t CharLength(std::string_view text, std::size_t pos,
                              Stepping stepping) {
  return stepping == Stepping::kBytes ? 1 : CharLength(text, pos);
}

// Upper case for a single-byte ASCII letter, every other byte unchanged: the
// only case folding of the program. Apply it to bytes that start a
// character.
constexpr char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// First occurrence of `needle` starting at a character boundary at or after
// `from` (which must itself be a boundary). Letter case is significant.
std::size_t FindText(std::string_view text, std::string_view needle,
                     std::size_t from = 0);

// As FindText, with single-byte ASCII letters compared without case.
std::size_t FindTextIgnoreCase(std::string_view text, std::string_view needle,
                               std::size_t from = 0);

// First / last single-byte character `c` (never a trail byte).
std::size_t FindChar(std::string_view text, char c, std::size_t from = 0,
                     Stepping stepping = Stepping::kCodePage932);
std::size_t FindLastChar(std::string_view text, char c,
                         Stepping stepping = Stepping::kCodePage932);

// Order of two texts with single-byte ASCII letters folded to upper case,
// bytes taken as unsigned: negative, zero or positive.
int CompareIgnoreCase(std::string_view a, std::string_view b,
                      Stepping stepping = Stepping::kCodePage932);

inline bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  // Equal texts end in equal characters, so last bytes that differ even
  // when folded reject most different names ("Data0", "Data1") at once.
  return a.size() == b.size() &&
         (a.empty() || ToUpperAscii(a.back()) == ToUpperAscii(b.back())) &&
         (a == b || CompareIgnoreCase(a, b) == 0);
}

// Where the last character of `text` starts; kNotFound for empty text.
std::size_t LastCharStart(std::string_view text);

// The longest prefix of `text` that fits a buffer of `capacity` bytes with
// its terminator (at most capacity - 1 bytes) without splitting a character.
std::string_view CutToCapacity(std::string_view text, std::size_t capacity);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_TEXT_CODE_PAGE_H_
