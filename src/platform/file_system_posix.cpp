// File system services on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/file_system.h"

namespace ovq2tyx {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Opens a fresh temporary file beside `path`, named "<path>.~<pid>-<n>".
int CreateTemporaryBeside(const std::string& path, std::string& temp_path) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = path + ".~" + std::to_string(getpid()) + "-" +
                std::to_string(counter++);
    int fd =
        open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Moves `from` to `to` unless something exists at `to`.
WriteResult MoveNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(),
                RENAME_NOREPLACE) == 0) {
    return WriteResult::kWritten;
  }
  if (errno == EEXIST) return WriteResult::kExists;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
    return WriteResult::kFailed;
  }
  // File systems without the flag: a hard link never replaces either.
  if (link(from.c_str(), to.c_str()) != 0) {
    return errno == EEXIST ? WriteResult::kExists : WriteResult::kFailed;
  }
  unlink(from.c_str());
  return WriteResult::kWritten;
}

}  // namespace

bool PathExists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

bool ReadRegularFile(const std::string& path, std::string& bytes,
                     std::uint64_t max_size) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            static_cast<std::uint64_t>(info.st_size) <= max_size;
  bytes.clear();
  if (ok) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  while (ok) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
    ok = bytes.size() <= max_size;  // the file may grow while it is read
  }
  close(fd);
  return ok;
}

WriteResult WriteNewFile(const std::string& path, std::string_view bytes) {
  if (PathExists(path)) return WriteResult::kExists;
  std::string temp_path;
  int fd = CreateTemporaryBeside(path, temp_path);
  if (fd < 0) return WriteResult::kFailed;
  bool written = WriteAll(fd, bytes);
  written = (close(fd) == 0) && written;
  WriteResult result =
      written ? MoveNoReplace(temp_path, path) : WriteResult::kFailed;
  if (result != WriteResult::kWritten) unlink(temp_path.c_str());
  return result;
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok && !WriteAll(fd, bytes)) {
    ok = false;
    if (ftruncate(fd, info.st_size) != 0) {
      // Nothing more can be done; the caller reports the failure.
    }
  }
  ok = (close(fd) == 0) && ok;
  return ok;
}

std::vector<std::string> ListDirectory(const std::string& directory,
                                       std::string_view pattern) {
  std::vector<std::string> names;
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return names;
  while (struct dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (MatchesWildcard(name, pattern)) names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

}  // namespace ovq2tyx
