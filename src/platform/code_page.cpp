#include "platform/code_page.h"

namespace ovq2tyx {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
  if (!IsLeadByte(static_cast<unsigned char>(text[pos])) ||
      pos + 1 >= text.size()) {
    return 1;
  }
  const char trail = text[pos + 1];
  return (trail == '\0' || trail == '\r' || trail == '\n') ? 1 : 2;
}

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

namespace {

// Does `needle` stand at boundary `pos`? Double-byte characters must match
// exactly; single bytes are folded when `ignore_case` is set.
bool MatchesAt(std::string_view text, std::size_t pos, std::string_view needle,
               bool ignore_case) {
  if (text.size() - pos < needle.size()) return false;
  for (std::size_t i = 0; i < needle.size();) {
    std::size_t len = CharLength(text, pos + i);
    if (len == 2 || !ignore_case) {
      if (text.compare(pos + i, len, needle.substr(i, len)) != 0) return false;
    } else if (ToUpperAscii(text[pos + i]) != ToUpperAscii(needle[i])) {
      return false;
    }
    i += len;
  }
  return true;
}

std::size_t Find(std::string_view text, std::string_view needle,
                 std::size_t from, bool ignore_case) {
  for (std::size_t pos = from; pos <= text.size();
       pos += (pos < text.size() ? CharLength(text, pos) : 1)) {
    if (MatchesAt(text, pos, needle, ignore_case)) return pos;
  }
  return kNotFound;
}

}  // namespace

std::size_t FindText(std::string_view text, std::string_view needle,
                     std::size_t from) {
  return Find(text, needle, from, false);
}

std::size_t FindTextIgnoreCase(std::string_view text, std::string_view needle,
                               std::size_t from) {
  return Find(text, needle, from, true);
}

std::size_t FindChar(std::string_view text, char c, std::size_t from) {
  for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
    if (text[pos] == c) return pos;
  }
  return kNotFound;
}

std::size_t FindLastChar(std::string_view text, char c) {
  std::size_t found = kNotFound;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (text[pos] == c) found = pos;
  }
  return found;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && MatchesAt(a, 0, b, true);
}

std::string_view CutToCapacity(std::string_view text, std::size_t capacity) {
  if (capacity == 0) return text.substr(0, 0);
  std::size_t limit = capacity - 1;
  if (text.size() <= limit) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + CharLength(text, end);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace ovq2tyx
