// The report on Windows, whose names are UTF-8 (wide_name.h): Unicode to a
// console window, whatever its code page; the ANSI code page to a file or
// pipe, as other programs read it. Key wait on the console: one key, no
// Enter, its character echoed. The user's language is that of the user
// interface.
#include <conio.h>
#include <windows.h>

#include <cstdio>
#include <new>
#include <string>

#include "os/console.h"
#include "os/console_parts.h"
#include "os/wide_name.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// `text` in the ANSI code page with one "?" for each character the code
// page lacks, never a look-alike ("e" for "é") that would name another
// file; a character beyond 16 bits is one character too.
std::string InAnsiCodePage(std::string_view text) {
  const UINT code_page = GetACP();
  if (code_page == CP_UTF8) return std::string(text);
  std::string bytes;
  for (std::size_t begin = 0, end; begin < text.size(); begin = end) {
    end = begin + 1;
    while (end < text.size() && (text[end] & 0xC0) == 0x80) ++end;
    const std::wstring wide = NameToWide(text.substr(begin, end - begin));
    char encoded[8];
    BOOL lacking = FALSE;
    const int size = WideCharToMultiByte(
        code_page, WC_NO_BEST_FIT_CHARS, wide.data(),
        static_cast<int>(wide.size()), encoded, sizeof encoded, "?", &lacking);
    bytes.append(lacking || size <= 0 ? "?" : std::string(encoded, size));
  }
  return bytes;
}

}  // namespace

void WriteOutput(std::string_view text) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0, written = 0;
  try {
    if (GetConsoleMode(output, &mode)) {
      const std::wstring wide = NameToWide(text);
      WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()),
                    &written, nullptr);
      return;
    }
    // Text mode: each line ends in CR LF.
    const std::string bytes = InAnsiCodePage(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  } catch (const std::bad_alloc&) {
    // No memory to convert it: the line goes out as it is, not lost.
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
  std::fflush(stdout);
}

void KeepStandardStreamsOpen() {
  // A console program's standard handles are its own, never reused.
}

bool IsNativeHelpSwitch(std::string_view argument) { return argument == "/?"; }

const System kThisSystem = System::kWindows;

Language UserLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE
             ? Language::kJapanese
             : Language::kEnglish;
}

void WaitForKey() {
  DWORD mode = 0;
  // Input or output not a console (a pipe, a file, the null device): no
  // one to wait for, or no one who sees the prompt.
  if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) ||
      !GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
    return;
  }
  int key = _getch();  // modifier keys alone do not end the wait
  if (key == 0 || key == 0xE0) {
    _getch();  // the second code of a function or arrow key
  } else if (!IsControlByte(static_cast<unsigned char>(key))) {
    std::fputc(key, stdout);
  }
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void RestoreTerminal() {
  // The console's own single-key read leaves its mode as it found it.
}

}  // namespace ovq2tyx
