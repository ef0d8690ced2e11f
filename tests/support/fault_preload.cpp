// Test support, loaded into the program with LD_PRELOAD: faults a test
// cannot cause otherwise, chosen by the environment. As fault_preload: no
// rename that refuses to replace nor hard links (as on exFAT and FAT), and
// OVQ2TYX_FAULT=claim-taken: as a target is claimed, another program makes
// it ("theirs") and SIGINT comes; =moved-then-int: SIGINT comes as a file
// has just been moved onto its claim; =claim-stuck: moves onto claims fail,
// and so does removing anything but a temporary file; =flush-fails: every
// flush made in the background fails; =read-fails: reading a menu (a file
// whose name ends in ".ovq") fails. As allocation_preload
// (not with the sanitizers' allocator): OVQ2TYX_FAIL_ALLOCATION=N fails the
// Nth allocation (malloc and its kin, anonymous mappings) from the start;
// =N+S also every later one of S bytes or more, while smaller ones, as of
// the exception that reports it, are still found.
#include <aio.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

#ifndef OVQ2TYX_ALLOCATION_FAULTS

namespace {

bool Fault(const char* name) {
  const char* fault = getenv("OVQ2TYX_FAULT");
  return fault != nullptr && strcmp(fault, name) == 0;
}

// A target's path, not that of one of the program's temporary files.
bool IsTarget(const char* path) {
  const char* slash = strrchr(path, '/');
  return strncmp(slash ? slash + 1 : path, ".ovq2tyx-", 9) != 0;
}

}  // namespace

extern "C" {

int renameat2(int, const char*, int, const char*, unsigned) {
  errno = EINVAL;
  return -1;
}

int link(const char*, const char*) {
  errno = EPERM;
  return -1;
}

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = (flags & O_CREAT) ? va_arg(args, mode_t) : 0;
  va_end(args);
  const auto next = Next<int (*)(const char*, int, ...)>("open");
  if ((flags & O_EXCL) && IsTarget(path) && Fault("claim-taken")) {
    const int fd = next(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (write(fd, "theirs", 6) != 6) abort();
    close(fd);
    raise(SIGINT);
  }
  return next(path, flags, mode);
}
int open64(const char*, int, ...) __attribute__((alias("open")));

int rename(const char* from, const char* to) {
  if (IsTarget(to) && Fault("claim-stuck")) {
    errno = EIO;
    return -1;
  }
  const int moved = Next<int (*)(const char*, const char*)>("rename")(from, to);
  if (moved == 0 && IsTarget(to) && Fault("moved-then-int")) raise(SIGINT);
  return moved;
}

ssize_t aio_return(struct aiocb* request) {
  const ssize_t result =
      Next<ssize_t (*)(struct aiocb*)>("aio_return")(request);
  return Fault("flush-fails") ? -1 : result;
}

ssize_t read(int fd, void* buffer, size_t size) {
  if (Fault("read-fails")) {
    char link[32], path[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path);
    if (length > 4 && memcmp(path + length - 4, ".ovq", 4) == 0) {
      errno = EIO;
      return -1;
    }
  }
  return Next<ssize_t (*)(int, void*, size_t)>("read")(fd, buffer, size);
}

int unlink(const char* path) {
  if (IsTarget(path) && Fault("claim-stuck")) {
    errno = EACCES;
    return -1;
  }
  return Next<int (*)(const char*)>("unlink")(path);
}

}  // extern "C"

#else

extern "C" {

void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);

// True when this allocation is to fail.
static bool Fails(size_t size) {
  static long count = 0;
  static const char* plan = getenv("OVQ2TYX_FAIL_ALLOCATION");
  if (plan == nullptr) return false;
  const long n = atol(plan), now = ++count;
  const char* plus = strchr(plan, '+');
  return now == n || (now > n && plus && size >= size_t(atol(plus + 1)));
}

void* malloc(size_t n) { return Fails(n) ? 0 : __libc_malloc(n); }
void* calloc(size_t k, size_t n) {
  return Fails(k * n) ? 0 : __libc_calloc(k, n);
}
void* realloc(void* p, size_t n) { return Fails(n) ? 0 : __libc_realloc(p, n); }
void* memalign(size_t a, size_t n) {
  return Fails(n) ? 0 : __libc_memalign(a, n);
}
void* aligned_alloc(size_t a, size_t n) { return memalign(a, n); }
int posix_memalign(void** p, size_t a, size_t n) {
  return (*p = memalign(a, n)) != nullptr ? 0 : ENOMEM;
}

void* mmap(void* at, size_t size, int protection, int flags, int fd,
           off_t offset) {
  if ((flags & MAP_ANONYMOUS) && Fails(size)) {
    errno = ENOMEM;
    return MAP_FAILED;
  }
  static const auto next =
      Next<void* (*)(void*, size_t, int, int, int, off_t)>("mmap");
  return next(at, size, protection, flags, fd, offset);
}
void* mmap64(void*, size_t, int, int, int, off_t)
    __attribute__((alias("mmap")));

}  // extern "C"

#endif
