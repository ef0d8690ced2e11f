#include "platform/path.h"

namespace ovq2tyx {

// Plain bytes; "\" is an ordinary character of a name.
const PathSyntax kNativePath = PathSyntax::kPosix;
const char kNativeSeparator = '/';

}  // namespace ovq2tyx
