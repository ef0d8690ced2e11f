// Within os/: what each system's console_<system>.cpp defines for
// console.cpp and the interruption handlers. Other folders use console.h.
#ifndef OVQ2TYX_OS_CONSOLE_PARTS_H_
#define OVQ2TYX_OS_CONSOLE_PARTS_H_

#include <string_view>

namespace ovq2tyx {

// For PrintLine: writes `text` to standard output and flushes it. `text`
// never ends within a UTF-8 character.
void WriteOutput(std::string_view text);

// Puts the terminal back as the key wait found it. Safe to call from a
// signal handler; the interruption handlers do.
void RestoreTerminal();

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_CONSOLE_PARTS_H_
