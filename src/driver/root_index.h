// The top menu "Root.tyx" that folder mode makes when the program's folder
// has none: a default header, then one link item per page and menu, pages
// first. Like every target it is written under a temporary name and moved
// into place at the end of the run, complete or not at all; a run that was
// interrupted leaves none, and the next run makes it whole.
#ifndef OVQ2TYX_DRIVER_ROOT_INDEX_H_
#define OVQ2TYX_DRIVER_ROOT_INDEX_H_

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "menu/menu_file.h"
#include "os/file_system.h"
#include "os/native_path.h"
#include "profile/profile_writer.h"

namespace ovq2tyx {

struct RootIndexState {
  std::string root_path;
  // Set while an index is being made; links go into it as the run goes.
  std::unique_ptr<NewFile> file;
  std::unique_ptr<ProfileWriter> writer;
  int next_link = 0;  // section number of the next link item
  // Targets linked so far: none is linked twice.
  std::set<std::string, PathOrder> linked;
};

// Starts a new "Root.tyx" in `program_directory` when there is none, and
// reports "[Generate] Root.tyx" (or that it cannot be written).
void PrepareRootIndex(RootIndexState& state,
                      std::string_view program_directory);

// Links the target of the listed entry `entry_name` (in the program's
// folder) when an index is being made and the target exists as a regular
// file after the conversion: written now or already there. A link that
// cannot be added is reported at once.
void RecordRootLink(RootIndexState& state, std::string_view entry_name,
                    bool is_menu, Outcome outcome);

// Appends link item `n` to `root` for the target named `name` (menu text).
void WriteRootLink(ProfileWriter& root, int n, std::string_view name,
                   bool is_menu);

// Moves the index being made into place, reporting when it cannot be.
void FinishRootIndex(RootIndexState& state);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_DRIVER_ROOT_INDEX_H_
