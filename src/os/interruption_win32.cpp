#include <windows.h>

#include "os/file_system.h"
#include "os/interruption.h"

namespace ovq2tyx {

namespace {

// Runs on a thread of its own. Returning FALSE lets the default handler end
// the process as the event asks.
BOOL WINAPI OnConsoleEvent(DWORD) {
  RemoveTemporaryFiles();
  return FALSE;
}

}  // namespace

void InstallInterruptHandlers() {
  // Ctrl+C, Ctrl+Break, a closed console window, logoff and shutdown. A
  // full disk or a broken pipe are failed writes here, not signals.
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

}  // namespace ovq2tyx
