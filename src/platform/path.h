// Paths and names, in two syntaxes that never mix:
// - kMenuPath: Windows paths written inside menus, code page 932 text with
//   "\" and "/" as separators (a trail byte 0x5C is part of its character);
// - kNativePath: names of files on this system. On Windows that is the same
//   syntax (the ANSI code page is 932); on POSIX a name is plain bytes in
//   which only "/" separates.
#ifndef OVQ2TYX_PLATFORM_PATH_H_
#define OVQ2TYX_PLATFORM_PATH_H_

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace ovq2tyx {

// Windows: code page 932, "\" and "/" separate, "C:\" is a root, names
// match without ASCII case. POSIX: bytes, "/" separates, exact names.
enum class PathSyntax { kWindows, kPosix };

inline constexpr PathSyntax kMenuPath = PathSyntax::kWindows;

// Defined in path_posix.cpp / path_win32.cpp.
extern const PathSyntax kNativePath;
extern const char kNativeSeparator;

// The last component: the text after the last separator, or all of it.
std::string_view FindFileName(std::string_view path, PathSyntax syntax);

// A native path without its last component and the separator before it; a
// root ("/"; on Windows also "\" and "C:\") keeps its separator; a bare name
// gives "".
std::string_view RemoveFileName(std::string_view path);

// Length of the root that starts a native path, 0 for none (defined in
// path_posix.cpp / path_win32.cpp).
std::size_t RootLength(std::string_view path);

// Offset of the extension of the last component (its last dot), or the end
// of the text when there is none.
std::size_t FindExtension(std::string_view path, PathSyntax syntax);

// The path with its extension replaced by `extension` (dot included), or
// with `extension` appended when there is none.
std::string RenameExtension(std::string_view path, std::string_view extension,
                            PathSyntax syntax);

// A native `directory` and `name` joined with one separator; `name` alone
// when `directory` is empty.
std::string CombinePath(std::string_view directory, std::string_view name);

// Order of native paths in which two paths are equal when their spelling
// names the same file: exact bytes on POSIX, ASCII letters folded on
// Windows. Negative, zero or positive.
int ComparePaths(std::string_view a, std::string_view b);

struct PathOrder {
  bool operator()(std::string_view a, std::string_view b) const {
    return ComparePaths(a, b) < 0;
  }
};

// Whole-name match of a native name: "*" stands for any run of characters,
// also none; ASCII letters match without case; the rest exactly.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// Order of native names: ASCII letters folded to upper case, then raw bytes
// to break ties, so that a listing's order does not depend on the system.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PLATFORM_PATH_H_
