// Files and folders under their native names (see native_path.h): what is
// at a target, whole reads of regular files, listings, and new files that
// appear complete or not at all. Failures are results; the one exception is
// std::bad_alloc, a shortage of memory, which leaves nothing behind.
//
// A new file is written under a short temporary name beside its target,
// flushed to disk and moved into place without replacing anything. The
// temporary name holds the writer's process id; before a run first writes
// into a folder (PrepareFolder), it removes the temporary files there of
// runs that are gone.
#ifndef OVQ2TYX_OS_FILE_SYSTEM_H_
#define OVQ2TYX_OS_FILE_SYSTEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/large_array.h"

namespace ovq2tyx {

enum class WriteResult { kWritten, kExists, kFailed };

// POSIX permission bits of a new file, before the umask takes its share.
// Windows files take their folder's permissions and ignore these.
using Permissions = std::uint32_t;
inline constexpr Permissions kNewFilePermissions = 0666;

// What stands at the path of a new file.
enum class TargetState {
  kFree,     // nothing, or a claim that a run which is gone left, removed now
  kTaken,    // anything else (a file, a folder, a dangling link): left alone
  kBlocked,  // such a claim that cannot be removed (noted as unremoved)
};

// Where a volume has neither a rename that refuses to replace nor hard
// links, a new file is moved onto a claim: its target's name, made only if
// nothing was there and marked with the temporary file's name. A run
// killed outright in between, or whose move fails where the claim cannot be
// removed either, leaves the claim; the next run that comes to that target
// removes it once the run that made it is gone. On Windows, whose every
// volume refuses to replace, there are no claims.
TargetState InspectTarget(const std::string& path);

// True when `path` is a regular file (or a link to one).
bool IsRegularFile(const std::string& path);

// Reads a whole regular file of at most `max_size` bytes, without ever
// waiting on a FIFO or device. False when the path is missing, names
// anything but a regular file, is larger, or cannot be read. `permissions`,
// when given, receives the file's read and write bits, for a copy that is
// as private as it is.
bool ReadRegularFile(const std::string& path, LargeArray<char>& bytes,
                     std::uint64_t max_size,
                     Permissions* permissions = nullptr);

// The names (without folder) of every entry of `directory`, sorted by
// NameLess; an empty `directory` means the current one. False when the
// folder cannot be listed.
bool ListDirectory(const std::string& directory,
                   std::vector<std::string>& names);

// Once per folder and run, before the first NewFile in it: removes the
// temporary files that runs which are gone left in `folder` ("" is the
// current one), and notes the folder for SyncWrittenFolders.
void PrepareFolder(std::string_view folder);

// Flushes to disk the folders prepared, so that the names of the files moved
// into them survive a power cut too. Called once at the end of a run.
void SyncWrittenFolders();

class NewFile {
 public:
  // Creates the temporary file beside `path`; see is_open().
  explicit NewFile(std::string path,
                   Permissions permissions = kNewFilePermissions);
  // Removes the temporary file unless it was moved into place.
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  bool is_open() const { return handle_ != kClosed; }

  // True when the folder takes names without case, as Windows does and as
  // exFAT and FAT volumes do on any system: then the temporary file is
  // found by its name in another case as well.
  bool FolderFoldsCase() const;

  // Appends all of `bytes`, or nothing: a failed write is cut back off.
  bool Write(std::string_view bytes);

  // Flushes the file to disk and moves it to its path. kExists when
  // something appeared there meanwhile; the temporary file is gone in every
  // outcome.
  WriteResult Commit();

 private:
  static constexpr std::intptr_t kClosed = -1;
  void Discard();

  std::string path_;
  std::string temp_path_;
  std::intptr_t handle_ = kClosed;  // a descriptor or a HANDLE
  std::uint64_t size_ = 0;
  int guard_ = -1;  // the slot that removes the file on interruption
};

// The files of ours that could not be removed since the last call (a folder
// made read-only meanwhile), for the report; a later run removes them.
std::vector<std::string> TakeUnremovedFiles();

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_FILE_SYSTEM_H_
