#include "driver/root_index.h"

#include <array>
#include <cstdint>
#include <new>

#include "item/item_record.h"
#include "menu/report.h"
#include "text/code_page.h"
#include "text/text_encoding.h"

namespace ovq2tyx {

namespace {

// Appends link item `n` to `root` for the target named `name` (menu text).
// Not WriteTargetItem: every Root.tyx ever made has its links in this key
// order, "Path" before "Title" and no "Icon" line, and a new one must read
// the same byte for byte.
void WriteRootLink(ProfileWriter& root, int n, std::string_view name,
                   bool is_menu) {
  const std::array<std::uint8_t, 2> no_hot_key = {0, 0};
  root.AddSection(SectionName(n));
  root.AddString("Path", name);
  root.AddString("Title", name);
  root.AddString("WorkDir", "");
  root.AddString("CmdLine", is_menu ? "" : ">>");
  root.AddStruct("HotKey", no_hot_key);
  root.AddString("WinState", "0");
  root.AddString("Priority", "0");
  root.AddString("Wait", "0");
  root.AddString("Check", "1");
}

// True for a name that Windows opens as a device whatever its extension:
// CON, PRN, AUX, NUL, COM0-COM9 or LPT0-LPT9 before the first dot, in any
// case, blanks after it ignored ("nul.tyx", "Com1 .tyx").
bool IsDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, FindChar(name, '.'));
  // Not stepped: a trail byte is never a blank.
  while (base.ends_with(' ')) base.remove_suffix(1);
  if (base.size() == 4 && base[3] >= '0' && base[3] <= '9') {
    base.remove_suffix(1);
    return EqualsIgnoreCase(base, "COM") || EqualsIgnoreCase(base, "LPT");
  }
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (EqualsIgnoreCase(base, device)) return true;
  }
  return false;
}

// The link to the target named `target_name`, as menu text: the exact code
// page 932 form of a name that the launcher on Windows can open. None for a
// character no Windows name holds, a control among them (it would also end
// the link's line), nor for a device's name.
bool LinkName(std::string_view target_name, std::string& name) {
  if (!NameToMenuText(target_name, name)) return false;
  for (std::size_t pos = 0; pos < name.size(); pos += CharLength(name, pos)) {
    const char c = name[pos];
    if (IsControlByte(static_cast<unsigned char>(c)) ||
        std::string_view("\\/:*?\"<>|").find(c) != kNotFound) {
      return false;
    }
  }
  return !IsDeviceName(name);
}

// Links the target at `target_path`, once, unless it is the index itself.
void LinkTarget(RootIndexState& state, const std::string& target_path,
                bool is_menu) {
  if (state.linked.key_comp().Compare(target_path, state.root_path) == 0 ||
      !IsRegularFile(target_path) || !state.linked.insert(target_path).second) {
    return;
  }
  std::string name;
  if (!LinkName(FindFileName(target_path, kNativePath), name) ||
      !state.link_texts.insert(name).second) {
    ReportPath(Outcome::kCannotWrite, state.root_path);
    return;
  }
  WriteRootLink(*state.writer, state.next_link++, name, is_menu);
  if (!state.writer->Flush()) state.complete = false;
}

}  // namespace

void PrepareRootIndex(RootIndexState& state,
                      std::string_view program_directory) {
  try {
    state.root_path = CombinePath(program_directory, "Root.tyx");
    const TargetState there = InspectTarget(state.root_path);
    if (there == TargetState::kTaken) return;
    state.making = true;
    state.complete = there == TargetState::kFree;
    if (!state.complete) return;
    PrepareFolder(program_directory);
    state.file = std::make_unique<NewFile>(state.root_path);
    NewFile& file = *state.file;
    state.writer = std::make_unique<ProfileWriter>(
        [&file](std::string_view chunk) { return file.Write(chunk); });
    WriteNodeConfig(*state.writer, NodeConfig{});
    state.complete = file.is_open() && state.writer->Flush();
    state.linked = std::set<std::string, PathOrder>(
        PathOrder{.fold_case = file.FolderFoldsCase()});
  } catch (const std::bad_alloc&) {
    state.making = true;  // reported at the end, like a failed write
    state.complete = false;
  }
  if (state.complete) ReportRootIndexStarted();
}

void RecordRootLink(RootIndexState& state, const std::string& source_path,
                    bool is_menu, Outcome outcome) {
  if (outcome == Outcome::kCannotWrite || outcome == Outcome::kOutOfMemory) {
    state.complete = false;
  }
  if (!state.making || !state.complete ||
      (outcome != Outcome::kWritten && outcome != Outcome::kTargetExisted)) {
    return;
  }
  try {
    LinkTarget(state, TargetPath(source_path), is_menu);
  } catch (const std::bad_alloc&) {
    state.complete = false;  // the link it could not hold
  }
}

void FinishRootIndex(RootIndexState& state) {
  if (!state.making) return;
  WriteResult result = WriteResult::kFailed;
  try {
    if (state.complete && state.writer->Flush()) result = state.file->Commit();
  } catch (const std::bad_alloc&) {
    // Left out like an index that could not be written.
  }
  state.writer.reset();
  state.file.reset();  // removes the index when it did not land
  ReportUnremovedFiles();
  // Without even the memory for its path, it goes by its name.
  const std::string_view path =
      state.root_path.empty() ? "Root.tyx" : std::string_view(state.root_path);
  if (result == WriteResult::kExists) {
    ReportPath(Outcome::kTargetExisted, path);
  } else if (result == WriteResult::kFailed) {
    ReportPath(Outcome::kCannotWrite, path);
  }
}

}  // namespace ovq2tyx
