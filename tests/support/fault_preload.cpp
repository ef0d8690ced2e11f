// Test support, loaded into the program with LD_PRELOAD: a file system with
// neither a rename that refuses to replace nor hard links, as exFAT and FAT
// are, and faults that a test cannot cause otherwise, chosen by the
// environment:
//   OVQ2TYX_FAULT=claim-taken     another program makes the target (content
//                                 "theirs") and SIGINT comes as the program
//                                 claims it
//   OVQ2TYX_FAULT=moved-then-int  SIGINT comes as a file has just been moved
//                                 onto its claim
//   OVQ2TYX_FAULT=claim-stuck     a move onto a claim fails, and so does
//                                 removing anything but a temporary file
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

bool Fault(const char* name) {
  const char* fault = getenv("OVQ2TYX_FAULT");
  return fault != nullptr && strcmp(fault, name) == 0;
}

// A target, not one of the program's temporary files.
bool IsTarget(const char* path) {
  const char* slash = strrchr(path, '/');
  return strncmp(slash ? slash + 1 : path, ".ovq2tyx-", 9) != 0;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int renameat2(int, const char*, int, const char*, unsigned) {
  errno = EINVAL;
  return -1;
}

int link(const char*, const char*) {
  errno = EPERM;
  return -1;
}

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & O_CREAT) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, mode_t);
    va_end(args);
  }
  const auto next = Next<int (*)(const char*, int, ...)>("open");
  if ((flags & O_EXCL) && IsTarget(path) && Fault("claim-taken")) {
    const int fd = next(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (write(fd, "theirs", 6) != 6) abort();
    close(fd);
    raise(SIGINT);
  }
  return next(path, flags, mode);
}
int open64(const char* path, int flags, ...) __attribute__((alias("open")));

int rename(const char* from, const char* to) {
  if (IsTarget(to) && Fault("claim-stuck")) {
    errno = EIO;
    return -1;
  }
  const int result =
      Next<int (*)(const char*, const char*)>("rename")(from, to);
  if (result == 0 && IsTarget(to) && Fault("moved-then-int")) raise(SIGINT);
  return result;
}

int unlink(const char* path) {
  if (IsTarget(path) && Fault("claim-stuck")) {
    errno = EACCES;
    return -1;
  }
  return Next<int (*)(const char*)>("unlink")(path);
}

}  // extern "C"
