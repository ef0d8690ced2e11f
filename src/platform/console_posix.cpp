// Key wait on POSIX terminals: raw mode for one byte, echoed by hand.
#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "platform/console.h"

namespace ovq2tyx {

void WaitForKey() {
  char key = 0;
  if (!isatty(STDIN_FILENO)) {
    // Piped or redirected input: take one byte if there is one, never wait
    // for more.
    if (read(STDIN_FILENO, &key, 1) < 0) return;
    return;
  }
  struct termios saved;
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  struct termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  if (read(STDIN_FILENO, &key, 1) == 1) {
    // Echo a printable key, then end the line for the shell prompt.
    if (static_cast<unsigned char>(key) >= 0x20 && key != 0x7F) {
      std::fputc(key, stdout);
    }
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

}  // namespace ovq2tyx
