#include "driver/modes.h"

#include <new>

#include "driver/root_index.h"
#include "menu/menu_file.h"
#include "menu/report.h"
#include "os/file_system.h"
#include "os/native_path.h"

namespace ovq2tyx {

namespace {

// Converts one source into its target beside it and reports the outcome.
Outcome ConvertAndReport(const std::string& source_path, HeaderRule rule,
                         const CommandTable& commands,
                         std::string_view reserved = {}) {
  const std::string target_path = TargetPath(source_path);
  const Outcome outcome =
      ConvertMenuFile(source_path, target_path, rule, commands, reserved);
  ReportConversion(outcome, source_path, target_path);
  ReportUnremovedFiles();
  return outcome;
}

// Converts every listed name that matches `pattern`. The listing was taken
// whole first, so the targets written meanwhile are never listed.
void ConvertListed(const std::string& directory,
                   const std::vector<std::string>& names,
                   std::string_view pattern, bool is_menu,
                   const CommandTable& commands, RootIndexState& root) {
  const HeaderRule rule = is_menu ? HeaderRule::kLenient : HeaderRule::kStrict;
  // While an index is made, its name counts as taken ("Root.ovq").
  std::string_view reserved;
  if (root.making) reserved = root.root_path;
  for (const std::string& name : names) {
    if (!MatchesWildcard(name, pattern)) continue;
    const Outcome outcome = ConvertAndReport(CombinePath(directory, name), rule,
                                             commands, reserved);
    RecordRootLink(root, name, is_menu, outcome);
  }
}

}  // namespace

void RunDirectoryMode(const std::string& program_path,
                      const CommandTable& commands) {
  const std::string directory(RemoveFileName(program_path));
  RootIndexState root;
  PrepareRootIndex(root, directory);
  std::vector<std::string> names;
  bool listed = false;
  try {
    listed = ListDirectory(directory, names);
  } catch (const std::bad_alloc&) {
    names.clear();  // a folder too large for the memory at hand
  }
  if (!listed) {
    ReportPath(Outcome::kCannotRead, directory.empty() ? "." : directory);
    root.complete = false;  // its links would be missing for good
  }
  ConvertListed(directory, names, "Page*.ini", false, commands, root);
  ConvertListed(directory, names, "*.ovq", true, commands, root);
  FinishRootIndex(root);
}

void RunArgumentMode(const std::vector<std::string>& paths,
                     const CommandTable& commands) {
  for (const std::string& path : paths) {
    ConvertAndReport(path, HeaderRule::kLenient, commands);
  }
}

}  // namespace ovq2tyx
