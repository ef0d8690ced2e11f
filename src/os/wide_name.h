// Names of files on Windows: UTF-16 in the system's wide functions, UTF-8
// in the program, as on POSIX. A Windows name may hold a lone surrogate,
// which is no character; it takes the three bytes its code would (as in
// WTF-8), so that every name read names the same file when it goes back.
// Used by the Windows modules only.
#ifndef OVQ2TYX_OS_WIDE_NAME_H_
#define OVQ2TYX_OS_WIDE_NAME_H_

#include <string>
#include <string_view>

namespace ovq2tyx {

std::string NameFromWide(std::wstring_view wide);

// `name` holds what NameFromWide gives, joined with ASCII text.
std::wstring NameToWide(std::string_view name);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_WIDE_NAME_H_
