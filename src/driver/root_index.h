// The top menu "Root.tyx" that directory mode creates when the program's
// directory has none: a default header, then one link item per page and menu
// written in the same run, pages first.
#ifndef OVQ2TYX_DRIVER_ROOT_INDEX_H_
#define OVQ2TYX_DRIVER_ROOT_INDEX_H_

#include <string>
#include <string_view>

#include "menu/menu_file.h"

namespace ovq2tyx {

struct RootIndexState {
  std::string root_path;
  bool root_created = false;  // links are added only to a root made this run
  int next_link = 0;          // section number of the next link item
};

// Creates "Root.tyx" with its header when it is missing. The file is complete
// on disk before this returns, so a menu "Root.ovq" sees it as existing.
void PrepareRootIndex(RootIndexState& state,
                      std::string_view program_directory);

// Adds a link to the converted entry when its target was written this run
// and the root was created by this run.
void RecordRootLink(RootIndexState& state, std::string_view entry_name,
                    bool is_menu, ConvertResult result);

// Appends link item `n` to the root file; false when it could not be written
// (the file then keeps its previous content).
bool WriteRootLink(int n, std::string_view name, const std::string& root_path,
                   bool is_menu);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_DRIVER_ROOT_INDEX_H_
