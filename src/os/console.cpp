#include "os/console.h"

#include <cstddef>

#include "os/console_parts.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// Where a full buffer of `size` bytes is cut: before the UTF-8 character
// its end may split, so that each piece converts alone.
std::size_t CharacterEnd(const char* buffer, std::size_t size) {
  std::size_t end = size;
  while (end > size - 4 && end > 0 &&
         (static_cast<unsigned char>(buffer[end - 1]) & 0xC0) == 0x80) {
    --end;
  }
  if (end > 0 && static_cast<unsigned char>(buffer[end - 1]) >= 0xC0) --end;
  return end > 0 ? end : size;
}

// The characters beyond ASCII that could end a line or reorder what a
// reader sees: the C1 controls (U+0085 ends a line for many tools), the
// line and paragraph separators, and the bidirectional formatting marks,
// embeddings, overrides and isolates.
constexpr struct {
  char32_t first, last;
} kHiddenCharacters[] = {{0x80, 0x9F},
                         {0x61C, 0x61C},
                         {0x200E, 0x200F},
                         {0x2028, 0x202E},
                         {0x2066, 0x2069}};

// The length of the UTF-8 character at `text[pos]` when it is one of those,
// which print as "?"; otherwise 0. All take two or three bytes. It is read
// wherever it stands, since a reader's terminal finds it there too; bytes
// that form no UTF-8 (most of a name in code page 932) form none of them.
std::size_t HiddenCharLength(std::string_view text, std::size_t pos) {
  const auto byte = [text](std::size_t at) {
    return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u;
  };
  const unsigned lead = byte(pos);
  const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                                                           : 0;
  char32_t c = lead & (length == 2 ? 0x1F : 0x0F);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(pos + k) & 0xC0) != 0x80) return 0;
    c = c << 6 | (byte(pos + k) & 0x3F);
  }
  if (length == 0 || (length == 3 && c < 0x800)) return 0;  // too long a form
  for (const auto& hidden : kHiddenCharacters) {
    if (c >= hidden.first && c <= hidden.last) return length;
  }
  return 0;
}

}  // namespace

void PrintLine(std::initializer_list<std::string_view> parts) {
  // Static, not on the heap; a longer line goes out in pieces.
  static char buffer[4096];
  std::size_t used = 0;
  const auto put = [&used](char c) {
    if (used == sizeof buffer) {
      const std::size_t end = CharacterEnd(buffer, used);
      WriteOutput({buffer, end});
      for (std::size_t i = end; i < used; ++i) buffer[i - end] = buffer[i];
      used -= end;
    }
    buffer[used++] = c;
  };
  for (std::string_view part : parts) {
    for (std::size_t pos = 0; pos < part.size();) {
      const std::size_t hidden = HiddenCharLength(part, pos);
      const auto byte = static_cast<unsigned char>(part[pos]);
      put(hidden > 0 || IsControlByte(byte) ? '?' : part[pos]);
      pos += hidden > 0 ? hidden : 1;
    }
  }
  put('\n');
  WriteOutput({buffer, used});
}

}  // namespace ovq2tyx
