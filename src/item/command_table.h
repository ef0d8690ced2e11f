// The source launcher's built-in command names (an item's path, e.g.
// "Clip Board") and the target launcher's names for the same commands, in
// code page 932. Built once at start-up and passed down read-only.
#ifndef OVQ2TYX_ITEM_COMMAND_TABLE_H_
#define OVQ2TYX_ITEM_COMMAND_TABLE_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ovq2tyx {

// Looks names up as they stand in the source, without copying them. No
// two names agree in size, first and last byte, so these alone make the
// hash: every item's path is looked up, and most are long.
struct CommandNameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    if (name.empty()) return 0;
    return name.size() << 16 |
           static_cast<std::size_t>(static_cast<unsigned char>(name.front()))
               << 8 |
           static_cast<unsigned char>(name.back());
  }
};

// Source command name -> target command name, keys compared byte for byte.
using CommandTable = std::unordered_map<std::string, std::string,
                                        CommandNameHash, std::equal_to<>>;

// The 16 command pairs.
CommandTable BuildCommandTable();

// The target path of an item into `path`: the table's name when
// `source_path` is exactly a key, else the path itself with a ".ovq"
// extension (any letter case) replaced by ".tyx", so links to other menus
// point at their converted files. The result is never longer than
// `source_path` or a table value.
void TranslatePath(std::string_view source_path, const CommandTable& table,
                   std::string& path);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_ITEM_COMMAND_TABLE_H_
