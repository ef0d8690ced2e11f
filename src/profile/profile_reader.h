// Reading sectioned key=value files ("profiles") in code page 932, the menus
// of both launchers, exactly as the platform's own profile reader reads
// them (line_syntax.h has the grammar): names matched without ASCII case,
// the first of duplicate sections and keys winning.
//
// The reader parses bytes, not files: loading them is the caller's
// business. A section runs from its line to the next section line. The
// reader finds the first section of each name through an index that its
// lookups build as they need it (section_index.h), so a reader serves one
// thread; a SectionCursor finds sections read in file order, as a menu's
// items are, without a lookup.
#ifndef OVQ2TYX_PROFILE_PROFILE_READER_H_
#define OVQ2TYX_PROFILE_PROFILE_READER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "profile/section_index.h"
#include "text/large_array.h"

namespace ovq2tyx {

// The largest profile read: the index keeps 32-bit offsets.
inline constexpr std::uint64_t kMaxProfileBytes = std::uint64_t{1} << 31;

// One section of a profile, as a reader or cursor finds it. It views the
// reader's bytes and lives no longer than the reader. A section that is
// missing has no keys.
class ProfileSection {
 public:
  // The value of `key`; none when the key is missing or its line holds no
  // "=". The key is matched without blanks around it or anything after a
  // NUL.
  std::optional<std::string_view> FindValue(std::string_view key) const;

  // FindValue for each of `keys`, which differ from one another, into
  // `values` (as many), in one pass over the section's lines: the bulk of
  // reading a menu.
  void FindValues(std::span<const std::string_view> keys,
                  std::span<std::optional<std::string_view>> values) const;

 private:
  friend class ProfileReader;
  friend class SectionCursor;

  // Where its key lines begin, kMissing for a section that is missing.
  static constexpr std::size_t kMissing = SIZE_MAX;
  ProfileSection(std::string_view text, std::size_t body)
      : text_(text), body_(body) {}

  std::string_view text_;
  std::size_t body_;
};

class ProfileReader {
 public:
  // Parses `bytes` (at most kMaxProfileBytes), which the reader keeps.
  explicit ProfileReader(LargeArray<char> bytes);
  ProfileReader(const ProfileReader&) = delete;
  ProfileReader& operator=(const ProfileReader&) = delete;

  // The first section called `name`, matched without blanks around it or
  // anything after a NUL; a section without keys when there is none. The
  // lines before the first section line form a section called "".
  ProfileSection FindSection(std::string_view name) const;

 private:
  friend class SectionCursor;

  // FindSection for a name as QueryName gives it.
  ProfileSection Find(std::string_view name) const;
  // The section whose key lines begin at `body`.
  ProfileSection Open(std::size_t body) const;

  LargeArray<char> bytes_;
  std::string_view text_;  // the bytes
  // Built as lookups need it.
  mutable SectionIndex index_;
};

// Finds sections as the reader does, first trying the section after the
// one it found last (at first, the first section line): sections read in
// file order are found without a lookup. It lives no longer than the
// reader.
class SectionCursor {
 public:
  explicit SectionCursor(const ProfileReader& reader) : reader_(reader) {}

  ProfileSection FindSection(std::string_view name);

 private:
  const ProfileReader& reader_;
  std::size_t next_ = 0;  // the body of the section found last
};

// The value cut to `capacity` - 1 bytes at a character boundary;
// `fallback` when the value is missing. The fallback loses trailing spaces
// (not its first character) and one pair of enclosing quotes, as with the
// platform reader. The view lives as long as the value and the fallback.
std::string_view ValueAsString(const std::optional<std::string_view>& value,
                               std::string_view fallback, std::size_t capacity);

// The value read as an integer the way the platform reader does: its first
// 29 characters, optional blanks and sign, "0x"/"0o"/"0b" prefixes, digits
// up to the first other character, wrapping to 32 bits. `fallback` when the
// value is missing or empty.
std::int32_t ValueAsInt(const std::optional<std::string_view>& value,
                        std::int32_t fallback);

// ValueAsInt of the section's `key`.
std::int32_t ReadProfileInt(const ProfileSection& section, std::string_view key,
                            std::int32_t fallback);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PROFILE_PROFILE_READER_H_
