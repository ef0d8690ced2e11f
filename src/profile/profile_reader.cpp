#include "profile/profile_reader.h"

#include <algorithm>
#include <array>
#include <bit>

#include "profile/line_syntax.h"
#include "text/byte_scan.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

constexpr std::uint32_t kNoHeader = UINT32_MAX;

// Start of the line after the one that ends at `end`. `text` is all of a
// std::string, whose terminating NUL ends it as any other byte would.
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

bool IsBlankByte(char c) { return IsBlank(static_cast<unsigned char>(c)); }

// The end of the text before `end` without the blanks at its end, which are
// single-byte characters from `floor` on.
std::size_t TrimEnd(std::string_view text, std::size_t floor, std::size_t end) {
  while (end > floor && IsBlankByte(text[end - 1])) --end;
  return end;
}

// A line as lookups see it.
struct ParsedLine {
  std::string_view key, value;
  bool has_key = false;    // any visible character
  bool has_value = false;  // a "="
  std::size_t end = 0;     // the line end (CR, LF or the end of the text)
};

// Any line, from ScanLine's parts.
ParsedLine ParseLine(std::string_view text, const LineParts& line) {
  ParsedLine parsed;
  parsed.end = line.end;
  // A blank line holds nothing; any other line (";" ones too) is a key.
  if (line.first == kNotFound) return parsed;
  const std::size_t key_end =
      line.equals == kNotFound ? line.last_end : line.name_end;
  // A line that starts with "=" has an empty key.
  parsed.key =
      text.substr(line.first, std::max(key_end, line.first) - line.first);
  if (line.value_first != kNotFound) {
    parsed.value =
        text.substr(line.value_first, line.last_end - line.value_first);
  }
  if (line.has_nul) {
    parsed.key = EffectiveText(parsed.key);
    parsed.value = EffectiveText(parsed.value);
  }
  parsed.has_key = true;
  parsed.has_value = line.equals != kNotFound;
  return parsed;
}

// The line at `begin` as ParseLine(ScanLine) sees it, found with word-wide
// searches, when it holds no NUL and no lead byte without its trail; false
// for another line.
bool ParsePlainLine(std::string_view text, std::size_t begin,
                    ParsedLine& line) {
  const std::size_t size = text.size();
  std::size_t pos = begin;
  while (pos < size && IsBlankByte(text[pos])) ++pos;
  const std::size_t first = pos;
  // Bytes from `plain` up to `pos` are single-byte characters, so that
  // blanks can be trimmed from the end of a run.
  std::size_t plain = pos;
  std::size_t value_first = kNotFound;
  for (;; ++pos) {
    pos = FindBreakHighOr(text, pos, '=');
    if (pos == size) break;
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c == '=') {
      if (value_first == kNotFound) {
        line.key = text.substr(first, TrimEnd(text, plain, pos) - first);
        value_first = pos + 1;
        while (value_first < size && IsBlankByte(text[value_first])) {
          ++value_first;
        }
        plain = value_first;
        pos = value_first - 1;
      }
    } else if (c < 0x80) {
      if (c == '\0') return false;
      break;  // CR or LF
    } else {
      const std::size_t length = CharLength(text, pos);
      if (length == 1 && IsLeadByte(c)) return false;
      pos += length - 1;
      plain = pos + 1;
    }
  }
  line.end = pos;
  line.has_key = pos > first;
  line.has_value = value_first != kNotFound;
  if (line.has_value) {
    line.value =
        text.substr(value_first, TrimEnd(text, plain, pos) - value_first);
  } else {
    line.key = text.substr(first, TrimEnd(text, plain, pos) - first);
  }
  return true;
}

// Reads the line whose first visible character is the "[" at `first`:
// false when it is no header, else its name and where it ends.
bool ReadHeader(std::string_view text, std::size_t first,
                std::string_view& name, std::size_t& end) {
  end = FindBreakOrHigh(text, first);
  if (end < text.size() && text[end] != '\r' && text[end] != '\n') {
    // A NUL or a byte that may start a double-byte character.
    const LineParts line = ScanLine(text, first);
    end = line.end;
    if (!IsHeader(text, line)) return false;
    name = HeaderName(text, line);
    return true;
  }
  // Single-byte characters only: the last "]" is a character.
  const std::size_t bracket = text.substr(first, end - first).rfind(']');
  if (bracket == kNotFound) return false;
  name = Trim(text.substr(first + 1, bracket - 1));
  return true;
}

// Where the line of `pos` starts when only blanks stand before `pos` on
// it, else kNotFound. The blanks after a line end are characters of their
// own, and a blank preceded by a lead byte stops the search.
std::size_t LineStartBefore(std::string_view text, std::size_t pos) {
  while (pos > 0 && IsBlankByte(text[pos - 1])) --pos;
  const bool starts =
      pos == 0 || text[pos - 1] == '\r' || text[pos - 1] == '\n';
  return starts ? pos : kNotFound;
}

// A section's name and where its lines begin, from where its header line
// begins (kNoHeader for section 0).
struct SectionStart {
  std::string_view name;
  std::size_t body = 0;
};

SectionStart ReadSectionStart(std::string_view text, std::uint32_t header) {
  if (header == kNoHeader) return {};
  std::size_t first = header;
  while (IsBlankByte(text[first])) ++first;
  SectionStart start;
  std::size_t end = 0;
  ReadHeader(text, first, start.name, end);
  start.body = NextLine(text, end);
  return start;
}

}  // namespace

ProfileReader::ProfileReader(std::string bytes) : bytes_(std::move(bytes)) {
  const std::string_view text = bytes_;
  headers_.push_back(kNoHeader);
  // Only a line whose first visible byte is "[" can be a header.
  for (std::size_t pos = text.find('['); pos != kNotFound;
       pos = text.find('[', pos + 1)) {
    const std::size_t line = LineStartBefore(text, pos);
    std::string_view name;
    if (line != kNotFound && ReadHeader(text, pos, name, pos)) {
      headers_.push_back(static_cast<std::uint32_t>(line));
    }
  }
  const auto sections = static_cast<std::uint32_t>(headers_.size());
  headers_.push_back(static_cast<std::uint32_t>(text.size()));  // the end
  const std::size_t size = std::bit_ceil(std::size_t{2} * sections);
  slots_.assign(size, 0);
  for (std::uint32_t section = 0; section < sections; ++section) {
    const std::string_view name =
        ReadSectionStart(text, headers_[section]).name;
    for (std::size_t i = HashName(name);; ++i) {
      std::uint32_t& slot = slots_[i & (size - 1)];
      if (slot == 0) {
        slot = section + 1;
        break;
      }
      if (EqualsIgnoreCase(ReadSectionStart(text, headers_[slot - 1]).name,
                           name)) {
        break;
      }
    }
  }
}

ProfileSection ProfileReader::FindSection(std::string_view name) const {
  ProfileSection section;
  section.text_ = bytes_;
  name = QueryName(name);
  for (std::size_t i = HashName(name);; ++i) {
    const std::uint32_t slot = slots_[i & (slots_.size() - 1)];
    if (slot == 0) return section;
    const SectionStart start = ReadSectionStart(bytes_, headers_[slot - 1]);
    if (EqualsIgnoreCase(start.name, name)) {
      std::size_t pos = start.body;
      const std::size_t end = headers_[slot];
      while (pos < end && section.held_ < ProfileSection::kHeldLines) {
        if (ProfileSection::ReadKeyLine(bytes_, pos,
                                        section.lines_[section.held_])) {
          ++section.held_;
        }
      }
      section.rest_ = pos;
      section.end_ = end;
      return section;
    }
  }
}

bool ProfileSection::ReadKeyLine(std::string_view text, std::size_t& pos,
                                 KeyLine& key_line) {
  ParsedLine line;
  if (!ParsePlainLine(text, pos, line))
    line = ParseLine(text, ScanLine(text, pos));
  pos = NextLine(text, line.end);
  key_line = {line.key, line.value, line.has_value};
  return line.has_key;
}

bool ProfileSection::FindValue(std::string_view key,
                               std::string_view& value) const {
  key = QueryName(key);
  const auto answer = [&value](const KeyLine& line) {
    if (!line.has_value) return false;
    value = StripQuotes(line.value);
    return true;
  };
  for (std::size_t i = 0; i < held_; ++i) {
    if (EqualsIgnoreCase(lines_[i].key, key)) return answer(lines_[i]);
  }
  KeyLine line;
  for (std::size_t pos = rest_; pos < end_;) {
    if (ReadKeyLine(text_, pos, line) && EqualsIgnoreCase(line.key, key)) {
      return answer(line);
    }
  }
  return false;
}

std::string_view ReadProfileString(const ProfileSection& section,
                                   std::string_view key,
                                   std::string_view fallback,
                                   std::size_t capacity) {
  std::string_view value;
  if (!section.FindValue(key, value)) {
    value = EffectiveText(fallback);
    while (value.size() > 1 && value.back() == ' ' && EndsInSingleByte(value)) {
      value.remove_suffix(1);
    }
    value = StripQuotes(value);
  }
  return CutToCapacity(value, capacity);
}

std::int32_t ReadProfileInt(const ProfileSection& section, std::string_view key,
                            std::int32_t fallback) {
  std::string_view value;
  if (!section.FindValue(key, value) || value.empty()) {
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

}  // namespace ovq2tyx
