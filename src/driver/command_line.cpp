#include "driver/command_line.h"

#include "os/console.h"

namespace ovq2tyx {

CommandLine ReadCommandLine(std::vector<std::string> arguments) {
  if (arguments.empty()) return {Request::kFolder, {}};
  if (arguments.size() == 1) {
    const std::string& only = arguments[0];
    if (only == "--help" || only == "-h" || IsNativeHelpSwitch(only)) {
      return {Request::kUsage, {}};
    }
    if (only == "--version") return {Request::kVersion, {}};
  }
  if (arguments[0] == "--") arguments.erase(arguments.begin());
  return {Request::kFiles, std::move(arguments)};
}

}  // namespace ovq2tyx
