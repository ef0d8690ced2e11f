#include "profile/section_index.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>

#include "profile/line_syntax.h"
#include "text/byte_scan.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// A hash of the name's bytes with ASCII letters upper-cased, eight at a
// time. Folding a trail byte as well keeps names that compare equal at
// equal hashes.
std::uint32_t HashName(std::string_view name) {
  using namespace byte_scan;
  std::uint64_t hash = name.size();
  for (std::size_t pos = 0; pos < name.size(); pos += 8) {
    Word word = 0;
    if (name.size() - pos >= 8) {
      std::memcpy(&word, name.data() + pos, 8);
    } else {
      std::memcpy(&word, name.data() + pos, name.size() - pos);
    }
    word -= (MarkBelow(word, 'z' + 1) & ~MarkBelow(word, 'a')) >> 2;
    hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
  }
  return static_cast<std::uint32_t>(hash >> 32);
}

// Where a probe for `name` starts in a table of `size` slots: its hash
// scaled to the table, so that any size serves.
std::size_t Home(std::string_view name, std::size_t size) {
  return (std::uint64_t{HashName(name)} * size) >> 32;
}

// The slot that holds `name`, or the empty one where it would go: the
// table is never full.

std::size_t FindSlot(std::span<const std::uint32_t> slots,
                     std::string_view text, std::string_view name) {
  std::size_t i = Home(name, slots.size());
  while (slots[i] != 0 &&
         !EqualsIgnoreCase(ReadLine(text, slots[i] - 1).name, name)) {
    i = i + 1 == slots.size() ? 0 : i + 1;
  }
  return i;
}

}  // namespace

SectionIndex::SectionIndex(std::string_view text)
    : first_lines_(text.size() / 64 + 1) {
  // A first section of a name other than "" takes at least four bytes
  // ("[a]" and a line break, but for the last): this many slots always
  // leave one empty.
  max_slots_ = text.size() / 3 + 1;
  // Room for a name every 64 bytes at first, which few menus fill: growing
  // means reading every name again.
  slots_ =
      LargeArray<std::uint32_t>(std::min(max_slots_, text.size() / 32 + 1));
}

std::size_t SectionIndex::Find(std::string_view text, std::string_view name) {
  if (const std::uint32_t slot = slots_[FindSlot(slots_, text, name)]) {
    return slot - 1;
  }
  ProfileLine line;
  bool first = false;
  while (indexed_ < text.size()) {
    const std::size_t at = NextSection(text, indexed_, line, first);
    if (first && EqualsIgnoreCase(line.name, name)) return at;
  }
  return text.size();
}

std::size_t SectionIndex::NextSection(std::string_view text, std::size_t pos,
                                      ProfileLine& line, bool& first) {
  const std::size_t at = FindSectionLine(text, pos, line);
  if (at < indexed_) {
    first = (first_lines_[at / 64] >> (at % 64)) & 1;
    return at;
  }
  // None lies between the last one indexed and `at`.
  indexed_ = at < text.size() ? line.next : at;
  // The lines before the first section line are the first section "".
  first = at < text.size() && !line.name.empty() && Add(text, line.name, at);
  return at;
}

bool SectionIndex::Add(std::string_view text, std::string_view name,
                       std::size_t at) {
  std::size_t i = FindSlot(slots_, text, name);
  if (slots_[i] != 0) return false;
  if (2 * (names_ + 1) > slots_.size() && slots_.size() < max_slots_) {
    Rebuild(text, std::min(4 * slots_.size(), max_slots_));
    i = FindSlot(slots_, text, name);
  }
  slots_[i] = static_cast<std::uint32_t>(at + 1);
  first_lines_[at / 64] |= std::uint64_t{1} << (at % 64);
  ++names_;
  return true;
}

void SectionIndex::Rebuild(std::string_view text, std::size_t slots) {
  slots_ = {};  // the old table goes before the new one comes
  slots_ = LargeArray<std::uint32_t>(slots);
  for (std::size_t word = 0; word < first_lines_.size(); ++word) {
    for (std::uint64_t bits = first_lines_[word]; bits != 0; bits &= bits - 1) {
      // The names differ: each goes to the first empty slot of its run.
      const std::size_t line = word * 64 + std::countr_zero(bits);
      std::size_t i = Home(ReadLine(text, line).name, slots_.size());
      while (slots_[i] != 0) i = i + 1 == slots_.size() ? 0 : i + 1;
      slots_[i] = static_cast<std::uint32_t>(line + 1);
    }
  }
}

}  // namespace ovq2tyx
