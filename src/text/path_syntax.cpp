#include "text/path_syntax.h"

#include "text/byte_scan.h"

namespace ovq2tyx {

namespace {

bool IsSeparator(char c, PathSyntax syntax) {
  return c == '/' || (c == '\\' && syntax.backslash_separates);
}

// Whether every byte of the path is a character of its own.
bool IsBytewise(std::string_view path, PathSyntax syntax) {
  return syntax.stepping == Stepping::kBytes || IsSingleByteText(path);
}

}  // namespace

std::size_t FileNameBegin(std::string_view path, PathSyntax syntax) {
  std::size_t begin = 0;
  if (IsBytewise(path, syntax)) {
    for (begin = path.size(); begin > 0; --begin) {
      if (IsSeparator(path[begin - 1], syntax)) break;
    }
    return begin;
  }
  for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
    if (IsSeparator(path[pos], syntax)) begin = pos + 1;
  }
  return begin;
}

std::string_view FindFileName(std::string_view path, PathSyntax syntax) {
  return path.substr(FileNameBegin(path, syntax));
}

std::size_t FindExtension(std::string_view path, PathSyntax syntax) {
  if (IsBytewise(path, syntax)) {
    // From the end back to the last separator, in one pass.
    for (std::size_t pos = path.size(); pos > 0; --pos) {
      const char c = path[pos - 1];
      if (c == '.') return pos - 1;
      if (IsSeparator(c, syntax)) break;
    }
    return path.size();
  }
  const std::size_t begin = FileNameBegin(path, syntax);
  const std::size_t dot =
      FindLastChar(path.substr(begin), '.', syntax.stepping);
  return dot == kNotFound ? path.size() : begin + dot;
}

std::string RenameExtension(std::string_view path, std::string_view extension,
                            PathSyntax syntax) {
  std::string renamed(path.substr(0, FindExtension(path, syntax)));
  renamed += extension;
  return renamed;
}

}  // namespace ovq2tyx
