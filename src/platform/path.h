// Path splitting and joining on code page 932 text. Both "\" and "/" are
// separators on every platform; joins insert the platform's own. A trail
// byte 0x5C is part of its character, never a separator.
#ifndef OVQ2TYX_PLATFORM_PATH_H_
#define OVQ2TYX_PLATFORM_PATH_H_

#include <string>
#include <string_view>

namespace ovq2tyx {

// "/" on POSIX, "\" on Windows (defined in path_posix.cpp / path_win32.cpp).
extern const char kNativeSeparator;

// The last component: the text after the last separator, or all of it.
std::string_view FindFileName(std::string_view path);

// The path without its last component and the separator before it; a root
// ("\", "/", "C:\") keeps its separator; a bare name gives "".
std::string_view RemoveFileName(std::string_view path);

// Offset of the extension of the last component (its last dot), or the end
// of the text when there is none.
std::size_t FindExtension(std::string_view path);

// The path with its extension replaced by `extension` (dot included), or
// with `extension` appended when there is none.
std::string RenameExtension(std::string_view path, std::string_view extension);

// `directory` and `name` joined with one separator; `name` alone when
// `directory` is empty.
std::string CombinePath(std::string_view directory, std::string_view name);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PLATFORM_PATH_H_
