// The console: report lines on standard output and the closing key wait.
#ifndef OVQ2TYX_PLATFORM_CONSOLE_H_
#define OVQ2TYX_PLATFORM_CONSOLE_H_

#include <string_view>

namespace ovq2tyx {

// Writes `line` and a newline to standard output and flushes at once, so the
// report survives whatever happens next.
void PrintLine(std::string_view line);

// Waits for one key press on a console and echoes its character. When
// standard input is not a console, reads at most one byte and returns at end
// of input, so a run from a script never hangs.
void WaitForKey();

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PLATFORM_CONSOLE_H_
