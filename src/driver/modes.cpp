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
                         const ReservedTarget& reserved = {}) {
  Outcome outcome = Outcome::kOutOfMemory;
  std::string target_path;
  try {
    target_path = TargetPath(source_path);
    outcome =
        ConvertMenuFile(source_path, target_path, rule, commands, reserved);
  } catch (const std::bad_alloc&) {
    // Not even room for the target's name; the line names the source.
  }
  ReportConversion(outcome, source_path, target_path);
  ReportUnremovedFiles();
  return outcome;
}

struct Source {
  std::string path;
  bool is_menu = false;
};

// The sources in `directory`: every "Page*.ini", then every "*.ovq". The
// listing is taken whole first, so the targets written meanwhile are never
// listed. False when the folder cannot be listed, or its sources not held
// in the memory at hand.
bool ListSources(std::string_view directory, std::vector<Source>& sources) {
  try {
    std::vector<std::string> names;
    if (!ListDirectory(std::string(directory), names)) return false;
    for (const bool is_menu : {false, true}) {
      for (const std::string& name : names) {
        if (MatchesWildcard(name, is_menu ? "*.ovq" : "Page*.ini")) {
          sources.push_back({CombinePath(directory, name), is_menu});
        }
      }
    }
    return true;
  } catch (const std::bad_alloc&) {
    sources.clear();
    return false;
  }
}

}  // namespace

void RunDirectoryMode(const std::string& program_path,
                      const CommandTable& commands) {
  const std::string_view directory = RemoveFileName(program_path);
  RootIndexState root;
  PrepareRootIndex(root, directory);
  std::vector<Source> sources;
  if (!ListSources(directory, sources)) {
    ReportPath(Outcome::kCannotRead, directory.empty() ? "." : directory);
    root.complete = false;  // its links would be missing for good
  }
  // While an index is made, its name counts as taken ("Root.ovq").
  ReservedTarget reserved;
  if (root.making) reserved = {root.root_path, root.linked.key_comp()};
  for (const Source& source : sources) {
    const Outcome outcome = ConvertAndReport(
        source.path,
        source.is_menu ? HeaderRule::kLenient : HeaderRule::kStrict, commands,
        reserved);
    RecordRootLink(root, source.path, source.is_menu, outcome);
  }
  FinishRootIndex(root);
}

void RunArgumentMode(const std::vector<std::string>& paths,
                     const CommandTable& commands) {
  for (const std::string& path : paths) {
    ConvertAndReport(path, HeaderRule::kLenient, commands);
  }
}

void ReportNothingConverted(const std::vector<std::string>& arguments) {
  if (arguments.size() == 1) {
    const std::string_view directory = RemoveFileName(arguments[0]);
    ReportPath(Outcome::kOutOfMemory, directory.empty() ? "." : directory);
  }
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    ReportPath(Outcome::kOutOfMemory, arguments[i]);
  }
}

}  // namespace ovq2tyx
