#include "text/code_page.h"

#include "text/byte_scan.h"

namespace ovq2tyx {

namespace {

std::size_t Find(std::string_view text, std::string_view needle,
                 std::size_t from, bool ignore_case) {
  if (needle.empty()) return from <= text.size() ? from : kNotFound;
  const char first = ignore_case ? ToUpperAscii(needle[0]) : needle[0];
  for (std::size_t pos = from; pos < text.size();
       pos += CharLength(text, pos)) {
    // Cheap test of the first byte before the full comparison.
    const char here = ignore_case ? ToUpperAscii(text[pos]) : text[pos];
    if (here != first) continue;
    const std::string_view candidate = text.substr(pos, needle.size());
    if (ignore_case ? EqualsIgnoreCase(candidate, needle)
                    : candidate == needle) {
      return pos;
    }
  }
  return kNotFound;
}

}  // namespace

std::size_t FindText(std::string_view text, std::string_view needle,
                     std::size_t from) {
  // Without double-byte characters every position is a boundary.
  if (from <= text.size() && IsSingleByteText(text.substr(from))) {
    return text.find(needle, from);
  }
  return Find(text, needle, from, false);
}

std::size_t FindTextIgnoreCase(std::string_view text, std::string_view needle,
                               std::size_t from) {
  return Find(text, needle, from, true);
}

std::size_t FindChar(std::string_view text, char c, std::size_t from,
                     Stepping stepping) {
  if (stepping == Stepping::kBytes ||
      (from <= text.size() && IsSingleByteText(text.substr(from)))) {
    return text.find(c, from);
  }
  for (std::size_t pos = from; pos < text.size();
       pos += CharLength(text, pos, stepping)) {
    if (text[pos] == c) return pos;
  }
  return kNotFound;
}

std::size_t FindLastChar(std::string_view text, char c, Stepping stepping) {
  if (stepping == Stepping::kBytes || IsSingleByteText(text)) {
    return text.rfind(c);
  }
  std::size_t found = kNotFound;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (text[pos] == c) found = pos;
  }
  return found;
}

int CompareIgnoreCase(std::string_view a, std::string_view b,
                      Stepping stepping) {
  for (std::size_t i = 0; i < a.size() && i < b.size();) {
    // Equal bytes so far: both texts have a character boundary at i.
    const std::size_t len = CharLength(a, i, stepping);
    const auto x =
        static_cast<unsigned char>(len == 1 ? ToUpperAscii(a[i]) : a[i]);
    const auto y =
        static_cast<unsigned char>(len == 1 ? ToUpperAscii(b[i]) : b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (len == 2 && i + 1 < b.size() && a[i + 1] != b[i + 1]) {
      return static_cast<unsigned char>(a[i + 1]) <
                     static_cast<unsigned char>(b[i + 1])
                 ? -1
                 : 1;
    }
    i += len;
  }
  return (a.size() > b.size()) - (a.size() < b.size());
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
  const std::size_t limit = capacity - 1;
  if (text.size() <= limit) return text;
  std::size_t end = 0;
  for (std::size_t next; end < text.size(); end = next) {
    next = end + CharLength(text, end);
    if (next > limit) break;
  }
  return text.substr(0, end);
}

}  // namespace ovq2tyx
