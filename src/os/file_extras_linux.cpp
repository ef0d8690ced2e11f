// Linux's own calls for file_system_posix.cpp: a rename that refuses to
// replace, and flushes in the background by the C library's asynchronous
// I/O with O_DSYNC, which other systems' libraries may not offer.
#include <aio.h>
#include <fcntl.h>
#include <stdio.h>

#include <array>
#include <cerrno>
#include <memory>

#include "os/file_extras.h"

namespace ovq2tyx {

namespace {

// Once this much more is written, the part written so far is flushed while
// the rest is made: a disk that caches what it is given takes time in
// proportion to what a flush finds there. (Measured against starting the
// writing alone, by sync_file_range, as git does: this was faster.)
constexpr std::uint64_t kEarlyFlushBytes = std::uint64_t{4} << 20;

// A file's background flushes: the one under way, if any.
struct Flush {
  int fd = -1;                   // -1 for a free slot
  std::uint64_t started_at = 0;  // the size written when the last began
  bool in_flight = false;
  bool failed = false;
  // Apart: the C library's type ends in an open array.
  std::unique_ptr<aiocb> request;
};

// Files written at once: a target, and the root index. A file that finds
// no slot is flushed before its move alone.
std::array<Flush, 4> flushes;

Flush* SlotOf(int fd) {
  for (Flush& flush : flushes) {
    if (flush.fd == fd) return &flush;
  }
  return nullptr;
}

// Takes the result of the flush under way, waiting for it when `wait`;
// false while it is still under way.
bool Settle(Flush& flush, bool wait) {
  if (!flush.in_flight) return true;
  aiocb* const request = flush.request.get();
  while (aio_error(request) == EINPROGRESS) {
    if (!wait) return false;
    aio_suspend(&request, 1, nullptr);
  }
  if (aio_return(request) != 0) flush.failed = true;
  flush.in_flight = false;
  return true;
}

}  // namespace

bool RenameNoReplace(const std::string& from, const std::string& to) {
  return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(),
                   RENAME_NOREPLACE) == 0;
}

void FlushEarly(int fd, std::uint64_t size) {
  if (size < kEarlyFlushBytes) return;  // small files never need one
  Flush* flush = SlotOf(fd);
  if (flush == nullptr && (flush = SlotOf(-1)) == nullptr) return;
  flush->fd = fd;
  // One that is under way or cannot start is tried again with the next
  // write.
  if (!Settle(*flush, false) || size - flush->started_at < kEarlyFlushBytes) {
    return;
  }
  flush->request = std::make_unique<aiocb>();
  flush->request->aio_fildes = fd;
  flush->request->aio_sigevent.sigev_notify = SIGEV_NONE;
  if (aio_fsync(O_DSYNC, flush->request.get()) == 0) {
    flush->in_flight = true;
    flush->started_at = size;
  }
}

bool SettleEarlyFlush(int fd) {
  Flush* flush = SlotOf(fd);
  if (flush == nullptr) return true;
  Settle(*flush, true);
  const bool failed = flush->failed;
  *flush = Flush{};
  return !failed;
}

}  // namespace ovq2tyx
