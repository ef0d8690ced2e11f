#include <windows.h>

#include "support/run_program.h"

namespace ovq2tyx::testing {

namespace fs = std::filesystem;

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

// Runs share a console of the tests' own, whose Ctrl+C (Interrupt) reaches
// them; the tests ignore it themselves. The console Wine gives a program
// started without a terminal takes no events.
void ShareNewConsole() {
  [[maybe_unused]] static const bool shared = [] {
    FreeConsole();
    return AllocConsole() &&
           SetConsoleCtrlHandler([](DWORD) { return TRUE; }, TRUE);
  }();
}

}  // namespace

std::filesystem::path LongForm(const std::filesystem::path& path) {
  if (path.native().starts_with(L"\\\\?\\")) return path;
  // The long form takes backslashes only.
  return L"\\\\?\\" +
         std::filesystem::absolute(path).make_preferred().wstring();
}

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder / L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back(
        {name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return entries;
}

void RemoveTree(const std::filesystem::path& path) {
  const fs::path at = LongForm(path);
  const DWORD attributes = GetFileAttributesW(at.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    DeleteFileW(at.c_str());  // a file, or a link to nothing
    return;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    for (const FolderEntry& entry : ListFolder(at)) RemoveTree(at / entry.name);
  }
  RemoveDirectoryW(at.c_str());
}

std::string AsPrinted(const std::string& text) {
  // A character's form counts when the code page reads it back as itself.
  const std::wstring wide = Widen(text, CP_UTF8);
  std::string printed;
  for (std::size_t at = 0, size; at < wide.size(); at += size) {
    size = wide[at] >= 0xD800 && wide[at] < 0xDC00 ? 2 : 1;
    const std::wstring character = wide.substr(at, size);
    const std::string form = Narrow(character, CP_ACP);
    printed += character == L"\n"                 ? "\r\n"
               : Widen(form, CP_ACP) == character ? form
                                                  : "?";
  }
  return printed;
}

StartedProgram StartProgram(const std::string& program,
                            const std::vector<std::string>& argv,
                            const std::string& working_directory,
                            const RunOptions&) {
  ShareNewConsole();
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return {};
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
  CloseHandle(process.hThread);
  // Not started: no output, and no process to wait for.
  return {started ? static_cast<int>(process.dwProcessId) : -1,
          HandleToLong(read_end), HandleToLong(process.hProcess)};
}

RunResult FinishProgram(StartedProgram started) {
  RunResult result;
  HANDLE output = LongToHandle(started.output);
  HANDLE process = LongToHandle(started.process);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(output, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    result.output.append(buffer, got);
  }
  DWORD code = 0;
  if (WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(process, &code)) {
    result.exit_code = static_cast<int>(code);
  }
  CloseHandle(process);
  CloseHandle(output);
  return result;
}

RunResult RunProgram(const std::string& program,
                     const std::vector<std::string>& argv,
                     const std::string& working_directory,
                     const RunOptions& options) {
  return FinishProgram(StartProgram(program, argv, working_directory, options));
}

// Wine raises no Ctrl+Break for a whole console, nor a closed window; the
// program's handler is the same for every event.
std::vector<int> Interruptions() { return {CTRL_C_EVENT, -1}; }

int Interrupt(const StartedProgram& run, int how) {
  how < 0 ? TerminateProcess(LongToHandle(run.process), 1)
          : GenerateConsoleCtrlEvent(how, 0);
  return 0;
}

int ThisProcessId() { return static_cast<int>(GetCurrentProcessId()); }

bool MakeLink(const std::string& target, const std::string& link) {
  const fs::path at = link;
  CreateSymbolicLinkW(at.c_str(), fs::path(target).c_str(),
                      SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  if (!fs::exists(at)) {
    // Wine's makes nothing. But Wine starts POSIX programs too, and shows
    // ln's link as the file it points to; it does not wait for them to end.
    const fs::path from = at.parent_path();
    RunProgram("Z:\\bin\\ln",
               {"ln", "-s", fs::relative(target, from).generic_string(),
                at.filename().string()},
               from.string());
    for (int wait = 0; wait < 100 && !fs::exists(at); ++wait) Sleep(10);
  }
  return fs::exists(at);
}

std::shared_ptr<void> HoldOpen(const std::string& path) {
  return std::shared_ptr<void>(
      CreateFileW(fs::path(path).c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr),
      CloseHandle);
}

}  // namespace ovq2tyx::testing
