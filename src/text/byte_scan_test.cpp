#include "text/byte_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

using byte_scan::Word;

bool IsBreakByte(unsigned char c) { return c == '\r' || c == '\n' || c == 0; }

// The profile reader's kind of search: its marks also hold bytes that do
// not stop it (every control byte), which the search must step over.
bool IsSpecial(unsigned char c) {
  return c >= 0x80 || c == ' ' || c == '=' || c == ']' || IsBreakByte(c);
}
std::size_t FindSpecial(std::string_view text, std::size_t pos) {
  using namespace byte_scan;
  return FindFirst(
      text, pos,
      [](Word w) {
        return MarkHighOrBelow(w, ' ' + 1) | MarkEqual(w, '=') |
               MarkEqual(w, ']');
      },
      IsSpecial);
}

struct Search {
  const char* name;
  std::size_t (*find)(std::string_view text, std::size_t pos);
  bool (*stops)(unsigned char c);
};

const Search kSearches[] = {
    {"FindBreak", FindBreak, IsBreakByte},
    {"FindFirst of special bytes", FindSpecial, IsSpecial},
};

// Every byte value at every place of texts up to three words long, among
// bytes that are close to those searched for, from every start: the search
// stops at that byte when it is one of its kind and not before the start,
// else at the end. Texts that long pass through the word-wide search, the
// word that ends the text and the bytewise search of short texts.
TEST(ByteScanTest, StopsAtTheFirstByteOfItsKind) {
  const unsigned char backgrounds[] = {'a', 0x01, 0x0E, 0x3C, 0x3E, 0x7F};
  int failures = 0;
  for (std::size_t size = 1; size <= 24; ++size) {
    for (unsigned char background : backgrounds) {
      for (int c = 0; c < 256; ++c) {
        for (std::size_t at = 0; at < size; ++at) {
          std::string text(size, static_cast<char>(background));
          text[at] = static_cast<char>(c);
          for (const Search& search : kSearches) {
            for (std::size_t from = 0; from <= size; ++from) {
              const std::size_t expected =
                  search.stops(static_cast<unsigned char>(c)) && at >= from
                      ? at
                      : size;
              const std::size_t found = search.find(text, from);
              if (found != expected && ++failures <= 10) {
                ADD_FAILURE()
                    << search.name << " of byte " << c << " at " << at << " in "
                    << size << " bytes of " << int{background} << " from "
                    << from << ": found " << found;
              }
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
