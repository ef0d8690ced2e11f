#include "platform/path.h"

namespace ovq2tyx {

const char kNativeSeparator = '\\';

}  // namespace ovq2tyx
