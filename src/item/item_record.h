// Menu items as records: a source item section "No.<n>" (keys "Data0" to
// "Data8") read into a SourceItem, and a TargetItem written as a target item
// section with the keys "Title" ... "Check". Text fields hold at most their
// capacity - 1 bytes, the capacity counting the terminator of the fixed
// buffers of the menu formats. A SourceItem views the source's bytes; a
// TargetItem keeps its strings' room from one item to the next.
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
inline constexpr std::size_t kCheckCapacity = 12;  // "Data7"
inline constexpr std::size_t kIconCapacity = 284;  // "Data8", "Icon"

struct SourceItem {
  std::string_view data0;  // title
  std::string_view data1;  // path or built-in command name
  std::string_view data2;  // working directory; macro: modifier names
  std::string_view data3;  // command line; macro: the keys
  std::string_view data5;  // hot-key text
  std::int32_t data6 = 0;  // mode code: window state, priority, wait digits
  std::string_view data7;  // check flag text, "False" clears the flag
  std::string_view data8;  // icon text
};

// Packed item flags; each field holds the range of its bits.
struct ItemFlags {
  std::uint32_t win_state : 2 = 0;
  std::uint32_t priority : 2 = 0;
  std::uint32_t wait : 2 = 0;
  std::uint32_t check : 1 = 0;
};

struct TargetItem {
  std::string title;
  std::string path;
  std::string work_dir;
  std::string cmd_line;
  std::string icon;
  HotKeyCode hot_key;
  ItemFlags flags;
};

// "No.<n>", the section of item n.
std::string SectionName(int n);

// Reads item n. False when the item does not exist ("Data1" missing or
// empty; nothing else is read then). An empty "Data0" is replaced by the
// last path component of Data1; a missing "Data6" is 0, a missing "Data7"
// is "True".
bool ReadSourceItem(const ProfileReader& source, int n, SourceItem& out);

// Writes item n: "Title", "Path", "WorkDir", "CmdLine", "HotKey" (struct
// value), "WinState", "Priority", "Icon", "Wait", "Check", in this order.
void WriteTargetItem(ProfileWriter& target, int n, const TargetItem& item);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_ITEM_ITEM_RECORD_H_
