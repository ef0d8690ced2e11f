#include "os/native_path.h"

namespace ovq2tyx {

// Plain bytes; "\" is an ordinary character of a name.
const PathSyntax kNativePath = {Stepping::kBytes, false, false};
const char kNativeSeparator = '/';

std::size_t RootLength(std::string_view path) {
  return path.starts_with('/') ? 1 : 0;
}

}  // namespace ovq2tyx
