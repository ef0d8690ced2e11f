#include "text/byte_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

bool IsBreakByte(unsigned char c) { return c == '\r' || c == '\n' || c == 0; }

// Every byte value at every place of texts up to three words long, among
// bytes that are close to those searched for (or marked without stopping
// the search, 0x01), from every start: FindBreak stops at that byte when it
// is a break and not before the start, else at the end. Texts that long
// pass through the word-wide search, the word that ends the text and the
// bytewise search of short texts.
TEST(ByteScanTest, FindBreakStopsAtTheFirstBreak) {
  const unsigned char backgrounds[] = {'a', 0x01, 0x0E, 0x3C, 0x3E, 0x7F};
  int failures = 0;
  for (std::size_t size = 1; size <= 24; ++size) {
    for (unsigned char background : backgrounds) {
      for (int c = 0; c < 256; ++c) {
        for (std::size_t at = 0; at < size; ++at) {
          std::string text(size, static_cast<char>(background));
          text[at] = static_cast<char>(c);
          for (std::size_t from = 0; from <= size; ++from) {
            const std::size_t expected =
                IsBreakByte(static_cast<unsigned char>(c)) && at >= from ? at
                                                                         : size;
            const std::size_t found = FindBreak(text, from);
            if (found != expected && ++failures <= 10) {
              ADD_FAILURE() << "byte " << c << " at " << at << " in " << size
                            << " bytes of " << int{background} << " from "
                            << from << ": found " << found;
            }
          }
        }
      }
    }
  }
}

TEST(ByteScanTest, TellsSingleByteTexts) {
  for (std::size_t size = 0; size <= 24; ++size) {
    EXPECT_TRUE(IsSingleByteText(std::string(size, '\x7F'))) << size;
    for (std::size_t at = 0; at < size; ++at) {
      std::string text(size, 'a');
      text[at] = '\x80';
      EXPECT_FALSE(IsSingleByteText(text)) << at << " of " << size;
    }
  }
}

}  // namespace
}  // namespace ovq2tyx
