// The profile reader's index: where the first section of each name begins,
// found by its name through a hash table, and told from the others by a
// bit per byte of the text. Only first sections are held, so that a file of
// one name repeated costs no more than one of it; the table grows with the
// names, up to 4 bytes for every 3 of the text, and with the bits costs at
// most 1.46 times the text.
#ifndef OVQ2TYX_PROFILE_SECTION_INDEX_H_
#define OVQ2TYX_PROFILE_SECTION_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/large_array.h"

namespace ovq2tyx {

class SectionIndex {
 public:
  // Indexes the section lines of `text`, the text every call below is
  // given.
  explicit SectionIndex(std::string_view text);

  // Where the line of the first section called `name` (as QueryName gives
  // it, not "") begins; the size of the text when there is none.
  std::size_t Find(std::string_view text, std::string_view name) const;

  // Where the first line at or after `pos` of a section that is the first
  // of its name begins; the size of the text when none does.
  std::size_t NextFirstLine(std::string_view text, std::size_t pos) const;

 private:
  // Notes the section line at `line` called `name` as the first of its
  // name, unless one before it is.
  void Add(std::string_view text, std::string_view name, std::size_t line);
  // The table anew with `slots` slots, from the lines marked so far.
  void Rebuild(std::string_view text, std::size_t slots);

  LargeArray<std::uint64_t> first_lines_;
  // Open addressing over the first lines (offset + 1; 0 is an empty slot),
  // at most half full while it may grow.
  LargeArray<std::uint32_t> slots_;
  std::size_t names_ = 0, max_slots_ = 0;
};

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PROFILE_SECTION_INDEX_H_
