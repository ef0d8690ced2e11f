#include "item/item_conversion.h"

#include "item/hot_key.h"
#include "item/item_record.h"
#include "text/byte_scan.h"
#include "text/code_page.h"

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

// The target's icon reference into `icon`: "file?icon=3" becomes "file,3"
// (the text after the first "=" that follows the first "?"); a "?" without
// "=" cuts the text there. An empty text and the source's default icon give
// "".
void ConvertIconReference(std::string_view icon_text, std::string& icon) {
  icon.clear();
  if (icon_text.empty() || EqualsIgnoreCase(icon_text, kDefaultIcon)) return;
  const std::string_view text = CutToCapacity(icon_text, kIconCapacity);
  // Without double-byte characters every byte starts one: plain byte
  // searches serve.
  const bool single_byte = IsSingleByteText(text);
  const std::size_t question =
      single_byte ? text.find('?') : FindChar(text, '?');
  icon.assign(text.substr(0, question));
  if (question == kNotFound) return;
  const std::size_t equals =
      single_byte ? text.find('=', question) : FindChar(text, '=', question);
  if (equals != kNotFound) {
    icon += ',';
    icon += text.substr(equals + 1);
  }
}

// For a "Key Press" item (any letter case): CmdLine becomes the modifier
// marks of the modifiers named in its working directory field ("#w", "#s",
// "#c", "#a", always in this order) plus its keys, cut to fit, and WorkDir
// is emptied. Other items are left as they are.
void ApplyKeyPress(const SourceItem& source, TargetItem& target) {
  if (!EqualsIgnoreCase(source.path, "Key Press")) return;
  std::string& command = target.cmd_line;
  command.clear();
  for (const MacroMark& mark : kMacroMarks) {
    if (FindTextIgnoreCase(source.work_dir, mark.modifier) != kNotFound) {
      command += mark.mark;
    }
  }
  command += source.cmd_line;
  // The marks are kept whole; the keys lose their tail when both do not fit.
  command.resize(CutToCapacity(command, kTextCapacity).size());
  target.work_dir = {};
}

// Fills `target` anew from `source` (viewing the texts it takes over
// unchanged, reusing its strings' room).
void ConvertItem(const SourceItem& source, const CommandTable& table,
                 TargetItem& target) {
  target.title = source.title;
  target.cmd_line.assign(source.cmd_line);
  target.work_dir = source.work_dir;
  target.flags.check = EqualsIgnoreCase(source.check_text, "False") ? 0 : 1;
  // Units digit window state, tens digit priority; any hundreds mean wait.
  // "/" and "%" truncate toward zero and "&" sees the two's complement, so
  // a negative code such as -1 gives window state 3.
  target.flags.win_state =
      static_cast<std::uint32_t>(source.mode_code % 10) & 3;
  target.flags.priority =
      static_cast<std::uint32_t>(source.mode_code / 10 % 10) & 3;
  target.flags.wait = source.mode_code >= 100 ? 2 : 0;
  TranslatePath(source.path, table, target.path);
  target.hot_key = ParseHotKeyText(source.hot_key_text);
  ConvertIconReference(source.icon_text, target.icon);
  ApplyKeyPress(source, target);
}

}  // namespace

void ConvertMenuItems(const ProfileReader& source, const CommandTable& table,
                      ProfileWriter& target) {
  SectionCursor items(source);
  SourceItem source_item;
  TargetItem target_item;
  for (int n = 0;; ++n) {
    const SectionName section(n);
    if (!ReadSourceItem(items, section, source_item)) break;
    ConvertItem(source_item, table, target_item);
    WriteTargetItem(target, section, target_item);
  }
}

}  // namespace ovq2tyx
