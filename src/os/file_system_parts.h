// Within os/: what the files of the file system module share with one
// another and with the interruption handlers. file_system.cpp names the
// temporary files and keeps the list of those left behind; each system's
// file_system_<system>.cpp defines the rest. Other folders use
// file_system.h.
#ifndef OVQ2TYX_OS_FILE_SYSTEM_PARTS_H_
#define OVQ2TYX_OS_FILE_SYSTEM_PARTS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace ovq2tyx {

// "<prefix><pid>-<n><suffix>", the temporary name of a new file; a short
// name, so that it fits wherever its target's does.
std::string TemporaryName(std::uint64_t pid, unsigned n);

// The process id in a temporary name of that exact form, or 0 for any other
// name (a user's own ".ovq2tyx-notes.tmp" among them).
std::uint64_t TemporaryNameOwner(std::string_view name);

// How often a new file tries the next temporary name when one is taken.
inline constexpr int kTemporaryNameAttempts = 100;

// Notes a file of ours that could not be removed, for TakeUnremovedFiles.
// Never fails: without the memory to note a file, only its line is lost.
void NoteUnremoved(std::string path);

// Per system: for PrepareFolder and SyncWrittenFolders.
void RemoveStaleTemporaryFiles(const std::string& folder);
void SyncFolder(const std::string& folder);
std::uint64_t CurrentProcessId();

// Removes the temporary files being written. Safe to call from a signal
// handler; the interruption handlers do.
void RemoveTemporaryFiles();

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_FILE_SYSTEM_PARTS_H_
