#include "os/wide_name.h"

namespace ovq2tyx {

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

std::string NameFromWide(std::wstring_view wide) {
  static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
  std::string name;
  name.reserve(wide.size() * 3);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (IsHighSurrogate(c) && i + 1 < wide.size() &&
        IsLowSurrogate(wide[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    }
    const int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    name += static_cast<char>(kLead[more] | c >> (6 * more));
    for (int k = more - 1; k >= 0; --k) {
      name += static_cast<char>(0x80 | (c >> (6 * k) & 0x3F));
    }
  }
  return name;
}

std::wstring NameToWide(std::string_view name) {
  std::wstring wide;
  wide.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const auto lead = static_cast<unsigned char>(name[i++]);
    const int more = lead < 0xC0 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t c = more == 0 ? lead : lead & (0x3F >> more);
    for (int k = 0; k < more && i < name.size(); ++k) {
      c = c << 6 | (static_cast<unsigned char>(name[i++]) & 0x3F);
    }
    if (c < 0x10000) {
      wide += static_cast<wchar_t>(c);
    } else {
      wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return wide;
}

}  // namespace ovq2tyx
