// Test support: starts the built program as a separate process in a given
// working directory, with standard input from the null device, and collects
// what it printed. Arguments and paths are UTF-8 on Windows, bytes on POSIX.
#ifndef OVQ2TYX_TESTS_SUPPORT_RUN_PROGRAM_H_
#define OVQ2TYX_TESTS_SUPPORT_RUN_PROGRAM_H_

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ovq2tyx::testing {

struct RunResult {
  int exit_code = -1;  // -1 when a signal ended the program
  int signal = 0;      // the signal that did (POSIX)
  std::string output;  // standard output, as bytes
};

struct RunOptions {
  // The largest file the program may write, in bytes (0: no limit); POSIX.
  std::uint64_t file_size_limit = 0;
  // The largest address space it may map, in bytes (0: no limit); POSIX.
  std::uint64_t address_space_limit = 0;
  // How many files it may hold open (0: no limit); POSIX.
  std::uint64_t open_files_limit = 0;
  // Standard input from this descriptor (POSIX), not the null device.
  int input = -1;
  bool close_output = false;               // standard output closed (POSIX)
  std::string preload{};                   // a library for LD_PRELOAD (POSIX)
  std::vector<std::string> environment{};  // "NAME=value" more (POSIX)
};

// A run started in the background: its process and the read end of its
// standard output, to be read and waited for with FinishProgram. On
// Windows `output` and `process` hold handles (32 significant bits).
struct StartedProgram {
  int pid = -1;
  int output = -1;
  int process = -1;  // Windows
};

// `argv` starts with the program's own path as it will see it (argv[0]);
// `program` is the file actually started.
RunResult RunProgram(const std::string& program,
                     const std::vector<std::string>& argv,
                     const std::string& working_directory,
                     const RunOptions& options = {});

StartedProgram StartProgram(const std::string& program,
                            const std::vector<std::string>& argv,
                            const std::string& working_directory,
                            const RunOptions& options = {});
RunResult FinishProgram(StartedProgram started);

// The ways to end a run from outside (Interrupt): signals (POSIX); Ctrl+C on
// the console, termination (Windows). The last ends it outright, before it
// can remove its temporary files.
std::vector<int> Interruptions();
// Ends `run` as `how` says; the signal it ends by (0 on Windows).
int Interrupt(const StartedProgram& run, int how);

// The id of the process running the tests, one that is alive.
int ThisProcessId();

// Makes `link` a symbolic link to `target`; false when the system cannot.
bool MakeLink(const std::string& target, const std::string& link);

// Holds `path` open as a live run holds the file it writes (on POSIX with
// its lock), until the result goes away.
std::shared_ptr<void> HoldOpen(const std::string& path);

// `path` in a form the file functions take at any length and exactly as
// spelled ("\\?\" on Windows, once).
std::filesystem::path LongForm(const std::filesystem::path& path);

// The names in `folder` (a LongForm), and whether each is a folder, links
// followed; none when it cannot be listed. The library's own listing would
// resolve a folder's name on Windows, and so list "menus" for "menus ".
struct FolderEntry {
  std::filesystem::path name;
  bool is_folder = false;
};
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder);

// Removes `path` and all it holds by the names listed, which the library's
// own remove_all would resolve on Windows. A link goes, not what it points
// to; but Wine shows a POSIX link as what it points to, and removes that.
void RemoveTree(const std::filesystem::path& path);

// Console text (UTF-8, LF line ends) as the program prints it here: on
// Windows in the ANSI code page, "?" for each character it lacks, lines
// ended by CR LF.
std::string AsPrinted(const std::string& text);

}  // namespace ovq2tyx::testing

#endif  // OVQ2TYX_TESTS_SUPPORT_RUN_PROGRAM_H_
