// File system services on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "os/file_extras.h"
#include "os/file_system.h"
#include "os/file_system_parts.h"
#include "os/interruption.h"
#include "os/native_path.h"

namespace ovq2tyx {

namespace {

// Temporary files to remove when the program is interrupted: copies of
// their paths that a signal handler may read at any moment. A path is
// guarded exactly while the file there is ours: it is guarded and
// unguarded under an InterruptionHold, with the file's creation and its
// move or removal.
std::atomic<char*> guarded_paths[4];

// A copy of `path` for Guard, made before the file: a shortage of memory
// (std::bad_alloc) then leaves nothing behind.
std::unique_ptr<char[]> GuardCopy(const std::string& path) {
  auto copy = std::make_unique_for_overwrite<char[]>(path.size() + 1);
  std::memcpy(copy.get(), path.c_str(), path.size() + 1);
  return copy;
}

int Guard(std::unique_ptr<char[]> copy) {
  for (int slot = 0; slot < 4; ++slot) {
    char* expected = nullptr;
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

// True when no process `pid` exists any more (0: none named).
bool ProcessIsGone(std::uint64_t pid) {
  return pid != 0 && pid <= INT_MAX && pid != CurrentProcessId() &&
         kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The most a claim's mark (a temporary name) can take.
constexpr std::size_t kMaxMarkSize = 64;

// Errors of a call that the file system does not offer.
bool Unsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP ||
         error == EOPNOTSUPP || error == EPERM;
}

// For file systems with neither a rename that refuses to replace nor hard
// links (exFAT, FAT): claims `to` by creating it only if nothing is there,
// marks the claim with the temporary file's name, then renames `from` onto
// it. Called under an InterruptionHold: no interruption comes between. A
// claim that cannot be removed when the move fails keeps its mark, by
// which a later run knows it (InspectTarget).
WriteResult MoveOntoClaim(const std::string& from, const std::string& to) {
  const int fd =
      open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    return errno == EEXIST ? WriteResult::kExists : WriteResult::kFailed;
  }
  const std::string_view mark = FindFileName(from, kNativePath);
  if (write(fd, mark.data(), mark.size()) < 0) {
    // An unmarked claim is a claim still; only a later run cannot know it.
  }
  close(fd);
  if (rename(from.c_str(), to.c_str()) == 0) return WriteResult::kWritten;
  if (unlink(to.c_str()) != 0) NoteUnremoved(to);
  return WriteResult::kFailed;
}

// True when the file open at `fd` is a claim that a run which is gone left
// at `path`: it holds nothing but a temporary name (the mark) of a process
// that no longer exists, no other run holds it (now this one does), and
// the name still leads to it.
bool IsStaleClaim(int fd, const std::string& path) {
  char mark[kMaxMarkSize];
  const ssize_t size = read(fd, mark, sizeof mark);
  if (size <= 0 ||
      !ProcessIsGone(TemporaryNameOwner(
          std::string_view(mark, static_cast<std::size_t>(size)))) ||
      flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return false;
  }
  struct stat held, named;
  return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// Removes the claim at `path` when a run that is gone left it; like a stale
// temporary file, under its lock while the name still leads to it.
TargetState RemoveStaleClaim(const std::string& path) {
  const int fd =
      open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return TargetState::kTaken;
  TargetState state = TargetState::kTaken;
  if (IsStaleClaim(fd, path)) {
    state =
        unlink(path.c_str()) == 0 ? TargetState::kFree : TargetState::kBlocked;
    if (state == TargetState::kBlocked) NoteUnremoved(path);
  }
  close(fd);
  return state;
}

// Moves `from` to `to` unless something exists at `to`.
WriteResult MoveNoReplace(const std::string& from, const std::string& to) {
  if (RenameNoReplace(from, to)) return WriteResult::kWritten;
  if (errno == EEXIST) return WriteResult::kExists;
  if (!Unsupported(errno)) return WriteResult::kFailed;
  // Without that rename, a hard link never replaces either.
  if (link(from.c_str(), to.c_str()) == 0) {
    unlink(from.c_str());
    return WriteResult::kWritten;
  }
  if (errno == EEXIST) return WriteResult::kExists;
  return Unsupported(errno) ? MoveOntoClaim(from, to) : WriteResult::kFailed;
}

}  // namespace

TargetState InspectTarget(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return TargetState::kFree;
  if (!S_ISREG(info.st_mode) || info.st_size == 0 ||
      static_cast<std::uint64_t>(info.st_size) >= kMaxMarkSize) {
    return TargetState::kTaken;
  }
  return RemoveStaleClaim(path);
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ReadRegularFile(const std::string& path, LargeArray<char>& bytes,
                     std::uint64_t max_size, Permissions* permissions) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                       static_cast<std::uint64_t>(info.st_size) <= max_size;
  if (regular && permissions != nullptr) *permissions = info.st_mode & 0666;
  // What the file holds when it is opened: a read error, or a file that
  // shrinks meanwhile, ends the read short.
  bytes =
      LargeArray<char>(regular ? static_cast<std::size_t>(info.st_size) : 0);
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  close(fd);
  return regular && got == bytes.size();
}

bool ListDirectory(const std::string& directory,
                   std::vector<std::string>& names) {
  names.clear();
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return false;
  errno = 0;
  while (struct dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  const bool complete = errno == 0;
  closedir(dir);
  std::sort(names.begin(), names.end(), NameLess);
  return complete;
}

// Removes the temporary files of runs that are gone: their process no longer
// exists and nothing holds a lock on the file (a live writer always does).
void RemoveStaleTemporaryFiles(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (struct dirent* entry = readdir(dir)) {
    if (!ProcessIsGone(TemporaryNameOwner(entry->d_name))) continue;
    const std::string path = CombinePath(folder, entry->d_name);
    const int fd =
        open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        flock(fd, LOCK_EX | LOCK_NB) == 0) {
      unlink(path.c_str());
    }
    close(fd);
  }
  closedir(dir);
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

std::uint64_t CurrentProcessId() {
  return static_cast<std::uint64_t>(getpid());
}

NewFile::NewFile(std::string path, Permissions permissions)
    : path_(std::move(path)) {
  // The names of this process are its own; one taken can only be a stale
  // file of a process with the same id, and the next name is tried.
  static unsigned counter = 0;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temp_path_ = CombinePath(RemoveFileName(path_),
                             TemporaryName(CurrentProcessId(), counter++));
    std::unique_ptr<char[]> guard = GuardCopy(temp_path_);
    const InterruptionHold hold;  // made and guarded in one step
    const int fd =
        open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
             static_cast<mode_t>(permissions));
    if (fd >= 0) {
      flock(fd, LOCK_EX | LOCK_NB);  // tells live files from stale ones
      handle_ = fd;
      guard_ = Guard(std::move(guard));
      return;
    }
    if (errno != EEXIST) return;
  }
}

NewFile::~NewFile() { Discard(); }

void NewFile::Discard() {
  if (handle_ == kClosed) return;
  {
    const InterruptionHold hold;  // removed and unguarded in one step
    if (unlink(temp_path_.c_str()) != 0 && errno != ENOENT) {
      NoteUnremoved(temp_path_);
    }
    Unguard(guard_);
  }
  // The descriptor stays open while a flush may use it.
  SettleEarlyFlush(static_cast<int>(handle_));
  close(static_cast<int>(handle_));
  handle_ = kClosed;
}

bool NewFile::FolderFoldsCase() const {
  // Our temporary names are in lower case and ours alone: when the same
  // name in upper case leads to a file, it is this one.
  std::string variant = temp_path_;
  for (std::size_t i = FileNameBegin(variant, kNativePath); i < variant.size();
       ++i) {
    if (variant[i] >= 'a' && variant[i] <= 'z') variant[i] -= 'a' - 'A';
  }
  struct stat info;
  return handle_ != kClosed && lstat(variant.c_str(), &info) == 0;
}

bool NewFile::Write(std::string_view bytes) {
  if (handle_ == kClosed) return false;
  const int fd = static_cast<int>(handle_);
  std::uint64_t offset = size_;
  while (!bytes.empty()) {
    const ssize_t n =
        pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (ftruncate(fd, static_cast<off_t>(size_)) != 0) {
        // The temporary file is discarded as a whole anyway.
      }
      return false;
    }
    offset += static_cast<std::uint64_t>(n);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  size_ = offset;
  FlushEarly(fd, size_);
  return true;
}

WriteResult NewFile::Commit() {
  if (handle_ == kClosed) return WriteResult::kFailed;
  const int fd = static_cast<int>(handle_);
  WriteResult result = WriteResult::kFailed;
  if (SettleEarlyFlush(fd) && fsync(fd) == 0) {
    const InterruptionHold hold;  // moved and unguarded in one step
    result = MoveNoReplace(temp_path_, path_);
    if (result == WriteResult::kWritten) Unguard(guard_);
  }
  if (result != WriteResult::kWritten) {
    Discard();
  } else {  // its temporary name is gone, and the flush settled above
    close(fd);
    handle_ = kClosed;
  }
  return result;
}

void RemoveTemporaryFiles() {
  for (std::atomic<char*>& slot : guarded_paths) {
    if (const char* path = slot.load()) unlink(path);
  }
}

}  // namespace ovq2tyx
