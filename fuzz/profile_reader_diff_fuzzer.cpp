// The profile reader against the frozen reference reader (reference/), on
// arbitrary file bytes: both must give every answer alike.
//
// Input: one byte, the buffer capacity of the cut reads; a query line
// "section<TAB>key" ended by LF; the rest is the file. Asked are the query,
// and every section and key the file's lines spell, each key in the section
// above it and in the query's section, as a string (cut and uncut) and as
// an integer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_reader.h"
#include "reference/profile_reader.h"

namespace ovq2tyx {
namespace {

constexpr std::size_t kUncut = std::size_t{1} << 30;
// Bounds the work per input on files with thousands of lines.
constexpr std::size_t kMaxQueries = 512;

std::string Hex(std::string_view text) {
  std::string hex;
  char byte[4];
  for (unsigned char c : text) {
    std::snprintf(byte, sizeof byte, "%02X ", c);
    hex += byte;
  }
  return hex;
}

struct Readers {
  const ProfileReader& ours;
  const reference::ProfileReader& reference;
  std::size_t capacity;
};

void Compare(const Readers& readers, std::string_view section,
             std::string_view key) {
  const ProfileSection found = readers.ours.FindSection(section);
  for (std::size_t capacity : {kUncut, readers.capacity}) {
    const std::string_view ours =
        ReadProfileString(found, key, "\x01 fallback ", capacity);
    const std::string_view expected = reference::ReadProfileString(
        readers.reference, section, key, "\x01 fallback ", capacity);
    if (ours != expected) {
      std::fprintf(stderr,
                   "string differs\n  [%s] %s\n  ours %s\n  reference %s\n",
                   Hex(section).c_str(), Hex(key).c_str(), Hex(ours).c_str(),
                   Hex(expected).c_str());
      std::abort();
    }
  }
  const std::int32_t ours = ReadProfileInt(found, key, -7);
  const std::int32_t expected =
      reference::ReadProfileInt(readers.reference, section, key, -7);
  if (ours != expected) {
    std::fprintf(stderr, "integer differs\n  [%s] %s\n  ours %d reference %d\n",
                 Hex(section).c_str(), Hex(key).c_str(), ours, expected);
    std::abort();
  }
}

}  // namespace
}  // namespace ovq2tyx

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace ovq2tyx;
  if (size == 0) return 0;
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t line_end = input.find('\n');
  const std::string_view query = input.substr(0, line_end);
  const std::string_view bytes = line_end == std::string_view::npos
                                     ? std::string_view()
                                     : input.substr(line_end + 1);
  const std::size_t tab = query.find('\t');
  const std::string_view query_section = query.substr(0, tab);
  const std::string_view query_key = tab == std::string_view::npos
                                         ? std::string_view()
                                         : query.substr(tab + 1);

  const ProfileReader ours{std::string(bytes)};
  const reference::ProfileReader reference{std::string(bytes)};
  const Readers readers{ours, reference, data[0]};
  Compare(readers, query_section, query_key);

  // The file's lines, split at every CR and LF: "[" starts a section name
  // up to the last "]", anything else is a key up to the first "=".
  std::vector<std::string_view> lines;
  for (std::size_t pos = 0;
       pos <= bytes.size() && lines.size() < kMaxQueries;) {
    const std::size_t end =
        std::min(bytes.find_first_of("\r\n", pos), bytes.size());
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + 1;
  }
  std::string_view section;
  for (std::string_view line : lines) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start != std::string_view::npos && line[start] == '[') {
      section = line.substr(start + 1, line.rfind(']') - start - 1);
      Compare(readers, section, query_key);
    } else {
      const std::string_view key = line.substr(0, line.find('='));
      Compare(readers, section, key);
      Compare(readers, query_section, key);
    }
  }
  return 0;
}
