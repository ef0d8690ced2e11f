#include "platform/code_page.h"

namespace ovq2tyx {

namespace {

// Does `needle` stand at boundary `pos`? Equal bytes from a boundary are
// equal characters; with `ignore_case`, single-byte letters are folded.
bool MatchesAt(std::string_view text, std::size_t pos, std::string_view needle,
               bool ignore_case) {
  const std::string_view here = text.substr(pos, needle.size());
  return ignore_case ? EqualsIgnoreCase(here, needle) : here == needle;
}

std::size_t Find(std::string_view text, std::string_view needle,
                 std::size_t from, bool ignore_case) {
  if (needle.empty()) return from <= text.size() ? from : kNotFound;
  const char first = ToUpperAscii(needle[0]);
  for (std::size_t pos = from; pos < text.size();
       pos += CharLength(text, pos)) {
    // Cheap test of the first byte before the full comparison.
    const char here = ignore_case ? ToUpperAscii(text[pos]) : text[pos];
    if ((ignore_case ? here == first : here == needle[0]) &&
        MatchesAt(text, pos, needle, ignore_case)) {
      return pos;
    }
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
  for (std::size_t pos = from; pos < text.size();
       pos += CharLength(text, pos)) {
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
  if (a.size() != b.size()) return false;
  // Last bytes that differ even when folded cannot belong to equal texts;
  // this rejects most different keys ("Data0", "Data1") at once.
  if (!a.empty() && ToUpperAscii(a.back()) != ToUpperAscii(b.back())) {
    return false;
  }
  if (a == b) return true;  // the usual case, without stepping
  for (std::size_t i = 0; i < a.size();) {
    if (CharLength(a, i) == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
    } else {
      if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
      ++i;
    }
  }
  return true;
}

std::size_t LastCharStart(std::string_view text) {
  std::size_t last = kNotFound;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    last = pos;
  }
  return last;
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
