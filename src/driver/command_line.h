// What the command line asks for. Every argument names a menu file, except
// where an option cannot be a name the user meant: "--help", "-h" (and "/?"
// on Windows) or "--version" as the only argument, and "--" in first place,
// which ends option reading so that a file named "--help" can be converted.
#ifndef OVQ2TYX_DRIVER_COMMAND_LINE_H_
#define OVQ2TYX_DRIVER_COMMAND_LINE_H_

#include <string>
#include <vector>

namespace ovq2tyx {

enum class Request {
  kFolder,   // no arguments: the program's own folder
  kFiles,    // the files named
  kUsage,    // a short usage, no key wait
  kVersion,  // "ovq2tyx <version>", no key wait
};

struct CommandLine {
  Request request = Request::kFolder;
  std::vector<std::string> files;
};

// `arguments` are those after the program's own path.
CommandLine ReadCommandLine(std::vector<std::string> arguments);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_DRIVER_COMMAND_LINE_H_
