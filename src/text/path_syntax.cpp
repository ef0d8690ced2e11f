#include "text/path_syntax.h"

#include "text/byte_scan.h"

namespace ovq2tyx {

std::size_t FileNameBegin(std::string_view path, PathSyntax syntax) {
  const std::string_view separators = syntax.backslash_separates ? "\\/" : "/";
  if (syntax.stepping == Stepping::kBytes || IsSingleByteText(path)) {
    const std::size_t last = path.find_last_of(separators);
    return last == std::string_view::npos ? 0 : last + 1;
  }
  std::size_t begin = 0;
  for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
    if (separators.find(path[pos]) != std::string_view::npos) begin = pos + 1;
  }
  return begin;
}

std::string_view FindFileName(std::string_view path, PathSyntax syntax) {
  return path.substr(FileNameBegin(path, syntax));
}

std::size_t FindExtension(std::string_view path, PathSyntax syntax) {
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
