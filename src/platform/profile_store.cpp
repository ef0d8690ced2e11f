#include "platform/profile_store.h"

#include <algorithm>

#include "platform/code_page.h"

namespace ovq2tyx {

namespace {

// Bytes the reader trims around names and values.
bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == 0x0B || c == 0x0C || c == 0x1A;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

constexpr int kIntegerChars = 29;

// A lead byte with no trail (before NUL, a line end or the end of the text).
bool IsLoneLead(std::string_view text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) &&
         CharLength(text, pos) == 1;
}

// The text without a lead byte at its end that has no trail.
std::string_view DropLoneLead(std::string_view text) {
  if (text.empty() || !IsLeadByte(static_cast<unsigned char>(text.back()))) {
    return text;  // the common case needs no stepping
  }
  if (IsLoneLead(text, LastCharStart(text))) text.remove_suffix(1);
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

const ProfileFile::Entry* FindEntry(const ProfileFile& file,
                                    std::string_view section,
                                    std::string_view key) {
  section = Trim(EffectiveText(section));
  key = Trim(EffectiveText(key));
  if (!file.has_last_section ||
      !EqualsIgnoreCase(file.last_section_name, section)) {
    auto found = file.section_index.find(section);
    if (found == file.section_index.end()) return nullptr;
    file.last_section_name = found->first;  // a view of the file's bytes
    file.last_section = found->second;
    file.has_last_section = true;
  }
  const ProfileFile::Section& sec = file.sections[file.last_section];
  std::string_view bytes = *file.bytes;
  for (std::uint32_t i = 0; i < sec.entry_count; ++i) {
    const ProfileFile::Entry& entry = file.entries[sec.first_entry + i];
    if (EqualsIgnoreCase(bytes.substr(entry.key_begin, entry.key_size), key)) {
      return &entry;
    }
  }
  return nullptr;
}

// The value of section/key with the reader's NUL cut and quote stripping;
// false when the key or its value is missing.
bool FindValue(const ProfileFile& file, std::string_view section,
               std::string_view key, std::string_view& value) {
  const ProfileFile::Entry* entry = FindEntry(file, section, key);
  if (entry == nullptr || entry->value_begin == ProfileFile::kNoValue) {
    return false;
  }
  // The parser stored the value as the reader sees it (NUL cut applied).
  value = StripQuotes(std::string_view(*file.bytes)
                          .substr(entry->value_begin, entry->value_size));
  return true;
}

// Wraps a value whose ends the reader would trim or strip in double quotes.
bool NeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  // Quoting a value whose last byte is a blank is harmless even when that
  // byte is the second of a character, and spares stepping through it.
  if (IsBlank(static_cast<unsigned char>(value.front())) ||
      IsBlank(static_cast<unsigned char>(value.back()))) {
    return true;
  }
  return StripQuotes(value).size() != value.size();
}

// What a line can carry of a value: up to any CR, LF or NUL, without a lone
// lead byte at the end (the reader would drop it).
std::string_view StorableValue(std::string_view value) {
  std::size_t end = 0;
  for (; end < value.size(); ++end) {
    const auto c = static_cast<unsigned char>(value[end]);
    if (c <= '\r' && (c == '\r' || c == '\n' || c == '\0')) break;
  }
  return DropLoneLead(value.substr(0, end));
}

std::uint32_t AppendToArena(std::string& arena, std::string_view text) {
  auto begin = static_cast<std::uint32_t>(arena.size());
  arena += text;
  return begin;
}

ProfileDocument::Section& FindOrAddSection(ProfileDocument& doc,
                                           std::string_view name) {
  // Sections are filled one after the other: try the newest first.
  if (!doc.sections.empty()) {
    ProfileDocument::Section& last = doc.sections.back();
    if (EqualsIgnoreCase(
            std::string_view(doc.text).substr(last.name_begin, last.name_size),
            name)) {
      return last;
    }
  }
  auto found = doc.section_index.find(name);
  if (found != doc.section_index.end()) return doc.sections[found->second];
  ProfileDocument::Section section;
  section.name_begin = AppendToArena(doc.text, name);
  section.name_size = static_cast<std::uint32_t>(name.size());
  doc.section_index.emplace(std::string(name),
                            static_cast<std::uint32_t>(doc.sections.size()));
  doc.sections.push_back(section);
  return doc.sections.back();
}

// The entry of `key` in `section` and the one before it (kNone for none).
std::uint32_t FindDocumentEntry(const ProfileDocument& doc,
                                const ProfileDocument::Section& section,
                                std::string_view key,
                                std::uint32_t* previous = nullptr) {
  std::uint32_t before = ProfileDocument::kNone;
  for (std::uint32_t i = section.first; i != ProfileDocument::kNone;
       i = doc.entries[i].next) {
    const ProfileDocument::Entry& entry = doc.entries[i];
    if (EqualsIgnoreCase(
            std::string_view(doc.text).substr(entry.key_begin, entry.key_size),
            key)) {
      if (previous != nullptr) *previous = before;
      return i;
    }
    before = i;
  }
  return ProfileDocument::kNone;
}

// Where the parts of one line lie (offsets into the whole text).
struct LineParts {
  std::size_t first = kNotFound;        // first visible character
  std::size_t last_end = 0;             // end of the last visible character
  std::size_t equals = kNotFound;       // the first "="
  std::size_t name_end = 0;             // last_end when "=" was met
  std::size_t value_first = kNotFound;  // first visible character after "="
  std::size_t bracket = kNotFound;      // the last "]"
  bool has_nul = false;
};

// Scans text[begin, end) character by character. Blanks and lead bytes
// without a trail are invisible.
LineParts ScanLine(std::string_view text, std::size_t begin, std::size_t end) {
  LineParts line;
  line.last_end = begin;
  for (std::size_t pos = begin; pos < end;) {
    const std::size_t len = CharLength(text, pos);
    const auto c = static_cast<unsigned char>(text[pos]);
    if (len == 2 || (!IsBlank(c) && !IsLeadByte(c))) {
      if (line.first == kNotFound) line.first = pos;
      if (line.equals != kNotFound && line.value_first == kNotFound) {
        line.value_first = pos;
      }
      if (len == 1) {
        if (c == '=' && line.equals == kNotFound) {
          line.equals = pos;
          line.name_end = line.last_end;
        } else if (c == ']') {
          line.bracket = pos;
        } else if (c == 0) {
          line.has_nul = true;
        }
      }
      line.last_end = pos + len;
    }
    pos += len;
  }
  return line;
}

// The same for a line without bytes of 0x80 and above, where every byte is a
// character: found with plain byte searches, which is most of the parse time
// saved on the usual ASCII keys and values.
LineParts ScanSingleByteLine(std::string_view text, std::size_t begin,
                             std::size_t end) {
  const std::string_view bytes = text.substr(begin, end - begin);
  const auto visible = [&bytes](std::size_t from, std::size_t to) {
    while (from < to && IsBlank(static_cast<unsigned char>(bytes[from])))
      ++from;
    return from;
  };
  const auto visible_end = [&bytes](std::size_t from, std::size_t to) {
    while (to > from && IsBlank(static_cast<unsigned char>(bytes[to - 1])))
      --to;
    return to;
  };
  LineParts line;
  line.last_end = begin;
  const std::size_t first = visible(0, bytes.size());
  if (first == bytes.size()) return line;
  line.first = begin + first;
  line.last_end = begin + visible_end(first, bytes.size());
  const std::size_t equals = bytes.find('=');
  if (equals != std::string_view::npos) {
    line.equals = begin + equals;
    line.name_end = begin + visible_end(first, equals);
    const std::size_t value_first = visible(equals + 1, bytes.size());
    if (value_first < bytes.size()) line.value_first = begin + value_first;
  }
  const std::size_t bracket = bytes.rfind(']');
  if (bracket != std::string_view::npos) line.bracket = begin + bracket;
  line.has_nul = bytes.find('\0') != std::string_view::npos;
  return line;
}

}  // namespace

std::size_t FoldedHash::operator()(std::string_view name) const {
  // FNV-1a over the upper-cased characters.
  std::size_t hash = 14695981039346656037ull;
  for (std::size_t pos = 0; pos < name.size();) {
    std::size_t len = CharLength(name, pos);
    for (std::size_t i = 0; i < len; ++i) {
      char c = len == 1 ? ToUpperAscii(name[pos]) : name[pos + i];
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    pos += len;
  }
  return hash;
}

bool FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualsIgnoreCase(a, b);
}

ProfileFile ParseProfile(std::string bytes) {
  ProfileFile file;
  file.bytes = std::make_unique<const std::string>(std::move(bytes));
  std::string_view text = *file.bytes;
  // One entry a line at most: sizing the index once spares regrowing it.
  file.entries.reserve(
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  // Lines before the first header belong to a section without a name.
  file.sections.push_back({0, 0});
  file.section_index.emplace(std::string_view(), 0);

  for (std::size_t pos = 0; pos < text.size();) {
    // CR and LF are never second bytes, so lines split byte by byte.
    std::size_t end = pos;
    unsigned char high = 0;
    while (end < text.size() && !IsLineEnd(text[end])) {
      high |= static_cast<unsigned char>(text[end]) & 0x80;
      ++end;
    }
    const LineParts line = high != 0 ? ScanLine(text, pos, end)
                                     : ScanSingleByteLine(text, pos, end);
    pos = end;
    while (pos < text.size() && IsLineEnd(text[pos])) ++pos;
    // A blank line holds nothing; any other line (";" ones too) is a header
    // or a key.
    if (line.first == kNotFound) continue;

    if (text[line.first] == '[' && line.bracket != kNotFound) {
      std::string_view name =
          text.substr(line.first + 1, line.bracket - line.first - 1);
      name = Trim(line.has_nul ? EffectiveText(name) : name);
      file.sections.push_back(
          {static_cast<std::uint32_t>(file.entries.size()), 0});
      file.section_index.emplace(
          name, static_cast<std::uint32_t>(file.sections.size() - 1));
      continue;
    }
    ProfileFile::Entry entry;
    std::size_t key_end =
        line.equals == kNotFound ? line.last_end : line.name_end;
    std::string_view key = text.substr(
        line.first, key_end > line.first ? key_end - line.first : 0);
    if (line.has_nul) key = EffectiveText(key);
    entry.key_begin = static_cast<std::uint32_t>(line.first);
    entry.key_size = static_cast<std::uint32_t>(key.size());
    if (line.equals == kNotFound) {
      entry.value_begin = ProfileFile::kNoValue;
      entry.value_size = 0;
    } else if (line.value_first == kNotFound) {
      entry.value_begin = static_cast<std::uint32_t>(line.equals + 1);
      entry.value_size = 0;
    } else {
      std::string_view value =
          text.substr(line.value_first, line.last_end - line.value_first);
      if (line.has_nul) value = EffectiveText(value);
      entry.value_begin = static_cast<std::uint32_t>(line.value_first);
      entry.value_size = static_cast<std::uint32_t>(value.size());
    }
    file.entries.push_back(entry);
    ++file.sections.back().entry_count;
  }
  return file;
}

bool LoadProfileFile(const std::string& path, ProfileFile& out) {
  std::string bytes;
  if (!ReadRegularFile(path, bytes, kMaxProfileBytes)) return false;
  out = ParseProfile(std::move(bytes));
  return true;
}

std::string ReadProfileString(const ProfileFile& file, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t capacity) {
  std::string_view value;
  if (!FindValue(file, section, key, value)) {
    value = EffectiveText(fallback);
    while (value.size() > 1 && value.back() == ' ' && EndsInSingleByte(value)) {
      value.remove_suffix(1);
    }
    value = StripQuotes(value);
  }
  return std::string(CutToCapacity(value, capacity));
}

std::int32_t ReadProfileInt(const ProfileFile& file, std::string_view section,
                            std::string_view key, std::int32_t fallback) {
  std::string_view value;
  if (!FindValue(file, section, key, value) || value.empty()) return fallback;
  // The platform reader looks at no more than the first 29 characters.
  std::size_t pos = 0;
  for (int chars = 0; pos < value.size() && chars < kIntegerChars; ++chars) {
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
    switch (value[pos + 1]) {
      case 'x':
        base = 16;
        break;
      case 'o':
        base = 8;
        break;
      case 'b':
        base = 2;
        break;
    }
    if (base != 10) pos += 2;
  }
  std::uint32_t total = 0;
  for (; pos < value.size(); ++pos) {
    char c = value[pos];
    unsigned digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'Z') digit = static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'z') digit = static_cast<unsigned>(c - 'a' + 10);
    if (digit >= base) break;
    total = total * base + digit;
  }
  if (negative) total = 0u - total;
  return static_cast<std::int32_t>(total);
}

void ReserveProfile(ProfileDocument& doc, std::size_t bytes, std::size_t keys) {
  doc.text.reserve(bytes);
  doc.entries.reserve(keys);
}

void SetProfileString(ProfileDocument& doc, std::string_view section,
                      std::string_view key, std::string_view value) {
  value = StorableValue(value);
  ProfileDocument::Section& sec = FindOrAddSection(doc, section);
  std::uint32_t index = FindDocumentEntry(doc, sec, key);
  if (index == ProfileDocument::kNone) {
    index = static_cast<std::uint32_t>(doc.entries.size());
    ProfileDocument::Entry added;
    added.key_begin = AppendToArena(doc.text, key);
    added.key_size = static_cast<std::uint32_t>(key.size());
    doc.entries.push_back(added);
    if (sec.last == ProfileDocument::kNone) {
      sec.first = index;
    } else {
      doc.entries[sec.last].next = index;
    }
    sec.last = index;
  }
  doc.entries[index].value_begin = AppendToArena(doc.text, value);
  doc.entries[index].value_size = static_cast<std::uint32_t>(value.size());
}

void RemoveProfileKey(ProfileDocument& doc, std::string_view section,
                      std::string_view key) {
  auto found = doc.section_index.find(section);
  if (found == doc.section_index.end()) return;
  ProfileDocument::Section& sec = doc.sections[found->second];
  std::uint32_t previous = ProfileDocument::kNone;
  std::uint32_t index = FindDocumentEntry(doc, sec, key, &previous);
  if (index == ProfileDocument::kNone) return;
  // Unlink it; the entry stays unused in the vector.
  const std::uint32_t next = doc.entries[index].next;
  if (previous == ProfileDocument::kNone) {
    sec.first = next;
  } else {
    doc.entries[previous].next = next;
  }
  if (sec.last == index) sec.last = previous;
}

void SetProfileStruct(ProfileDocument& doc, std::string_view section,
                      std::string_view key,
                      std::span<const std::uint8_t> bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  unsigned sum = 0;
  auto put = [&text](unsigned byte) {
    text += kHex[(byte >> 4) & 0xF];
    text += kHex[byte & 0xF];
  };
  for (std::uint8_t byte : bytes) {
    put(byte);
    sum += byte;
  }
  put(sum & 0xFF);
  SetProfileString(doc, section, key, text);
}

std::string SerializeProfile(const ProfileDocument& doc) {
  std::string_view arena = doc.text;
  std::string out;
  // Every byte of the arena appears at most once, plus line punctuation.
  out.reserve(arena.size() + doc.sections.size() * 4 + doc.entries.size() * 5);
  for (const ProfileDocument::Section& sec : doc.sections) {
    out += '[';
    out += arena.substr(sec.name_begin, sec.name_size);
    out += "]\r\n";
    for (std::uint32_t i = sec.first; i != ProfileDocument::kNone;
         i = doc.entries[i].next) {
      const ProfileDocument::Entry& entry = doc.entries[i];
      std::string_view value =
          arena.substr(entry.value_begin, entry.value_size);
      out += arena.substr(entry.key_begin, entry.key_size);
      out += '=';
      bool quoted = NeedsQuotes(value);
      if (quoted) out += '"';
      out += value;
      if (quoted) out += '"';
      out += "\r\n";
    }
  }
  return out;
}

WriteResult SaveNewProfile(const std::string& path,
                           const ProfileDocument& doc) {
  return WriteNewFile(path, SerializeProfile(doc));
}

bool AppendProfile(const std::string& path, const ProfileDocument& doc) {
  return AppendToFile(path, SerializeProfile(doc));
}

}  // namespace ovq2tyx
