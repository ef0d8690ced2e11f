// Within os/: what Linux offers file_system_posix.cpp beyond POSIX. The
// Linux build takes file_extras_linux.cpp; any other POSIX system, and the
// posix preset that proves the portable ways, take file_extras_posix.cpp,
// which offers neither call.
#ifndef OVQ2TYX_OS_FILE_EXTRAS_H_
#define OVQ2TYX_OS_FILE_EXTRAS_H_

#include <string>

namespace ovq2tyx {

// Renames `from` to `to` unless something exists at `to`, as one call;
// false with errno set otherwise, ENOSYS where the system has no such call.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Starts writing the file open at `fd` to disk without waiting for it, so
// that the flush before its move finds little left to do; nothing where the
// system cannot.
void StartWriteback(int fd);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_FILE_EXTRAS_H_
