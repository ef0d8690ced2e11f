#include "os/native_path.h"

namespace ovq2tyx {

// UTF-8 from the wide functions (wide_name.h), taken byte by byte as on
// POSIX: no code page steps through a name, and no byte of a character
// beyond ASCII is ever "\", "/", ":" or a letter.
const PathSyntax kNativePath = {Stepping::kBytes, true, true};
const char kNativeSeparator = '\\';

// "\" and "/", and a drive's root: "C:\", "C:/".
std::size_t RootLength(std::string_view path) {
  const auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (!path.empty() && separator(path[0])) return 1;
  return path.size() >= 3 && path[1] == ':' && separator(path[2]) ? 3 : 0;
}

}  // namespace ovq2tyx
