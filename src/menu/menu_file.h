// One source menu file ("Page*.ini" page or "*.ovq" menu) into one target
// menu file (".tyx") beside it: the target's name, the refusal to overwrite,
// the header and the items. Outcomes are console lines and a result value.
#ifndef OVQ2TYX_MENU_MENU_FILE_H_
#define OVQ2TYX_MENU_MENU_FILE_H_

#include <cstdint>
#include <string>

#include "item/command_table.h"
#include "platform/profile_store.h"

namespace ovq2tyx {

// Pages found by the directory scan must carry a "Locate" (strict); menus
// and files named on the command line get the default flags (lenient).
enum class HeaderRule { kStrict, kLenient };

enum class ConvertResult {
  kTargetExisted,  // the target was there already; nothing done
  kWritten,        // the target was written, complete
  kNotWritten,     // bad header, unreadable source or failed write
};

// The target header: stored as the 8-byte struct value "Node"/"Config":
// locate flags, three zero bytes, Left, Right, two zero bytes.
struct NodeConfig {
  std::uint8_t locate_flags = 0x0F;
  std::uint8_t left = 0;
  std::uint8_t right = 100;
};

// The target's locate flags for a source "Locate" value: bits 0-3 of it
// reordered as 0, 2, 3, 1; higher bits dropped.
std::uint8_t PermuteLocateFlags(std::int32_t locate);

void WriteNodeConfig(ProfileDocument& target, const NodeConfig& config);

// Converts the source "Config" section into the target header. False when
// the strict rule finds no "Locate" or a negative one.
bool ConvertMenuHeader(const ProfileFile& source, HeaderRule rule,
                       ProfileDocument& target);

// Converts `source_path` into "<name>.tyx" beside it and reports the outcome
// on the console.
ConvertResult ConvertMenuFile(const std::string& source_path, HeaderRule rule,
                              const CommandTable& commands);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_MENU_MENU_FILE_H_
