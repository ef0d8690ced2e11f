#include <windows.h>

#include "support/run_program.h"

namespace ovq2tyx::testing {

namespace {

std::wstring Widen(const std::string& text, UINT code_page) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(code_page, 0, text.data(),
                                  static_cast<int>(text.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT code_page) {
  std::string text(wide.size() * 4, '\0');
  text.resize(WideCharToMultiByte(
      code_page, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
      static_cast<int>(text.size()), nullptr, nullptr));
  return text;
}

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
  return quoted.append(backslashes * 2, '\\') + "\" ";
}

}  // namespace

std::filesystem::path LongForm(const std::filesystem::path& path) {
  // The long form takes backslashes only.
  return L"\\\\?\\" +
         std::filesystem::absolute(path).make_preferred().wstring();
}

std::string ConsoleToUtf8(const std::string& output) {
  std::string text = Narrow(Widen(output, CP_ACP), CP_UTF8);
  std::erase(text, '\r');
  return text;
}

std::string PrintableHere(const std::string& text) {
  // A character is kept when the code page reads its form back as itself.
  const std::wstring wide = Widen(text, CP_UTF8);
  std::string shown;
  for (std::size_t at = 0, size; at < wide.size(); at += size) {
    size = wide[at] >= 0xD800 && wide[at] < 0xDC00 ? 2 : 1;
    const std::wstring character = wide.substr(at, size);
    const bool exact = Widen(Narrow(character, CP_ACP), CP_ACP) == character;
    shown += exact ? Narrow(character, CP_UTF8) : "?";
  }
  return shown;
}

RunResult RunProgram(const std::string& program,
                     const std::vector<std::string>& argv,
                     const std::string& working_directory, const RunOptions&) {
  RunResult result;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return result;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ,
                                  &inherit, OPEN_EXISTING, 0, nullptr);
  startup.hStdOutput = write_end;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string command_line;
  for (const std::string& arg : argv) command_line += QuoteArgument(arg);
  std::wstring wide_command = Widen(command_line, CP_UTF8);
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(
      Widen(program, CP_UTF8).c_str(), wide_command.data(), nullptr, nullptr,
      TRUE, 0, nullptr, Widen(working_directory, CP_UTF8).c_str(), &startup,
      &process);
  CloseHandle(write_end);
  CloseHandle(startup.hStdInput);
  char buffer[4096];
  DWORD got = 0;
  while (started && ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) &&
         got > 0) {
    result.output.append(buffer, got);
  }
  DWORD code = 0;
  if (started &&
      WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(process.hProcess, &code)) {
    result.exit_code = static_cast<int>(code);
  }
  if (started) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read_end);
  return result;
}

}  // namespace ovq2tyx::testing
