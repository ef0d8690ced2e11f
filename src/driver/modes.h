// The program's two modes: the scan of its own directory, and the files
// named on the command line.
#ifndef OVQ2TYX_DRIVER_MODES_H_
#define OVQ2TYX_DRIVER_MODES_H_

#include <string>
#include <vector>

#include "item/command_table.h"

namespace ovq2tyx {

// Converts every "Page*.ini" (strict header rule), then every "*.ovq"
// (lenient) in the directory of `program_path`, and keeps "Root.tyx".
void RunDirectoryMode(const std::string& program_path,
                      const CommandTable& commands);

// Converts each named file in order, lenient header rule.
void RunArgumentMode(const std::vector<std::string>& paths,
                     const CommandTable& commands);

// When memory ran short before either mode could begin (the arguments, the
// command table): "[Err:Cannot Read]" for the program's folder (no other
// `arguments` than the program's path) or for each file named; nothing
// when not even the arguments could be held.
void ReportNothingConverted(const std::vector<std::string>& arguments);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_DRIVER_MODES_H_
