// The profile reader's index: where the first section of each name begins,
// found by its name through a hash table, and told from the others by a
// bit per byte of the text. It is built as far as it is asked about: a
// cursor that meets sections in file order indexes each as it meets it,
// and a name not yet met indexes on until it is met. Only first sections
// are held, so that a file of one name repeated costs no more than one of
// it; the table grows with the names, up to 4 bytes for every 3 of the
// text, and with the bits costs at most 1.46 times the text.
#ifndef OVQ2TYX_PROFILE_SECTION_INDEX_H_
#define OVQ2TYX_PROFILE_SECTION_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "profile/line_syntax.h"
#include "text/large_array.h"

namespace ovq2tyx {

class SectionIndex {
 public:
  // An index of `text`, the text every call below is given, with no
  // section indexed yet.
  explicit SectionIndex(std::string_view text);

  // Where the line of the first section called `name` (as QueryName gives
  // it, not "") begins; the size of the text when there is none. Indexes
  // on until it meets that section.
  std::size_t Find(std::string_view text, std::string_view name);

  // The first section line at or after `pos`, a line start no later than
  // the first line not indexed: where it begins, `line` holding it, and
  // whether it is the first of its name; the size of the text when none
  // is left. Indexes it if it is not yet.
  std::size_t NextSection(std::string_view text, std::size_t pos,
                          ProfileLine& line, bool& first);

 private:
  // Notes the section line at `at` called `name` (not "") as the first of
  // its name, unless one before it is: false then.
  bool Add(std::string_view text, std::string_view name, std::size_t at);
  // The table anew with `slots` slots, from the lines marked so far.
  void Rebuild(std::string_view text, std::size_t slots);

  LargeArray<std::uint64_t> first_lines_;
  // Open addressing over the first lines (offset + 1; 0 is an empty slot),
  // at most half full while it may grow.
  LargeArray<std::uint32_t> slots_;
  std::size_t names_ = 0, max_slots_ = 0;
  // Every section line before it is indexed.
  std::size_t indexed_ = 0;
};

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PROFILE_SECTION_INDEX_H_
