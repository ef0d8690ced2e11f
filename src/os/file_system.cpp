#include "os/file_system.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <utility>
#include <vector>

#include "os/file_system_parts.h"

namespace ovq2tyx {

namespace {

constexpr std::string_view kTempPrefix = ".ovq2tyx-";
constexpr std::string_view kTempSuffix = ".tmp";

std::vector<std::string>& UnremovedFiles() {
  static std::vector<std::string> files;
  return files;
}

// The folders prepared in this run.
std::vector<std::string>& PreparedFolders() {
  static std::vector<std::string> folders;
  return folders;
}

// Reads the decimal number that starts `text` (no sign, no leading zero)
// and moves past it; false when there is none.
bool TakeNumber(std::string_view& text, std::uint64_t& number) {
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), number);
  const auto length = static_cast<std::size_t>(end - text.data());
  if (error != std::errc() || (text[0] == '0' && length > 1)) return false;
  text.remove_prefix(length);
  return true;
}

}  // namespace

void PrepareFolder(std::string_view folder) {
  const std::string name(folder.empty() ? "." : folder);
  std::vector<std::string>& folders = PreparedFolders();
  if (std::find(folders.begin(), folders.end(), name) != folders.end()) return;
  RemoveStaleTemporaryFiles(name);
  folders.push_back(name);
}

void SyncWrittenFolders() {
  for (const std::string& folder : PreparedFolders()) SyncFolder(folder);
}

std::vector<std::string> TakeUnremovedFiles() {
  return std::exchange(UnremovedFiles(), {});
}

void NoteUnremoved(std::string path) {
  try {
    UnremovedFiles().push_back(std::move(path));
  } catch (const std::bad_alloc&) {
    // The file stays to be removed by a later run all the same.
  }
}

std::string TemporaryName(std::uint64_t pid, unsigned n) {
  return std::string(kTempPrefix) + std::to_string(pid) + "-" +
         std::to_string(n) + std::string(kTempSuffix);
}

std::uint64_t TemporaryNameOwner(std::string_view name) {
  std::uint64_t pid = 0, n = 0;
  if (!name.starts_with(kTempPrefix)) return 0;
  name.remove_prefix(kTempPrefix.size());
  if (!TakeNumber(name, pid) || !name.starts_with('-')) return 0;
  name.remove_prefix(1);
  return TakeNumber(name, n) && name == kTempSuffix ? pid : 0;
}

}  // namespace ovq2tyx
