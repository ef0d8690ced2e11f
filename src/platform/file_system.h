// Files and directories: existence, whole-file reads, no-replace writes,
// appends and sorted, wildcard-filtered listings. Paths are code page 932
// bytes at full length (never cut). Failures are results, never exceptions.
#ifndef OVQ2TYX_PLATFORM_FILE_SYSTEM_H_
#define OVQ2TYX_PLATFORM_FILE_SYSTEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovq2tyx {

enum class WriteResult { kWritten, kExists, kFailed };

// True when a file or directory (or anything else) exists at `path`.
bool PathExists(const std::string& path);

// Reads a whole regular file of at most `max_size` bytes. False when the
// path is missing, names a directory or other non-regular file, is larger,
// or cannot be read.
bool ReadRegularFile(const std::string& path, std::string& bytes,
                     std::uint64_t max_size);

// Creates `path` holding `bytes`, complete or not at all: the bytes go to a
// temporary file in the same directory, which is then moved into place
// without replacing anything. kExists when a file appeared at `path`. No
// temporary file is left behind in any outcome.
WriteResult WriteNewFile(const std::string& path, std::string_view bytes);

// Appends `bytes` to an existing file; on failure the file is cut back to its
// previous length.
bool AppendToFile(const std::string& path, std::string_view bytes);

// Names (without directory) of the entries of `directory` whose whole name
// matches `pattern`, files and directories alike, sorted as NameLess does.
// An empty directory means the current one.
std::vector<std::string> ListDirectory(const std::string& directory,
                                       std::string_view pattern);

// Whole-name match: "*" stands for any run of characters, also none; ASCII
// letters match without case; other characters match exactly.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// Order of names as Windows file systems list them: ASCII letters folded to
// upper case, then raw bytes to break ties.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PLATFORM_FILE_SYSTEM_H_
