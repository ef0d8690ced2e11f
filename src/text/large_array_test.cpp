#include "text/large_array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace ovq2tyx {
namespace {

// Small arrays and those of a large page and more come zero-filled and
// hold what is written to them, to their last element; an array moved
// keeps its block, and the one moved from is empty.
TEST(LargeArrayTest, IsZeroFilledAndHoldsWhatIsWritten) {
  for (std::size_t size : {0u, 1u, 1000u, (3u << 20) / 4 + 1}) {
    LargeArray<std::uint32_t> array(size);
    ASSERT_EQ(array.size(), size);
    EXPECT_TRUE(std::all_of(array.data(), array.data() + size,
                            [](std::uint32_t x) { return x == 0; }));
    for (std::size_t i = 0; i < size; ++i)
      array[i] = static_cast<std::uint32_t>(i);
    LargeArray<std::uint32_t> moved(std::move(array));
    EXPECT_EQ(array.size(), 0u);
    ASSERT_EQ(moved.size(), size);
    if (size != 0) {
      EXPECT_EQ(moved[size - 1], size - 1);
    }
    array = std::move(moved);
    EXPECT_EQ(array.size(), size);
  }
}

// A size no system can give is a shortage like any other.
TEST(LargeArrayTest, ThrowsBadAllocWhenTheSystemHasNoRoom) {
  EXPECT_THROW(LargeArray<std::uint64_t>(SIZE_MAX / 4), std::bad_alloc);
  EXPECT_THROW(LargeArray<std::uint64_t>(std::size_t{1} << 60), std::bad_alloc);
}

}  // namespace
}  // namespace ovq2tyx
