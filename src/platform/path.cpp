#include "platform/path.h"

#include "platform/byte_scan.h"

namespace ovq2tyx {

namespace {

Stepping SteppingOf(PathSyntax syntax) {
  return syntax == PathSyntax::kWindows ? Stepping::kCodePage932
                                        : Stepping::kBytes;
}

bool IsSeparator(char c, PathSyntax syntax) {
  return c == '/' || (c == '\\' && syntax == PathSyntax::kWindows);
}

// Offset just after the last separator (0 when there is none).
std::size_t FileNameBegin(std::string_view path, PathSyntax syntax) {
  if (syntax == PathSyntax::kPosix || IsSingleByteText(path)) {
    const std::size_t last = path.find_last_of(
        syntax == PathSyntax::kPosix ? std::string_view("/") : "\\/");
    return last == std::string_view::npos ? 0 : last + 1;
  }
  std::size_t begin = 0;
  for (std::size_t pos = 0; pos < path.size();
       pos += CharLength(path, pos, SteppingOf(syntax))) {
    if (IsSeparator(path[pos], syntax)) begin = pos + 1;
  }
  return begin;
}

// Does the character at `name[n]` match the one at `pattern[p]`?
bool SameChar(std::string_view name, std::size_t n, std::string_view pattern,
              std::size_t p) {
  const Stepping stepping = SteppingOf(kNativePath);
  const std::size_t len = CharLength(name, n, stepping);
  return len == CharLength(pattern, p, stepping) &&
         CompareIgnoreCase(name.substr(n, len), pattern.substr(p, len),
                           stepping) == 0;
}

}  // namespace

std::string_view FindFileName(std::string_view path, PathSyntax syntax) {
  return path.substr(FileNameBegin(path, syntax));
}

std::string_view RemoveFileName(std::string_view path) {
  const std::size_t begin = FileNameBegin(path, kNativePath);
  if (begin == 0) return path.substr(0, 0);
  const std::size_t root = RootLength(path);
  return path.substr(0, begin <= root ? root : begin - 1);
}

std::size_t FindExtension(std::string_view path, PathSyntax syntax) {
  const std::size_t begin = FileNameBegin(path, syntax);
  const std::size_t dot =
      FindLastChar(path.substr(begin), '.', SteppingOf(syntax));
  return dot == kNotFound ? path.size() : begin + dot;
}

std::string RenameExtension(std::string_view path, std::string_view extension,
                            PathSyntax syntax) {
  std::string renamed(path.substr(0, FindExtension(path, syntax)));
  renamed += extension;
  return renamed;
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
  const Stepping stepping = SteppingOf(kNativePath);
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

int ComparePaths(std::string_view a, std::string_view b) {
  if (kNativePath == PathSyntax::kWindows) return CompareIgnoreCase(a, b);
  return a.compare(b);
}

bool NameLess(std::string_view a, std::string_view b) {
  const int folded = CompareIgnoreCase(a, b, SteppingOf(kNativePath));
  // char_traits<char> compares bytes as unsigned, like memcmp.
  return folded < 0 || (folded == 0 && a < b);
}

}  // namespace ovq2tyx
