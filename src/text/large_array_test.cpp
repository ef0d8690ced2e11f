#include "text/large_array.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace ovq2tyx {
namespace {

// Around a large page (2 MiB), from the C library or mapped: every byte
// zero and the array's own, to its last.
TEST(LargeArrayTest, HoldsZeroBytesOfAnySize) {
  constexpr std::size_t kLargePage = std::size_t{2} << 20;
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, kLargePage - 1,
                                 kLargePage, kLargePage + 1, 3 * kLargePage}) {
    LargeArray<std::uint64_t> array(size / 8);
    LargeArray<std::uint64_t> moved = std::move(array);
    ASSERT_EQ(moved.size(), size / 8);
    for (std::size_t i = 0; i < moved.size(); i += 4096 / 8) {
      EXPECT_EQ(moved[i], 0u) << size;
      moved[i] = i;
    }
    if (moved.size() != 0) moved[moved.size() - 1] = 1;
  }
}

TEST(LargeArrayTest, RefusesWhatNoSystemCanGive) {
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  EXPECT_THROW(LargeArray<char>(kMax - 1), std::bad_alloc);
  EXPECT_THROW(LargeArray<std::uint32_t>(kMax / 2), std::bad_alloc);
}

}  // namespace
}  // namespace ovq2tyx
