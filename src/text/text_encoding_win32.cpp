// Conversions with the system's code page functions: the same calls the
// platform's profile reader makes, so a Unicode menu reads the same here.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "text/text_encoding.h"
#include "text/text_encoding_parts.h"

namespace ovq2tyx {

namespace {

constexpr UINT kCodePage932 = 932;
constexpr std::size_t kChunkBytes = std::size_t{1} << 16;

// Appends bytes[begin, end) of UTF-16 text to `wide`; `big_endian` swaps.
void AppendUtf16(const std::string& bytes, std::size_t begin, std::size_t end,
                 bool big_endian, std::wstring& wide) {
  for (std::size_t pos = begin; pos + 1 < end; pos += 2) {
    const auto low =
        static_cast<unsigned char>(bytes[pos + (big_endian ? 1 : 0)]);
    const auto high =
        static_cast<unsigned char>(bytes[pos + (big_endian ? 0 : 1)]);
    wide += static_cast<wchar_t>(high << 8 | low);
  }
}

}  // namespace

bool ConvertToCodePage932(std::string& bytes, std::size_t begin, Unicode from) {
  std::wstring wide;
  std::string encoded;
  std::size_t read = begin, written = 0;
  while (read < bytes.size()) {
    std::size_t end = std::min(bytes.size(), read + kChunkBytes);
    wide.clear();
    if (from == Unicode::kUtf8) {
      // A chunk never ends inside a sequence of up to four bytes.
      for (int back = 0;
           end < bytes.size() && back < 3 &&
           (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80;
           ++back) {
        --end;
      }
      const int size = static_cast<int>(end - read);
      wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
          CP_UTF8, 0, bytes.data() + read, size, nullptr, 0)));
      MultiByteToWideChar(CP_UTF8, 0, bytes.data() + read, size, wide.data(),
                          static_cast<int>(wide.size()));
    } else {
      end = read + (end - read) / 2 * 2;
      AppendUtf16(bytes, read, end, from == Unicode::kUtf16Be, wide);
      // A surrogate pair is never split; an odd last byte reads as one
      // replacement, as with the platform reader.
      if (end < bytes.size() && !wide.empty() && wide.back() >= 0xD800 &&
          wide.back() < 0xDC00 && end - read > 2) {
        wide.pop_back();
        end -= 2;
      } else if (end == read) {
        wide += L'\xFFFD';
        end = bytes.size();
      }
    }
    encoded.resize(static_cast<std::size_t>(WideCharToMultiByte(
        kCodePage932, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
        nullptr, nullptr)));
    WideCharToMultiByte(kCodePage932, 0, wide.data(),
                        static_cast<int>(wide.size()), encoded.data(),
                        static_cast<int>(encoded.size()), nullptr, nullptr);
    // No character is longer in code page 932 than in Unicode, so the
    // result never overtakes what is still to be read.
    std::memcpy(bytes.data() + written, encoded.data(), encoded.size());
    written += encoded.size();
    read = end;
  }
  bytes.resize(written);
  return true;
}

bool NameToMenuText(std::string_view name, std::string& text) {
  // Names are UTF-8, whatever the ANSI code page. A lone surrogate is no
  // UTF-8 and has no form.
  const int size = static_cast<int>(name.size());
  std::wstring wide(name.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, wide.data(), size)));
  if (wide.empty() != name.empty()) return false;
  // Windows' table alone gives U+0080 and U+F8F0-U+F8F3 a form (0x80, 0xA0,
  // 0xFD-0xFF); other systems have none, and neither has this one.
  for (wchar_t c : wide) {
    if (c == 0x80 || (c >= 0xF8F0 && c <= 0xF8F3)) return false;
  }
  // The exact form only, read back as the same characters: a best fit
  // ("e" for "é", "～" for "〜") would name another file.
  text.resize(wide.size() * 2);
  BOOL lacking = FALSE;
  text.resize(static_cast<std::size_t>(
      WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(),
                          static_cast<int>(wide.size()), text.data(),
                          static_cast<int>(text.size()), nullptr, &lacking)));
  std::wstring back(wide.size(), L'\0');
  back.resize(static_cast<std::size_t>(
      MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, text.data(),
                          static_cast<int>(text.size()), back.data(),
                          static_cast<int>(back.size()))));
  return !lacking && back == wide;
}

}  // namespace ovq2tyx
