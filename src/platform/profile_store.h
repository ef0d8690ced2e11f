// Sectioned key=value files ("profiles") in code page 932: the menu files of
// both launchers. Reading follows the platform's own profile reader byte for
// byte; writing produces text that reader reads back to the values written.
//
// A source is parsed once into a ProfileFile (an index over its bytes) and
// every read is a lookup in memory. A target is built in a ProfileDocument
// and written once, whole. Nothing here throws; failures are results.
#ifndef OVQ2TYX_PLATFORM_PROFILE_STORE_H_
#define OVQ2TYX_PLATFORM_PROFILE_STORE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"

namespace ovq2tyx {

// Case-insensitive (ASCII) hashing and equality for section names.
struct FoldedHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const;
};
struct FoldedEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// A parsed profile: the file's bytes and an index of 32-bit offsets into them.
// The bytes live on the heap so that the index's views of them stay valid
// when the ProfileFile is moved.
struct ProfileFile {
  static constexpr std::uint32_t kNoValue = UINT32_MAX;
  struct Entry {
    std::uint32_t key_begin, key_size;
    std::uint32_t value_begin, value_size;  // value_begin kNoValue: no "="
  };
  struct Section {
    std::uint32_t first_entry, entry_count;
  };
  std::unique_ptr<const std::string> bytes;
  std::vector<Entry> entries;
  std::vector<Section> sections;
  // First section of each name; later duplicates are never found.
  std::unordered_map<std::string_view, std::uint32_t, FoldedHash, FoldedEqual>
      section_index;
  // The last section looked up: an item's keys are read one after another.
  mutable std::string_view last_section_name;
  mutable std::uint32_t last_section = 0;
  mutable bool has_last_section = false;
};

// The largest profile read. Offsets are 32-bit, and the target converted
// from a source can be several times the source's size.
inline constexpr std::uint64_t kMaxProfileBytes = 512u << 20;

// Parses profile bytes (at most kMaxProfileBytes).
ProfileFile ParseProfile(std::string bytes);

// Reads and parses a regular file; false when it is missing, not a regular
// file, unreadable or larger than kMaxProfileBytes.
bool LoadProfileFile(const std::string& path, ProfileFile& out);

// The value of section/key cut to `capacity` - 1 bytes at a character
// boundary; `fallback` when the section, the key or its value is missing.
// Section and key are matched without blanks around them or anything after
// a NUL, as the platform reader does; the fallback loses trailing spaces (not
// its first character) and one pair of enclosing quotes, as there.
std::string ReadProfileString(const ProfileFile& file, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t capacity);

// The value read as an integer the way the platform reader does: optional
// sign, "0x"/"0o"/"0b" prefixes, digits up to the first other character,
// wrapping to 32 bits. `fallback` when missing or empty.
std::int32_t ReadProfileInt(const ProfileFile& file, std::string_view section,
                            std::string_view key, std::int32_t fallback);

// A profile being written: sections in creation order, keys in write order.
struct ProfileDocument {
  static constexpr std::uint32_t kNone = UINT32_MAX;
  // Entries of all sections in one vector, each section's linked in order.
  struct Entry {
    std::uint32_t key_begin, key_size, value_begin, value_size;
    std::uint32_t next = kNone;
  };
  struct Section {
    std::uint32_t name_begin, name_size;
    std::uint32_t first = kNone, last = kNone;
  };
  std::vector<Entry> entries;
  std::string text;  // arena holding every name and value
  std::vector<Section> sections;
  std::unordered_map<std::string, std::uint32_t, FoldedHash, FoldedEqual>
      section_index;
};

// Makes room for about `bytes` of names and values in `keys` keys, so that a
// large document is not regrown and copied while it fills.
void ReserveProfile(ProfileDocument& doc, std::size_t bytes, std::size_t keys);

// Sets key to value, creating the section and key as needed (a new key goes
// to the end of its section). A value is cut before any CR, LF or NUL, which
// a line of the file cannot hold.
void SetProfileString(ProfileDocument& doc, std::string_view section,
                      std::string_view key, std::string_view value);

// Removes key from section if present.
void RemoveProfileKey(ProfileDocument& doc, std::string_view section,
                      std::string_view key);

// Stores bytes as uppercase hex digit pairs followed by a checksum byte (the
// sum of the bytes modulo 256) in the same form.
void SetProfileStruct(ProfileDocument& doc, std::string_view section,
                      std::string_view key,
                      std::span<const std::uint8_t> bytes);

// The file text: "[Section]" and "Key=Value" lines ended by CRLF, no BOM.
std::string SerializeProfile(const ProfileDocument& doc);

// Writes the document as a new file at `path`, never replacing a file.
WriteResult SaveNewProfile(const std::string& path, const ProfileDocument& doc);

// Appends the document's sections to the end of an existing file; on failure
// the file keeps its previous content.
bool AppendProfile(const std::string& path, const ProfileDocument& doc);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PLATFORM_PROFILE_STORE_H_
