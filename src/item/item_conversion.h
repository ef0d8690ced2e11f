// Conversion of a menu's items: the item loop over a source menu, and the
// mapping of one source item onto one target item (path through the command
// table, hot-key text, icon reference, mode code, check text and keyboard
// macros).
#ifndef OVQ2TYX_ITEM_ITEM_CONVERSION_H_
#define OVQ2TYX_ITEM_ITEM_CONVERSION_H_

#include "item/command_table.h"
#include "item/item_record.h"
#include "profile/profile_reader.h"
#include "profile/profile_writer.h"

namespace ovq2tyx {

// Converts items 0, 1, ... of `source` into `target`, each under its own
// number, up to the first item that does not exist.
void ConvertMenuItems(const ProfileReader& source, const CommandTable& table,
                      ProfileWriter& target);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_ITEM_ITEM_CONVERSION_H_
