#include "profile/section_index.h"

#include <algorithm>
#include <bit>
#include <span>

#include "profile/line_syntax.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// FNV-1a over the bytes with ASCII letters folded. Folding a trail byte as
// well keeps names that compare equal at equal hashes.
std::uint32_t HashName(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    hash = (hash ^ static_cast<unsigned char>(ToUpperAscii(c))) * 16777619u;
  }
  return hash;
}

// The slot that holds `name`, or the empty one where it would go: the
// table is never full.
std::size_t FindSlot(std::span<const std::uint32_t> slots,
                     std::string_view text, std::string_view name) {
  // The hash scaled to the table, so that any size serves.
  std::size_t i = (std::uint64_t{HashName(name)} * slots.size()) >> 32;
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
  // ("[a]" and a line break, but for the last) and a "[" of its own: this
  // many slots always leave one empty, and most of them when the text is
  // mostly sections.
  std::size_t brackets = 0;
  for (std::size_t at = text.find('['); at != kNotFound;
       at = text.find('[', at + 1)) {
    ++brackets;
  }
  max_slots_ = std::min(4 * brackets, text.size() / 3) + 1;
  // Room for a name every 16 bytes at first, more than any menu has:
  // growing means reading every name again.
  Rebuild(text, std::min(max_slots_, text.size() / 8 + 1));
  ProfileLine line;
  for (std::size_t at = FindSectionLine(text, 0, line); at < text.size();
       at = FindSectionLine(text, line.next, line)) {
    // The lines before the first section line are the first section "".
    if (!line.name.empty()) Add(text, line.name, at);
  }
}

std::size_t SectionIndex::Find(std::string_view text,
                               std::string_view name) const {
  const std::uint32_t slot = slots_[FindSlot(slots_, text, name)];
  return slot == 0 ? text.size() : slot - 1;
}

std::size_t SectionIndex::NextFirstLine(std::string_view text,
                                        std::size_t pos) const {
  std::size_t word = pos / 64;
  if (word >= first_lines_.size()) return text.size();
  std::uint64_t bits = first_lines_[word] >> (pos % 64) << (pos % 64);
  while (bits == 0) {
    if (++word == first_lines_.size()) return text.size();
    bits = first_lines_[word];
  }
  return word * 64 + std::countr_zero(bits);
}

void SectionIndex::Add(std::string_view text, std::string_view name,
                       std::size_t line) {
  std::size_t i = FindSlot(slots_, text, name);
  if (slots_[i] != 0) return;  // an earlier section has the name
  if (2 * (names_ + 1) > slots_.size() && slots_.size() < max_slots_) {
    Rebuild(text, std::min(2 * slots_.size(), max_slots_));
    i = FindSlot(slots_, text, name);
  }
  slots_[i] = static_cast<std::uint32_t>(line + 1);
  first_lines_[line / 64] |= std::uint64_t{1} << (line % 64);
  ++names_;
}

void SectionIndex::Rebuild(std::string_view text, std::size_t slots) {
  slots_ = {};  // the old table goes before the new one comes
  slots_ = LargeArray<std::uint32_t>(slots);
  for (std::size_t word = 0; word < first_lines_.size(); ++word) {
    for (std::uint64_t bits = first_lines_[word]; bits != 0; bits &= bits - 1) {
      const std::size_t line = word * 64 + std::countr_zero(bits);
      slots_[FindSlot(slots_, text, ReadLine(text, line).name)] =
          static_cast<std::uint32_t>(line + 1);
    }
  }
}

}  // namespace ovq2tyx
