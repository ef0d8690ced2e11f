// Runs end-to-end cases: `case_runner PROGRAM CASE_FOLDER...`. A case folder
// holds the folder before the run (in/), the files the run adds (out/), the
// expected console text and optionally the argument vector (command) and
// the program's environment (env); see CONTRIBUTING.md. The build passes
// only the cases for this system, and under Wine for the run's locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace ovq2tyx::testing;

namespace {

// Files and folders go by their long form (LongForm), where a name that
// ends in a space or a dot, or a device's name, is a file like any other.

// Every file and folder under `folder`, following links, by UTF-8 name
// after `prefix`: the file's bytes, or "<folder>".
void Snapshot(const fs::path& folder, const std::string& prefix,
              std::map<std::string, std::string>& out) {
  for (const FolderEntry& entry : ListFolder(folder)) {
    const std::u8string name = entry.name.u8string();
    const std::string key = prefix + std::string(name.begin(), name.end());
    const fs::path path = folder / entry.name;
    out[key] = entry.is_folder ? "<folder>" : ReadBytes(path);
    if (entry.is_folder) Snapshot(path, key + "/", out);
  }
}

// Copies what the folder `from` holds into the folder `to`, links followed.
void CopyFolder(const fs::path& from, const fs::path& to) {
  for (const FolderEntry& entry : ListFolder(from)) {
    const fs::path copy = to / entry.name;
    if (entry.is_folder) {
      fs::create_directory(copy);
      CopyFolder(from / entry.name, copy);
    } else {
      fs::copy_file(from / entry.name, copy);
    }
  }
}

// Where `actual` first departs from `expected`, with both texts from there,
// C-escaped.
std::string Diff(const std::string& what, const std::string& expected,
                 const std::string& actual) {
  const auto at =
      static_cast<std::size_t>(std::mismatch(expected.begin(), expected.end(),
                                             actual.begin(), actual.end())
                                   .first -
                               expected.begin());
  auto escape = [at](const std::string& text) {
    return ::testing::PrintToString(text.substr(at, 120));
  };
  return what + ": first difference at byte " + std::to_string(at) +
         "\n  expected: " + escape(expected) +
         "\n  actual:   " + escape(actual) + "\n";
}

// True when the case passes.
bool RunCase(const std::string& program, const fs::path& folder) {
  TempDir dir;
  CopyFolder(LongForm(folder / "in"), LongForm(dir.path()));
  // The lines of a file of the case, "{dir}" expanded.
  const auto lines = [&](const char* file, const char* otherwise) {
    std::istringstream text(ExpandDir(
        fs::exists(folder / file) ? ReadBytes(folder / file) : otherwise,
        dir.path()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  };
  // The locale is the case's, never the developer's (POSIX; under Wine
  // that of the run, which CMake picks for the case).
  RunOptions options{.environment = lines("env", "")};
  options.environment.insert(options.environment.begin(),
                             {"LANG=", "LC_ALL=", "LC_MESSAGES="});
  const RunResult run = RunProgram(program, lines("command", "{dir}/ovq2tyx"),
                                   dir.path(), options);

  std::string report;
  if (run.exit_code != 0)
    report = "exit status " + std::to_string(run.exit_code) + "\n";
  const std::string console =
      AsPrinted(ExpandDir(ReadBytes(folder / "console"), dir.path()));
  if (run.output != console) report += Diff("console", console, run.output);
  std::map<std::string, std::string> expected, actual;
  Snapshot(LongForm(folder / "in"), "", expected);
  Snapshot(LongForm(folder / "out"), "", expected);
  Snapshot(LongForm(dir.path()), "", actual);
  for (const auto& [file, bytes] : expected) {
    if (!actual.contains(file)) {
      report += file + ": missing\n";
    } else if (actual[file] != bytes) {
      report += Diff(file, bytes, actual[file]);
    }
  }
  for (const auto& [file, bytes] : actual) {
    if (!expected.contains(file)) report += file + ": not expected\n";
  }
  std::printf("%s %s\n%s", report.empty() ? "passed" : "FAILED",
              folder.filename().string().c_str(), report.c_str());
  return report.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: case_runner PROGRAM CASE_FOLDER...\n");
    return 2;
  }
  const std::string program = fs::absolute(argv[1]).string();
  int failed = 0;
  for (int i = 2; i < argc; ++i) failed += RunCase(program, argv[i]) ? 0 : 1;
  std::printf("cases: %d passed, %d failed\n", argc - 2 - failed, failed);
  return failed > 0 ? 1 : 0;
}
