#include "platform/path.h"

namespace ovq2tyx {

// Names in the ANSI code page (932), written as menus write paths.
const PathSyntax kNativePath = kMenuPath;
const char kNativeSeparator = '\\';

}  // namespace ovq2tyx
