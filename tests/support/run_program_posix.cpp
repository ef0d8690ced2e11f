#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/run_program.h"

namespace ovq2tyx::testing {

bool CanLimitFileSize() { return true; }

RunResult RunProgram(const std::string& program, const RunOptions& options) {
  RunResult result;
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return result;
  pid_t child = fork();
  if (child == 0) {
    int null_fd = open("/dev/null", O_RDONLY);
    dup2(null_fd, STDIN_FILENO);
    dup2(pipe_fds[1], STDOUT_FILENO);
    close(pipe_fds[0]);
    if (!options.working_directory.empty() &&
        chdir(options.working_directory.c_str()) != 0) {
      _exit(126);
    }
    if (options.file_size_limit != 0) {
      // Writes past the limit fail with EFBIG instead of killing the child.
      signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit = {options.file_size_limit, options.file_size_limit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<std::string> args;
    args.push_back(options.program_name.empty() ? program
                                                : options.program_name);
    args.insert(args.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(pipe_fds[1]);
  char buffer[4096];
  for (;;) {
    ssize_t got = read(pipe_fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    result.output.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipe_fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace ovq2tyx::testing
