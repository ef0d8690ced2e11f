#include "os/native_path.h"

namespace ovq2tyx {

namespace {

// Does the character at `name[n]` match the one at `pattern[p]`?
bool SameChar(std::string_view name, std::size_t n, std::string_view pattern,
              std::size_t p) {
  const Stepping stepping = kNativePath.stepping;
  const std::size_t len = CharLength(name, n, stepping);
  return len == CharLength(pattern, p, stepping) &&
         CompareIgnoreCase(name.substr(n, len), pattern.substr(p, len),
                           stepping) == 0;
}

}  // namespace

std::string_view RemoveFileName(std::string_view path) {
  const std::size_t begin = FileNameBegin(path, kNativePath);
  if (begin == 0) return path.substr(0, 0);
  const std::size_t root = RootLength(path);
  return path.substr(0, begin <= root ? root : begin - 1);
}

std::string CombinePath(std::string_view directory, std::string_view name) {
  std::string combined(directory);
  if (!directory.empty() &&
      FileNameBegin(directory, kNativePath) != directory.size()) {
    combined += kNativeSeparator;
  }
  combined += name;
  return combined;
}

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  // Greedy match with backtracking to the last "*": linear in practice.
  const Stepping stepping = kNativePath.stepping;
  std::size_t n = 0, p = 0;
  std::size_t star = kNotFound, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = ++p;
      star_n = n;
    } else if (p < pattern.size() && SameChar(name, n, pattern, p)) {
      n += CharLength(name, n, stepping);
      p += CharLength(pattern, p, stepping);
    } else if (star == kNotFound) {
      return false;
    } else {
      p = star;
      star_n += CharLength(name, star_n, stepping);
      n = star_n;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

int PathOrder::Compare(std::string_view a, std::string_view b) const {
  return fold_case ? CompareIgnoreCase(a, b, kNativePath.stepping)
                   : a.compare(b);
}

int ComparePaths(std::string_view a, std::string_view b) {
  return PathOrder{}.Compare(a, b);
}

bool NameLess(std::string_view a, std::string_view b) {
  const int folded = CompareIgnoreCase(a, b, kNativePath.stepping);
  // char_traits<char> compares bytes as unsigned, like memcmp.
  return folded < 0 || (folded == 0 && a < b);
}

}  // namespace ovq2tyx
