#include <signal.h>

#include "os/console_parts.h"
#include "os/file_system_parts.h"
#include "os/interruption.h"

namespace ovq2tyx {

namespace {

// The signals that end the run, and the mask the outermost hold found.
sigset_t Interrupting() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    sigaddset(&set, signal_number);
  }
  return set;
}
sigset_t saved_mask;
int hold_depth = 0;

// Only async-signal-safe calls: unlink, tcsetattr, raise.
void OnInterrupt(int signal_number) {
  RemoveTemporaryFiles();
  RestoreTerminal();
  // The handler was reset to the default: once this returns, the signal,
  // blocked meanwhile, ends the process with its usual status.
  raise(signal_number);
}

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;
  // One handler at a time: a second signal waits for the first to end.
  action.sa_mask = Interrupting();
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    sigaction(signal_number, &action, nullptr);
  }
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
}

// The handlers run on the program's own thread, the only one that takes
// these signals (the C library's helper threads for early flushes on Linux
// block them all): blocking them there holds them back.
InterruptionHold::InterruptionHold() {
  if (hold_depth++ > 0) return;
  const sigset_t block = Interrupting();
  pthread_sigmask(SIG_BLOCK, &block, &saved_mask);
}

InterruptionHold::~InterruptionHold() {
  if (--hold_depth > 0) return;
  pthread_sigmask(SIG_SETMASK, &saved_mask, nullptr);
}

}  // namespace ovq2tyx
