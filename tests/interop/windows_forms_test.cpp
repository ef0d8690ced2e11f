// Windows only: the code page 932 forms the POSIX build takes from Windows'
// converter, where iconv gives other bytes
// (src/text/text_encoding_windows_forms.inc), are Windows' own. With
// OVQ2TYX_WINDOWS_FORMS naming a file, it writes there instead Windows' form
// of every character of the Basic Multilingual Plane, a line "XXXX FORM" in
// hexadecimal each, from which scripts/record-windows-forms records them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace ovq2tyx::testing {
namespace {

struct Form {
  char16_t character;
  unsigned bytes;  // one, or two with the lead byte high
};
constexpr Form kRecorded[] = {
#include "text/text_encoding_windows_forms.inc"
};

// As the Windows build converts a menu saved as Unicode: best fit on, "?"
// for a character that has none.
unsigned WindowsForm(char16_t character) {
  const wchar_t wide = character;
  char bytes[4];
  const int size = WideCharToMultiByte(932, 0, &wide, 1, bytes, sizeof bytes,
                                       nullptr, nullptr);
  unsigned form = 0;
  for (int i = 0; i < size; ++i) {
    form = form << 8 | static_cast<unsigned char>(bytes[i]);
  }
  return form;
}

TEST(WindowsFormsTest, RecordedFormsAreWindowsOwn) {
  if (const char* path = std::getenv("OVQ2TYX_WINDOWS_FORMS")) {
    std::FILE* out = std::fopen(path, "wb");
    ASSERT_NE(out, nullptr) << path;
    for (unsigned c = 0; c < 0x10000; ++c) {
      if (c < 0xD800 || c >= 0xE000) {
        std::fprintf(out, "%04X %02X\n", c, WindowsForm(char16_t(c)));
      }
    }
    EXPECT_EQ(std::fclose(out), 0);
    return;
  }
  for (const Form& recorded : kRecorded) {
    EXPECT_EQ(WindowsForm(recorded.character), recorded.bytes)
        << "U+" << std::hex << std::uppercase << unsigned{recorded.character};
  }
}

}  // namespace
}  // namespace ovq2tyx::testing
