#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/run_program.h"

namespace ovq2tyx::testing {

bool CanLimitFileSize() { return true; }

std::string ConsoleToUtf8(const std::string& output) { return output; }

RunResult RunProgram(const std::string& program,
                     const std::vector<std::string>& argv,
                     const std::string& working_directory,
                     const RunOptions& options) {
  RunResult result;
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return result;
  pid_t child = fork();
  if (child == 0) {
    close(STDIN_FILENO);
    if (!options.close_input) open("/dev/null", O_RDONLY);  // takes fd 0
    dup2(pipe_fds[1], STDOUT_FILENO);
    close(pipe_fds[0]);
    if (chdir(working_directory.c_str()) != 0) _exit(126);
    if (options.file_size_limit != 0) {
      // Writes past the limit fail with EFBIG instead of killing the child.
      signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit = {options.file_size_limit, options.file_size_limit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
      args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(program.c_str(), args.data());
    _exit(127);
  }
  close(pipe_fds[1]);
  char buffer[4096];
  ssize_t got;
  while ((got = read(pipe_fds[0], buffer, sizeof buffer)) > 0) {
    result.output.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipe_fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace ovq2tyx::testing
