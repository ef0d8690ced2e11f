// Large pages on POSIX systems: the program's operator new, which places
// large blocks at large-page boundaries and asks for large pages under them
// before anything touches them. Every block is the C library's, so the
// standard operator delete (free) returns any of them.
#include <sys/mman.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "os/large_pages.h"

namespace ovq2tyx {

namespace {

std::atomic<bool> large_pages{false};

}  // namespace

void UseLargePages() { large_pages = true; }

}  // namespace ovq2tyx

// The sanitizers pair every allocation with its release and keep their own
// operator new.
#if !defined(__SANITIZE_ADDRESS__)

namespace {

constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
constexpr std::size_t kLargePage = std::size_t{2} << 20;

void* Allocate(std::size_t size) {
  if (size < kLargeBlock ||
      !ovq2tyx::large_pages.load(std::memory_order_relaxed)) {
    return std::malloc(size == 0 ? 1 : size);
  }
  // Whole large pages: the block shares none with a neighbour.
  const std::size_t rounded = (size + kLargePage - 1) & ~(kLargePage - 1);
  if (rounded < size) return nullptr;
  void* block = std::aligned_alloc(kLargePage, rounded);
#ifdef MADV_HUGEPAGE
  if (block != nullptr) madvise(block, rounded, MADV_HUGEPAGE);
#endif
  return block;
}

}  // namespace

void* operator new(std::size_t size) {
  for (;;) {
    if (void* block = Allocate(size)) return block;
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

#endif
