#include "profile/profile_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include "profile/line_syntax.h"
#include "text/byte_scan.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// The first CR or LF at or after `pos`, or the end of the text.
std::size_t FindLineEnd(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

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
  if (value.size() < 2 || (value[0] != '"' && value[0] != '\'') ||
      value.back() != value[0] || !EndsInSingleByte(value)) {
    return value;
  }
  return value.substr(1, value.size() - 2);
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

bool HasPlainEnds(std::string_view name) {
  return !name.empty() && KindOf(name.front()) == kPlain &&
         KindOf(name.back()) == kPlain;
}

// A query's section or key as the reader matches it.
std::string_view QueryName(std::string_view name) {
  return HasPlainEnds(name) && name.find('\0') == kNotFound
             ? name
             : Trim(EffectiveText(name));
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

// ProfileKey::Fold of the `size` bytes at `pos`, a word at a time where the
// text holds eight bytes from there.
std::uint64_t FoldAt(std::string_view text, std::size_t pos, std::size_t size) {
  using namespace byte_scan;
  if (size > 8) size = 8;
  if (pos + 8 > text.size()) return ProfileKey::Fold(text.substr(pos, size));
  Word word;
  std::memcpy(&word, text.data() + pos, 8);
  word = KeepFirst(word, size);
  // 'a' to 'z' lose 0x20.
  return word - ((MarkBelow(word, 'z' + 1) & ~MarkBelow(word, 'a')) >> 2);
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

}  // namespace

ProfileReader::ProfileReader(std::string bytes) : bytes_(std::move(bytes)) {
  const std::string_view text = bytes_;
  // Room for a section every 32 bytes, more than a menu has: growing the
  // index would copy it, and touch fresh memory twice.
  sections_.reserve(text.size() / 32 + 2);
  sections_.push_back({0, 0, 0});
  // Only a line whose first visible byte is "[" can be a header.
  for (std::size_t pos = text.find('['); pos != kNotFound;
       pos = text.find('[', pos + 1)) {
    const std::size_t line = LineStartBefore(text, pos);
    std::string_view name;
    if (line != kNotFound && ReadHeader(text, pos, name, pos)) {
      sections_.push_back(
          {static_cast<std::uint32_t>(line),
           static_cast<std::uint32_t>(name.data() - text.data()),
           static_cast<std::uint32_t>(name.size())});
    }
  }
  const auto sections = static_cast<std::uint32_t>(sections_.size());
  sections_.push_back({static_cast<std::uint32_t>(text.size()), 0, 0});
  const std::size_t size = std::bit_ceil(std::size_t{2} * sections);
  slots_.assign(size, 0);
  for (std::uint32_t section = 0; section < sections; ++section) {
    const std::string_view name = Name(sections_[section]);
    for (std::size_t i = HashName(name);; ++i) {
      std::uint32_t& slot = slots_[i & (size - 1)];
      if (slot == 0) {
        slot = section + 1;
        break;
      }
      if (EqualsIgnoreCase(Name(sections_[slot - 1]), name)) {
        sections_[section].first = false;
        break;
      }
    }
  }
}

ProfileSection ProfileReader::Open(std::uint32_t index) const {
  ProfileSection found;
  found.text_ = bytes_;
  found.index_ = index;
  const Section& section = sections_[index];
  // The lines after the header line, up to the next header.
  const std::size_t body =
      index == 0 ? 0
                 : NextLine(bytes_, FindLineEnd(bytes_, section.name_begin +
                                                            section.name_size));
  found.end_ = sections_[index + 1].line;
  found.rest_ = ProfileSection::ReadKeyLines(bytes_, body, found.end_,
                                             found.lines_, found.held_);
  return found;
}

ProfileSection ProfileReader::FindSection(std::string_view name) const {
  name = QueryName(name);
  for (std::size_t i = HashName(name);; ++i) {
    const std::uint32_t slot = slots_[i & (slots_.size() - 1)];
    if (slot == 0) {
      ProfileSection missing;
      missing.text_ = bytes_;
      return missing;
    }
    if (EqualsIgnoreCase(Name(sections_[slot - 1]), name)) {
      return Open(slot - 1);
    }
  }
}

ProfileSection ProfileReader::FindSection(
    std::string_view name, const ProfileSection& previous) const {
  // The last entry of the index is the end of the text, no section.
  const std::size_t next = std::size_t{previous.index_} + 1;
  if (next + 1 < sections_.size() && sections_[next].first &&
      EqualsIgnoreCase(Name(sections_[next]), QueryName(name))) {
    return Open(static_cast<std::uint32_t>(next));
  }
  return FindSection(name);
}

std::size_t ProfileSection::ReadKeyLines(std::string_view text, std::size_t pos,
                                         std::size_t end,
                                         std::span<KeyLine> lines,
                                         std::size_t& count) {
  const std::size_t size = text.size();
  const auto hold = [&](std::size_t key, std::size_t key_end, std::size_t value,
                        std::size_t value_end, bool has_value) {
    lines[count++] = {FoldAt(text, key, key_end - key),
                      static_cast<std::uint32_t>(key),
                      static_cast<std::uint32_t>(key_end - key),
                      static_cast<std::uint32_t>(value),
                      static_cast<std::uint32_t>(value_end - value),
                      has_value};
  };
  // The first byte at or after `at` that `marks` marks, eight bytes at a
  // time while they last; near the end of the text, `at` itself, for the
  // caller to look at each byte.
  using namespace byte_scan;
  const auto next_marked = [&](std::size_t at, auto marks) {
    for (; at + 8 <= size; at += 8) {
      Word word;
      std::memcpy(&word, text.data() + at, 8);
      if (const Word marked = marks(word)) return at + FirstMarked(marked);
    }
    return at;
  };
  for (count = 0; pos < end && count < lines.size();
       pos = NextLine(text, pos)) {
    std::size_t first = pos;
    while (first < size && IsBlankByte(text[first])) ++first;
    // The key runs up to the first "=", searched for where every byte is a
    // character: a byte of 0x80 and above before it, or a NUL, leaves the
    // line to the byte scanner. The value runs up to the line end, its
    // double-byte characters stepped over whole: a NUL or a lead byte
    // without its trail there leaves the line to the byte scanner too.
    // From `plain` on every byte is a character, so that blanks can be
    // trimmed from the end.
    std::size_t line_end = first, equals = kNotFound, plain = first;
    bool scanned = true;
    for (;; ++line_end) {
      line_end = next_marked(line_end, [](Word word) {
        return MarkHighOrBelow(word, '\r' + 1) | MarkEqual(word, '=');
      });
      if (line_end == size) break;
      const auto c = static_cast<unsigned char>(text[line_end]);
      if (c == '=') {
        equals = line_end;
        break;
      }
      if (c >= 0x80 || IsBreak(c)) {
        scanned = c == '\r' || c == '\n';
        break;
      }
    }
    if (equals != kNotFound) {
      for (line_end = equals + 1;;) {
        line_end = next_marked(line_end, [](Word word) {
          return MarkHighOrBelow(word, '\r' + 1);
        });
        if (line_end == size) break;
        const auto c = static_cast<unsigned char>(text[line_end]);
        if (c < 0x80) {
          if (IsBreak(c)) {
            scanned = c != '\0';
            break;
          }
          ++line_end;  // a control byte that ends nothing
          continue;
        }
        const std::size_t length = CharLength(text, line_end);
        if (length == 1 && IsLeadByte(c)) {
          scanned = false;
          break;
        }
        line_end += length;
        plain = line_end;
      }
    }
    if (!scanned) {
      const ParsedLine line = ParseLine(text, ScanLine(text, pos));
      pos = line.end;
      if (line.has_key) {
        const auto offset = [text](std::string_view part) {
          return static_cast<std::size_t>(part.data() - text.data());
        };
        hold(offset(line.key), offset(line.key) + line.key.size(),
             offset(line.value), offset(line.value) + line.value.size(),
             line.has_value);
      }
      continue;
    }
    pos = line_end;
    if (line_end == first) continue;  // a blank line
    if (equals == kNotFound) {
      hold(first, TrimEnd(text, first, line_end), 0, 0, false);
      continue;
    }
    std::size_t value = equals + 1;
    while (value < line_end && IsBlankByte(text[value])) ++value;
    hold(first, TrimEnd(text, first, equals), value,
         TrimEnd(text, std::max(plain, value), line_end), true);
  }
  return pos;
}

bool ProfileSection::Matches(const KeyLine& line, const ProfileKey& key) const {
  if (line.fold != key.fold_ || line.key_size != key.text_.size()) {
    return false;
  }
  if (key.by_fold_) return true;
  const std::string_view line_key = Part(line.key_begin, line.key_size);
  return line_key == key.text_ || CompareIgnoreCase(line_key, key.text_) == 0;
}

bool ProfileSection::FindLaterLine(const ProfileKey& key,
                                   KeyLine& found) const {
  std::array<KeyLine, kHeldLines> lines;
  for (std::size_t pos = rest_; pos < end_;) {
    std::size_t count = 0;
    pos = ReadKeyLines(text_, pos, end_, lines, count);
    for (std::size_t i = 0; i < count; ++i) {
      if (Matches(lines[i], key)) {
        found = lines[i];
        return true;
      }
    }
  }
  return false;
}

bool ProfileSection::FindLine(const ProfileKey& key, KeyLine& found) const {
  for (std::size_t i = 0; i < held_; ++i) {
    if (Matches(lines_[i], key)) {
      found = lines_[i];
      return true;
    }
  }
  return rest_ < end_ && FindLaterLine(key, found);
}

std::optional<std::string_view> ProfileSection::Value(
    const KeyLine& line) const {
  if (!line.has_value) return std::nullopt;
  return StripQuotes(Part(line.value_begin, line.value_size));
}

std::optional<std::string_view> ProfileSection::FindValue(
    std::string_view key) const {
  KeyLine line;
  if (!FindLine(ProfileKey(QueryName(key)), line)) return std::nullopt;
  return Value(line);
}

void ProfileSection::FindValues(
    std::span<const ProfileKey> keys,
    std::span<std::optional<std::string_view>> values) const {
  // The first `taken` lines each hold an earlier key, so none holds this
  // one: a menu lists an item's keys in the order they are asked for, and
  // each search starts where the last one ended.
  std::size_t taken = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    // A key matched by its fold is a query as the reader matches it, and
    // is looked for among the held lines here, by its fold and size.
    if (keys[i].by_fold_) {
      const KeyLine* line = lines_.data() + taken;
      const KeyLine* const held_end = lines_.data() + held_;
      while (line != held_end && !(line->fold == keys[i].fold_ &&
                                   line->key_size == keys[i].text_.size())) {
        ++line;
      }
      if (line != held_end) {
        if (line == lines_.data() + taken) ++taken;
        values[i] = Value(*line);
        continue;
      }
    }
    values[i] = FindValue(keys[i].text_);
  }
}

std::string_view CutValueOrFallback(std::optional<std::string_view> found,
                                    std::string_view fallback,
                                    std::size_t capacity) {
  std::string_view value;
  if (found) {
    value = *found;
  } else {
    value = EffectiveText(fallback);
    while (value.size() > 1 && value.back() == ' ' && EndsInSingleByte(value)) {
      value.remove_suffix(1);
    }
    value = StripQuotes(value);
  }
  return value.size() < capacity ? value : CutToCapacity(value, capacity);
}

std::int32_t ValueAsInt(std::optional<std::string_view> found,
                        std::int32_t fallback) {
  if (!found || found->empty()) return fallback;
  std::string_view value = *found;
  // The platform reader looks at no more than the first 29 characters.
  std::size_t pos = 0;
  if (value.size() > 29) {
    for (int chars = 0; pos < value.size() && chars < 29; ++chars) {
      pos += CharLength(value, pos);
    }
    value = value.substr(0, pos);
  }
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
    unsigned digit = base;  // not a digit of this base, unless found below
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    if (digit >= base) break;
    total = total * base + digit;
  }
  return static_cast<std::int32_t>(negative ? 0u - total : total);
}

std::string_view ReadProfileString(const ProfileSection& section,
                                   std::string_view key,
                                   std::string_view fallback,
                                   std::size_t capacity) {
  return ValueAsString(section.FindValue(key), fallback, capacity);
}

std::int32_t ReadProfileInt(const ProfileSection& section, std::string_view key,
                            std::int32_t fallback) {
  return ValueAsInt(section.FindValue(key), fallback);
}

}  // namespace ovq2tyx
