#include "platform/path.h"

#include "platform/code_page.h"

namespace ovq2tyx {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Offset just after the last separator (0 when there is none).
std::size_t FileNameBegin(std::string_view path) {
  std::size_t begin = 0;
  for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
    if (IsSeparator(path[pos])) begin = pos + 1;
  }
  return begin;
}

// Length of a root prefix that keeps its separator: "\", "/", "C:\", "C:/".
std::size_t RootLength(std::string_view path) {
  if (!path.empty() && IsSeparator(path[0])) return 1;
  if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]) &&
      !IsLeadByte(static_cast<unsigned char>(path[0]))) {
    return 3;
  }
  return 0;
}

}  // namespace

std::string_view FindFileName(std::string_view path) {
  return path.substr(FileNameBegin(path));
}

std::string_view RemoveFileName(std::string_view path) {
  std::size_t begin = FileNameBegin(path);
  if (begin == 0) return path.substr(0, 0);
  std::size_t root = RootLength(path);
  if (begin <= root) return path.substr(0, root);
  return path.substr(0, begin - 1);
}

std::size_t FindExtension(std::string_view path) {
  std::size_t begin = FileNameBegin(path);
  std::size_t dot = FindLastChar(path.substr(begin), '.');
  return dot == kNotFound ? path.size() : begin + dot;
}

std::string RenameExtension(std::string_view path, std::string_view extension) {
  std::string renamed(path.substr(0, FindExtension(path)));
  renamed += extension;
  return renamed;
}

std::string CombinePath(std::string_view directory, std::string_view name) {
  std::string combined(directory);
  if (!directory.empty() && FileNameBegin(directory) != directory.size()) {
    combined += kNativeSeparator;
  }
  combined += name;
  return combined;
}

}  // namespace ovq2tyx
