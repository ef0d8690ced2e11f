// Helpers shared by the end-to-end tests: run the built program on a
// temporary directory and look at what it printed and wrote.
#ifndef OVQ2TYX_TESTS_END_TO_END_HARNESS_H_
#define OVQ2TYX_TESTS_END_TO_END_HARNESS_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace ovq2tyx::testing {

inline constexpr char kPrompt[] = "Press Any Key To Exit.";

// Directory mode: the program believes it lives in `dir`.
inline RunResult RunInDirectory(const TempDir& dir,
                                std::uint64_t file_size_limit = 0) {
  RunOptions options;
  options.program_name = dir / "ovq2tyx";
  options.file_size_limit = file_size_limit;
  return RunProgram(OVQ2TYX_PROGRAM, options);
}

// Argument mode on the given paths.
inline RunResult RunOnFiles(const std::vector<std::string>& paths,
                            const std::string& working_directory = "",
                            std::uint64_t file_size_limit = 0) {
  RunOptions options;
  options.arguments = paths;
  options.working_directory = working_directory;
  options.file_size_limit = file_size_limit;
  return RunProgram(OVQ2TYX_PROGRAM, options);
}

// The console lines of a run, checked to end with the prompt and exit 0.
inline std::vector<std::string> Report(const RunResult& run) {
  EXPECT_EQ(run.exit_code, 0);
  std::vector<std::string> lines = run.Lines();
  EXPECT_FALSE(lines.empty());
  if (!lines.empty()) {
    EXPECT_EQ(lines.back(), kPrompt);
    lines.pop_back();
  }
  return lines;
}

using Lines = std::vector<std::string>;

}  // namespace ovq2tyx::testing

#endif  // OVQ2TYX_TESTS_END_TO_END_HARNESS_H_
