#include <windows.h>

#include "support/run_program.h"

namespace ovq2tyx::testing {

namespace {

// Quotes one argument so the C runtime splits it back unchanged.
std::string QuoteArgument(const std::string& arg) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

}  // namespace

bool CanLimitFileSize() { return false; }

RunResult RunProgram(const std::string& program, const RunOptions& options) {
  RunResult result;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return result;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE null_input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ,
                                  &inherit, OPEN_EXISTING, 0, nullptr);

  std::string command_line = QuoteArgument(
      options.program_name.empty() ? program : options.program_name);
  for (const std::string& arg : options.arguments) {
    command_line += ' ';
    command_line += QuoteArgument(arg);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null_input;
  startup.hStdOutput = write_end;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessA(
      program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
      options.working_directory.empty() ? nullptr
                                        : options.working_directory.c_str(),
      &startup, &process);
  CloseHandle(write_end);
  CloseHandle(null_input);
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) &&
           got > 0) {
      result.output.append(buffer, got);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exit_code = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read_end);
  return result;
}

}  // namespace ovq2tyx::testing
