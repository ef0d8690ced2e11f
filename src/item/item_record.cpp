#include "item/item_record.h"

#include <charconv>

#include "text/path_syntax.h"

namespace ovq2tyx {

std::string SectionName(int n) {
  char name[16] = "No.";
  const auto end = std::to_chars(name + 3, name + sizeof name, n).ptr;
  return std::string(name, end);
}

bool ReadSourceItem(const ProfileReader& source, int n, SourceItem& out) {
  out = SourceItem{};
  const ProfileSection section = source.FindSection(SectionName(n));
  auto read_text = [&](std::string_view key) {
    return ReadProfileString(section, key, "", kTextCapacity);
  };
  out.path = read_text("Data1");
  if (out.path.empty()) return false;
  out.title = read_text("Data0");
  if (out.title.empty()) out.title = FindFileName(out.path, kMenuPath);
  out.work_dir = read_text("Data2");
  out.cmd_line = read_text("Data3");
  out.hot_key_text = read_text("Data5");
  out.mode_code = ReadProfileInt(section, "Data6", 0);
  out.check_text = ReadProfileString(section, "Data7", "True", kCheckCapacity);
  out.icon_text = ReadProfileString(section, "Data8", "", kIconCapacity);
  return true;
}

void WriteTargetItem(ProfileWriter& target, int n, const TargetItem& item) {
  auto write_number = [&target](std::string_view key, std::uint32_t value) {
    const char digit = static_cast<char>('0' + value);  // flags are 0-3
    target.AddString(key, std::string_view(&digit, 1));
  };
  target.AddSection(SectionName(n));
  target.AddString("Title", item.title);
  target.AddString("Path", item.path);
  target.AddString("WorkDir", item.work_dir);
  target.AddString("CmdLine", item.cmd_line);
  const std::uint8_t hot_key[] = {item.hot_key.key, item.hot_key.modifiers};
  target.AddStruct("HotKey", hot_key);
  write_number("WinState", item.flags.win_state);
  write_number("Priority", item.flags.priority);
  target.AddString("Icon", item.icon);
  write_number("Wait", item.flags.wait);
  write_number("Check", item.flags.check);
}

}  // namespace ovq2tyx
