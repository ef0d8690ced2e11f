// File system services on Windows, through the ANSI ("A") functions so that
// names are code page 932 bytes like every other text of the program.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/file_system.h"
#include "platform/path.h"

namespace ovq2tyx {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now, reporting whether the close succeeded.
  bool Close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) ||
        written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadRegularFile(const std::string& path, std::string& bytes,
                     std::uint64_t max_size) {
  // Opening a directory this way fails, as it should.
  Handle file(CreateFileA(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
  bytes.clear();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) ||
      static_cast<std::uint64_t>(size.QuadPart) > max_size) {
    return false;
  }
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  char buffer[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      return false;
    }
    if (got == 0) return true;
    bytes.append(buffer, got);
    if (bytes.size() > max_size) return false;  // it grew while being read
  }
}

WriteResult WriteNewFile(const std::string& path, std::string_view bytes) {
  if (PathExists(path)) return WriteResult::kExists;
  static unsigned counter = 0;
  std::string temp_path;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE;
       ++attempt) {
    temp_path = path + ".~" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter++);
    created = CreateFileA(temp_path.c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE &&
        GetLastError() != ERROR_FILE_EXISTS) {
      return WriteResult::kFailed;
    }
  }
  Handle file(created);
  if (!file.valid()) return WriteResult::kFailed;
  bool written = WriteAll(file.get(), bytes);
  written = file.Close() && written;
  WriteResult result = WriteResult::kFailed;
  if (written) {
    // Without MOVEFILE_REPLACE_EXISTING the move never replaces a file.
    if (MoveFileExA(temp_path.c_str(), path.c_str(), 0)) {
      result = WriteResult::kWritten;
    } else if (GetLastError() == ERROR_ALREADY_EXISTS ||
               GetLastError() == ERROR_FILE_EXISTS) {
      result = WriteResult::kExists;
    }
  }
  if (result != WriteResult::kWritten) DeleteFileA(temp_path.c_str());
  return result;
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
  LARGE_INTEGER end, zero;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(file.get(), zero, &end, FILE_END)) return false;
  if (!WriteAll(file.get(), bytes)) {
    // Cut back to the old end so the file keeps its previous content.
    SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN);
    SetEndOfFile(file.get());
    return false;
  }
  return file.Close();
}

std::vector<std::string> ListDirectory(const std::string& directory,
                                       std::string_view pattern) {
  std::vector<std::string> names;
  // List everything and match here: the platform's own matching would also
  // accept short alternative names ("LONGNA~1.OVQ").
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(CombinePath(directory, "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string_view name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (MatchesWildcard(name, pattern)) names.emplace_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

}  // namespace ovq2tyx
