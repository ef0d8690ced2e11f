// File system services on Windows. Names are UTF-8 (wide_name.h) and go to
// the wide functions in their "\\?\" form (long_path.h), so that a path of
// any length works, as it does on POSIX, and names exactly the file listed
// or given.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>

#include "os/file_system.h"
#include "os/file_system_parts.h"
#include "os/interruption.h"
#include "os/long_path.h"
#include "os/native_path.h"
#include "os/wide_name.h"

namespace ovq2tyx {

namespace {

// Temporary files to remove when the program is interrupted; the console's
// control handler reads them on a thread of its own. A path is guarded
// exactly while the file there is ours: slots change only under an
// InterruptionHold, with the file's creation and its move or removal, and
// the handler takes the hold before it reads them.
std::atomic<wchar_t*> guarded_paths[4];

// A copy of `path` for Guard, made before the file: a shortage of memory
// (std::bad_alloc) then leaves nothing behind.
std::unique_ptr<wchar_t[]> GuardCopy(const std::wstring& path) {
  auto copy = std::make_unique_for_overwrite<wchar_t[]>(path.size() + 1);
  std::copy(path.c_str(), path.c_str() + path.size() + 1, copy.get());
  return copy;
}

int Guard(std::unique_ptr<wchar_t[]> copy) {
  for (int slot = 0; slot < 4; ++slot) {
    wchar_t* expected = nullptr;
    if (guarded_paths[slot].compare_exchange_strong(expected, copy.get())) {
      copy.release();
      return slot;
    }
  }
  return -1;
}

// Frees `slot` (-1: none) and leaves it at -1.
void Unguard(int& slot) {
  if (slot >= 0) delete[] guarded_paths[slot].exchange(nullptr);
  slot = -1;
}

// True when no process `pid` runs any more.
bool ProcessIsGone(std::uint64_t pid) {
  if (pid > MAXDWORD) return true;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

// The path of an open file or folder as the system resolves it, links
// followed; "" when it cannot say.
std::wstring ResolvedPath(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD size = GetFinalPathNameByHandleW(handle, path.data(),
                                         static_cast<DWORD>(path.size()), 0);
  if (size >= path.size()) {
    path.resize(size);
    size = GetFinalPathNameByHandleW(handle, path.data(), size, 0);
  }
  path.resize(size < path.size() ? size : 0);
  return path;
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

TargetState InspectTarget(const std::string& path) {
  return GetFileAttributesW(LongPath(path).c_str()) == INVALID_FILE_ATTRIBUTES
             ? TargetState::kFree
             : TargetState::kTaken;
}

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ReadRegularFile(const std::string& path, LargeArray<char>& bytes,
                     std::uint64_t max_size, Permissions*) {
  // Opening a folder this way fails, as it should; devices and pipes are
  // refused by their type before anything is read.
  HANDLE file = CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  const bool regular = GetFileType(file) == FILE_TYPE_DISK &&
                       GetFileSizeEx(file, &size) &&
                       static_cast<std::uint64_t>(size.QuadPart) <= max_size;
  // What the file holds when it is opened: a read error, or a file that
  // shrinks meanwhile, ends the read short.
  bytes =
      LargeArray<char>(regular ? static_cast<std::size_t>(size.QuadPart) : 0);
  std::size_t got = 0;
  DWORD n = 0;
  while (got < bytes.size() &&
         ReadFile(file, bytes.data() + got,
                  static_cast<DWORD>(std::min<std::size_t>(
                      bytes.size() - got, std::size_t{1} << 30)),
                  &n, nullptr) &&
         n > 0) {
    got += n;
  }
  CloseHandle(file);
  return regular && got == bytes.size();
}

bool ListDirectory(const std::string& directory,
                   std::vector<std::string>& names) {
  names.clear();
  WIN32_FIND_DATAW entry;
  HANDLE find =
      FindFirstFileW(LongPathIn(LongPath(directory), L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const std::wstring_view name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(NameFromWide(name));
  } while (FindNextFileW(find, &entry));
  const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(find);
  std::sort(names.begin(), names.end(), NameLess);
  return complete;
}

// Removes the temporary files of runs that are gone. The file itself is
// opened, never what a link points to, and without sharing: a live run holds
// its file open, so that opening it fails. Where links are not seen as such
// (Wine shows a POSIX link as the file it points to), the file opened must
// still be the one listed: the path the system resolves it to is the
// folder's own and its name.
void RemoveStaleTemporaryFiles(const std::string& folder) {
  const std::wstring directory = LongPath(folder);
  HANDLE handle =
      CreateFileW(directory.c_str(), FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  std::wstring resolved = ResolvedPath(handle);
  CloseHandle(handle);
  if (!resolved.ends_with(L'\\')) resolved += L'\\';
  WIN32_FIND_DATAW entry;
  HANDLE find =
      FindFirstFileW(LongPathIn(directory, L".ovq2tyx-*.tmp").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::uint64_t pid = TemporaryNameOwner(NameFromWide(entry.cFileName));
    if (pid == 0 || pid == CurrentProcessId() || !ProcessIsGone(pid)) continue;
    HANDLE file =
        CreateFileW(LongPathIn(directory, entry.cFileName).c_str(),
                    DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    FILE_BASIC_INFO info;
    if (GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info) &&
        (info.FileAttributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
        ResolvedPath(file) == resolved + entry.cFileName) {
      FILE_DISPOSITION_INFO dispose = {TRUE};
      SetFileInformationByHandle(file, FileDispositionInfo, &dispose,
                                 sizeof dispose);
    }
    CloseHandle(file);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

void SyncFolder(const std::string&) {
  // Windows flushes a folder's entries with the files moved into it.
}

std::uint64_t CurrentProcessId() { return GetCurrentProcessId(); }

NewFile::NewFile(std::string path, Permissions) : path_(std::move(path)) {
  const std::wstring target = LongPath(path_);
  if (target.empty()) return;
  const std::wstring directory = target.substr(0, target.rfind(L'\\'));
  static unsigned counter = 0;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string name = TemporaryName(CurrentProcessId(), counter++);
    const std::wstring temp = LongPathIn(directory, NameToWide(name));
    temp_path_ = path_.substr(0, path_.find_last_of("\\/") + 1) + name;
    std::unique_ptr<wchar_t[]> guard = GuardCopy(temp);
    const InterruptionHold hold;  // made and guarded in one step
    // Not shared but for deletion: another run cannot take it for stale,
    // and an interruption can still delete it.
    HANDLE file =
        CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(file);
      guard_ = Guard(std::move(guard));
      return;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return;
  }
}

NewFile::~NewFile() { Discard(); }

void NewFile::Discard() {
  if (handle_ == kClosed) return;
  const InterruptionHold hold;  // removed and unguarded in one step
  FILE_DISPOSITION_INFO dispose = {TRUE};
  if (!SetFileInformationByHandle(AsHandle(handle_), FileDispositionInfo,
                                  &dispose, sizeof dispose)) {
    NoteUnremoved(temp_path_);
  }
  CloseHandle(AsHandle(handle_));
  handle_ = kClosed;
  Unguard(guard_);
}

// Windows takes names without case (kNativePath).
bool NewFile::FolderFoldsCase() const { return handle_ != kClosed; }

bool NewFile::Write(std::string_view bytes) {
  if (handle_ == kClosed) return false;
  HANDLE file = AsHandle(handle_);
  std::uint64_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(
        std::min<std::uint64_t>(bytes.size() - written, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &n, nullptr) ||
        n == 0) {
      LARGE_INTEGER end;
      end.QuadPart = static_cast<LONGLONG>(size_);
      SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
      SetEndOfFile(file);
      return false;
    }
    written += n;
  }
  size_ += written;
  return true;
}

WriteResult NewFile::Commit() {
  if (handle_ == kClosed) return WriteResult::kFailed;
  WriteResult result = WriteResult::kFailed;
  if (FlushFileBuffers(AsHandle(handle_))) {
    // Renamed through the open handle, without replacing anything: the file
    // is never closed under its temporary name, where another run could
    // take it for stale. The new name is a full path in the kernel's form.
    std::wstring name = LongPath(path_);
    name.replace(0, 4, L"\\??\\");
    std::string buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t),
                       '\0');
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), rename->FileName);
    const InterruptionHold hold;  // moved and unguarded in one step
    if (SetFileInformationByHandle(AsHandle(handle_), FileRenameInfo, rename,
                                   static_cast<DWORD>(buffer.size()))) {
      CloseHandle(AsHandle(handle_));
      handle_ = kClosed;
      Unguard(guard_);
      return WriteResult::kWritten;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
      result = WriteResult::kExists;
    }
  }
  Discard();
  return result;
}

void RemoveTemporaryFiles() {
  for (std::atomic<wchar_t*>& slot : guarded_paths) {
    if (const wchar_t* path = slot.load()) DeleteFileW(path);
  }
}

}  // namespace ovq2tyx
