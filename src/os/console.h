// The console: report lines on standard output, the closing key wait, the
// switch a console user of this system types for help, and what the usage
// needs to know of its reader: their language and their system.
#ifndef OVQ2TYX_OS_CONSOLE_H_
#define OVQ2TYX_OS_CONSOLE_H_

#include <initializer_list>
#include <string_view>

namespace ovq2tyx {

// Opens the null device in place of a closed standard input, output or error,
// so that no file the program opens later takes one's place (and receives
// the report).
void KeepStandardStreamsOpen();

// Writes `line`, given in parts, and a newline to standard output and
// flushes at once, so the report survives whatever happens next. Control
// bytes (below 0x20, and 0x7F) and, in UTF-8, the C1 controls, the line and
// paragraph separators and the bidirectional formatting characters are
// each shown as one "?", so that no name can start a line of its own or
// disguise one. It needs no memory from the heap: a shortage of memory can
// still be reported.
void PrintLine(std::initializer_list<std::string_view> parts);
inline void PrintLine(std::string_view line) { PrintLine({line}); }

// True for the switch that asks a program of this system for its usage
// besides "--help" and "-h": "/?" on Windows; none on POSIX, where "/?" is
// a file's path.
bool IsNativeHelpSwitch(std::string_view argument);

// Waits for one key press on a console or terminal and echoes its
// character, when someone can see the prompt: standard input and output
// both a console or terminal. Otherwise it returns at once without
// reading, so that a script's input is left alone, and a report sent to a
// file or pipe never waits unseen.
void WaitForKey();

// The languages the usage is written in.
enum class Language { kEnglish, kJapanese };

// Japanese where the user's language is: on Windows the user interface
// language; on POSIX the first of LC_ALL, LC_MESSAGES and LANG that is set,
// when it names Japanese in UTF-8 (text in another code set would show
// garbled). English everywhere else.
Language UserLanguage();

// The system the usage speaks of: on Windows people also start programs
// by double-clicking them and by dropping files onto them.
enum class System { kPosix, kWindows };
extern const System kThisSystem;  // defined per platform

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_CONSOLE_H_
