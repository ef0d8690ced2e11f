// Names of files on this system, in their native syntax: plain bytes in
// which "/" separates on POSIX; on Windows UTF-8 (os/wide_name.h), also
// taken byte by byte, "\" and "/" separating and ASCII letters matching
// without case. The menus' own paths are never handled here (see
// text/path_syntax.h).
#ifndef OVQ2TYX_OS_NATIVE_PATH_H_
#define OVQ2TYX_OS_NATIVE_PATH_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "text/path_syntax.h"

namespace ovq2tyx {

// Defined in native_path_posix.cpp / native_path_win32.cpp.
extern const PathSyntax kNativePath;
extern const char kNativeSeparator;

// Length of the root that starts a native path, 0 for none ("/"; on Windows
// also "\" and "C:\"). Defined per platform.
std::size_t RootLength(std::string_view path);

// A native path without its last component and the separator before it; a
// root keeps its separator; a bare name gives "".
std::string_view RemoveFileName(std::string_view path);

// A native `directory` and `name` joined with one separator; `name` alone
// when `directory` is empty.
std::string CombinePath(std::string_view directory, std::string_view name);

// Order of native paths in which two paths are equal when their spelling
// names the same file: exact bytes on POSIX, ASCII letters folded on
// Windows. Negative, zero or positive.
int ComparePaths(std::string_view a, std::string_view b);

// The same, or with ASCII letters folded as on Windows when `fold_case`:
// for paths in a folder whose volume folds case where the system does not
// (exFAT and FAT under Linux; see NewFile::FolderFoldsCase).
struct PathOrder {
  bool fold_case = kNativePath.fold_case;
  int Compare(std::string_view a, std::string_view b) const;
  bool operator()(std::string_view a, std::string_view b) const {
    return Compare(a, b) < 0;
  }
};

// Whole-name match of a native name: "*" stands for any run of characters,
// also none; ASCII letters match without case; the rest exactly.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// Order of native names: ASCII letters folded to upper case, then raw bytes
// to break ties, so that a listing's order does not depend on the system.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_NATIVE_PATH_H_
