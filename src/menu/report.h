// The report: every console line the program prints, worded in this one
// place (the README's report table lists them). The conversion and the
// driver hand it outcomes and paths; each line is printed and flushed at
// once, so the report survives whatever happens next, and without memory
// from the heap, so that it survives a shortage of memory too.
#ifndef OVQ2TYX_MENU_REPORT_H_
#define OVQ2TYX_MENU_REPORT_H_

#include <string_view>

namespace ovq2tyx {

enum class Outcome {
  kWritten,        // "[Translate] <source name> to <target name>"
  kTargetExisted,  // "[Err:Already Exists] <target>"
  kBadFormat,      // "[Err:Bad Format] <source>"
  kCannotRead,     // "[Err:Cannot Read] <source>"
  kCannotWrite,    // "[Err:Cannot Write] <target>"
  // "[Err:Cannot Read] <source>": too little memory to convert it. Unlike
  // an unreadable source it is no lasting fault: like a failed write, it
  // keeps the root index from landing without the target's link.
  kOutOfMemory,
};

// The line for converting `source_path` into `target_path`.
void ReportConversion(Outcome outcome, std::string_view source_path,
                      std::string_view target_path);

// The line for a file or folder that is no conversion of its own (the root
// index, the folder listed): the outcome's tag and `path`. Never kWritten.
void ReportPath(Outcome outcome, std::string_view path);

// "[Err:Cannot Remove] <path>" for each file of ours that could not be
// removed since the last call (a later run removes it).
void ReportUnremovedFiles();

// "[Generate] Root.tyx": a root index is being made.
void ReportRootIndexStarted();

// What "--help" and "--version" print; the usage in the user's language
// (os/console.h), for the way this system's users start programs.
void ReportUsage();
void ReportVersion();

// "Press Any Key To Exit.", the last line of every run.
void ReportClosingPrompt();

}  // namespace ovq2tyx

#endif  // OVQ2TYX_MENU_REPORT_H_
