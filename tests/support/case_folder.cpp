#include "support/case_folder.h"

#include <sstream>

#include "support/temp_dir.h"

namespace ovq2tyx::testing {

bool CaseRunsHere(const std::filesystem::path& case_folder) {
#ifdef _WIN32
  constexpr char kPlatform[] = "windows";
#else
  constexpr char kPlatform[] = "posix";
#endif
  const std::filesystem::path platforms = case_folder / "platforms";
  if (!std::filesystem::exists(platforms)) return true;
  std::istringstream words(ReadBytes(platforms));
  for (std::string word; words >> word;) {
    if (word == kPlatform) return true;
  }
  return false;
}

}  // namespace ovq2tyx::testing
