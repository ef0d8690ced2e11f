#include <windows.h>

#include "os/file_system_parts.h"
#include "os/interruption.h"

namespace ovq2tyx {

namespace {

// The console's control handler runs on a thread of its own, at any moment:
// a hold is this lock, which the handler takes and never gives back, so
// that the run stops at its next hold while the process ends.
CRITICAL_SECTION& HoldLock() {
  static struct Lock {
    Lock() { InitializeCriticalSection(&section); }
    CRITICAL_SECTION section;
  } lock;
  return lock.section;
}

// Returning FALSE lets the default handler end the process as the event
// asks.
BOOL WINAPI OnConsoleEvent(DWORD) {
  EnterCriticalSection(&HoldLock());
  RemoveTemporaryFiles();
  return FALSE;
}

}  // namespace

void InstallInterruptHandlers() {
  HoldLock();  // made before any handler can need it
  // Ctrl+C, Ctrl+Break, a closed console window, logoff and shutdown. A
  // full disk or a broken pipe are failed writes here, not signals.
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

InterruptionHold::InterruptionHold() { EnterCriticalSection(&HoldLock()); }

InterruptionHold::~InterruptionHold() { LeaveCriticalSection(&HoldLock()); }

}  // namespace ovq2tyx
