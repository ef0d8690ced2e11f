#include "reference/profile_reader.h"

#include <algorithm>
#include <array>
#include <bit>

#include "profile/line_syntax.h"
#include "text/code_page.h"

namespace ovq2tyx::reference {

namespace {

constexpr std::uint32_t kNoHeader = UINT32_MAX;

// Start of the line after the one that ends at `end`. `text` is all of a
// std::string, whose terminating NUL ends it as any other byte would.
std::size_t FindLineEnd(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

std::size_t NextLine(std::string_view text, std::size_t end) {
  if (text.data()[end] == '\r') ++end;
  if (text.data()[end] == '\n') ++end;
  return end;
}

// The text without a lead byte at its end that has no trail.
std::string_view DropLoneLead(std::string_view text) {
  if (!text.empty() && IsLeadByte(static_cast<unsigned char>(text.back())) &&
      CharLength(text, LastCharStart(text)) == 1) {
    text.remove_suffix(1);
  }
  return text;
}

// The text as the reader sees it: up to the first NUL, without a lone lead
// byte at the end.
std::string_view EffectiveText(std::string_view text) {
  return DropLoneLead(text.substr(0, text.find('\0')));
}

std::string_view Trim(std::string_view text) {
  if (!text.empty() && !IsBlank(static_cast<unsigned char>(text.front())) &&
      !IsBlank(static_cast<unsigned char>(text.back()))) {
    return text;  // neither end is a blank byte: nothing to trim
  }
  std::size_t begin = kNotFound, end = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (CharLength(text, pos) == 1 &&
        IsBlank(static_cast<unsigned char>(text[pos]))) {
      continue;
    }
    if (begin == kNotFound) begin = pos;
    end = pos + CharLength(text, pos);
  }
  return begin == kNotFound ? text.substr(0, 0)
                            : text.substr(begin, end - begin);
}

// Is the last byte a character of its own (not the second of a pair)?
bool EndsInSingleByte(std::string_view text) {
  return !text.empty() && LastCharStart(text) == text.size() - 1;
}

// One pair of matching enclosing quotes removed. The closing quote must be a
// character: in "\x81"" the last byte is the second of a pair.
std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
      value.back() == value[0] && EndsInSingleByte(value)) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where the parts of one line lie (offsets into the text).
struct LineParts {
  std::size_t first = kNotFound;        // first visible character
  std::size_t last_end = 0;             // end of the last visible character
  std::size_t equals = kNotFound;       // the first "="
  std::size_t name_end = 0;             // last_end when "=" was met
  std::size_t value_first = kNotFound;  // first visible character after "="
  std::size_t bracket = kNotFound;      // the last "]"
  std::size_t end = 0;                  // the line end (CR, LF or the end)
  bool has_nul = false;
};

// What each byte can be for the line scanner.
enum ByteKind : unsigned char {
  kPlain,
  kBlank,
  kLead,
  kEquals,
  kBracket,
  kNul,
  kLineEnd
};

constexpr auto kByteKinds = [] {
  std::array<ByteKind, 256> kinds{};
  for (int c = 0; c < 256; ++c) {
    const auto byte = static_cast<unsigned char>(c);
    kinds[byte] = IsBlank(byte)            ? kBlank
                  : IsLeadByte(byte)       ? kLead
                  : c == '='               ? kEquals
                  : c == ']'               ? kBracket
                  : c == 0                 ? kNul
                  : c == '\r' || c == '\n' ? kLineEnd
                                           : kPlain;
  }
  return kinds;
}();

ByteKind KindOf(char c) { return kByteKinds[static_cast<unsigned char>(c)]; }

// Scans the line that starts at `begin` character by character, up to its
// line end. Blanks and lead bytes without a trail are invisible. `text` must
// be all of a std::string (see below).
LineParts ScanLine(std::string_view text, std::size_t begin) {
  LineParts line;
  line.last_end = begin;
  std::size_t pos = begin;
  while (pos < text.size()) {
    const ByteKind kind = KindOf(text[pos]);
    if (kind == kLineEnd) break;
    std::size_t length = 1;
    if (kind == kBlank) {
      ++pos;
      continue;
    }
    if (kind == kLead) {
      length = CharLength(text, pos);
      if (length == 1) {
        ++pos;
        continue;
      }
    }
    if (line.first == kNotFound) line.first = pos;
    if (line.equals != kNotFound && line.value_first == kNotFound) {
      line.value_first = pos;
    }
    const bool first_equals = kind == kEquals && line.equals == kNotFound;
    if (first_equals) {
      line.equals = pos;
      line.name_end = line.last_end;
    } else if (kind == kBracket) {
      line.bracket = pos;
    } else if (kind == kNul) {
      line.has_nul = true;
    }
    pos += length;
    // The value's first character is marked above: no run before it. Runs
    // of plain bytes, and blanks between them, are passed over in tight
    // loops. The text is a whole std::string, whose terminating NUL stops
    // every run at its end.
    while (!first_equals) {
      while (KindOf(text.data()[pos]) == kPlain) ++pos;
      line.last_end = pos;
      while (KindOf(text.data()[pos]) == kBlank) ++pos;
      if (KindOf(text.data()[pos]) != kPlain) break;
    }
  }
  line.end = pos;
  return line;
}

bool IsHeader(std::string_view text, const LineParts& line) {
  return line.first != kNotFound && text[line.first] == '[' &&
         line.bracket != kNotFound;
}

std::string_view HeaderName(std::string_view text, const LineParts& line) {
  std::string_view name =
      text.substr(line.first + 1, line.bracket - line.first - 1);
  return Trim(line.has_nul ? EffectiveText(name) : name);
}

// FNV-1a over the bytes with ASCII letters folded. Folding a trail byte as
// well keeps names that compare equal at equal hashes.
std::uint32_t HashName(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    hash = (hash ^ static_cast<unsigned char>(ToUpperAscii(c))) * 16777619u;
  }
  return hash;
}

// A query's section or key as the reader matches it.
std::string_view QueryName(std::string_view name) {
  bool plain = !name.empty() && KindOf(name.front()) == kPlain &&
               KindOf(name.back()) == kPlain;
  for (char c : name) plain = plain && c != '\0';
  return plain ? name : Trim(EffectiveText(name));
}

}  // namespace

ProfileReader::ProfileReader(std::string bytes) : bytes_(std::move(bytes)) {
  const std::string_view text = bytes_;
  headers_.push_back(kNoHeader);
  for (std::size_t pos = 0; pos < text.size();) {
    // Only a line whose first visible byte is "[" can be a header.
    std::size_t end = pos;
    while (end < text.size() && KindOf(text[end]) == kBlank) ++end;
    if (end < text.size() && text[end] == '[') {
      const LineParts line = ScanLine(text, pos);
      if (IsHeader(text, line)) {
        headers_.push_back(static_cast<std::uint32_t>(pos));
      }
      end = line.end;
    }
    pos = NextLine(text, FindLineEnd(text, end));
  }
  const auto sections = static_cast<std::uint32_t>(headers_.size());
  headers_.push_back(static_cast<std::uint32_t>(text.size()));  // the end
  const std::size_t size = std::bit_ceil(std::size_t{2} * sections);
  slots_.assign(size, 0);
  for (std::uint32_t section = 0; section < sections; ++section) {
    const std::string_view name = SectionName(section);
    for (std::size_t i = HashName(name);; ++i) {
      std::uint32_t& slot = slots_[i & (size - 1)];
      if (slot == 0) {
        slot = section + 1;
        break;
      }
      if (EqualsIgnoreCase(SectionName(slot - 1), name)) break;
    }
  }
}

std::string_view ProfileReader::SectionName(std::uint32_t section) const {
  if (headers_[section] == kNoHeader) return {};
  return HeaderName(bytes_, ScanLine(bytes_, headers_[section]));
}

std::string_view ProfileReader::SectionBody(std::uint32_t section) const {
  const std::string_view text = bytes_;
  const std::size_t begin =
      headers_[section] == kNoHeader
          ? 0
          : NextLine(text, ScanLine(text, headers_[section]).end);
  return text.substr(begin, headers_[section + 1] - begin);
}

bool ProfileReader::FindSection(std::string_view name,
                                std::uint32_t& section) const {
  for (std::size_t i = HashName(name);; ++i) {
    const std::uint32_t slot = slots_[i & (slots_.size() - 1)];
    if (slot == 0) return false;
    if (EqualsIgnoreCase(SectionName(slot - 1), name)) {
      section = slot - 1;
      return true;
    }
  }
}

void ProfileReader::LoadEntries(std::uint32_t section) const {
  loaded_section_ = section;
  entries_.clear();
  const std::string_view text = bytes_;
  const std::string_view body = SectionBody(section);
  const std::size_t end = body.data() - text.data() + body.size();
  for (std::size_t pos = body.data() - text.data(); pos < end;) {
    const LineParts line = ScanLine(text, pos);
    pos = NextLine(text, line.end);
    // A blank line holds nothing; any other line (";" ones too) is a key.
    if (line.first == kNotFound) continue;
    const std::size_t key_end =
        line.equals == kNotFound ? line.last_end : line.name_end;
    // A line that starts with "=" has an empty key.
    std::string_view key =
        text.substr(line.first, std::max(key_end, line.first) - line.first);
    std::string_view value;
    if (line.value_first != kNotFound) {
      value = text.substr(line.value_first, line.last_end - line.value_first);
    }
    if (line.has_nul) {
      key = EffectiveText(key);
      value = EffectiveText(value);
    }
    const auto offset = [&text](std::string_view part) {
      return static_cast<std::uint32_t>(part.data() - text.data());
    };
    entries_.push_back({offset(key), static_cast<std::uint32_t>(key.size()),
                        value.empty() ? 0 : offset(value),
                        static_cast<std::uint32_t>(value.size()),
                        line.equals != kNotFound});
  }
}

bool ProfileReader::FindValue(std::string_view section, std::string_view key,
                              std::string_view& value) const {
  // An item's keys are read one after another from one section: asked for
  // in the same spelling again, it is known at once.
  if (!has_query_ || section != last_section_query_) {
    has_query_ = true;
    last_section_query_.assign(section);
    std::uint32_t found = 0;
    if (!FindSection(QueryName(section), found)) {
      loaded_section_ = kNoSection;
      return false;
    }
    if (found != loaded_section_) LoadEntries(found);
  }
  if (loaded_section_ == kNoSection) return false;
  key = QueryName(key);
  const std::string_view text = bytes_;
  for (const Entry& entry : entries_) {
    if (EqualsIgnoreCase(text.substr(entry.key_begin, entry.key_size), key)) {
      if (!entry.has_value) return false;
      value = StripQuotes(text.substr(entry.value_begin, entry.value_size));
      return true;
    }
  }
  return false;
}

std::string_view ReadProfileString(const ProfileReader& reader,
                                   std::string_view section,
                                   std::string_view key,
                                   std::string_view fallback,
                                   std::size_t capacity) {
  std::string_view value;
  if (!reader.FindValue(section, key, value)) {
    value = EffectiveText(fallback);
    while (value.size() > 1 && value.back() == ' ' && EndsInSingleByte(value)) {
      value.remove_suffix(1);
    }
    value = StripQuotes(value);
  }
  return CutToCapacity(value, capacity);
}

std::int32_t ReadProfileInt(const ProfileReader& reader,
                            std::string_view section, std::string_view key,
                            std::int32_t fallback) {
  std::string_view value;
  if (!reader.FindValue(section, key, value) || value.empty()) {
    return fallback;
  }
  // The platform reader looks at no more than the first 29 characters.
  std::size_t pos = 0;
  for (int chars = 0; pos < value.size() && chars < 29; ++chars) {
    pos += CharLength(value, pos);
  }
  value = value.substr(0, pos);
  pos = 0;
  while (pos < value.size() && static_cast<unsigned char>(value[pos]) <= ' ') {
    ++pos;
  }
  bool negative = false;
  if (pos < value.size() && (value[pos] == '+' || value[pos] == '-')) {
    negative = value[pos++] == '-';
  }
  unsigned base = 10;
  if (value.size() - pos >= 2 && value[pos] == '0') {
    const char prefix = value[pos + 1];
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) pos += 2;
  }
  std::uint32_t total = 0;
  for (; pos < value.size(); ++pos) {
    const char c = value[pos];
    unsigned digit = 16;  // no digit of any base
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    if (digit >= base) break;
    total = total * base + digit;
  }
  return static_cast<std::int32_t>(negative ? 0u - total : total);
}

}  // namespace ovq2tyx::reference
