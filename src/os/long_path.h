// The "\\?\" form of native paths on Windows: the form the wide functions
// take at any length and exactly as spelled. The system's own resolution
// (GetFullPathNameW) trims the final spaces and dots of a last component and
// turns device names ("nul.ovq", "com1.ovq") into devices, so that it names
// another file than the one listed or given. Here only what a path cannot
// say alone is asked of the system: the current folder, a drive's current
// folder ("C:name") and the root of the current folder ("\name"); "." and
// ".." are resolved by hand and every other component is kept as it is.
// Used by the Windows modules only.
#ifndef OVQ2TYX_OS_LONG_PATH_H_
#define OVQ2TYX_OS_LONG_PATH_H_

#include <string>
#include <string_view>

namespace ovq2tyx {

// The absolute "\\?\" form of native `path` ("" is the current folder);
// "\\?\UNC\server\share\..." for a share. A path given in that form already
// is taken as it is. "" when the system cannot say where the path starts.
std::wstring LongPath(std::string_view path);

// `name` in the folder `folder` (a LongPath): one "\" between them.
std::wstring LongPathIn(std::wstring_view folder, std::wstring_view name);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_LONG_PATH_H_
