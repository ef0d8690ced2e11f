// Conversions to code page 932 with iconv. Unicode menus are decoded by hand
// first, so that damaged text reads as the Windows build reads it, then
// encoded as Windows' converter encodes them: by iconv, but for the
// characters to which Windows gives another form.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "text/text_encoding.h"
#include "text/text_encoding_parts.h"

namespace ovq2tyx {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as fits `out`; false at input it cannot take
  // (EILSEQ), or at an incomplete sequence at the end (EINVAL).
  bool Run(const char*& in, std::size_t& in_left, char*& out,
           std::size_t& out_left) {
    char* in_bytes = const_cast<char*>(in);
    const std::size_t result = iconv(cd_, &in_bytes, &in_left, &out, &out_left);
    in = in_bytes;
    return result != static_cast<std::size_t>(-1) || errno == E2BIG;
  }

 private:
  iconv_t cd_;
};

constexpr char32_t kReplacement = 0xFFFD;

// The next character of UTF-8 text at `pos`, which moves past it. Damage
// reads as U+FFFD exactly as Windows' converter makes it: a lead byte and
// the continuation bytes that still fit the character it starts form one
// replacement, and a character cut off by the end of the text swallows the
// rest of it.
char32_t NextUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  // Continuation bytes that follow a lead byte.
  const int follow = lead >= 0xC2 && lead <= 0xDF   ? 1
                     : lead >= 0xE0 && lead <= 0xEF ? 2
                     : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                    : 0;
  if (follow == 0) return kReplacement;
  if (text.size() - pos < static_cast<std::size_t>(follow)) {
    pos = text.size();
    return kReplacement;
  }
  char32_t code = lead & (0x7F >> (follow + 1));
  for (int left = follow; left > 0; --left) {
    const unsigned bits = static_cast<unsigned char>(text[pos]) ^ 0x80;
    if (bits >= 0x40) return kReplacement;  // not a continuation byte
    code = code << 6 | bits;
    ++pos;
    // Too long a form, a surrogate, or beyond U+10FFFF: known as soon as
    // the bits so far show it.
    const bool wrong = left == 3 ? code < 0x10 || code >= 0x110
                       : left == 2
                           ? code < 0x20 || (code >= 0x360 && code < 0x380)
                           : code < 0x80;
    if (wrong) return kReplacement;
  }
  return code;
}

// The next character of UTF-16 text at `pos`; a lone surrogate and an odd
// last byte read as U+FFFD.
char32_t NextUtf16(std::string_view text, std::size_t& pos, bool big_endian) {
  auto unit = [&](std::size_t at) -> char32_t {
    const auto first = static_cast<unsigned char>(text[at]);
    const auto second = static_cast<unsigned char>(text[at + 1]);
    return big_endian ? first << 8 | second : second << 8 | first;
  };
  if (text.size() - pos < 2) {
    pos = text.size();
    return kReplacement;
  }
  const char32_t high = unit(pos);
  pos += 2;
  if (high < 0xD800 || high >= 0xE000) return high;
  if (high >= 0xDC00 || text.size() - pos < 2) return kReplacement;
  const char32_t low = unit(pos);
  if (low < 0xDC00 || low >= 0xE000) return kReplacement;
  pos += 2;
  return 0x10000 + ((high - 0xD800) << 10 | (low - 0xDC00));
}

// Encodes `count` characters with iconv at `out`, a character without a
// code page 932 form as "?", or "??" outside the Basic Multilingual Plane
// (one for each half of its UTF-16 form, as on Windows); returns the end of
// what it wrote.
char* EncodeWithIconv(Converter& encode, const char32_t* chars,
                      std::size_t count, char* out) {
  const char* in = reinterpret_cast<const char*>(chars);
  std::size_t in_left = count * sizeof(char32_t);
  std::size_t out_left = in_left;  // room enough: 2 bytes a character at most
  while (in_left > 0 && !encode.Run(in, in_left, out, out_left)) {
    char32_t unmapped;
    std::memcpy(&unmapped, in, sizeof unmapped);
    const std::size_t marks = unmapped >= 0x10000 ? 2 : 1;
    std::memset(out, '?', marks);
    out += marks;
    out_left -= marks;
    in += sizeof(char32_t);
    in_left -= sizeof(char32_t);
  }
  return out;
}

// Windows' form of a character where iconv's is another, as recorded from
// Windows' converter by scripts/record-windows-forms: best fits ("A" for
// "À"), "?" where glibc alone has a form (its 〜 ‖ — − ‾ are ～ ∥ ― － ~),
// and the bytes Windows' table alone gives (0x80, 0xA0, 0xFD-0xFF).
struct WindowsForm {
  char16_t character;
  std::uint16_t bytes;  // one, or two with the lead byte high
};
constexpr WindowsForm kWindowsForms[] = {
#include "text/text_encoding_windows_forms.inc"
};

const WindowsForm* FindWindowsForm(char32_t c) {
  const auto* found =
      std::lower_bound(std::begin(kWindowsForms), std::end(kWindowsForms), c,
                       [](const WindowsForm& form, char32_t wanted) {
                         return form.character < wanted;
                       });
  return found != std::end(kWindowsForms) && found->character == c ? found
                                                                   : nullptr;
}

// Encodes `count` characters as code page 932 at `out`, as Windows'
// converter does; returns the bytes written.
std::size_t Encode(Converter& encode, const char32_t* chars, std::size_t count,
                   char* out) {
  char* end = out;
  std::size_t run = 0;  // the first character not written yet
  for (std::size_t at = 0; at < count; ++at) {
    // Characters below the first recorded, ASCII among them, need no search.
    if (chars[at] < kWindowsForms[0].character) continue;
    const WindowsForm* form = FindWindowsForm(chars[at]);
    if (form == nullptr) continue;
    end = EncodeWithIconv(encode, chars + run, at - run, end);
    if (form->bytes > 0xFF) *end++ = static_cast<char>(form->bytes >> 8);
    *end++ = static_cast<char>(form->bytes);
    run = at + 1;
  }
  end = EncodeWithIconv(encode, chars + run, count - run, end);
  return static_cast<std::size_t>(end - out);
}

// Decodes all of `text` with `decode` into `chars`; false when some of it
// is no text in that encoding.
bool DecodeAll(Converter& decode, std::string_view text,
               std::u32string& chars) {
  chars.assign(text.size(), U'\0');
  const char* in = text.data();
  std::size_t in_left = text.size();
  char* out = reinterpret_cast<char*>(chars.data());
  std::size_t out_left = chars.size() * sizeof(char32_t);
  if (!decode.ok() || !decode.Run(in, in_left, out, out_left) || in_left > 0) {
    return false;
  }
  chars.resize(chars.size() - out_left / sizeof(char32_t));
  return true;
}

}  // namespace

bool ConvertToCodePage932(std::string& bytes, std::size_t begin, Unicode from) {
  Converter encode("CP932", "UTF-32LE");
  if (!encode.ok()) return false;
  const std::string_view text = bytes;
  char32_t chars[4096];
  char encoded[sizeof chars];
  std::size_t read = begin, written = 0;
  while (read < text.size()) {
    std::size_t count = 0;
    for (; count < std::size(chars) && read < text.size(); ++count) {
      chars[count] = from == Unicode::kUtf8
                         ? NextUtf8(text, read)
                         : NextUtf16(text, read, from == Unicode::kUtf16Be);
    }
    const std::size_t size = Encode(encode, chars, count, encoded);
    // No character is longer in code page 932 than in Unicode, so the
    // result never overtakes what is still to be read.
    std::memcpy(bytes.data() + written, encoded, size);
    written += size;
  }
  bytes.resize(written);
  return true;
}

bool NameToMenuText(std::string_view name, std::string& text) {
  text.assign(name);
  bool ascii = true;
  for (char c : name) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return true;
  Converter decode("UTF-32LE", "UTF-8"), encode("CP932", "UTF-32LE");
  std::u32string chars;
  if (!DecodeAll(decode, name, chars)) {
    // Not UTF-8: code page 932 already, as it must then be.
    Converter code_page_932("UTF-32LE", "CP932");
    return DecodeAll(code_page_932, name, chars);
  }
  if (!encode.ok()) return false;
  text.resize(chars.size() * 2);
  const char* from = reinterpret_cast<const char*>(chars.data());
  std::size_t from_left = chars.size() * sizeof(char32_t);
  char* to = text.data();
  std::size_t to_left = text.size();
  if (!encode.Run(from, from_left, to, to_left) || from_left > 0) {
    return false;
  }
  text.resize(text.size() - to_left);
  // The exact form only, read back as the same characters: glibc also gives
  // 〜 ‖ — − ‾ ¥ ¬ the codes of ～ ∥ ― － ~ \ ￢, which the launcher on
  // Windows, and the Windows build, read as those.
  Converter back("UTF-8", "CP932");
  std::string read(name.size(), '\0');
  const char* again = text.data();
  std::size_t again_left = text.size();
  char* into = read.data();
  std::size_t into_left = read.size();
  return back.ok() && back.Run(again, again_left, into, into_left) &&
         again_left == 0 && into_left == 0 && read == name;
}

}  // namespace ovq2tyx
