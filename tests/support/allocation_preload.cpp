// Test support, loaded into the program with LD_PRELOAD: a shortage of
// memory at a chosen allocation (malloc and its kin, anonymous mappings),
// counted from the program's start.
//   OVQ2TYX_FAIL_ALLOCATION=N     the Nth allocation fails
//   OVQ2TYX_FAIL_ALLOCATION=N+S   so does every later one of S bytes or
//                                 more: smaller ones, as of the exception
//                                 that reports it, are still found
// Not with the sanitizers, whose allocator this would bypass.
#include <dlfcn.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {

// True when this allocation is to fail.
bool FailAllocation(size_t size) {
  static long count = 0;
  static const char* plan = getenv("OVQ2TYX_FAIL_ALLOCATION");
  if (plan == nullptr) return false;
  const long n = atol(plan), now = ++count;
  const char* plus = strchr(plan, '+');
  return now == n || (now > n && plus != nullptr &&
                      size >= static_cast<size_t>(atol(plus + 1)));
}

}  // namespace

extern "C" {

void* malloc(size_t size) {
  return FailAllocation(size) ? nullptr : __libc_malloc(size);
}
void* calloc(size_t n, size_t size) {
  return FailAllocation(n * size) ? nullptr : __libc_calloc(n, size);
}
void* realloc(void* block, size_t size) {
  return FailAllocation(size) ? nullptr : __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size) {
  return FailAllocation(size) ? nullptr : __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
  return memalign(alignment, size);
}
int posix_memalign(void** block, size_t alignment, size_t size) {
  *block = memalign(alignment, size);
  return *block != nullptr ? 0 : ENOMEM;
}

void* mmap(void* address, size_t size, int protection, int flags, int fd,
           off_t offset) {
  if ((flags & MAP_ANONYMOUS) && FailAllocation(size)) {
    errno = ENOMEM;
    return MAP_FAILED;
  }
  static const auto next =
      reinterpret_cast<void* (*)(void*, size_t, int, int, int, off_t)>(
          dlsym(RTLD_NEXT, "mmap"));
  return next(address, size, protection, flags, fd, offset);
}
void* mmap64(void*, size_t, int, int, int, off_t)
    __attribute__((alias("mmap")));

}  // extern "C"
