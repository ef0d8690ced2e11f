#include "os/native_path.h"

namespace ovq2tyx {

// Names in the ANSI code page (932), written as menus write paths.
const PathSyntax kNativePath = kMenuPath;
const char kNativeSeparator = '\\';

// "\" and "/", and a drive's root: "C:\", "C:/".
std::size_t RootLength(std::string_view path) {
  const auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (!path.empty() && separator(path[0])) return 1;
  if (path.size() >= 3 && path[1] == ':' && separator(path[2]) &&
      !IsLeadByte(static_cast<unsigned char>(path[0]))) {
    return 3;
  }
  return 0;
}

}  // namespace ovq2tyx
