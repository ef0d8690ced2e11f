// Large arrays on POSIX systems: blocks of a large page or more are mapped
// anonymously (zero pages, touched only when used), at a large-page
// boundary, in whole large pages, and advised onto large pages (Linux's
// transparent huge pages) before anything touches them.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "text/large_array.h"

namespace ovq2tyx::large_array {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t WholeLargePages(std::size_t bytes) {
  return (bytes + kLargePage - 1) & ~(kLargePage - 1);
}

}  // namespace

void* Allocate(std::size_t bytes) {
  if (bytes < kLargePage) {
    if (void* block = std::calloc(bytes == 0 ? 1 : bytes, 1)) return block;
    throw std::bad_alloc();
  }
  const std::size_t size = WholeLargePages(bytes);
  if (size < bytes || size + kLargePage < size) throw std::bad_alloc();
  // One large page more than needed holds a boundary within its first; the
  // parts before that boundary and after the block go back at once.
  void* mapped = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::size_t head = WholeLargePages(start) - start;
  char* const block = static_cast<char*>(mapped) + head;
  if (head != 0) munmap(mapped, head);
  munmap(block + size, kLargePage - head);
#ifdef MADV_HUGEPAGE
  madvise(block, size, MADV_HUGEPAGE);
#endif
  return block;
}

void Free(void* block, std::size_t bytes) noexcept {
  if (bytes < kLargePage) {
    std::free(block);
  } else {
    munmap(block, WholeLargePages(bytes));
  }
}

}  // namespace ovq2tyx::large_array
