// The arguments the program was started with, as native names (see
// native_path.h): its own path first, then the files named.
#ifndef OVQ2TYX_OS_PROGRAM_ARGUMENTS_H_
#define OVQ2TYX_OS_PROGRAM_ARGUMENTS_H_

#include <string>
#include <vector>

namespace ovq2tyx {

// `argc` and `argv` as main() got them. Defined per platform.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_PROGRAM_ARGUMENTS_H_
