#include "item/item_conversion.h"

#include "item/hot_key.h"
#include "platform/code_page.h"

namespace ovq2tyx {

namespace {

// 既定?icon=0, the source's "default icon" reference.
constexpr std::string_view kDefaultIcon =
    "\x8A\xF9\x92\xE8"
    "?icon=0";

struct MacroMark {
  std::string_view modifier;
  std::string_view mark;
};

constexpr MacroMark kMacroMarks[] = {
    {"win", "#w"}, {"shift", "#s"}, {"ctrl", "#c"}, {"alt", "#a"}};

}  // namespace

void ConvertMenuItems(const ProfileFile& source, const CommandTable& table,
                      ProfileDocument& target) {
  SourceItem source_item;
  TargetItem target_item;
  for (int n = 0; ReadSourceItem(source, n, source_item); ++n) {
    ConvertItem(source_item, table, target_item);
    WriteTargetItem(target, n, target_item);
  }
}

void ConvertItem(const SourceItem& source, const CommandTable& table,
                 TargetItem& target) {
  target = TargetItem{};
  target.title = source.data0;
  target.cmd_line = source.data3;
  target.work_dir = source.data2;
  target.flags.check = EqualsIgnoreCase(source.data7, "False") ? 0 : 1;
  // Units digit window state, tens digit priority; any hundreds mean wait.
  // "/" and "%" truncate toward zero and "&" sees the two's complement, so
  // a negative code such as -1 gives window state 3.
  target.flags.win_state = static_cast<std::uint32_t>(source.data6 % 10) & 3;
  target.flags.priority =
      static_cast<std::uint32_t>(source.data6 / 10 % 10) & 3;
  target.flags.wait = source.data6 >= 100 ? 2 : 0;
  target.path = TranslatePath(source.data1, table);
  target.hot_key = ParseHotKeyText(source.data5);
  target.icon = ConvertIconSpec(source.data8);
  ApplyKeyPress(source, target);
}

std::string ConvertIconSpec(std::string_view icon_text) {
  if (icon_text.empty() || EqualsIgnoreCase(icon_text, kDefaultIcon)) {
    return "";
  }
  const std::string_view icon = CutToCapacity(icon_text, kIconCapacity);
  const std::size_t question = FindChar(icon, '?');
  if (question == kNotFound) return std::string(icon);
  std::string converted(icon.substr(0, question));
  const std::size_t equals = FindChar(icon, '=', question);
  if (equals != kNotFound) {
    converted += ',';
    converted += icon.substr(equals + 1);
  }
  return converted;
}

void ApplyKeyPress(const SourceItem& source, TargetItem& target) {
  if (!EqualsIgnoreCase(source.data1, "Key Press")) return;
  std::string command;
  for (const MacroMark& mark : kMacroMarks) {
    if (FindTextIgnoreCase(source.data2, mark.modifier) != kNotFound) {
      command += mark.mark;
    }
  }
  command += source.data3;
  // The marks are kept whole; the keys lose their tail when both do not fit.
  target.cmd_line = CutToCapacity(command, kTextCapacity);
  target.work_dir.clear();
}

}  // namespace ovq2tyx
