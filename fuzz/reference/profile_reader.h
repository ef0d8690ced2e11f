// The profile reader as it was before its fast scanners, frozen: the
// differential fuzz target holds the product's reader to its answers. It
// scans every line byte by byte, and is slow but simple to check.
#ifndef OVQ2TYX_FUZZ_REFERENCE_PROFILE_READER_H_
#define OVQ2TYX_FUZZ_REFERENCE_PROFILE_READER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovq2tyx::reference {

class ProfileReader {
 public:
  // Parses `bytes` (at most kMaxProfileBytes), which the reader keeps.
  explicit ProfileReader(std::string bytes);

  // The value of `key` in `section` as the platform reader sees it (up to a
  // NUL, without the blanks around it and one pair of enclosing quotes).
  // False when the section or the key is missing, or the key's line holds
  // no "=". Section and key are matched without blanks around them or
  // anything after a NUL. The view lives as long as the reader.
  bool FindValue(std::string_view section, std::string_view key,
                 std::string_view& value) const;

 private:
  struct Entry {
    std::uint32_t key_begin, key_size, value_begin, value_size;
    bool has_value;
  };

  std::string_view SectionName(std::uint32_t section) const;
  // The lines of a section: after its header up to the next header.
  std::string_view SectionBody(std::uint32_t section) const;
  bool FindSection(std::string_view name, std::uint32_t& section) const;
  void LoadEntries(std::uint32_t section) const;

  std::string bytes_;
  // Where each section's header line starts, in file order, and last where
  // the text ends. Section 0 holds the lines before the first header and has
  // no header of its own.
  std::vector<std::uint32_t> headers_;
  // Open addressing over section numbers + 1 (0: empty slot); only the
  // first section of each name is in it.
  std::vector<std::uint32_t> slots_;
  // The keys of the section looked up last, and how it was asked for.
  static constexpr std::uint32_t kNoSection = UINT32_MAX;
  mutable std::uint32_t loaded_section_ = kNoSection;
  mutable bool has_query_ = false;
  mutable std::string last_section_query_;
  mutable std::vector<Entry> entries_;
};

// The value of section/key cut to `capacity` - 1 bytes at a character
// boundary; `fallback` when the key or its value is missing. The fallback
// loses trailing spaces (not its first character) and one pair of enclosing
// quotes, as with the platform reader. The view lives as long as the reader
// and the fallback.
std::string_view ReadProfileString(const ProfileReader& reader,
                                   std::string_view section,
                                   std::string_view key,
                                   std::string_view fallback,
                                   std::size_t capacity);

// The value read as an integer the way the platform reader does: its first
// 29 characters, optional blanks and sign, "0x"/"0o"/"0b" prefixes, digits
// up to the first other character, wrapping to 32 bits. `fallback` when the
// value is missing or empty.
std::int32_t ReadProfileInt(const ProfileReader& reader,
                            std::string_view section, std::string_view key,
                            std::int32_t fallback);

}  // namespace ovq2tyx::reference

#endif  // OVQ2TYX_FUZZ_REFERENCE_PROFILE_READER_H_
