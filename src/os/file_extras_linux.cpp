// Linux's own calls for file_system_posix.cpp.
#include <fcntl.h>
#include <stdio.h>

#include "os/file_extras.h"

namespace ovq2tyx {

bool RenameNoReplace(const std::string& from, const std::string& to) {
  return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(),
                   RENAME_NOREPLACE) == 0;
}

void StartWriteback(int fd) {
  // Dirty pages go to the disk; no wait, and no flush of the disk's cache,
  // which the fsync before the move makes.
  sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

}  // namespace ovq2tyx
