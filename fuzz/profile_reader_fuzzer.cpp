// The profile reader on arbitrary file bytes, and the writer on the values it
// returns.
//
// Input: one byte, the buffer capacity of the cut reads; a query line
// "section<TAB>key<TAB>fallback" ended by LF; the rest is the file.
//
// Every value read (the query's and that of each key line in the file, asked
// for in the section above it) must fit its capacity, be the longest prefix
// of the uncut value that ends on a character boundary, and never end in a
// lead byte without its trail. Every value, and the raw query fields,
// written with the profile writer and read back must come back as written,
// less what the writer drops by design: everything from the first CR, LF or
// NUL on and a lead byte left without its trail at the end.
//
// Each section, found by a cursor that went through the sections above it
// and read with several keys at once as items are read, must give each
// key's value as asked for alone in the section the reader finds by name.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "profile/profile_reader.h"
#include "profile/profile_writer.h"
#include "text/code_page.h"

namespace ovq2tyx {
namespace {

constexpr std::size_t kUncut = std::size_t{1} << 30;
// Bounds the work per input on files with thousands of keys.
constexpr int kMaxKeysChecked = 256;

std::string Hex(std::string_view text) {
  std::string hex;
  char byte[4];
  for (unsigned char c : text) {
    std::snprintf(byte, sizeof byte, "%02X ", c);
    hex += byte;
  }
  return hex;
}

[[noreturn]] void Fail(const char* what, std::string_view a,
                       std::string_view b = {}) {
  std::fprintf(stderr, "%s\n  %s\n  %s\n", what, Hex(a).c_str(),
               Hex(b).c_str());
  std::abort();
}

// Start of the last character, or npos for an empty text.
std::size_t LastCharStart(std::string_view text) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    last = pos;
  }
  return last;
}

bool EndsInLoneLead(std::string_view text) {
  std::size_t last = LastCharStart(text);
  return last != std::string_view::npos &&
         IsLeadByte(static_cast<unsigned char>(text[last])) &&
         CharLength(text, last) == 1;
}

// `cut` is what a buffer of `capacity` bytes received of `whole`.
void CheckCut(std::string_view cut, std::string_view whole,
              std::size_t capacity) {
  if (EndsInLoneLead(whole)) Fail("value ends in a lone lead byte", whole);
  const std::size_t limit = capacity == 0 ? 0 : capacity - 1;
  if (cut.size() > limit) Fail("value exceeds its capacity", cut);
  if (whole.substr(0, cut.size()) != cut) {
    Fail("cut value is no prefix of the whole", cut, whole);
  }
  std::size_t pos = 0;
  while (pos < cut.size()) pos += CharLength(whole, pos);
  if (pos != cut.size()) Fail("value cut inside a character", cut, whole);
  if (cut.size() < whole.size() &&
      cut.size() + CharLength(whole, cut.size()) <= limit) {
    Fail("value cut shorter than its capacity allows", cut, whole);
  }
}

std::string_view Read(const ProfileSection& section, std::string_view key,
                      std::string_view fallback, std::size_t capacity) {
  return ValueAsString(section.FindValue(key), fallback, capacity);
}

void CheckRoundTrip(std::string_view value) {
  std::string_view expected =
      value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
  if (EndsInLoneLead(expected)) expected.remove_suffix(1);

  std::string text;
  ProfileWriter writer([&text](std::string_view chunk) {
    text += chunk;
    return true;
  });
  writer.AddSection("No.0");
  writer.AddString("Data0", value);
  if (!writer.Finish()) Fail("writer failed", value);
  const ProfileReader reader(CopyToLargeArray(text));
  const std::string_view got =
      Read(reader.FindSection("No.0"), "Data0", "\x01missing", kUncut);
  if (got != expected) Fail("value written and read back differs", value, got);
}

// Reads section/key cut and uncut and checks both, then writes the value.
void CheckQuery(const ProfileReader& reader, std::string_view section,
                std::string_view key, std::string_view fallback,
                std::size_t capacity) {
  const ProfileSection found = reader.FindSection(section);
  const std::string_view whole = Read(found, key, fallback, kUncut);
  const std::string_view cut = Read(found, key, fallback, capacity);
  CheckCut(cut, whole, capacity);
  CheckRoundTrip(whole);
  ReadProfileInt(found, key, -1);
}

// A section as items are read: found by a cursor, all keys at once. Each
// value must be the one asked for alone in the section found by name.
void CheckFindValues(const ProfileReader& reader, SectionCursor& cursor,
                     std::string_view section) {
  static constexpr std::string_view kKeys[] = {
      "Data0", "Data1", "Data2", "Data5", "data1x", "Data8", "Data123456"};
  std::optional<std::string_view> values[std::size(kKeys)];
  cursor.FindSection(section).FindValues(kKeys, values);
  const ProfileSection alone = reader.FindSection(section);
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    if (values[i] != alone.FindValue(kKeys[i])) {
      Fail("a key read with others differs from it read alone", kKeys[i]);
    }
  }
}

}  // namespace
}  // namespace ovq2tyx

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace ovq2tyx;
  if (size == 0) return 0;
  const std::size_t capacity = data[0];
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::size_t line_end = input.find('\n');
  std::string_view query = input.substr(0, line_end);
  const std::string_view bytes = line_end == std::string_view::npos
                                     ? std::string_view()
                                     : input.substr(line_end + 1);
  std::string_view fields[3];
  for (std::string_view& field : fields) {
    const std::size_t tab = query.find('\t');
    field = query.substr(0, tab);
    query = tab == std::string_view::npos ? std::string_view()
                                          : query.substr(tab + 1);
  }
  const auto& [section, key, fallback] = fields;

  const ProfileReader reader(CopyToLargeArray(bytes));
  CheckQuery(reader, section, key, fallback, capacity);
  for (std::string_view field : fields) CheckRoundTrip(field);

  // Every key line, asked for in the section above it, spelled roughly as
  // the file spells them: the reader trims and cuts queries itself.
  std::string_view current;
  SectionCursor cursor(reader);
  int checked = 0;
  for (std::size_t pos = 0; pos < bytes.size() && checked < kMaxKeysChecked;) {
    const std::size_t end =
        std::min(bytes.find_first_of("\r\n", pos), bytes.size());
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (line.starts_with('[')) {
      current = line.substr(1, line.rfind(']') - 1);
      ++checked;
      CheckFindValues(reader, cursor, current);
    } else if (!line.empty()) {
      ++checked;
      CheckQuery(reader, current, line.substr(0, line.find('=')), fallback,
                 capacity);
    }
  }
  return 0;
}
