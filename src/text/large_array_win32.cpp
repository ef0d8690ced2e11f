// Large arrays on Windows: from the C library. Large pages there need a
// privilege that users do not hold.
#include <cstdlib>

#include "text/large_array.h"

namespace ovq2tyx::large_array {

void* Allocate(std::size_t bytes) {
  if (void* block = std::calloc(bytes == 0 ? 1 : bytes, 1)) return block;
  throw std::bad_alloc();
}

void Free(void* block, std::size_t) noexcept { std::free(block); }

}  // namespace ovq2tyx::large_array
