#include "profile/line_syntax.h"

#include <algorithm>
#include <array>

#include "text/byte_scan.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

constexpr auto kBlanks = [] {
  std::array<bool, 256> blanks{};
  for (int c = 0; c < 256; ++c) {
    blanks[static_cast<std::size_t>(c)] =
        IsBlank(static_cast<unsigned char>(c));
  }
  return blanks;
}();

bool IsBlankByte(char c) { return kBlanks[static_cast<unsigned char>(c)]; }

// The bytes that may end a stretch of a line invisibly: blanks (unless
// trails) and lead bytes (when lone).
constexpr auto kMaybeInvisible = [] {
  std::array<bool, 256> bytes{};
  for (int c = 0; c < 256; ++c) {
    const auto byte = static_cast<unsigned char>(c);
    bytes[byte] = IsBlank(byte) || IsLeadByte(byte);
  }
  return bytes;
}();

// A stretch of a line, walked from character to character.
struct Stretch {
  std::size_t end;        // where the walk stopped
  std::size_t pairs_end;  // the end of the last double-byte character
  bool has_nul = false;
  bool lone_lead_last = false;  // before `end`, a lead byte without trail
};

// Walks on from `walked.end` up to the line's end or the first `kAlso`
// character ("=", "]"; NUL for none). Runs of single-byte characters are
// passed over eight bytes at a time; the marks hold every byte of 0x80 and
// above and below CR (a few plain ones too).
template <char kAlso>
void Walk(std::string_view text, Stretch& walked) {
  using namespace byte_scan;
  constexpr auto also = static_cast<unsigned char>(kAlso);
  const auto marks = [](Word w) {
    return MarkHighOrBelow(w, '\r' + 1) | (also ? MarkEqual(w, also) : 0);
  };
  const auto stops = [](unsigned char c) {
    return IsBreak(c) || IsLeadByte(c) || c == also;
  };
  std::size_t pos = walked.end;
  for (;;) {
    pos = FindFirst(text, pos, marks, stops);
    const char c = pos < text.size() ? text[pos] : '\r';
    if (c == '\r' || c == '\n' || (also && c == kAlso)) break;
    // What follows a lone lead byte stops the walk at once.
    walked.lone_lead_last = false;
    if (c == '\0') {
      walked.has_nul = true;
      ++pos;
    } else if (CharLength(text, pos) == 2) {
      walked.pairs_end = pos += 2;
    } else {
      walked.lone_lead_last = true;
      ++pos;
    }
  }
  walked.end = pos;
}

// The stretch from `begin` without its invisible end: a lone lead byte,
// and the blanks after its last double-byte character.
std::size_t VisibleEnd(std::string_view text, std::size_t begin,
                       const Stretch& walked) {
  std::size_t end = walked.end - (walked.lone_lead_last ? 1 : 0);
  const std::size_t floor = std::max(begin, walked.pairs_end);
  while (end > floor && IsBlankByte(text[end - 1])) --end;
  return end;
}

// The part [begin, end) as a name or value: up to a NUL, if it holds one.
std::string_view Part(std::string_view text, std::size_t begin, std::size_t end,
                      bool has_nul) {
  const std::string_view part(text.data() + begin, end - begin);
  return has_nul ? UpToNul(part) : part;
}

// The text without the blank characters at its ends.
std::string_view TrimCharacters(std::string_view text) {
  std::size_t begin = kNotFound, end = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (CharLength(text, pos) == 1 && IsBlankByte(text[pos])) continue;
    if (begin == kNotFound) begin = pos;
    end = pos + CharLength(text, pos);
  }
  return begin == kNotFound ? text.substr(0, 0)
                            : text.substr(begin, end - begin);
}

// The same, at once when neither end is a blank byte.
std::string_view Trim(std::string_view text) {
  const bool trimmed =
      !text.empty() && !IsBlankByte(text.front()) && !IsBlankByte(text.back());
  return trimmed ? text : TrimCharacters(text);
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Start of the line after the one that ends at `end`: at its break (a CR
// or LF) or the text's end.
std::size_t NextLine(std::string_view text, std::size_t end) {
  if (end == text.size()) return end;
  const bool pair =
      text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
  return end + (pair ? 2 : 1);
}

// Where the line of the "[" at `pos` begins when only blanks stand before
// it there, else kNotFound. A blank after a lead byte is its trail, and
// ends the search as the lead byte does.
std::size_t LineStartBefore(std::string_view text, std::size_t pos) {
  while (pos > 0 && IsBlankByte(text[pos - 1])) --pos;
  const bool starts =
      pos == 0 || text[pos - 1] == '\r' || text[pos - 1] == '\n';
  return starts ? pos : kNotFound;
}

// Reads the name of a section line whose first visible character is the
// "[" at `first`; false when no "]" follows it. `end` is the line's end.
bool ReadSectionName(std::string_view text, std::size_t first,
                     std::string_view& name, std::size_t& end) {
  std::size_t bracket = kNotFound;
  Stretch walked{first + 1, first + 1};
  for (;;) {  // to the last "]"
    Walk<']'>(text, walked);
    if (walked.end == text.size() || text[walked.end] != ']') break;
    bracket = walked.end++;
    if (walked.end == text.size() || IsLineBreak(text[walked.end])) break;
  }
  end = walked.end;
  if (bracket == kNotFound) return false;
  name = Trim(Part(text, first + 1, bracket, walked.has_nul));
  return true;
}

// Reads a key line whose first byte that is no blank is at `first` into
// `line` (a blank line when nothing is visible); returns the line's end.
std::size_t ReadKeyLine(std::string_view text, std::size_t first,
                        ProfileLine& line) {
  Stretch key{first, first};
  Walk<'='>(text, key);
  if (key.end == text.size() || text[key.end] != '=') {  // no "="
    const std::size_t end = VisibleEnd(text, first, key);
    if (end != first) line.kind = ProfileLine::kKey;
    line.name = Part(text, first, end, key.has_nul);
    return key.end;
  }
  line.kind = ProfileLine::kKey;
  line.name = Part(text, first, VisibleEnd(text, first, key), key.has_nul);
  std::size_t value = key.end + 1;
  while (value < text.size() && IsBlankByte(text[value])) ++value;
  // No trail byte is a CR or LF: the value's end is found by its break
  // alone. Its characters are walked only when its last byte may be a
  // trail, a blank or a lone lead byte.
  Stretch rest{value, value};
  for (;; ++rest.end) {
    rest.end = FindBreak(text, rest.end);
    if (rest.end == text.size() || text[rest.end] != '\0') break;
    rest.has_nul = true;
  }
  std::size_t end = rest.end;
  if (end != value &&
      kMaybeInvisible[static_cast<unsigned char>(text[end - 1])]) {
    rest = Stretch{value, value};
    Walk<'\0'>(text, rest);
    end = VisibleEnd(text, value, rest);
  }
  line.value = Part(text, value, end, rest.has_nul);
  if (line.value->starts_with('"') || line.value->starts_with('\'')) {
    line.value = StripQuotes(*line.value);
  }
  return rest.end;
}

}  // namespace

ProfileLine ReadLine(std::string_view text, std::size_t begin) {
  std::size_t first = begin, end;
  while (first < text.size() && IsBlankByte(text[first])) ++first;
  ProfileLine line;
  if (first < text.size() && text[first] == '[' &&
      ReadSectionName(text, first, line.name, end)) {
    line.kind = ProfileLine::kSection;
  } else {
    end = ReadKeyLine(text, first, line);
  }
  line.next = NextLine(text, end);
  return line;
}

std::size_t FindSectionLine(std::string_view text, std::size_t begin,
                            ProfileLine& line) {
  // Only a line whose first visible byte is "[" can be a section line.
  for (std::size_t pos = text.find('[', begin); pos != kNotFound;) {
    const std::size_t start = LineStartBefore(text, pos);
    std::size_t end = pos;
    if (start != kNotFound && ReadSectionName(text, pos, line.name, end)) {
      line.kind = ProfileLine::kSection;
      line.value.reset();
      line.next = NextLine(text, end);
      return start;
    }
    pos = text.find('[', end + 1);
  }
  return text.size();
}

std::string_view QueryName(std::string_view name) {
  // Most names are as they are: none of what is dropped is at their ends.
  bool as_is = !name.empty() && !IsBlankByte(name.front()) &&
               !IsBlankByte(name.back()) &&
               !IsLeadByte(static_cast<unsigned char>(name.back()));
  for (std::size_t i = 0; as_is && i < name.size(); ++i) {
    as_is = name[i] != '\0';
  }
  return as_is ? name : Trim(UpToNul(name));
}

std::string_view UpToNul(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (!text.empty() && IsLeadByte(static_cast<unsigned char>(text.back())) &&
      CharLength(text, LastCharStart(text)) == 1) {
    text.remove_suffix(1);
  }
  return text;
}

std::string_view StripQuotes(std::string_view value) {
  // The closing quote must be a character: in "\x81"" the last byte is the
  // second of a pair.
  if (value.size() < 2 || (value[0] != '"' && value[0] != '\'') ||
      value.back() != value[0] || LastCharStart(value) != value.size() - 1) {
    return value;
  }
  return value.substr(1, value.size() - 2);
}

}  // namespace ovq2tyx
