// Files and folders under their native names (see path.h): existence, whole
// reads of regular files, listings, and new files that appear complete or
// not at all. Failures are results, never exceptions.
//
// A new file is written under a short temporary name beside its target,
// flushed to disk and moved into place without replacing anything. The
// temporary name holds the writer's process id; a later run that writes into
// the same folder removes the temporary files of runs that are gone.
#ifndef OVQ2TYX_OS_FILE_SYSTEM_H_
#define OVQ2TYX_OS_FILE_SYSTEM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovq2tyx {

enum class WriteResult { kWritten, kExists, kFailed };

// True when anything (a file, a folder, a dangling link) exists at `path`.
bool PathExists(const std::string& path);

// True when `path` is a regular file (or a link to one).
bool IsRegularFile(const std::string& path);

// Reads a whole regular file of at most `max_size` bytes, without ever
// waiting on a FIFO or device. False when the path is missing, names
// anything but a regular file, is larger, or cannot be read.
bool ReadRegularFile(const std::string& path, std::string& bytes,
                     std::uint64_t max_size);

// The names (without folder) of every entry of `directory`, sorted by
// NameLess; an empty `directory` means the current one. False when the
// folder cannot be listed.
bool ListDirectory(const std::string& directory,
                   std::vector<std::string>& names);

class NewFile {
 public:
  // Opens the temporary file beside `path`; see is_open().
  explicit NewFile(std::string path);
  // Removes the temporary file unless it was moved into place.
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  bool is_open() const { return handle_ != kClosed; }

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

// Flushes to disk the folders that new files were moved into, so that their
// names survive a power cut too. Called once at the end of a run.
void SyncWrittenDirectories();

// Removes the temporary files being written. Safe to call from a signal
// handler; the interruption handlers do.
void RemoveTemporaryFiles();

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_FILE_SYSTEM_H_
