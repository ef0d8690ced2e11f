// Test support, loaded into the program with LD_PRELOAD: a file system with
// neither a rename that refuses to replace nor hard links, as exFAT and FAT
// are, for machines that cannot mount one.
#include <errno.h>
#include <stdio.h>
#include <unistd.h>

extern "C" {

int renameat2(int, const char*, int, const char*, unsigned) {
  errno = EINVAL;
  return -1;
}

int link(const char*, const char*) {
  errno = EPERM;
  return -1;
}

}  // extern "C"
