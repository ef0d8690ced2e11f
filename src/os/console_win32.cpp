// Key wait on the Windows console: one key, no Enter, its character echoed.
#include <conio.h>
#include <windows.h>

#include <cstdio>

#include "os/console.h"
#include "text/code_page.h"

namespace ovq2tyx {

void KeepStandardStreamsOpen() {
  // A console program's standard handles are its own, never reused.
}

bool IsNativeHelpSwitch(std::string_view argument) { return argument == "/?"; }

void WaitForKey() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  // Not a console (a pipe, a file, the null device): nothing to wait for.
  if (input == INVALID_HANDLE_VALUE || input == nullptr ||
      !GetConsoleMode(input, &mode)) {
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
