// Conversions with iconv. Unicode is decoded to UTF-32 first and encoded to
// code page 932 second, so that damaged input (the first step fails) is told
// from characters that have no code page 932 form (the second step fails).
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/text_encoding.h"

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

const char* Name(Unicode encoding) {
  switch (encoding) {
    case Unicode::kUtf8:
      return "UTF-8";
    case Unicode::kUtf16Le:
      return "UTF-16LE";
    case Unicode::kUtf16Be:
      return "UTF-16BE";
  }
  return "UTF-8";
}

// Encodes `count` UTF-32 characters as code page 932 at `out`, a character
// without that form as "?"; returns the bytes written.
std::size_t Encode(Converter& encode, const char32_t* chars, std::size_t count,
                   char* out, std::size_t out_size) {
  const char* in = reinterpret_cast<const char*>(chars);
  std::size_t in_left = count * sizeof(char32_t);
  char* end = out;
  std::size_t out_left = out_size;
  while (in_left > 0 && !encode.Run(in, in_left, end, out_left)) {
    *end++ = '?';
    --out_left;
    in += sizeof(char32_t);
    in_left -= sizeof(char32_t);
  }
  return static_cast<std::size_t>(end - out);
}

}  // namespace

bool ConvertToCodePage932(std::string& bytes, std::size_t begin, Unicode from) {
  Converter decode("UTF-32LE", Name(from)), encode("CP932", "UTF-32LE");
  if (!decode.ok() || !encode.ok()) return false;
  // A damaged unit is skipped whole: one byte of UTF-8, two of UTF-16.
  const std::size_t unit = from == Unicode::kUtf8 ? 1 : 2;
  char32_t chars[4096];
  char encoded[sizeof chars];  // a character never takes more than 4 bytes
  std::size_t read = begin, written = 0;
  while (read < bytes.size()) {
    const char* in = bytes.data() + read;
    std::size_t in_left = bytes.size() - read;
    char* out = reinterpret_cast<char*>(chars);
    // Room is kept for the replacement of a damaged unit.
    std::size_t out_left = sizeof chars - sizeof kReplacement;
    if (!decode.Run(in, in_left, out, out_left)) {
      // Damaged or cut short at the end: it reads as one replacement.
      in += std::min(unit, in_left);
      std::memcpy(out, &kReplacement, sizeof kReplacement);
      out += sizeof kReplacement;
    }
    read = static_cast<std::size_t>(in - bytes.data());
    const std::size_t count =
        static_cast<std::size_t>(out - reinterpret_cast<char*>(chars)) /
        sizeof(char32_t);
    const std::size_t size =
        Encode(encode, chars, count, encoded, sizeof encoded);
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
  if (!decode.ok() || !encode.ok()) return false;
  std::u32string chars(name.size(), U'\0');
  const char* in = name.data();
  std::size_t in_left = name.size();
  char* out = reinterpret_cast<char*>(chars.data());
  std::size_t out_left = chars.size() * sizeof(char32_t);
  // Not UTF-8: already code page 932.
  if (!decode.Run(in, in_left, out, out_left) || in_left > 0) return true;
  chars.resize(chars.size() - out_left / sizeof(char32_t));
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
