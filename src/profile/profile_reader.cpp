#include "profile/profile_reader.h"

#include <bit>
#include <cstring>

#include "profile/line_syntax.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// Whether `a` and `b` hold the same bytes. Keys are short: one of four to
// eight bytes is compared as two words that may overlap.
bool SameBytes(std::string_view a, std::string_view b) {
  const std::size_t size = a.size();
  if (size != b.size()) return false;
  if (size < 4 || size > 8) return a == b;
  std::uint32_t a_head, b_head, a_tail, b_tail;
  std::memcpy(&a_head, a.data(), 4);
  std::memcpy(&b_head, b.data(), 4);
  std::memcpy(&a_tail, a.data() + size - 4, 4);
  std::memcpy(&b_tail, b.data() + size - 4, 4);
  return a_head == b_head && a_tail == b_tail;
}

// Whether `line_name`, a name as a line holds it, is `name` as the reader
// matches it. A line's name is a query as the reader matches it, unless a
// NUL cut it short before a blank.
bool SameName(std::string_view line_name, std::string_view name) {
  const bool as_queried =
      line_name.empty() ||
      !IsBlank(static_cast<unsigned char>(line_name.back()));
  return (as_queried && SameBytes(line_name, name)) ||
         EqualsIgnoreCase(line_name, QueryName(name));
}

}  // namespace

ProfileReader::ProfileReader(LargeArray<char> bytes)
    : bytes_(std::move(bytes)),
      text_(bytes_.data(), bytes_.size()),
      index_(text_) {}

ProfileSection ProfileReader::FindSection(std::string_view name) const {
  return Find(QueryName(name));
}

ProfileSection ProfileReader::Find(std::string_view name) const {
  if (name.empty()) return Open(0);
  const std::size_t line = index_.Find(text_, name);
  return line == text_.size() ? Open(ProfileSection::kMissing)
                              : Open(ReadLine(text_, line).next);
}

ProfileSection ProfileReader::Open(std::size_t body) const {
  return ProfileSection(text_, body);
}

ProfileSection SectionCursor::FindSection(std::string_view name) {
  const std::string_view text = reader_.text_;
  ProfileLine line;
  bool first = false;
  const std::size_t next = reader_.index_.NextSection(text, next_, line, first);
  const ProfileSection found =
      next < text.size() && first && SameName(line.name, name)
          ? reader_.Open(line.next)
          : reader_.Find(QueryName(name));
  if (found.body_ != ProfileSection::kMissing) next_ = found.body_;
  return found;
}

std::optional<std::string_view> ProfileSection::FindValue(
    std::string_view key) const {
  std::optional<std::string_view> value;
  FindValues({&key, 1}, {&value, 1});
  return value;
}

void ProfileSection::FindValues(
    std::span<const std::string_view> keys,
    std::span<std::optional<std::string_view>> values) const {
  constexpr std::size_t kBatch = 32;  // the bits of `wanted`
  if (keys.size() > kBatch) {
    FindValues(keys.first(kBatch), values.first(kBatch));
    FindValues(keys.subspan(kBatch), values.subspan(kBatch));
    return;
  }
  std::uint32_t wanted = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    values[i].reset();
    wanted |= std::uint32_t{1} << i;
  }
  // The first line with a key wins; a missing section has no lines.
  for (std::size_t pos = body_; wanted != 0 && pos < text_.size();) {
    const ProfileLine line = ReadLine(text_, pos);
    if (line.kind == ProfileLine::kSection) break;
    for (std::uint32_t left = line.kind == ProfileLine::kKey ? wanted : 0;
         left != 0; left &= left - 1) {
      const int i = std::countr_zero(left);
      if (SameName(line.name, keys[i])) {
        values[i] = line.value;
        wanted &= ~(std::uint32_t{1} << i);
        break;  // the keys differ from one another
      }
    }
    pos = line.next;
  }
}

std::string_view ValueAsString(const std::optional<std::string_view>& value,
                               std::string_view fallback,
                               std::size_t capacity) {
  std::string_view text;
  if (value) {
    text = *value;
  } else {
    text = UpToNul(fallback);
    while (text.size() > 1 && text.back() == ' ' &&
           LastCharStart(text) == text.size() - 1) {
      text.remove_suffix(1);
    }
    text = StripQuotes(text);
  }
  return text.size() < capacity ? text : CutToCapacity(text, capacity);
}

std::int32_t ValueAsInt(const std::optional<std::string_view>& found,
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

std::int32_t ReadProfileInt(const ProfileSection& section, std::string_view key,
                            std::int32_t fallback) {
  return ValueAsInt(section.FindValue(key), fallback);
}

}  // namespace ovq2tyx
