#include "driver/root_index.h"

#include <array>
#include <cstdint>

#include "item/item_record.h"
#include "menu/report.h"
#include "text/code_page.h"
#include "text/text_encoding.h"

namespace ovq2tyx {

namespace {

// A name the index can hold: code page 932 text that fits on one line.
bool LinkName(std::string_view target_name, std::string& name) {
  if (!NameToMenuText(target_name, name)) return false;
  for (char c : name) {
    if (IsControlByte(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

void PrepareRootIndex(RootIndexState& state,
                      std::string_view program_directory) {
  state.root_path = CombinePath(program_directory, "Root.tyx");
  if (PathExists(state.root_path)) return;
  state.making = true;
  PrepareFolder(program_directory);
  state.file = std::make_unique<NewFile>(state.root_path);
  NewFile& file = *state.file;
  state.writer = std::make_unique<ProfileWriter>(
      [&file](std::string_view chunk) { return file.Write(chunk); });
  WriteNodeConfig(*state.writer, NodeConfig{});
  state.complete = file.is_open() && state.writer->Flush();
  if (state.complete) ReportRootIndexStarted();
}

void RecordRootLink(RootIndexState& state, std::string_view entry_name,
                    bool is_menu, Outcome outcome) {
  if (!state.making) return;
  if (outcome == Outcome::kCannotWrite) state.complete = false;
  if (outcome != Outcome::kWritten && outcome != Outcome::kTargetExisted) {
    return;
  }
  const std::string target_name = TargetPath(std::string(entry_name));
  const std::string target_path =
      CombinePath(RemoveFileName(state.root_path), target_name);
  if (ComparePaths(target_path, state.root_path) == 0 ||
      !IsRegularFile(target_path) || !state.linked.insert(target_path).second) {
    return;
  }
  std::string name;
  if (!LinkName(target_name, name) || !state.link_texts.insert(name).second) {
    ReportPath(Outcome::kCannotWrite, state.root_path);
    return;
  }
  WriteRootLink(*state.writer, state.next_link++, name, is_menu);
  if (!state.writer->Flush()) state.complete = false;
}

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

void FinishRootIndex(RootIndexState& state) {
  if (!state.making) return;
  const WriteResult result = state.complete && state.writer->Flush()
                                 ? state.file->Commit()
                                 : WriteResult::kFailed;
  state.writer.reset();
  state.file.reset();  // removes the index when it did not land
  ReportUnremovedFiles();
  if (result == WriteResult::kExists) {
    ReportPath(Outcome::kTargetExisted, state.root_path);
  } else if (result == WriteResult::kFailed) {
    ReportPath(Outcome::kCannotWrite, state.root_path);
  }
}

}  // namespace ovq2tyx
