// The syntax of paths: where a path's last component and its extension
// begin, for the Windows paths written inside menus (kMenuPath) and, through
// os/native_path.h, for the names of files on this system. The syntax says
// how text divides into characters, which bytes separate and whether ASCII
// letters match without case; nothing here touches a file.
#ifndef OVQ2TYX_TEXT_PATH_SYNTAX_H_
#define OVQ2TYX_TEXT_PATH_SYNTAX_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page.h"

namespace ovq2tyx {

struct PathSyntax {
  Stepping stepping;
  bool backslash_separates;  // "/" always does
  bool fold_case;            // ASCII letters match without case
};

// Windows paths inside menus: code page 932 text, "\" and "/" separate (a
// trail byte 0x5C is part of its character), letters match without case.
inline constexpr PathSyntax kMenuPath = {Stepping::kCodePage932, true, true};

// The last component: the text after the last separator, or all of it.
std::string_view FindFileName(std::string_view path, PathSyntax syntax);

// Offset just after the last separator (0 when there is none).
std::size_t FileNameBegin(std::string_view path, PathSyntax syntax);

// Offset of the extension of the last component (its last dot), or the end
// of the text when there is none.
std::size_t FindExtension(std::string_view path, PathSyntax syntax);

// The path with its extension replaced by `extension` (dot included), or
// with `extension` appended when there is none.
std::string RenameExtension(std::string_view path, std::string_view extension,
                            PathSyntax syntax);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_TEXT_PATH_SYNTAX_H_
