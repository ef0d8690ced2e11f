#include "text/large_array.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <utility>

namespace ovq2tyx {
namespace {

// Small arrays and those of a large page and more come zero-filled and keep
// what is written to them when moved; a size no system can give is a
// shortage like any other.
TEST(LargeArrayTest, IsZeroFilledAndKeepsWhatIsWritten) {
  for (std::size_t size : {1u, 1000u, (3u << 20) / 4 + 1}) {
    LargeArray<std::uint32_t> array(size);
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) sum |= array[i];
    EXPECT_EQ(sum, 0u) << size;
    array[size - 1] = 7;
    const LargeArray<std::uint32_t> moved = std::move(array);
    EXPECT_EQ(moved.size(), size);
    EXPECT_EQ(moved[size - 1], 7u);
  }
  EXPECT_THROW(LargeArray<std::uint64_t>(SIZE_MAX / 4), std::bad_alloc);
  EXPECT_THROW(LargeArray<std::uint64_t>(std::size_t{1} << 60), std::bad_alloc);
}

}  // namespace
}  // namespace ovq2tyx
