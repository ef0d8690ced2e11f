#include "os/console.h"

#include <cstddef>

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
    for (char c : part) {
      put(IsControlByte(static_cast<unsigned char>(c)) ? '?' : c);
    }
  }
  put('\n');
  WriteOutput({buffer, used});
}

}  // namespace ovq2tyx
