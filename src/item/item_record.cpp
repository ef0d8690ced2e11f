#include "item/item_record.h"

#include "platform/path.h"

namespace ovq2tyx {

std::string SectionName(int n) {
  std::string name = "No.";
  name += std::to_string(n);
  return name;
}

bool ReadSourceItem(const ProfileFile& file, int n, SourceItem& out) {
  out = SourceItem{};
  const std::string section = SectionName(n);
  auto read_text = [&](std::string_view key) {
    return ReadProfileString(file, section, key, "", kTextCapacity);
  };
  out.data1 = read_text("Data1");
  if (out.data1.empty()) return false;
  out.data0 = read_text("Data0");
  if (out.data0.empty()) out.data0 = FindFileName(out.data1);
  out.data2 = read_text("Data2");
  out.data3 = read_text("Data3");
  out.data5 = read_text("Data5");
  out.data6 = ReadProfileInt(file, section, "Data6", 0);
  out.data7 = ReadProfileString(file, section, "Data7", "True", kCheckCapacity);
  out.data8 = ReadProfileString(file, section, "Data8", "", kIconCapacity);
  return true;
}

void WriteTargetItem(ProfileDocument& doc, int n, const TargetItem& item) {
  const std::string section = SectionName(n);
  auto write = [&](std::string_view key, std::string_view value) {
    SetProfileString(doc, section, key, value);
  };
  auto write_number = [&](std::string_view key, std::uint32_t value) {
    write(key, std::to_string(value));
  };
  write("Title", item.title);
  write("Path", item.path);
  write("WorkDir", item.work_dir);
  write("CmdLine", item.cmd_line);
  const std::uint8_t hot_key[] = {item.hot_key.key, item.hot_key.modifiers};
  SetProfileStruct(doc, section, "HotKey", hot_key);
  write_number("WinState", item.flags.win_state);
  write_number("Priority", item.flags.priority);
  write("Icon", item.icon);
  write_number("Wait", item.flags.wait);
  write_number("Check", item.flags.check);
}

}  // namespace ovq2tyx
