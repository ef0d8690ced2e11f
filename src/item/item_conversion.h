// Conversion of a menu's items: the item loop over a source menu, and the
// mapping of one source item onto one target item (path through the command
// table, hot-key text, icon reference, mode code, check text and keyboard
// macros).
#ifndef OVQ2TYX_ITEM_ITEM_CONVERSION_H_
#define OVQ2TYX_ITEM_ITEM_CONVERSION_H_

#include <string>
#include <string_view>

#include "item/command_table.h"
#include "item/item_record.h"
#include "profile/profile_reader.h"
#include "profile/profile_writer.h"

namespace ovq2tyx {

// Converts items 0, 1, ... of `source` into `target`, each under its own
// number, up to the first item that does not exist.
void ConvertMenuItems(const ProfileReader& source, const CommandTable& table,
                      ProfileWriter& target);

// Fills `target` anew from `source` (viewing the texts it takes over
// unchanged, reusing its strings' room).
void ConvertItem(const SourceItem& source, const CommandTable& table,
                 TargetItem& target);

// The target's icon reference into `icon`: "file?icon=3" becomes "file,3"
// (the text after the first "=" that follows the first "?"); a "?" without
// "=" cuts the text there. An empty text and the source's default icon give
// "".
void ConvertIconReference(std::string_view icon_text, std::string& icon);

// For a "Key Press" item (any letter case): CmdLine becomes the modifier
// marks of the modifiers named in its working directory field ("#w", "#s",
// "#c", "#a", always in this order) plus its keys, cut to fit, and WorkDir
// is emptied. Other items are left as they
// are.
void ApplyKeyPress(const SourceItem& source, TargetItem& target);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_ITEM_ITEM_CONVERSION_H_
