// Key wait on POSIX terminals: raw mode for one byte, echoed by hand. The
// user's language, from the locale variables.
#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "os/console.h"
#include "os/console_parts.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// The terminal's settings while the key wait has changed them.
struct termios saved_terminal;
volatile sig_atomic_t terminal_changed = 0;

}  // namespace

void KeepStandardStreamsOpen() {
  // Descriptors are handed out lowest first: the null device fills 0 to 2.
  int fd = open("/dev/null", O_RDWR);
  while (fd >= 0 && fd <= STDERR_FILENO) fd = open("/dev/null", O_RDWR);
  if (fd > STDERR_FILENO) close(fd);
}

bool IsNativeHelpSwitch(std::string_view) { return false; }

const System kThisSystem = System::kPosix;

Language UserLanguage() {
  // The variable that decides, as setlocale() takes them.
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      locale = value;
      break;
    }
  }
  // language[_territory][.codeset][@modifier]
  const std::string_view language =
      locale.substr(0, locale.find_first_of("_.@"));
  const std::size_t dot = locale.find('.');
  const std::string_view codeset =
      dot == std::string_view::npos
          ? ""
          : locale.substr(dot + 1, locale.find('@', dot) - dot - 1);
  const bool utf8 =
      EqualsIgnoreCase(codeset, "UTF-8") || EqualsIgnoreCase(codeset, "utf8");
  return language == "ja" && utf8 ? Language::kJapanese : Language::kEnglish;
}

// Straight to the descriptor: no buffer to allocate, nothing left unflushed.
void WriteOutput(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(STDOUT_FILENO, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a closed pipe: the line is lost, the run goes on
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

void WaitForKey() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO) ||
      tcgetattr(STDIN_FILENO, &saved_terminal) != 0) {
    return;
  }
  struct termios raw = saved_terminal;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  terminal_changed = 1;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  char key = 0;
  ssize_t got;
  do {
    got = read(STDIN_FILENO, &key, 1);
  } while (got < 0 && errno == EINTR);
  RestoreTerminal();
  if (got == 1) {
    // Echo a printable key, then end the line for the shell prompt.
    if (!IsControlByte(static_cast<unsigned char>(key))) {
      std::fputc(key, stdout);
    }
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

void RestoreTerminal() {
  if (terminal_changed) {
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
    terminal_changed = 0;
  }
}

}  // namespace ovq2tyx
