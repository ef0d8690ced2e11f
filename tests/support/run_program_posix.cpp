#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/run_program.h"

namespace ovq2tyx::testing {

std::filesystem::path LongForm(const std::filesystem::path& path) {
  return path;
}

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) {
  std::vector<FolderEntry> entries;
  std::error_code missing;
  for (const auto& entry :
       std::filesystem::directory_iterator(folder, missing)) {
    entries.push_back({entry.path().filename(), entry.is_directory()});
  }
  return entries;
}

void RemoveTree(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::string AsPrinted(const std::string& text) { return text; }

StartedProgram StartProgram(const std::string& program,
                            const std::vector<std::string>& argv,
                            const std::string& working_directory,
                            const RunOptions& options) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    const int input =
        options.input >= 0 ? options.input : open("/dev/null", O_RDONLY);
    dup2(input, STDIN_FILENO);
    dup2(pipe_fds[1], STDOUT_FILENO);
    close_range(STDERR_FILENO + 1, ~0u, 0);  // the test's own files stay out
    if (options.close_output) close(STDOUT_FILENO);
    if (chdir(working_directory.c_str()) != 0) _exit(126);
    // Signals keep their default actions: the program sets its own.
    const auto limit = [](int resource, std::uint64_t bytes) {
      const struct rlimit value = {bytes, bytes};
      if (bytes != 0) setrlimit(resource, &value);
    };
    limit(RLIMIT_FSIZE, options.file_size_limit);
    limit(RLIMIT_AS, options.address_space_limit);
    limit(RLIMIT_NOFILE, options.open_files_limit);
    if (!options.preload.empty()) {
      setenv("LD_PRELOAD", options.preload.c_str(), 1);
      setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    }
    for (const std::string& variable : options.environment) {
      putenv(const_cast<char*>(variable.c_str()));
    }
    alarm(10);  // a run takes milliseconds: one that hangs fails its test
    std::vector<char*> args;
    for (const std::string& arg : argv)
      args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(program.c_str(), args.data());
    _exit(127);
  }
  close(pipe_fds[1]);
  return {child, pipe_fds[0]};
}

RunResult FinishProgram(StartedProgram started) {
  RunResult result;
  char buffer[4096];
  ssize_t got;
  while ((got = read(started.output, buffer, sizeof buffer)) > 0) {
    result.output.append(buffer, static_cast<std::size_t>(got));
  }
  close(started.output);
  int status = 0;
  waitpid(started.pid, &status, 0);
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

RunResult RunProgram(const std::string& program,
                     const std::vector<std::string>& argv,
                     const std::string& working_directory,
                     const RunOptions& options) {
  return FinishProgram(StartProgram(program, argv, working_directory, options));
}

std::vector<int> Interruptions() { return {SIGINT, SIGTERM, SIGHUP, SIGKILL}; }

int Interrupt(const StartedProgram& run, int how) {
  kill(run.pid, how);
  return how;
}

int ThisProcessId() { return getpid(); }

bool MakeLink(const std::string& target, const std::string& link) {
  return symlink(target.c_str(), link.c_str()) == 0;
}

std::shared_ptr<void> HoldOpen(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  flock(fd, LOCK_EX);
  return std::shared_ptr<void>(nullptr, [fd](void*) { close(fd); });
}

}  // namespace ovq2tyx::testing
