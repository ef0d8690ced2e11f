// The top menu "Root.tyx" that folder mode makes when the program's folder
// has none: a default header, then one link item per page and menu, pages
// first. Like every target it is written under a temporary name, and it is
// moved into place at the end of the run only when it is complete: the
// folder was listed and every target the run tried to write was written,
// none given up for lack of memory. Otherwise it is left out, and a later
// run makes it whole.
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
  bool making = false;   // "Root.tyx" was missing: this run makes it
  bool complete = true;  // nothing yet keeps it from landing
  std::unique_ptr<NewFile> file;
  std::unique_ptr<ProfileWriter> writer;
  int next_link = 0;  // section number of the next link item
  // Targets linked so far, and their link texts: none twice. Their paths
  // compare as the folder's volume compares names (see PrepareRootIndex).
  std::set<std::string, PathOrder> linked;
  std::set<std::string> link_texts;
};

// Starts a new "Root.tyx" in `program_directory` when there is none, and
// reports "[Generate] Root.tyx". When the folder's volume takes names
// without case (its temporary file is found under its name in upper case),
// so do the index's name and its links, whatever the system.
void PrepareRootIndex(RootIndexState& state,
                      std::string_view program_directory);

// After the conversion of the listed source `source_path` (in the
// program's folder): links its target when an index is being made and the
// target exists as a regular file, written now or already there. A target
// that could not be written, or not for lack of memory, keeps the index
// from landing. A link the index cannot hold (a name without an exact code
// page 932 form, one that Windows cannot hold or opens as a device, or the
// text of an earlier link) is reported at once; the index lands without
// it.
void RecordRootLink(RootIndexState& state, const std::string& source_path,
                    bool is_menu, Outcome outcome);

// Moves the index being made into place when it is complete; otherwise
// removes it and reports it as not written, the run's last line before the
// prompt.
void FinishRootIndex(RootIndexState& state);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_DRIVER_ROOT_INDEX_H_
