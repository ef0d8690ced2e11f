// What the program does when it is interrupted (Ctrl+C, Ctrl+\, a closed
// terminal or console window, a request to terminate): it removes the
// temporary files it is writing and restores the terminal, then ends as the
// interruption asks. Signals that would end the whole run over one failed
// write (a closed output pipe, a file size limit) are ignored instead, so
// that the write fails and is reported like any other.
#ifndef OVQ2TYX_OS_INTERRUPTION_H_
#define OVQ2TYX_OS_INTERRUPTION_H_

namespace ovq2tyx {

void InstallInterruptHandlers();

// Holds interruptions back while it lives: one that comes meanwhile takes
// effect when the outermost hold ends. The steps that change what the
// interruption handlers would remove (a file made and guarded, moved into
// place and no longer guarded) happen under a hold, so that the handlers
// only ever remove a file of ours, never one that another program made at
// a path we have just left or are about to take.
class InterruptionHold {
 public:
  InterruptionHold();
  ~InterruptionHold();
  InterruptionHold(const InterruptionHold&) = delete;
  InterruptionHold& operator=(const InterruptionHold&) = delete;
};

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_INTERRUPTION_H_
