// Test support: runs the built program as a separate process, with standard
// input from the null device, and collects what it printed.
#ifndef OVQ2TYX_TESTS_SUPPORT_RUN_PROGRAM_H_
#define OVQ2TYX_TESTS_SUPPORT_RUN_PROGRAM_H_

#include <cstdint>
#include <string>
#include <vector>

namespace ovq2tyx::testing {

struct RunOptions {
  // The program's own path as it will see it (its first argument); directory
  // mode works on this path's directory. Empty: the real path.
  std::string program_name;
  std::vector<std::string> arguments;
  std::string working_directory;  // empty: the test's own
  // Largest file the program may write, in bytes (0: no limit). POSIX only.
  std::uint64_t file_size_limit = 0;
};

struct RunResult {
  int exit_code = -1;
  std::string output;  // standard output, as bytes
  // `output` split into lines (without their line ends).
  std::vector<std::string> Lines() const;
};

RunResult RunProgram(const std::string& program, const RunOptions& options);

// Whether RunOptions::file_size_limit is honoured on this platform.
bool CanLimitFileSize();

}  // namespace ovq2tyx::testing

#endif  // OVQ2TYX_TESTS_SUPPORT_RUN_PROGRAM_H_
