#include "driver/root_index.h"

#include <array>
#include <cstdint>

#include "item/item_record.h"
#include "platform/console.h"
#include "platform/path.h"

namespace ovq2tyx {

void PrepareRootIndex(RootIndexState& state,
                      std::string_view program_directory) {
  state.root_path = CombinePath(program_directory, "Root.tyx");
  state.root_created = false;
  state.next_link = 0;
  if (PathExists(state.root_path)) return;
  ProfileDocument root;
  WriteNodeConfig(root, NodeConfig{});
  switch (SaveNewProfile(state.root_path, root)) {
    case WriteResult::kWritten:
      state.root_created = true;
      PrintLine("[Generate] Root.tyx");
      break;
    case WriteResult::kExists:
      break;  // someone else made it meanwhile: leave it alone
    case WriteResult::kFailed:
      PrintLine("[Err:Cannot Write] " + state.root_path);
      break;
  }
}

void RecordRootLink(RootIndexState& state, std::string_view entry_name,
                    bool is_menu, ConvertResult result) {
  if (result != ConvertResult::kWritten || !state.root_created) return;
  std::string name = RenameExtension(entry_name, ".tyx");
  if (WriteRootLink(state.next_link, name, state.root_path, is_menu)) {
    ++state.next_link;  // numbers stay contiguous when a link fails
  } else {
    PrintLine("[Err:Cannot Write] " + state.root_path);
  }
}

bool WriteRootLink(int n, std::string_view name, const std::string& root_path,
                   bool is_menu) {
  const std::string section = SectionName(n);
  const std::array<std::uint8_t, 2> no_hot_key = {0, 0};
  ProfileDocument link;
  SetProfileString(link, section, "Path", name);
  SetProfileString(link, section, "Title", name);
  SetProfileString(link, section, "WorkDir", "");
  SetProfileString(link, section, "CmdLine", is_menu ? "" : ">>");
  SetProfileStruct(link, section, "HotKey", no_hot_key);
  SetProfileString(link, section, "WinState", "0");
  SetProfileString(link, section, "Priority", "0");
  RemoveProfileKey(link, section, "Icon");
  SetProfileString(link, section, "Wait", "0");
  SetProfileString(link, section, "Check", "1");
  // Each link is a new section at the end of the file, so appending it is
  // the same as rewriting the whole file, at the cost of one link.
  return AppendProfile(root_path, link);
}

}  // namespace ovq2tyx
