// Platform-independent parts of the file system module: name matching and
// ordering. The rest lives in file_system_posix.cpp / file_system_win32.cpp.
#include "platform/file_system.h"

#include <string>

#include "platform/code_page.h"

namespace ovq2tyx {

namespace {

bool SameChar(std::string_view a, std::size_t a_pos, std::size_t a_len,
              std::string_view b, std::size_t b_pos, std::size_t b_len) {
  if (a_len != b_len) return false;
  if (a_len == 1) return ToUpperAscii(a[a_pos]) == ToUpperAscii(b[b_pos]);
  return a.compare(a_pos, a_len, b, b_pos, b_len) == 0;
}

// The name with its single-byte ASCII letters in upper case.
std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (std::size_t pos = 0; pos < name.size(); pos += CharLength(name, pos)) {
    folded[pos] = ToUpperAscii(name[pos]);
  }
  return folded;
}

bool BytesLess(std::string_view a, std::string_view b) {
  // std::string_view compares char, which may be signed; names sort by byte.
  return std::basic_string_view<unsigned char>(
             reinterpret_cast<const unsigned char*>(a.data()), a.size()) <
         std::basic_string_view<unsigned char>(
             reinterpret_cast<const unsigned char*>(b.data()), b.size());
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  // Greedy match with backtracking to the last "*": linear in practice.
  std::size_t n = 0, p = 0;
  std::size_t star = kNotFound, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = ++p;
      star_n = n;
      continue;
    }
    std::size_t n_len = CharLength(name, n);
    if (p < pattern.size() &&
        SameChar(name, n, n_len, pattern, p, CharLength(pattern, p))) {
      n += n_len;
      p += CharLength(pattern, p);
      continue;
    }
    if (star == kNotFound) return false;
    p = star;
    star_n += CharLength(name, star_n);
    n = star_n;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool NameLess(std::string_view a, std::string_view b) {
  std::string folded_a = FoldName(a), folded_b = FoldName(b);
  if (folded_a != folded_b) return BytesLess(folded_a, folded_b);
  return BytesLess(a, b);
}

}  // namespace ovq2tyx
