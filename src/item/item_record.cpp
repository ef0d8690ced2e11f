#include "item/item_record.h"

#include <array>
#include <charconv>
#include <iterator>
#include <optional>

#include "text/path_syntax.h"

namespace ovq2tyx {

SectionName::SectionName(int n) : text_{'N', 'o', '.'} {
  const auto end = std::to_chars(text_ + 3, text_ + sizeof text_, n).ptr;
  size_ = static_cast<std::size_t>(end - text_);
}

bool ReadSourceItem(SectionCursor& items, std::string_view section,
                    SourceItem& out) {
  enum Field {
    kTitle,
    kPath,
    kWorkDir,
    kCmdLine,
    kHotKey,
    kMode,
    kCheck,
    kIcon
  };
  static constexpr std::string_view kKeys[] = {
      "Data0", "Data1", "Data2", "Data3", "Data5", "Data6", "Data7", "Data8"};
  std::array<std::optional<std::string_view>, std::size(kKeys)> values;
  items.FindSection(section).FindValues(kKeys, values);
  auto text = [&values](Field field) {
    return ValueAsString(values[field], "", kTextCapacity);
  };
  out = SourceItem{};
  out.path = text(kPath);
  if (out.path.empty()) return false;
  out.title = text(kTitle);
  if (out.title.empty()) out.title = FindFileName(out.path, kMenuPath);
  out.work_dir = text(kWorkDir);
  out.cmd_line = text(kCmdLine);
  out.hot_key_text = text(kHotKey);
  out.mode_code = ValueAsInt(values[kMode], 0);
  out.check_text = ValueAsString(values[kCheck], "True", kCheckCapacity);
  out.icon_text = ValueAsString(values[kIcon], "", kIconCapacity);
  return true;
}

void WriteTargetItem(ProfileWriter& target, std::string_view section,
                     const TargetItem& item) {
  target.AddSection(section);
  target.AddString("Title", item.title);
  target.AddString("Path", item.path);
  target.AddString("WorkDir", item.work_dir);
  target.AddString("CmdLine", item.cmd_line);
  const std::uint8_t hot_key[] = {item.hot_key.key, item.hot_key.modifiers};
  target.AddStruct("HotKey", hot_key);
  target.AddDigit("WinState", item.flags.win_state);
  target.AddDigit("Priority", item.flags.priority);
  target.AddString("Icon", item.icon);
  target.AddDigit("Wait", item.flags.wait);
  target.AddDigit("Check", item.flags.check);
}

}  // namespace ovq2tyx
