// Reading sectioned key=value files ("profiles") in code page 932, the menus
// of both launchers, exactly as the platform's own profile reader reads
// them: "[section]" lines, "key=value" lines, blanks around names and values
// trimmed, one pair of enclosing quotes stripped, names matched without ASCII
// case, the first of duplicate sections and keys winning.
//
// The reader parses bytes, not files: loading them is the caller's business.
// Its index holds one offset per section. A lookup names its section once:
// FindSection parses that section's key lines into a ProfileSection, a value
// the caller keeps while it reads the section's keys one after another, or
// several at once. Sections read in file order, as a menu's items are, are
// found without a search of the index.
#ifndef OVQ2TYX_PROFILE_PROFILE_READER_H_
#define OVQ2TYX_PROFILE_PROFILE_READER_H_

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profile/line_syntax.h"
#include "text/code_page.h"

namespace ovq2tyx {

// The largest profile read. The index keeps 32-bit offsets.
inline constexpr std::uint64_t kMaxProfileBytes = std::uint64_t{1} << 31;

// A key prepared for lookups, for keys looked up again and again. Lookups
// compare its fold, its first eight bytes with ASCII letters upper-cased,
// with each key line's as one word: a key of at most eight single-byte
// characters, without NUL or blanks at its ends, is then matched by its
// fold and size alone.
class ProfileKey {
 public:
  constexpr explicit ProfileKey(std::string_view key)
      : text_(key), fold_(Fold(key)), by_fold_(MatchesByFold(key)) {}

  // The first eight bytes (fewer when the text is shorter) with ASCII
  // letters upper-cased, in memory order, as a word whose other bytes are 0.
  static constexpr std::uint64_t Fold(std::string_view text) {
    std::uint64_t fold = 0;
    for (std::size_t i = 0; i < text.size() && i < 8; ++i) {
      const std::uint64_t byte =
          static_cast<unsigned char>(ToUpperAscii(text[i]));
      fold |= byte << (std::endian::native == std::endian::little ? 8 * i
                                                                  : 56 - 8 * i);
    }
    return fold;
  }

 private:
  friend class ProfileSection;

  static constexpr bool MatchesByFold(std::string_view key) {
    if (key.size() > 8 ||
        (!key.empty() && (IsBlank(static_cast<unsigned char>(key.front())) ||
                          IsBlank(static_cast<unsigned char>(key.back()))))) {
      return false;
    }
    for (char c : key) {
      if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
  }

  std::string_view text_;
  std::uint64_t fold_;
  bool by_fold_;
};

// One section of a profile, found by ProfileReader::FindSection. It views
// the reader's bytes and lives no longer than the reader. A section that is
// missing has no keys.
class ProfileSection {
 public:
  // The value of `key` as the platform reader sees it (up to a NUL, without
  // the blanks around it and one pair of enclosing quotes). None when the
  // key is missing or its line holds no "=". The key is matched without
  // blanks around it or anything after a NUL.
  std::optional<std::string_view> FindValue(std::string_view key) const;

  // FindValue for each of `keys`, which differ from one another, in one
  // call, into `values` (as many): the bulk of reading a menu.
  void FindValues(std::span<const ProfileKey> keys,
                  std::span<std::optional<std::string_view>> values) const;

 private:
  friend class ProfileReader;

  // A key line as lookups see it: the key's fold, and offsets into the
  // text.
  struct KeyLine {
    std::uint64_t fold;
    std::uint32_t key_begin, key_size, value_begin, value_size;
    bool has_value;
  };
  // Source items hold up to nine keys; a longer section's other lines are
  // parsed again on each lookup, so that a section of any size takes no
  // more room than this.
  static constexpr std::size_t kHeldLines = 16;

  // Reads the lines from `pos` up to `end` into `lines` until all are read
  // or `lines` is full; sets `count` and returns where reading stopped.
  static std::size_t ReadKeyLines(std::string_view text, std::size_t pos,
                                  std::size_t end, std::span<KeyLine> lines,
                                  std::size_t& count);

  // Whether `line` holds `key` (a query as the reader matches it).
  bool Matches(const KeyLine& line, const ProfileKey& key) const;
  // The first line with `key` (a query as the reader matches it).
  bool FindLine(const ProfileKey& key, KeyLine& found) const;
  // The first line with `key` after the held ones.
  bool FindLaterLine(const ProfileKey& key, KeyLine& found) const;
  std::string_view Part(std::uint32_t begin, std::uint32_t size) const {
    return std::string_view(text_.data() + begin, size);
  }
  std::optional<std::string_view> Value(const KeyLine& line) const;

  std::string_view text_;
  // The section's place in the reader's index; none when it is missing.
  std::uint32_t index_ = kNoIndex;
  static constexpr std::uint32_t kNoIndex = UINT32_MAX;
  std::array<KeyLine, kHeldLines> lines_;  // [0, held_) are read
  std::size_t held_ = 0;
  // The lines after the held ones: [rest_, end_).
  std::size_t rest_ = 0, end_ = 0;
};

class ProfileReader {
 public:
  // Parses `bytes` (at most kMaxProfileBytes), which the reader keeps.
  explicit ProfileReader(std::string bytes);

  // The first section called `name`, matched without blanks around it or
  // anything after a NUL; a section without keys when there is none.
  ProfileSection FindSection(std::string_view name) const;
  // The same, trying first the section that follows `previous` (one this
  // reader found) in the file.
  ProfileSection FindSection(std::string_view name,
                             const ProfileSection& previous) const;

 private:
  // One section: where its header line begins, its name, and whether it is
  // the first of that name. Section 0 holds the lines before the first
  // header, begins the text and has an empty name; after the last section
  // comes the end of the text.
  struct Section {
    std::uint32_t line, name_begin;
    std::uint32_t name_size : 31, first : 1 = 1;
  };

  // Section number `index`, its key lines read.
  ProfileSection Open(std::uint32_t index) const;

  std::string_view Name(const Section& section) const {
    return std::string_view(bytes_).substr(section.name_begin,
                                           section.name_size);
  }

  std::string bytes_;
  std::vector<Section> sections_;
  // Open addressing over section numbers + 1 (0: empty slot); only the
  // first section of each name is in it.
  std::vector<std::uint32_t> slots_;
};

// The value of the section's `key` cut to `capacity` - 1 bytes at a
// character boundary; `fallback` when the key or its value is missing. The
// fallback loses trailing spaces (not its first character) and one pair of
// enclosing quotes, as with the platform reader. The view lives as long as
// the reader and the fallback.
std::string_view ReadProfileString(const ProfileSection& section,
                                   std::string_view key,
                                   std::string_view fallback,
                                   std::size_t capacity);

// The value read as an integer the way the platform reader does: its first
// 29 characters, optional blanks and sign, "0x"/"0o"/"0b" prefixes, digits
// up to the first other character, wrapping to 32 bits. `fallback` when the
// value is missing or empty.
std::int32_t ReadProfileInt(const ProfileSection& section, std::string_view key,
                            std::int32_t fallback);

// ValueAsString's other cases: the value cut to fit, or the fallback.
std::string_view CutValueOrFallback(std::optional<std::string_view> value,
                                    std::string_view fallback,
                                    std::size_t capacity);

// ReadProfileString and ReadProfileInt for a value found beforehand
// (ProfileSection::FindValues). ValueAsString is inline: most values are
// found, and fit.
inline std::string_view ValueAsString(std::optional<std::string_view> value,
                                      std::string_view fallback,
                                      std::size_t capacity) {
  return value && value->size() < capacity
             ? *value
             : CutValueOrFallback(value, fallback, capacity);
}
std::int32_t ValueAsInt(std::optional<std::string_view> value,
                        std::int32_t fallback);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PROFILE_PROFILE_READER_H_
