// Within os/: what Linux offers file_system_posix.cpp beyond POSIX. The
// Linux build takes file_extras_linux.cpp; any other POSIX system, and the
// posix preset that proves the portable ways, take file_extras_posix.cpp,
// which does without.
#ifndef OVQ2TYX_OS_FILE_EXTRAS_H_
#define OVQ2TYX_OS_FILE_EXTRAS_H_

#include <cstdint>
#include <string>

namespace ovq2tyx {

// Renames `from` to `to` unless something exists at `to`, as one call;
// false with errno set otherwise, ENOSYS where the system has no such call.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Told the size of the file open at `fd` after each write: flushes what is
// written to disk in the background, now and then, so that the flush
// before the file's move has little left to wait for. Nothing where the
// system cannot.
void FlushEarly(int fd, std::uint64_t size);

// Waits for the background flush of `fd`, if any, and forgets it; false
// when one failed. Called before the descriptor is closed.
bool SettleEarlyFlush(int fd);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_FILE_EXTRAS_H_
