#include <signal.h>

#include "os/console.h"
#include "os/file_system.h"
#include "os/interruption.h"

namespace ovq2tyx {

namespace {

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
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    sigaction(signal_number, &action, nullptr);
  }
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
}

}  // namespace ovq2tyx
