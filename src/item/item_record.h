// Menu items as records: a source item section "No.<n>" (keys "Data0" to
// "Data8") read into a SourceItem, and a TargetItem written as a target item
// section with the keys "Title" ... "Check". Text fields hold at most their
// capacity - 1 bytes, the capacity counting the terminator of the fixed
// buffers of the menu formats. A SourceItem views the source's bytes; a
// TargetItem views them too where it takes a text over unchanged, and keeps
// its strings' room from one item to the next.
#ifndef OVQ2TYX_ITEM_ITEM_RECORD_H_
#define OVQ2TYX_ITEM_ITEM_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "item/hot_key.h"
#include "profile/profile_reader.h"
#include "profile/profile_writer.h"

namespace ovq2tyx {

inline constexpr std::size_t kTextCapacity = 260;  // texts and paths
inline constexpr std::size_t kCheckCapacity = 12;  // check text
inline constexpr std::size_t kIconCapacity = 284;  // icon text, "Icon"

// A source item, its fields named for what they hold; the keys they come
// from ("Data0" ... "Data8") are known only to ReadSourceItem.
struct SourceItem {
  std::string_view title;
  std::string_view path;      // or a built-in command name
  std::string_view work_dir;  // keyboard macro: the modifier names
  std::string_view cmd_line;  // keyboard macro: the keys
  std::string_view hot_key_text;
  // Units digit window state, tens digit priority, hundreds digit wait.
  std::int32_t mode_code = 0;
  std::string_view check_text;  // "False" clears the check flag
  std::string_view icon_text;
};

// Packed item flags; each field holds the range of its bits.
struct ItemFlags {
  std::uint32_t win_state : 2 = 0;
  std::uint32_t priority : 2 = 0;
  std::uint32_t wait : 2 = 0;
  std::uint32_t check : 1 = 0;
};

struct TargetItem {
  std::string_view title;
  std::string path;
  std::string_view work_dir;
  std::string cmd_line;
  std::string icon;
  HotKeyCode hot_key;
  ItemFlags flags;
};

// "No.<n>", the section of item n, held in place: an item's section is
// read and written under it.
class SectionName {
 public:
  explicit SectionName(int n);
  operator std::string_view() const { return {text_, size_}; }

 private:
  char text_[16];
  std::size_t size_;
};

// Reads the item of `section` (a SectionName) as `items` finds it: items
// read one after another are found by their order. False when the item
// does not exist (its path missing or empty; nothing else is filled in
// then). An empty title is replaced by the last component of the path; a
// missing mode code is 0, a missing check text "True".
bool ReadSourceItem(SectionCursor& items, std::string_view section,
                    SourceItem& out);

// Writes an item as `section` (a SectionName): "Title", "Path",
// "WorkDir", "CmdLine", "HotKey" (struct value), "WinState", "Priority",
// "Icon", "Wait", "Check", in this order.
void WriteTargetItem(ProfileWriter& target, std::string_view section,
                     const TargetItem& item);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_ITEM_ITEM_RECORD_H_
