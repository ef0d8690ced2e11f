// Key wait on the Windows console: one key, no Enter, its character echoed.
#include <conio.h>
#include <windows.h>

#include <cstdio>

#include "platform/console.h"

namespace ovq2tyx {

void WaitForKey() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (input == INVALID_HANDLE_VALUE || input == nullptr ||
      !GetConsoleMode(input, &mode)) {
    // Not a console (a pipe, a file, the null device): take one byte if
    // there is one, never wait for more.
    char byte = 0;
    DWORD got = 0;
    if (input != INVALID_HANDLE_VALUE && input != nullptr) {
      ReadFile(input, &byte, 1, &got, nullptr);
    }
    return;
  }
  int key = _getch();  // modifier keys alone do not end the wait
  if (key == 0 || key == 0xE0) {
    _getch();  // the second code of a function or arrow key
  } else if (key >= 0x20 && key != 0x7F) {
    std::fputc(key, stdout);
  }
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace ovq2tyx
