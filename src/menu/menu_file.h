// One source menu file ("Page*.ini" page or "*.ovq" menu) into one target
// menu file (".tyx") beside it: the target's name, the refusal to overwrite,
// the header and the items. It reports nothing itself: its outcome goes to
// the report (report.h).
#ifndef OVQ2TYX_MENU_MENU_FILE_H_
#define OVQ2TYX_MENU_MENU_FILE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "item/command_table.h"
#include "menu/report.h"
#include "os/native_path.h"
#include "profile/profile_writer.h"

namespace ovq2tyx {

// Pages found by the folder scan must carry a "Locate" (strict); menus and
// files named on the command line get the default flags (lenient).
enum class HeaderRule { kStrict, kLenient };

// The target header: stored as the 8-byte struct value "Node"/"Config":
// locate flags, three zero bytes, Left, Right, two zero bytes.
struct NodeConfig {
  std::uint8_t locate_flags = 0x0F;
  std::uint8_t left = 0;
  std::uint8_t right = 100;
};

void WriteNodeConfig(ProfileWriter& target, const NodeConfig& config);

// "<name>.tyx" beside the source: the extension replaced or added.
std::string TargetPath(const std::string& source_path);

// A target that counts as existing although it is not there yet (the root
// index being made), and how the names of its folder compare.
struct ReservedTarget {
  std::string_view path;  // empty for none
  PathOrder order;
};

// Converts `source_path` into `target_path` (its TargetPath) unless
// something exists there or it is `reserved`. kWritten only when the
// target is in place, complete; kOutOfMemory when a shortage of memory
// stopped it, at any stage, with nothing left behind.
Outcome ConvertMenuFile(const std::string& source_path,
                        const std::string& target_path, HeaderRule rule,
                        const CommandTable& commands,
                        const ReservedTarget& reserved = {});

}  // namespace ovq2tyx

#endif  // OVQ2TYX_MENU_MENU_FILE_H_
