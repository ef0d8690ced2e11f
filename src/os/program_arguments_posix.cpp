#include "os/program_arguments.h"

namespace ovq2tyx {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace ovq2tyx
